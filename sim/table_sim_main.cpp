// table-sim: the stand-in's series written out on Linux, without a display. Every
// change of the table becomes one PNG named by its time in milliseconds (nine
// digits, so the names sort in time order), and the ground-truth log of the
// series is written beside them, exactly as the Win32 stand-in writes it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "sim/table_renderer.h"
#include "sim/timeline.h"
#include "base/png.h"

namespace {

using vantrel::sim::OptionResult;

struct Options {
    vantrel::sim::SeriesOptions series;
    std::filesystem::path frames;
    std::filesystem::path log;
};

void PrintUsage() {
    std::cerr << "usage: table-sim --frames DIR --log FILE [options]\n"
                 "  --frames DIR     one PNG per change of the table, named by its time in ms\n"
                 "  --log FILE       the ground-truth log of every hand\n"
              << vantrel::sim::kSeriesOptionsUsage;
}

std::optional<Options> ParseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) {
            std::cerr << "table-sim: " << name << " needs a value\n";
            return std::nullopt;
        }
        const std::string_view value = argv[i + 1];
        switch (vantrel::sim::ApplySeriesOption(name, value, options.series)) {
            case OptionResult::kApplied:
                continue;
            case OptionResult::kBadValue:
                std::cerr << "table-sim: bad value for " << name << ": \"" << value << "\"\n";
                return std::nullopt;
            case OptionResult::kNotSeriesOption:
                break;
        }
        if (name == "--frames" && !value.empty()) {
            options.frames = value;
        } else if (name == "--log" && !value.empty()) {
            options.log = value;
        } else {
            std::cerr << "table-sim: unknown option " << name << "\n";
            return std::nullopt;
        }
    }
    if (options.frames.empty() || options.log.empty()) {
        std::cerr << "table-sim: --frames and --log are required\n";
        return std::nullopt;
    }
    if (const auto problem = vantrel::sim::SettingsProblem(options.series.settings)) {
        std::cerr << "table-sim: " << *problem << "\n";
        return std::nullopt;
    }
    return options;
}

bool WriteLog(const vantrel::sim::Timeline& timeline, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    for (const vantrel::sim::LogLine& line : timeline.log_lines()) out << line.text;
    out.close();
    return static_cast<bool>(out);
}

bool WriteFrames(const vantrel::sim::Timeline& timeline, const std::filesystem::path& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::cerr << "table-sim: cannot create " << dir << ": " << error.message() << "\n";
        return false;
    }
    for (const vantrel::sim::TimedState& change : timeline.changes()) {
        char name[32];
        std::snprintf(name, sizeof name, "%09lld.png", static_cast<long long>(change.time_ms));
        if (!vantrel::base::WritePng(vantrel::sim::RenderTable(change.state), dir / name)) {
            std::cerr << "table-sim: cannot write " << (dir / name) << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseArguments(argc, argv);
    if (!options) {
        PrintUsage();
        return 2;
    }
    const vantrel::sim::Timeline timeline(options->series.seed, options->series.hands, options->series.settings);
    if (!WriteLog(timeline, options->log)) {
        std::cerr << "table-sim: cannot write " << options->log << "\n";
        return 1;
    }
    if (!WriteFrames(timeline, options->frames)) return 1;
    std::cout << timeline.changes().size() << " frames, " << timeline.hands().size() << " hands, "
              << timeline.end_ms() << " ms\n";
    return 0;
}
