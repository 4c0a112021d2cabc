#include "engine/platform/AppendedArchive.h"

#include <minizip/unzip.h>

namespace cocos2d {

namespace {

constexpr int kCaseSensitive = 1;
constexpr size_t kChunk = 64 * 1024;

struct ZipCloser {
    unzFile file;
    ~ZipCloser() { unzClose(file); }
};

}  // namespace

std::optional<std::vector<unsigned char>> readArchiveEntry(const std::string& archivePath,
                                                           const std::string& entryName) {
    if (archivePath.empty()) return std::nullopt;
    unzFile zip = unzOpen64(archivePath.c_str());
    if (!zip) return std::nullopt;
    ZipCloser closer{zip};

    if (unzLocateFile(zip, entryName.c_str(), kCaseSensitive) != UNZ_OK) return std::nullopt;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return std::nullopt;
    if (unzOpenCurrentFile(zip) != UNZ_OK) return std::nullopt;

    // Grow with the bytes that really arrive; the stored size is only trusted as a bound.
    std::vector<unsigned char> data;
    unsigned char chunk[kChunk];
    bool failed = false;
    while (true) {
        int got = unzReadCurrentFile(zip, chunk, sizeof chunk);
        if (got < 0) { failed = true; break; }
        if (got == 0) break;
        if (data.size() + static_cast<size_t>(got) > info.uncompressed_size) { failed = true; break; }
        data.insert(data.end(), chunk, chunk + got);
    }
    // A damaged deflated entry can end early with every return code OK.
    if (unzCloseCurrentFile(zip) != UNZ_OK) failed = true;
    if (failed || data.size() != info.uncompressed_size) return std::nullopt;
    return data;
}

bool hasArchive(const std::string& path) {
    if (path.empty()) return false;
    unzFile zip = unzOpen64(path.c_str());
    if (!zip) return false;
    unzClose(zip);
    return true;
}

}  // namespace cocos2d
