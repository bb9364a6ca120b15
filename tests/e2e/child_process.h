// ChildProcess: a Windows program that a test started, ended by its handle on
// every path: when it is still running as the owner goes, it is terminated.
#pragma once

#include <windows.h>

#include <string>

namespace vantrel::e2e {

class ChildProcess {
public:
    // Starts `exe` with `arguments` in `folder` (empty: this process's folder).
    ChildProcess(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder = {}) {
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &startup, &process_) != FALSE;
    }
    // This same executable again, with `arguments`.
    static std::wstring ThisExecutable() {
        std::wstring exe(MAX_PATH, L'\0');
        exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
        return exe;
    }
    ~ChildProcess() {
        if (!started_) return;
        if (!ExitsWithin(1000)) TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return started_; }
    bool ExitsWithin(DWORD ms) const { return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }
    // The exit status once it has ended (STILL_ACTIVE before).
    int ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<int>(code);
    }
    DWORD pid() const { return process_.dwProcessId; }
    HANDLE handle() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

}  // namespace vantrel::e2e
