// ChildProcess: a Windows program that a test started, ended by its handle on
// every path: when it is still running as the owner goes, it is terminated.
#pragma once

#include <string>

#include "platform/win32/handles.h"

namespace vantrel::e2e {

class ChildProcess {
public:
    // Starts `exe` with `arguments` in `folder` (empty: this process's folder).
    ChildProcess(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder = {}) {
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info);
        process_ = platform::win32::KernelHandle(info.hProcess);
        thread_ = platform::win32::KernelHandle(info.hThread);
        pid_ = info.dwProcessId;
    }
    // This same executable again, with `arguments`.
    static std::wstring ThisExecutable() {
        std::wstring exe(MAX_PATH, L'\0');
        exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
        return exe;
    }
    ~ChildProcess() {
        if (!started()) return;
        if (!ExitsWithin(1000)) TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    bool ExitsWithin(DWORD ms) const { return WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }
    // The exit status once it has ended (STILL_ACTIVE before).
    int ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.get(), &code);
        return static_cast<int>(code);
    }
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_.get(); }

private:
    platform::win32::KernelHandle process_, thread_;
    DWORD pid_ = 0;
};

}  // namespace vantrel::e2e
