#include "core/fs/DataFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "core/ProcessSettings.h"

namespace {

std::string s_madeForThisRun;

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// mkdir -p with mode 0700 for every folder it creates.
void makeFolders(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') ::mkdir(path.substr(0, i).c_str(), 0700);
    }
}

// A folder another user owns, or something that is no folder, could be read or replaced by
// someone else: it is never used. The player's own folder is made private.
bool trusted(const std::string& folder) {
    struct stat info {};
    std::string path = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;  // no '/'
    // A folder that could not be made is no risk: every write to it fails.
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT || errno == ENOTDIR;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) return false;
    if ((info.st_mode & 077) != 0) ::chmod(path.c_str(), 0700);
    return true;
}

// Services and cron jobs may run without $HOME; the password database still knows it.
std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return {};
}

// Without a usable home: the per-user runtime folder, else a fresh private folder for this
// run. Never a fixed name in the shared /tmp, which another user could have made first.
std::string runtimeFolder() {
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run == '/') {
        std::string folder = withSlash(run) + "cobaltheronsoft-petalune_free/";
        makeFolders(folder);
        if (trusted(folder)) return folder;
    }
    if (s_madeForThisRun.empty()) {
        registerProcessReset([] { s_madeForThisRun.clear(); });
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = withSlash(tmp && *tmp == '/' ? tmp : "/tmp") + "petalune-XXXXXX";
        // Where not even that works, a path below a file: every write fails cleanly.
        s_madeForThisRun = ::mkdtemp(pattern.data()) ? withSlash(pattern) : "/dev/null/";
    }
    return s_madeForThisRun;
}

std::string defaultFolder() {
    if (const char* dir = std::getenv("PETALUNE_DATA_DIR"); dir && *dir) return withSlash(dir);
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return withSlash(xdg) + "cobaltheronsoft-petalune_free/";
    if (std::string home = homeFolder(); !home.empty())
        return withSlash(home) + ".local/share/cobaltheronsoft-petalune_free/";
    return runtimeFolder();
}

}  // namespace

void setDataFolderOverride(const std::string& path) {
    processSettings().dataFolderOverride = path.empty() ? std::string() : withSlash(path);
}

std::string tempFolderPath() {
    const std::string& chosen = processSettings().dataFolderOverride;
    std::string folder = chosen.empty() ? defaultFolder() : chosen;
    makeFolders(folder);
    if (trusted(folder)) return folder;
    std::string fallback = runtimeFolder();
    static std::set<std::string> s_reported;
    if (s_reported.insert(folder).second)
        std::fprintf(stderr,
                     "Petalune: the data folder %s is not a folder of this user; this run keeps its files in "
                     "%s\n",
                     folder.c_str(), fallback.c_str());
    return fallback;
}
