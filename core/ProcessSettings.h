#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The settings one run of the program holds in memory, in one place: set from the command
// line and by the player, read through the small functions of their modules (named
// beside each). Nothing here is saved; see each module for what it keeps on disk.
struct ProcessSettings {
    std::string edition;                          // --edition, "" for the default; app/Edition.h
    std::optional<std::uint32_t> gameSeed;        // --seed; app/GameSeed.h
    bool adMode = false;                          // -ad; menu/AdMode.h
    bool alternativeVariant = true;               // the level puzzle's rules; app/AlternativeVariant.h
    std::optional<bool> soundOn;                  // read from its file on first use; audio/SoundSetting.h
    std::string dataFolderOverride;               // --save-dir; core/fs/DataFolder.h
    std::optional<std::string> analyticsLogPath;  // online/Analytics.h
};

ProcessSettings& processSettings();

// Caches and registries that outlive a scene (particle templates, the samples of this
// frame, the update check, address overrides ...) register here how to go back to their
// state at start; each function is kept once.
void registerProcessReset(void (*reset)());

// Back to the state of a fresh process: the settings above to their defaults, then every
// registered reset in registration order. Tests call it between tests.
void resetProcessState();
