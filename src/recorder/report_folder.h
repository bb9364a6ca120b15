// Reports beside the executable, in reports/, through the platform's file service:
// vantrel-YYYYMMDD-HHMMSS.vxr after the local time (vantrel-YYYYMMDD-HHMMSS_02.vxr
// and on for more in the same second), the 20 newest kept, the one just written
// always among them; a temporary file a crash left behind goes at the next save.
#pragma once

#include <string>

#include "platform/platform.h"
#include "recorder/flight_recorder.h"

namespace vantrel::recorder {

class FilesReportFolder final : public ReportFolder {
public:
    static constexpr int kKept = 20;
    explicit FilesReportFolder(platform::Files& files) : files_(files) {}

    // False when the folder or the file cannot be written; nothing else happens then.
    bool Write(const platform::CalendarTime& when, std::span<const std::uint8_t> report) override;

    static std::string NameFor(const platform::CalendarTime& when);

private:
    platform::Files& files_;
};

}  // namespace vantrel::recorder
