#include "tests/assets/ShippedArchive.h"

#include <minizip/unzip.h>

#include "engine/platform/AppendedArchive.h"

namespace petalune::test {

const std::string& gameExecutable() {
    static const std::string path = PETALUNE_GAME_EXECUTABLE;
    return path;
}

std::vector<std::string> shippedEntryNames() {
    std::vector<std::string> names;
    unzFile zip = unzOpen64(gameExecutable().c_str());
    if (!zip) return names;
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK) {
            names.emplace_back(name);
        }
    }
    unzClose(zip);
    return names;
}

std::vector<unsigned char> shippedEntry(const std::string& name) {
    auto bytes = cocos2d::readArchiveEntry(gameExecutable(), name);
    return bytes ? std::move(*bytes) : std::vector<unsigned char>{};
}

bool hasShippedEntry(const std::string& name) {
    return cocos2d::readArchiveEntry(gameExecutable(), name).has_value();
}

}  // namespace petalune::test
