#include "tools/petalune-tool/ToolFile.h"

#include <memory>

#include "engine/platform/CCFileUtils.h"

std::optional<std::string> readToolFile(const std::string& path) {
    auto* files = cocos2d::CCFileUtils::sharedFileUtils();
    bool notify = files->isPopupNotify();
    files->setPopupNotify(false);
    unsigned long size = 0;
    std::unique_ptr<unsigned char[]> data(files->getFileData(path.c_str(), "rb", &size));
    files->setPopupNotify(notify);
    if (!data) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(data.get()), size);
}
