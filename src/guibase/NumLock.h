#pragma once
// The NumLock state as the system reports it, for the picker's indicator.

namespace numlock {

enum class State {
    On,       // lock on and the key not held down
    Off,      // lock off, or the key held down
    Unknown,  // the platform tells nothing (no keyboard, offscreen)
};

State Read();

}  // namespace numlock
