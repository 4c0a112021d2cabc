#include "audio/SoundSetting.h"

#include <cstdio>
#include <optional>
#include <string>

#include "core/ProcessSettings.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"

namespace {

std::string settingPath() {
    return tempFolderPath() + "audio";
}

bool readSetting() {
    // The setting is one byte; anything long is not this game's file.
    auto bytes = readRegularFile(settingPath(), 64, LinkPolicy::Refuse);
    return !bytes || bytes->empty() || bytes->front() != 0;  // empty counts as on, like missing
}

}  // namespace

bool isSoundOn() {
    std::optional<bool>& soundOn = processSettings().soundOn;
    if (!soundOn) soundOn = readSetting();
    return *soundOn;
}

void setSoundOn(bool on) {
    processSettings().soundOn = on;
    const unsigned char byte = on ? 1 : 0;
    if (!writeFileAtomically(settingPath(), &byte, 1)) {
        std::fprintf(stderr, "Sound: the sound setting could not be saved in %s\n", settingPath().c_str());
    }
}

void forgetSoundSetting() {
    processSettings().soundOn.reset();
}
