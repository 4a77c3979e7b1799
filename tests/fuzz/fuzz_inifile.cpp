// Feeds arbitrary bytes to the INI reader and writer. Besides memory errors
// it checks the write contract: after writing one key, that key reads back
// what was written and no other key of the probe set changed.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "store/IniFile.h"

namespace {

struct Probe {
    const char* section;
    const char* key;
};
constexpr std::array<Probe, 8> kProbes = {{
    {"a", "k"}, {"a", "j"}, {"A", "K2"}, {"b", "k"}, {"quorvel", "од"}, {"global", "жетон"}, {"[x", "k"}, {"a", ";c"},
}};

std::string TempPath()
{
    // tmpfs: the writes flush, and a disk would make every run wait for it.
    static const std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/fuzz_inifile_" + std::to_string(::getpid()) + ".ini";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const Probe target = kProbes[data[0] % kProbes.size()];
    const std::string path = TempPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    store::IniFile ini(path);
    std::array<std::string, kProbes.size()> before;
    for (size_t i = 0; i < kProbes.size(); ++i) before[i] = ini.ReadString(kProbes[i].section, kProbes[i].key, "\x01");
    (void)ini.ReadInteger("a", "k", 0);

    ini.WriteString(target.section, target.key, "written value");
    if (store::IniFile(path).ReadString(target.section, target.key, "") != "written value") std::abort();
    for (size_t i = 0; i < kProbes.size(); ++i) {
        const std::string now = ini.ReadString(kProbes[i].section, kProbes[i].key, "\x01");
        const bool isTarget = std::string(kProbes[i].section) == target.section &&
                              std::string(kProbes[i].key) == target.key;
        if (!isTarget && now != before[i]) std::abort();
    }
    ini.DeleteKey(target.section, target.key);
    ::unlink(path.c_str());
    return 0;
}
