// What `--import` does, as a small program the kill tests start many times:
//   import_job <program folder> <archive> merge|replace

#include <cstdio>
#include <exception>
#include <string>

#include "backup/Apply.h"
#include "backup/Snapshots.h"

int main(int argc, char** argv)
{
    if (argc != 4) return 2;
    try {
        const std::string dir = argv[1];
        const backup::Mode mode = std::string(argv[3]) == "replace" ? backup::Mode::Replace : backup::Mode::Merge;
        const backup::Plan plan = backup::MakePlan(dir, backup::ReadArchive(argv[2]), mode);
        backup::WriteSnapshot(dir, backup::Collect(dir, {}, "now"), "20261210-083000");
        backup::ApplyPlan(dir, plan);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
