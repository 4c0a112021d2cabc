#include "core/ProcessSettings.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<void (*)()>& resets() {
    static std::vector<void (*)()> s_resets;
    return s_resets;
}

}  // namespace

ProcessSettings& processSettings() {
    static ProcessSettings s_settings;
    return s_settings;
}

void registerProcessReset(void (*reset)()) {
    auto& all = resets();
    if (std::find(all.begin(), all.end(), reset) == all.end()) all.push_back(reset);
}

void resetProcessState() {
    processSettings() = ProcessSettings();
    for (auto reset : resets()) reset();
}
