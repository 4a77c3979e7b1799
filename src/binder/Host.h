#pragma once
// The binder's program on each platform: on Windows the binder that types
// (hooks, the engine, change notices); on Linux only the panel's reload
// handshake, as players run the game and the Windows binder under Wine.

namespace binder {

int RunHost(int argc, char** argv);

}  // namespace binder
