#include "core/fs/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void report(const std::string& path, const char* problem) {
    std::fprintf(stderr, "Petalune: %s %s; it reads as nothing stored\n", path.c_str(), problem);
}

// Reads to the end, but never more than limit bytes.
bool readAtMost(int fd, std::size_t limit, std::vector<unsigned char>& bytes) {
    unsigned char chunk[64 * 1024];
    while (bytes.size() <= limit) {
        std::size_t wanted = std::min(sizeof chunk, limit + 1 - bytes.size());
        ssize_t got = ::read(fd, chunk, wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

}  // namespace

std::optional<std::vector<unsigned char>> readRegularFile(const std::string& path, std::size_t maxBytes,
                                                          LinkPolicy links) {
    // Non-blocking so that opening a FIFO returns at once; the type check below refuses it.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (links == LinkPolicy::Refuse ? O_NOFOLLOW : 0);
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        if (errno == ELOOP)
            report(path, "is a symbolic link");
        else if (errno != ENOENT)
            report(path, std::strerror(errno));
        return std::nullopt;
    }
    std::optional<std::vector<unsigned char>> result;
    struct stat info {};
    std::vector<unsigned char> bytes;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        report(path, "is not a regular file");
    } else if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        report(path, ("is larger than " + std::to_string(maxBytes) + " bytes").c_str());
    } else if (!readAtMost(fd, maxBytes, bytes)) {
        report(path, (std::string("cannot be read: ") + std::strerror(errno)).c_str());
    } else if (bytes.size() > maxBytes) {
        report(path, ("is larger than " + std::to_string(maxBytes) + " bytes").c_str());
    } else {
        result = std::move(bytes);
    }
    ::close(fd);
    return result;
}
