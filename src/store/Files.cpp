#include "store/Files.h"

#include <atomic>

namespace store {

std::string TempPathBeside(const std::string& path, unsigned long processId)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t cut = path.find_last_of("/\\");
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    // Not derived from the target's name: its extension would match a mask.
    return folder + ".quorvel-save-" + std::to_string(processId) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace store
