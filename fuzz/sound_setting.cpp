#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "audio/SoundSetting.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"

// The stored sound setting, read back by the game's own reader from a private folder:
// sound is off exactly when the file starts with a zero byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string s_folder = [] {
        char pattern[] = "/tmp/petalune-fuzz-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        setDataFolderOverride(pattern);
        return std::string(pattern);
    }();
    if (!writeFileAtomically(s_folder + "/audio", data, size)) std::abort();
    forgetSoundSetting();
    bool expected = size == 0 || size > 64 || data[0] != 0;
    if (isSoundOn() != expected) std::abort();
    return 0;
}
