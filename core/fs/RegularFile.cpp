#include "core/fs/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Reads to the end, but never more than limit + 1 bytes (one more shows the file is too long).
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

// The bytes, or what is wrong with the file ("" when it is missing).
std::optional<std::vector<unsigned char>> readOpened(int fd, std::size_t maxBytes, std::string& problem) {
    struct stat info {};
    std::vector<unsigned char> bytes;
    std::string tooLarge = "is larger than " + std::to_string(maxBytes) + " bytes";
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = "is not a regular file";
    } else if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        problem = tooLarge;
    } else if (!readAtMost(fd, maxBytes, bytes)) {
        problem = std::string("cannot be read: ") + std::strerror(errno);
    } else if (bytes.size() > maxBytes) {
        problem = tooLarge;
    } else {
        return bytes;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<unsigned char>> readRegularFile(const std::string& path, std::size_t maxBytes,
                                                          LinkPolicy links, std::string* problem) {
    // Non-blocking so that opening a FIFO returns at once; the type check refuses it.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (links == LinkPolicy::Refuse ? O_NOFOLLOW : 0);
    std::string wrong;
    std::optional<std::vector<unsigned char>> bytes;
    if (int fd = ::open(path.c_str(), flags); fd >= 0) {
        bytes = readOpened(fd, maxBytes, wrong);
        ::close(fd);
    } else if (errno == ELOOP) {
        wrong = "is a symbolic link";
    } else if (errno != ENOENT) {
        wrong = std::strerror(errno);
    }
    if (problem) {
        *problem = wrong;
    } else if (!wrong.empty()) {
        std::fprintf(stderr, "Petalune: %s %s; it reads as nothing stored\n", path.c_str(), wrong.c_str());
    }
    return bytes;
}
