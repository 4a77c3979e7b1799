#pragma once

// Where the build put what the tests copy or start. A target defines only the
// ones it uses (quorvel_build_paths in CMake).
namespace buildpaths {

extern const char* const kBinder;      // the companion, Quorvel.exe
extern const char* const kRunner;      // a program that only waits (Windows)
extern const char* const kPanel;       // the panel's executable
extern const char* const kProgramDir;  // the installed program folder (Windows)
extern const char* const kImportJob;   // the job the kill tests cut short
extern const char* const kExamples;    // the examples folder of the sources
extern const char* const kGameDouble;  // the game's window for the binder's tests (Windows)

}  // namespace buildpaths
