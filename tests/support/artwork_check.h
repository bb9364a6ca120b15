// The committed artwork against its generator: every file that the generator draws
// today must be committed exactly so, and the folder must hold nothing else.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/artwork_files.h"
#include "base/png.h"

namespace vantrel::testing {

inline void ExpectCommittedArtwork(const std::vector<base::ArtworkFile>& drawn, const std::filesystem::path& folder,
                                   std::string_view generator) {
    std::set<std::string> expected;
    for (const base::ArtworkFile& file : drawn) {
        SCOPED_TRACE(file.name);
        expected.insert(file.name);
        const std::optional<base::Image> committed = base::ReadPng(folder / file.name);
        ASSERT_TRUE(committed) << "missing or unreadable; run " << generator;
        EXPECT_TRUE(*committed == file.picture) << "stale; run " << generator << " and commit " << folder;
    }
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) present.insert(entry.path().lexically_relative(folder).generic_string());
    EXPECT_EQ(present, expected) << folder << " holds exactly the generated pictures";
}

}  // namespace vantrel::testing
