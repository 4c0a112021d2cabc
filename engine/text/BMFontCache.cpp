#include "engine/text/BMFontCache.h"

#include <cstdio>
#include <map>

#include "engine/platform/CCFileUtils.h"

namespace cocos2d {

namespace {

std::map<std::string, std::shared_ptr<const BMFontConfiguration>>& cache() {
    static std::map<std::string, std::shared_ptr<const BMFontConfiguration>> s_configurations;
    return s_configurations;
}

}  // namespace

std::shared_ptr<const BMFontConfiguration> FNTConfigLoadFile(const std::string& fntFile) {
    if (auto found = cache().find(fntFile); found != cache().end()) return found->second;
    unsigned long size = 0;
    // A missing file is reported by the file utilities themselves.
    std::unique_ptr<unsigned char[]> data(
        CCFileUtils::sharedFileUtils()->getFileData(fntFile.c_str(), "rb", &size));
    if (!data) return nullptr;
    auto configuration = std::make_shared<BMFontConfiguration>();
    std::string error;
    if (!parseBMFont(reinterpret_cast<const char*>(data.get()), size, *configuration, error)) {
        std::fprintf(stderr, "Bitmap font \"%s\": %s\n", fntFile.c_str(), error.c_str());
        return nullptr;
    }
    return cache().emplace(fntFile, std::move(configuration)).first->second;
}

void FNTConfigRemoveCache() {
    cache().clear();
}

std::string bmFontPagePath(const std::string& fntFile, const std::string& pageFile) {
    std::size_t slash = fntFile.find_last_of('/');
    if (slash == std::string::npos || pageFile.starts_with('/')) return pageFile;
    return fntFile.substr(0, slash + 1) + pageFile;
}

}  // namespace cocos2d
