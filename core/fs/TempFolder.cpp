#include "core/fs/TempFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string s_override;

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

// Services and cron jobs may run without $HOME; the password database still knows it,
// and a folder in the shared /tmp would neither persist nor stay private.
std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return {};
}

std::string defaultFolder() {
    if (const char* dir = std::getenv("PETALUNE_DATA_DIR"); dir && *dir) return withSlash(dir);
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = withSlash(xdg);
    } else if (std::string home = homeFolder(); !home.empty()) {
        base = withSlash(home) + ".local/share/";
    } else {
        base = "/tmp/";
    }
    return base + "cobaltheronsoft-petalune_free/";
}

}  // namespace

void setTempFolderOverride(const std::string& path) {
    s_override = path.empty() ? std::string() : withSlash(path);
}

std::string tempFolderPath() {
    std::string folder = s_override.empty() ? defaultFolder() : s_override;
    makeFolders(folder);
    return folder;
}
