#include "app/AssetArchive.h"

#include <filesystem>
#include <system_error>

#include "engine/platform/AppendedArchive.h"

namespace fs = std::filesystem;

std::string locateAssetArchive(const std::string& executable, const std::string& installedArchive) {
    if (cocos2d::hasArchive(executable)) return executable;
    std::error_code error;
    fs::path program = fs::canonical(executable, error);
    if (error) return executable;
    std::string beside = (program.parent_path() / installedArchive).lexically_normal().string();
    return cocos2d::hasArchive(beside) ? beside : executable;
}

std::string runningAssetArchive() {
    return locateAssetArchive("/proc/self/exe", PETALUNE_INSTALLED_ARCHIVE);
}
