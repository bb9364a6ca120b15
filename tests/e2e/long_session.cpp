// long_session: vantrel.exe beside the stand-in for a long series of hands, for
// tools/long-session.sh. Not a test: it prints what the program costs as it goes.
//
//   long_session VANTREL_EXE TABLE_EXE WORK_DIR HANDS EVERY
//
// vantrel.exe runs from a fresh folder of WORK_DIR beside a table that plays
// HANDS hands on a short clock; every move is checked against the table's log
// off the screen, as live_follow does. After every EVERY hands one row is
// printed: the hands played, vantrel.exe's working set, its live GDI and USER
// objects, the processor time it has used, and the checks that differed from the
// log so far. Then a verdict on the run's targets: the working set grows less
// than 1 MB from the first row to the last, both object counts stay flat, and no
// check differs. Exit status 0 when all three hold.
//
// The object counts are GetGuiResources's. Wine does not implement it, so there
// they are taken from the process itself: its GDI objects are the live entries
// of its GDI handle table (which Wine, like Windows, keeps in memory the process
// can read, named in its PEB), and its USER objects are its windows, top-level,
// child and message-only.
#include <winternl.h>
#include <psapi.h>

#include <cinttypes>
#include <cstdio>

#include "live_run.h"

namespace {

using namespace vantrel::e2e;

// The table's clock: short enough for 300 hands in about 80 minutes. The program
// keeps up with a move only while it shows (two moves' time, and a hand's last
// one for its final span), so on a shared machine these spans leave room for a
// process held up for most of a second.
constexpr wchar_t kSessionClock[] = L"--think-ms 400-480 --deal-ms 500 --final-ms 800 --pause-ms 1000";
constexpr DWORD kSessionSettleMs = 250;

struct Sample {
    int hands = 0;
    std::uint64_t workingSet = 0;  // bytes
    long gdiObjects = -1, userObjects = -1;
    double cpuSeconds = 0;
    int differences = 0;
};

// The GDI handle table as Windows (x64) and Wine lay it out: 24-byte entries,
// a live object's with a nonzero type, stock objects flagged.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t extType;  // bit 7: a stock object
    std::uint8_t generation;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandles = 0x10000;
constexpr std::size_t kPebGdiSharedHandleTable = 0xF8;  // x64 PEB

long GdiObjectsFromHandleTable(HANDLE process) {
    using QueryInformation = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    std::uint64_t table = 0;
    const auto* slot = reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiSharedHandleTable;
    if (!ReadProcessMemory(process, slot, &table, sizeof table, nullptr) || table == 0) return -1;
    // Entries are handed out from the table's start, so the first chunk never used
    // ends it. Reading stops there: a read makes the pages it reads resident, and
    // reading all of the table would add its 1.5 MB to the working set measured.
    constexpr std::size_t kChunk = 256;
    long live = 0;
    std::vector<GdiHandleEntry> chunk(kChunk);
    for (std::size_t first = 0; first < kGdiHandles; first += kChunk) {
        const auto* at = reinterpret_cast<const GdiHandleEntry*>(table) + first;
        if (!ReadProcessMemory(process, at, chunk.data(), kChunk * sizeof(GdiHandleEntry), nullptr)) return -1;
        bool used = false;
        for (const GdiHandleEntry& e : chunk) {
            used = used || e.generation != 0;  // counted up at every allocation, never back to 0
            live += e.type != 0 && (e.extType & 0x80) == 0;
        }
        if (!used) break;
    }
    return live;
}

struct WindowCount {
    DWORD pid;
    long windows = 0;
};

bool CountIfOwned(HWND window, WindowCount& count) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    count.windows += owner == count.pid;
    return owner == count.pid;
}

long WindowsOf(DWORD pid) {
    WindowCount count{pid};
    const auto topLevel = [](HWND window, LPARAM context) -> BOOL {
        if (CountIfOwned(window, *reinterpret_cast<WindowCount*>(context))) {
            EnumChildWindows(window, [](HWND, LPARAM inner) -> BOOL {
                ++reinterpret_cast<WindowCount*>(inner)->windows;
                return TRUE;
            }, context);
        }
        return TRUE;
    };
    EnumWindows(topLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        CountIfOwned(w, count);
    return count.windows;
}

// Where the system counts a process's objects, its count; else -1.
long GuiResources(HANDLE process, DWORD which) {
    SetLastError(0);
    const DWORD n = GetGuiResources(process, which);
    return n == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? -1 : static_cast<long>(n);
}

Sample Measure(const ChildProcess& vantrel, int hands, int differences) {
    Sample s;
    s.hands = hands;
    s.differences = differences;
    const HANDLE process = vantrel.handle();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) s.workingSet = memory.WorkingSetSize;
    s.gdiObjects = GuiResources(process, GR_GDIOBJECTS);
    if (s.gdiObjects < 0) s.gdiObjects = GdiObjectsFromHandleTable(process);
    s.userObjects = GuiResources(process, GR_USEROBJECTS);
    if (s.userObjects < 0) s.userObjects = WindowsOf(vantrel.pid());
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        auto ticks = [](FILETIME t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
        s.cpuSeconds = static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
    }
    return s;
}

void PrintRow(const Sample& s) {
    std::printf("%6d  %10.1f  %6ld  %6ld  %8.2f  %11d\n", s.hands, static_cast<double>(s.workingSet) / 1024.0,
                s.gdiObjects, s.userObjects, s.cpuSeconds, s.differences);
    std::fflush(stdout);
}

int Run(LiveRun& run) {
    const int hands = run.more().size() == 2 ? _wtoi(run.more()[0].c_str()) : 0;
    const int every = run.more().size() == 2 ? _wtoi(run.more()[1].c_str()) : 0;
    if (hands < 1 || every < 1) return kWrongUsage;
    Checks& check = run.check();
    if (!run.StartVantrel({.from = run.work()}) || check.failures()) return run.Verdict();
    const ChildProcess& vantrel = run.vantrel();

    const Table table = run.StartTable(L"--seed 2024 --hands " + std::to_wstring(hands) + L" " + kSessionClock, L"hands.log");
    if (!table) return run.Verdict();

    SetLastError(0);
    if (GetGuiResources(vantrel.handle(), GR_GDIOBJECTS) == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)
        check.Note("GetGuiResources is not implemented here: GDI objects are the live entries of vantrel.exe's "
                   "GDI handle table, USER objects its windows");
    std::printf("%6s  %10s  %6s  %6s  %8s  %11s\n", "hands", "working KB", "GDI", "USER", "CPU s", "differences");
    std::vector<Sample> rows;
    LogFollower follower(check, table.log, 0, kSessionSettleMs);
    const DWORD deadline = static_cast<DWORD>(hands) * 60000;
    check.That(follower.FollowUntil(deadline,
                                    [&](const Expected& e) {
                                        if (e.handsEnded >= (static_cast<int>(rows.size()) + 1) * every) {
                                            rows.push_back(Measure(vantrel, e.handsEnded, follower.mismatches()));
                                            PrintRow(rows.back());
                                        }
                                        return e.handsEnded >= hands;
                                    }),
               "the table did not play " + std::to_string(hands) + " hands");
    run.CloseVantrel();
    if (rows.size() < 2) return run.Verdict({&follower.reader()});

    const Sample& first = rows.front();
    const Sample& last = rows.back();
    const double growthKb = (static_cast<double>(last.workingSet) - static_cast<double>(first.workingSet)) / 1024.0;
    check.Note("working set " + std::to_string(static_cast<long long>(growthKb)) + " KB more at hand " +
               std::to_string(last.hands) + " than at hand " + std::to_string(first.hands));
    check.That(growthKb < 1024.0, "the working set grew by 1 MB or more");
    for (const Sample& s : rows) {
        check.That(s.gdiObjects == first.gdiObjects, "GDI objects " + std::to_string(s.gdiObjects) + " at hand " +
                                                         std::to_string(s.hands) + ", " +
                                                         std::to_string(first.gdiObjects) + " at the first row");
        check.That(s.userObjects == first.userObjects, "USER objects " + std::to_string(s.userObjects) + " at hand " +
                                                           std::to_string(s.hands) + ", " +
                                                           std::to_string(first.userObjects) + " at the first row");
    }
    check.That(follower.mismatches() == 0, "the main window differed from the log");
    check.Note(follower.Summary());
    return run.Verdict({&follower.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "long_session", Run, "HANDS EVERY"); }
