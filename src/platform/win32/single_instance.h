// One running copy of the program per desktop session. Two copies would fight
// over the game window (each puts it back at its own remembered place) and over
// the settings file, so a copy started while another runs only brings the
// running one's main window to the front and goes. The first copy holds a named
// mutex for as long as it lives; the system drops it with the last handle, so a
// copy that crashed never locks the next one out.
#pragma once

#include <string>

#include "platform/win32/handles.h"

namespace vantrel::platform::win32 {

class SingleInstance {
public:
    // Claims the session-wide `name` (plain ASCII, no backslash).
    explicit SingleInstance(const std::wstring& name);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy held the name first.
    bool first() const { return first_; }

private:
    struct Claim {
        HANDLE mutex;
        bool takenBefore;
    };
    static Claim ClaimName(const std::wstring& name);
    explicit SingleInstance(Claim claim) : mutex_(claim.mutex), first_(!claim.takenBefore) {}

    KernelHandle mutex_;
    bool first_;
};

// Brings the top-level window titled `caption` (UTF-8) to the front, restored if
// it was minimised. Waits up to `waitMs` for it to appear: the running copy may
// be starting still.
void BringToFront(const std::string& caption, int waitMs);

}  // namespace vantrel::platform::win32
