#include "online/InstalledVersion.h"

static_assert(PETALUNE_VERSION_MAJOR >= 0 && PETALUNE_VERSION_MAJOR <= 0xFFFF, "major must fit 16 bits");
static_assert(PETALUNE_VERSION_MINOR >= 0 && PETALUNE_VERSION_MINOR <= 0xFFFF, "minor must fit 16 bits");

std::uint32_t installedVersion() {
    return (static_cast<std::uint32_t>(PETALUNE_VERSION_MAJOR) << 16) |
           static_cast<std::uint32_t>(PETALUNE_VERSION_MINOR);
}

const char* installedVersionName() {
    return PETALUNE_VERSION_NAME;
}
