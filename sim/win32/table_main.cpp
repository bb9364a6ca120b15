// table.exe: the Win32 stand-in for the game client. It plays a seeded series of
// hands in real time in a window titled as the game's and writes the ground-truth
// log as it goes. Exit code 2 for a bad command line, 1 when the log cannot be
// opened or the window cannot be made, 0 otherwise.
#include "sim/win32/table_window.h"  // first: it brings <windows.h>, which <shellapi.h> needs

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/table_faults.h"
#include "sim/timeline.h"

namespace {

using vantrel::sim::OptionResult;

constexpr std::int64_t kMaxCoordinate = 32767;

struct Options {
    vantrel::sim::SeriesOptions series;
    POINT position{300, 200};
    std::wstring log;
    std::optional<std::int64_t> exit_after_ms;
    std::optional<std::int64_t> impossible_card_hand;
};

// LocalFree for CommandLineToArgvW's block.
struct ArgumentList {
    ArgumentList() : argv(CommandLineToArgvW(GetCommandLineW(), &argc)) {}
    ~ArgumentList() { LocalFree(argv); }
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;

    int argc = 0;
    wchar_t** argv;
};

// Every option but --log is ASCII; anything else turns into '?' and fails to parse.
std::string Ascii(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::optional<POINT> ParsePosition(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto x = vantrel::sim::ParseDecimal(text.substr(0, comma), kMaxCoordinate);
    const auto y = vantrel::sim::ParseDecimal(text.substr(comma + 1), kMaxCoordinate);
    if (!x || !y) return std::nullopt;
    return POINT{static_cast<LONG>(*x), static_cast<LONG>(*y)};
}

// The options of the window alone; false for an unknown name or a bad value.
bool ApplyWindowOption(std::string_view name, std::wstring_view value, Options& options) {
    if (name == "--log") {
        options.log = value;
        return !value.empty();
    }
    if (name == "--pos") {
        const auto position = ParsePosition(Ascii(value));
        if (position) options.position = *position;
        return position.has_value();
    }
    if (name == "--impossible-card") {
        options.impossible_card_hand = vantrel::sim::ParseDecimal(Ascii(value), INT32_MAX);
        return options.impossible_card_hand.has_value();
    }
    if (name == "--exit-after-ms") {
        options.exit_after_ms = vantrel::sim::ParseDecimal(Ascii(value), INT64_MAX / 2);
        return options.exit_after_ms.has_value();
    }
    return false;
}

void PrintUsage(const std::string& problem) {
    std::fprintf(stderr,
                 "table: %s\n"
                 "usage: table.exe [options]\n"
                 "  --pos X,Y           the window's top-left corner (default 300,200)\n"
                 "  --log FILE          the ground-truth log, written as the hands are played\n"
                 "  --exit-after-ms N   quit N ms after the window appears (default: when closed)\n"
                 "  --impossible-card H in hand H (from 0), a card of a play drawn as a rank already gone\n"
                 "%.*s",
                 problem.c_str(), static_cast<int>(vantrel::sim::kSeriesOptionsUsage.size()),
                 vantrel::sim::kSeriesOptionsUsage.data());
}

std::optional<Options> ParseArguments(const ArgumentList& arguments) {
    if (arguments.argv == nullptr) {
        PrintUsage("cannot read the command line");
        return std::nullopt;
    }
    Options options;
    for (int i = 1; i < arguments.argc; i += 2) {
        const std::string name = Ascii(arguments.argv[i]);
        if (i + 1 >= arguments.argc) {
            PrintUsage(name + " needs a value");
            return std::nullopt;
        }
        const std::wstring_view wide_value = arguments.argv[i + 1];
        const std::string value = Ascii(wide_value);
        const OptionResult result = vantrel::sim::ApplySeriesOption(name, value, options.series);
        if (result == OptionResult::kApplied ||
            (result == OptionResult::kNotSeriesOption && ApplyWindowOption(name, wide_value, options))) {
            continue;
        }
        PrintUsage("unknown option or bad value: " + name + " \"" + value + "\"");
        return std::nullopt;
    }
    if (const auto problem = vantrel::sim::SettingsProblem(options.series.settings)) {
        PrintUsage(*problem);
        return std::nullopt;
    }
    return options;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const ArgumentList arguments;
    const std::optional<Options> options = ParseArguments(arguments);
    if (!options) return 2;

    vantrel::sim::win32::TableWindowOptions window_options{
        .outer_top_left = options->position, .log = nullptr, .exit_after_ms = options->exit_after_ms, .states = {}};
    if (!options->log.empty()) {
        window_options.log.reset(_wfopen(options->log.c_str(), L"wb"));
        if (!window_options.log) {
            std::fprintf(stderr, "table: cannot open the log file\n");
            return 1;
        }
    }

    const vantrel::sim::Timeline timeline(options->series.seed, options->series.hands, options->series.settings);
    std::vector<std::optional<vantrel::sim::FaultSpot>> faults;
    if (const auto hand = options->impossible_card_hand) {
        faults.resize(static_cast<std::size_t>(*hand) + 1);
        if (faults.size() <= timeline.hands().size())
            faults.back() = FindFaultSpot(timeline.hands()[faults.size() - 1], vantrel::sim::TableFault::kGoneRank);
        if (!faults.back()) {
            PrintUsage("hand " + std::to_string(*hand) + " of the series has no place for an impossible card");
            return 2;
        }
    }
    const vantrel::sim::FaultyTable faulty(timeline, std::move(faults));
    if (options->impossible_card_hand) window_options.states = [&faulty](std::size_t change) { return faulty.StateOf(change); };
    const vantrel::sim::win32::TableWindow window(instance, timeline, std::move(window_options));
    if (!window) {
        std::fprintf(stderr, "table: cannot create the window\n");
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
