#include "guibase/NumLock.h"

#include <windows.h>

namespace numlock {

// GetKeyState gives the toggle in bit 0 and "held down" in the high bit:
// exactly 1 is a lit lamp with the key at rest.
State Read()
{
    return GetKeyState(VK_NUMLOCK) == 1 ? State::On : State::Off;
}

}  // namespace numlock
