#include "engine/platform/OpenURL.h"

#include <SDL_error.h>
#include <SDL_misc.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

extern char** environ;

namespace cocos2d {

namespace {

UrlOpener s_opener;

bool hasWebScheme(const std::string& address) {
    for (const char* scheme : {"http://", "https://", "mailto:"}) {
        std::size_t length = std::strlen(scheme);
        if (address.size() > length &&
            std::equal(scheme, scheme + length, address.begin(),
                       [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
            return true;
        }
    }
    return false;
}

bool hasControlCharacters(const std::string& address) {
    return std::any_of(address.begin(), address.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool runOpenerCommand(const char* command, const std::string& address) {
    char* argv[] = {const_cast<char*>(command), const_cast<char*>(address.c_str()), nullptr};
    pid_t child = 0;
    int error = posix_spawnp(&child, command, nullptr, nullptr, argv, environ);
    if (error != 0) {
        std::fprintf(stderr, "Cannot run the URL opener \"%s\": %s\n", command, std::strerror(error));
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "The URL opener \"%s\" failed for %s\n", command, address.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool openURL(const std::string& address) {
    if (!hasWebScheme(address) || hasControlCharacters(address)) {
        std::fprintf(stderr, "Not opening \"%s\": only http, https and mailto addresses are opened\n",
                     address.c_str());
        return false;
    }
    if (s_opener) return s_opener(address);
    const char* command = std::getenv("PETALUNE_URL_OPENER");
    if (command && *command) return runOpenerCommand(command, address);
    if (SDL_OpenURL(address.c_str()) != 0) {
        std::fprintf(stderr, "Cannot open %s: %s\n", address.c_str(), SDL_GetError());
        return false;
    }
    return true;
}

void setUrlOpener(UrlOpener opener) {
    s_opener = std::move(opener);
}

}  // namespace cocos2d
