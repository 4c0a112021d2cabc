#include "engine/platform/CCFileUtils.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/fs/RegularFile.h"
#include "engine/platform/AppendedArchive.h"

namespace cocos2d {

namespace {

std::unique_ptr<CCFileUtils> s_shared;

// Far above any image, font or configuration the game ships; a device or FIFO under an
// asset's name is refused rather than read without end.
constexpr std::size_t kMaxAssetBytes = 64 << 20;

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
    // Failures are told by the notice below, which names the file as it was asked for.
    std::string problem;
    if (!data) data = readRegularFile(fileName, kMaxAssetBytes, LinkPolicy::Follow, &problem);
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
