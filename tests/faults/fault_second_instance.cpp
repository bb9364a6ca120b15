// fault_second_instance: a second vantrel.exe started while one runs.
//
//   fault_second_instance VANTREL_EXE TABLE_EXE WORK_DIR
//
// The first copy runs beside a table it has placed; the table is then moved by
// hand, and a window of this test is put over the first copy's main window. A
// second copy is started twice: from the same executable, and from a copy in
// another folder. Each time it must end within seconds, never show a window of
// its own, bring the running copy's main window in front of the cover, and leave
// the settings file (bytes and time of writing) and the table's place alone,
// including after the 1.5 s in which a copy that went on would have placed the
// table. A settings file must not appear beside the other folder's copy either.
// Then a copy started while the first is closing (once it says so) must wait
// for it to go and then start, its main window the only one. Last, after a copy
// ended by TerminateProcess (its claim, held open here, left abandoned) the next
// must take the claim at once: beside a window of this test captioned as the main
// window, which a copy that found the claim held would bring to the front and
// end. The settings file must stay byte for byte as before the crash.
#include "live_run.h"
#include "platform/win32/handles.h"

namespace {

using namespace vantrel::e2e;

constexpr wchar_t kCoverClass[] = L"FaultTestCover";

// Whether `upper` stands above `lower` in the z-order of top-level windows.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper) return true;
    return false;
}

int CountCaption(const wchar_t* caption) {
    return static_cast<int>(TopLevelWindows([caption](HWND window) {
                                wchar_t text[64] = {};
                                GetWindowTextW(window, text, 64);
                                return std::wstring(text) == caption;
                            }).size());
}

FILETIME WriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// A plain window of this process over `target`, pumped while the test waits.
class Cover {
public:
    explicit Cover(HWND target) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = kCoverClass;
        RegisterClassExW(&windowClass);
        const vantrel::base::Rect r = OuterRect(target);
        window_ = vantrel::platform::win32::OwnedWindow(CreateWindowExW(0, kCoverClass, L"cover", WS_POPUP, r.left,
                                                                        r.top, r.width(), r.height(), nullptr, nullptr,
                                                                        GetModuleHandleW(nullptr), nullptr));
        ShowWindow(window_.get(), SW_SHOW);
        SetForegroundWindow(window_.get());
        Pump();
    }

    HWND get() const { return window_.get(); }
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

private:
    vantrel::platform::win32::OwnedWindow window_;
};

void StartSecondCopy(Checks& check, const std::wstring& exe, const std::wstring& folder, HWND main, HWND table,
                     const std::wstring& settings) {
    const std::vector<unsigned char> bytesBefore = FileBytes(settings);
    const FILETIME writtenBefore = WriteTime(settings);
    const vantrel::base::Rect tableBefore = OuterRect(table);
    const Cover cover(main);
    check.That(Above(cover.get(), main), "the cover is not over the main window to begin with");

    ChildProcess second(exe, L"", folder);
    check.That(second.started(), "the second copy did not start");
    int mostMainWindows = 0;
    const bool ended = WaitFor(15000, [&] {
        Cover::Pump();
        mostMainWindows = std::max(mostMainWindows, CountCaption(kMainCaption));
        return second.ExitsWithin(0);
    });
    check.That(ended, "the second copy is still running");
    check.That(ended && second.ExitCode() == 0, "the second copy ended with status " + std::to_string(second.ExitCode()));
    check.That(mostMainWindows == 1, std::to_string(mostMainWindows) + " main windows were up at once");
    Cover::Pump();
    check.That(Above(main, cover.get()), "the running copy's main window was not brought in front");

    Sleep(2000);  // beyond the placement a second copy would have made
    check.That(CountCaption(kMainCaption) == 1 && CountCaption(kDetailCaption) == 1 && CountCaption(kPlayerCaption) == 1,
               "the program's windows are not there once each");
    const vantrel::base::Rect tableAfter = OuterRect(table);
    check.That(tableAfter == tableBefore, "the table was moved to (" + std::to_string(tableAfter.left) + ", " +
                                              std::to_string(tableAfter.top) + ")");
    const FILETIME writtenAfter = WriteTime(settings);
    check.That(FileBytes(settings) == bytesBefore && CompareFileTime(&writtenBefore, &writtenAfter) == 0,
               "the settings file was written");
}

void AfterACrash(LiveRun& run) {
    Checks& check = run.check();
    check.Note("a copy after the first was ended by TerminateProcess");
    const std::wstring exe = run.home() + L"\\vantrel.exe", settings = run.SettingsPath();
    const std::vector<unsigned char> bytes = FileBytes(settings);
    ChildProcess first(exe, L"", run.home());
    WaitFor(15000, [] { return FindCaption(kMainCaption) != nullptr; });
    const vantrel::platform::win32::KernelHandle claim(OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\Vantrel"));
    TerminateProcess(first.handle(), 1);
    check.That(claim && first.ExitsWithin(10000) && WaitFor(10000, [] { return !FindCaption(kMainCaption); }),
               "the first copy did not come up and end, its claim held");
    const vantrel::platform::win32::OwnedWindow decoy(CreateWindowExW(
        0, L"STATIC", kMainCaption, WS_POPUP | WS_VISIBLE, 600, 400, 120, 40, nullptr, nullptr, nullptr, nullptr));
    const ULONGLONG started = GetTickCount64();
    ChildProcess next(exe, L"", run.home());
    const bool up = WaitFor(15000, [&] { return CountCaption(kMainCaption) == 2 || next.ExitsWithin(0); });
    if (check.That(up && !next.ExitsWithin(0), "the next copy did not start beside the decoy"))
        check.Note("its main window came up " + std::to_string(GetTickCount64() - started) + " ms after its start");
    // The main window that is not the decoy, below it or else above it.
    const HWND main = FindWindowExW(nullptr, decoy.get(), nullptr, kMainCaption);
    PostMessageW(main ? main : FindWindowExW(nullptr, nullptr, nullptr, kMainCaption), WM_CLOSE, 0, 0);
    check.That(next.ExitsWithin(12000) && next.ExitCode() == 0, "the next copy did not end with status 0");
    check.That(FileBytes(settings) == bytes, "the settings file is not as it was before the crash");
}

int Run(LiveRun& run) {
    Checks& check = run.check();
    const std::wstring other = run.work() + L"\\other-home";
    if (!run.StartVantrel()) return run.Verdict();
    const std::wstring home = run.home(), settings = run.SettingsPath();
    const std::wstring otherExe = run.InstallVantrel(other);
    const HWND main = FindCaption(kMainCaption);
    if (otherExe.empty() || !check.That(main != nullptr, "the main window is gone")) return run.Verdict();
    const Table table = run.StartTable(L"--seed 3 --hands 1 " + std::wstring(kQuickClock));
    if (!table) return run.Verdict();
    run.ExpectPlaced(table);
    SetWindowPos(table.window, nullptr, 210, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    check.Note("a second copy from the same folder");
    StartSecondCopy(check, home + L"\\vantrel.exe", home, main, table.window, settings);
    check.Note("a second copy from another folder");
    StartSecondCopy(check, otherExe, other, main, table.window, settings);
    check.That(!FileExists(SettingsPathIn(other)), "the second copy made a settings file beside itself");

    check.That(!run.vantrel().ExitsWithin(0), "the first copy is gone");
    check.Note("a second copy while the first closes");
    const vantrel::platform::win32::KernelHandle closing(OpenEventW(SYNCHRONIZE, FALSE, L"Local\\Vantrel.closing"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    check.That(closing && WaitForSingleObject(closing.get(), 10000) == WAIT_OBJECT_0,
               "the first copy never said it was closing");
    ChildProcess successor(home + L"\\vantrel.exe", L"", home);
    run.ExpectExit("when closed with a second copy waiting");
    const bool up = WaitFor(15000, [] {
        const HWND w = FindCaption(kMainCaption);
        return w && IsWindowVisible(w);
    });
    check.That(up && !successor.ExitsWithin(0), "the second copy did not start once the first had gone");
    check.That(CountCaption(kMainCaption) == 1, std::to_string(CountCaption(kMainCaption)) + " main windows are up");
    PostMessageW(FindCaption(kMainCaption), WM_CLOSE, 0, 0);
    check.That(successor.ExitsWithin(12000), "the second copy did not exit");
    AfterACrash(run);
    return run.Verdict();
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "fault_second_instance", Run); }
