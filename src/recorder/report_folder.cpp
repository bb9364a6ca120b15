#include "recorder/report_folder.h"

#include <algorithm>
#include <cstdio>

namespace vantrel::recorder {
namespace {

constexpr char kFolder[] = "reports";
constexpr std::string_view kPrefix = "vantrel-", kSuffix = ".vxr";

bool IsReportName(std::string_view name) {
    return name.size() == FilesReportFolder::NameFor({}).size() && name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

}  // namespace

std::string FilesReportFolder::NameFor(const platform::CalendarTime& when) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", std::clamp(when.year, 0, 9999),
                  std::clamp(when.month, 0, 99), std::clamp(when.day, 0, 99), std::clamp(when.hour, 0, 99),
                  std::clamp(when.minute, 0, 99), std::clamp(when.second, 0, 99));
    return std::string(kPrefix) + stamp + std::string(kSuffix);
}

bool FilesReportFolder::Write(const platform::CalendarTime& when, std::span<const std::uint8_t> report) {
    if (!files_.MakeFolder(kFolder)) return false;
    if (files_.Replace(std::string(kFolder) + "/" + NameFor(when), report) != platform::FileResult::Ok) return false;
    // The names sort by time, so the oldest come first.
    std::vector<std::string> reports = files_.List(kFolder);
    std::erase_if(reports, [](const std::string& name) { return !IsReportName(name); });
    for (std::size_t i = 0; i + kKept < reports.size(); ++i) files_.Remove(std::string(kFolder) + "/" + reports[i]);
    return true;
}

}  // namespace vantrel::recorder
