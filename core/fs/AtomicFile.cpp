#include "core/fs/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

constexpr std::size_t kTempSuffixLength = 7;  // ".XXXXXX" as mkstemp fills it in
constexpr time_t kStaleSeconds = 60;

bool looksLikeTempFile(std::string_view name) {
    if (name.size() <= kTempSuffixLength || name[name.size() - kTempSuffixLength] != '.') return false;
    return std::all_of(name.end() - (kTempSuffixLength - 1), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

bool writeFileAtomically(const std::string& path, const void* data, size_t size) {
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;

    const char* bytes = static_cast<const char*>(data);
    size_t written = 0;
    bool ok = true;
    while (written < size) {
        ssize_t n = ::write(fd, bytes + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) { ok = false; break; }
        written += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

int removeStaleTempFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!looksLikeTempFile(entry->d_name)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(info.st_mode) || now - info.st_mtime < kStaleSeconds) continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}
