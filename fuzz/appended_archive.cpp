#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/platform/AppendedArchive.h"

// The bytes as the executable the archive is appended to, read through a file descriptor
// as the game reads /proc/self/exe.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int s_file = ::memfd_create("petalune-fuzz-archive", 0);
    if (s_file < 0) std::abort();
    if (::ftruncate(s_file, 0) != 0 || ::pwrite(s_file, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    static const std::string s_path = "/proc/self/fd/" + std::to_string(s_file);
    for (const char* name : {"game.ini", "a", "playtime_40.fnt"}) cocos2d::readArchiveEntry(s_path, name);
    return 0;
}
