#include "engine/platform/CCFileUtils.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/platform/AppendedArchive.h"

namespace cocos2d {

namespace {

std::unique_ptr<CCFileUtils> s_shared;

std::optional<std::vector<unsigned char>> readDiskFile(const char* fileName, const char* mode) {
    FILE* file = std::fopen(fileName, mode);
    if (!file) return std::nullopt;
    std::vector<unsigned char> data;
    unsigned char chunk[64 * 1024];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) data.insert(data.end(), chunk, chunk + got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return data;
}

void printToStderr(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace

CCFileUtils::CCFileUtils() : m_archivePath("/proc/self/exe"), m_notify(printToStderr) {}

CCFileUtils* CCFileUtils::sharedFileUtils() {
    if (!s_shared) s_shared.reset(new CCFileUtils());
    return s_shared.get();
}

void CCFileUtils::purgeFileUtils() { s_shared.reset(); }

void CCFileUtils::setNotifyHandler(NotifyHandler handler) {
    m_notify = handler ? std::move(handler) : NotifyHandler(printToStderr);
}

unsigned char* CCFileUtils::getFileData(const char* fileName, const char* mode, unsigned long* size) {
    if (size) *size = 0;
    if (!fileName || !mode) return nullptr;

    auto data = readArchiveEntry(m_archivePath, fileName);
    if (!data) data = readDiskFile(fileName, mode);
    if (!data) {
        if (m_popupNotify) m_notify("Notification", std::string("Get data from file(") + fileName + ") failed!");
        return nullptr;
    }
    // An empty file is a valid result: a buffer of size 0, not null.
    auto* buffer = new unsigned char[data->empty() ? 1 : data->size()];
    if (!data->empty()) std::memcpy(buffer, data->data(), data->size());
    if (size) *size = static_cast<unsigned long>(data->size());
    return buffer;
}

}  // namespace cocos2d
