#include "recorder/report_folder.h"

#include <algorithm>
#include <cstdio>

namespace vantrel::recorder {
namespace {

constexpr char kFolder[] = "reports";
constexpr std::string_view kPrefix = "vantrel-", kSuffix = ".vxr", kLeftByACrash = ".vxr.new";
// Saves within one second after the first: "_02" to "_99" after the time, so that
// they sort after it and in order.
constexpr int kMostInASecond = 99;

std::string Stem(const platform::CalendarTime& when) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", std::clamp(when.year, 0, 9999),
                  std::clamp(when.month, 0, 99), std::clamp(when.day, 0, 99), std::clamp(when.hour, 0, 99),
                  std::clamp(when.minute, 0, 99), std::clamp(when.second, 0, 99));
    return std::string(kPrefix) + stamp;
}

std::string WithSuffix(std::string stem, int nth) {
    if (nth > 1) {
        char count[16];
        std::snprintf(count, sizeof count, "_%02d", nth);
        stem += count;
    }
    return stem + std::string(kSuffix);
}

bool IsReportName(std::string_view name) {
    const std::size_t plain = FilesReportFolder::NameFor({}).size();
    return (name.size() == plain || (name.size() == plain + 3 && name[plain - kSuffix.size()] == '_')) &&
           name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

std::string InFolder(std::string_view name) { return std::string(kFolder) + "/" + std::string(name); }

}  // namespace

std::string FilesReportFolder::NameFor(const platform::CalendarTime& when) { return WithSuffix(Stem(when), 1); }

bool FilesReportFolder::Write(const platform::CalendarTime& when, std::span<const std::uint8_t> report) {
    if (!files_.MakeFolder(kFolder)) return false;
    const std::vector<std::string> before = files_.List(kFolder);
    std::string name;
    for (int nth = 1; nth <= kMostInASecond && name.empty(); ++nth) {
        std::string candidate = WithSuffix(Stem(when), nth);
        if (!std::binary_search(before.begin(), before.end(), candidate)) name = std::move(candidate);
    }
    if (name.empty() || files_.Replace(InFolder(name), report) != platform::FileResult::Ok) return false;

    // The names sort by time, so the oldest come first; the one just written stays
    // even when the clock stands behind the others.
    std::vector<std::string> reports = files_.List(kFolder);
    for (const std::string& left : reports)
        if (left.ends_with(kLeftByACrash)) files_.Remove(InFolder(left));
    std::erase_if(reports, [&](const std::string& other) { return !IsReportName(other) || other == name; });
    for (std::size_t i = 0; i + kKept <= reports.size(); ++i) files_.Remove(InFolder(reports[i]));
    return true;
}

}  // namespace vantrel::recorder
