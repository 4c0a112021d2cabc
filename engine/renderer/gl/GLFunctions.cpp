#include "engine/renderer/gl/GLFunctions.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace cocos2d {

namespace {

bool hasExtension(const char* extensions, const char* name) {
    if (!extensions) return false;
    std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        bool starts = at == extensions || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

template <typename Function>
bool fetch(GLFunctions::Loader loader, Function& function, const std::string& name) {
    function = reinterpret_cast<Function>(loader(name.c_str()));
    if (!function) std::fprintf(stderr, "OpenGL: the driver lacks %s\n", name.c_str());
    return function != nullptr;
}

}  // namespace

bool GLFunctions::load(Loader loader) {
    bool complete = true;
#define PETALUNE_GL_FETCH(name) complete = fetch(loader, name, "gl" #name) && complete;
    PETALUNE_GL_CORE_FUNCTIONS(PETALUNE_GL_FETCH)
#undef PETALUNE_GL_FETCH
    if (!complete) return false;

    const char* version = reinterpret_cast<const char*>(GetString(GL_VERSION));
    if (!version || std::sscanf(version, "%d.%d", &majorVersion, &minorVersion) != 2) {
        std::fprintf(stderr, "OpenGL: the driver reports no version\n");
        return false;
    }
    if (majorVersion < 2 || (majorVersion == 2 && minorVersion < 1)) {
        std::fprintf(stderr, "OpenGL 2.1 is needed; the driver offers %s\n", version);
        return false;
    }

    // Framebuffer objects are core from 3.0; before that they are an extension with
    // the same enums under suffixed names.
    const char* extensions = reinterpret_cast<const char*>(GetString(GL_EXTENSIONS));
    const char* suffix = nullptr;
    if (majorVersion >= 3 || hasExtension(extensions, "GL_ARB_framebuffer_object")) {
        suffix = "";
    } else if (hasExtension(extensions, "GL_EXT_framebuffer_object")) {
        suffix = "EXT";
    }
    if (suffix) {
        hasFramebuffers = true;
#define PETALUNE_GL_FETCH(name) \
    hasFramebuffers = fetch(loader, name, std::string("gl" #name) + suffix) && hasFramebuffers;
        PETALUNE_GL_FRAMEBUFFER_FUNCTIONS(PETALUNE_GL_FETCH)
#undef PETALUNE_GL_FETCH
    }
    return true;
}

}  // namespace cocos2d
