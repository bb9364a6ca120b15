// One running copy of the program per desktop session. Two copies would fight
// over the game window (each puts it back at its own remembered place) and over
// the settings file. The first copy owns a named mutex for as long as it lives;
// the system lets it go with the process, so a copy that crashed never locks the
// next one out. A copy that finds it owned looks at the owner: one that runs is
// brought to the front and this copy goes; one that is closing (it has saved and
// is taking its windows down, which says so through a named event) is waited for,
// and this copy starts once it has gone.
#pragma once

#include <string>

#include "platform/win32/handles.h"

namespace vantrel::platform::win32 {

class SingleInstance {
public:
    // Claims the session-wide `name` (plain ASCII, no backslash).
    explicit SingleInstance(const std::wstring& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Whether this copy holds the claim.
    bool first() const { return owned_; }
    // For a copy that is not first: until `waitMs` have passed, brings the running
    // copy's window titled `caption` (UTF-8) to the front without waiting on it and
    // answers false, or takes the claim once a closing copy has gone and answers
    // true. False as well when neither happened in time.
    bool TakeOver(const std::string& caption, int waitMs);
    // The holder has saved and is going: a copy started now waits for it.
    void MarkClosing() const;

private:
    bool Claim(DWORD waitMs);

    KernelHandle mutex_;
    KernelHandle closing_;
    bool owned_ = false;
};

// Brings `window` (another process's) to the front, restored if it was
// minimised, through requests that are queued to its thread: the caller never
// waits on a copy that does not answer.
void BringToFront(HWND window);

}  // namespace vantrel::platform::win32
