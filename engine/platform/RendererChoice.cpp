#include "engine/platform/RendererChoice.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>

#include "core/fs/AtomicFile.h"
#include "core/fs/RegularFile.h"
#include "engine/platform/SdlGLWindow.h"
#include "engine/platform/SdlWindow.h"

namespace cocos2d {

namespace {

std::string statKey(const char* path) {
    struct stat info {};
    if (stat(path, &info) != 0) return "-";
    return std::to_string(static_cast<long long>(info.st_mtime));
}

void remember(const std::string& memoryFile, RendererKind kind) {
    if (memoryFile.empty()) return;
    std::string text = rendererMemoryText(kind, graphicsMachineKey());
    if (!writeFileAtomically(memoryFile, text.data(), text.size()))
        std::fprintf(stderr, "Petalune: cannot remember the drawing backend in %s\n", memoryFile.c_str());
}

std::unique_ptr<PlatformWindow> softwareInstead(int width, int height, const std::string& title) {
    std::unique_ptr<PlatformWindow> window = createSoftwareWindow(width, height, title);
    if (window) std::fprintf(stderr, "Petalune: OpenGL cannot be used here; drawing in software instead\n");
    return window;
}

}  // namespace

std::optional<RendererKind> rendererKindNamed(std::string_view name) {
    if (name == "gl") return RendererKind::GL;
    if (name == "software") return RendererKind::Software;
    return std::nullopt;
}

std::string graphicsMachineKey() {
    const char* driver = sdlVideoReady() ? SDL_GetCurrentVideoDriver() : nullptr;
    std::string key = std::string("video ") + (driver ? driver : "-");
    key += " gpu " + statKey("/dev/dri");
    for (const char* drivers : {"/usr/lib/x86_64-linux-gnu/dri", "/usr/lib/aarch64-linux-gnu/dri",
                                "/usr/lib64/dri", "/usr/lib/dri"})
        key += " " + statKey(drivers);
    return key;
}

std::optional<RendererKind> rememberedRenderer(const std::string& text, const std::string& machineKey) {
    std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string::npos || text.substr(lineEnd + 1) != machineKey + "\n") return std::nullopt;
    return rendererKindNamed(std::string_view(text).substr(0, lineEnd));
}

std::string rendererMemoryText(RendererKind kind, const std::string& machineKey) {
    return std::string(kind == RendererKind::Software ? "software" : "gl") + "\n" + machineKey + "\n";
}

bool isSoftwareGL(std::string_view rendererName) {
    for (std::string_view cpu : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
        if (rendererName.find(cpu) != std::string_view::npos) return true;
    }
    return false;
}

std::unique_ptr<PlatformWindow> createWindowFor(RendererKind kind, int width, int height,
                                                const std::string& title, const std::string& memoryFile) {
    if (kind == RendererKind::Software) return createSoftwareWindow(width, height, title);
    if (kind == RendererKind::GL) {
        std::unique_ptr<PlatformWindow> window = createGLWindow(width, height, title);
        return window ? std::move(window) : softwareInstead(width, height, title);
    }
    if (!memoryFile.empty()) {
        auto bytes = readRegularFile(memoryFile, 4096, LinkPolicy::Refuse);
        std::optional<RendererKind> known =
            bytes ? rememberedRenderer(std::string(bytes->begin(), bytes->end()), graphicsMachineKey())
                  : std::nullopt;
        if (known == RendererKind::Software) return createSoftwareWindow(width, height, title);
        if (known == RendererKind::GL) {
            if (std::unique_ptr<PlatformWindow> window = createGLWindow(width, height, title)) return window;
            remember(memoryFile, RendererKind::Software);
            return softwareInstead(width, height, title);
        }
    }
    // The probe: the GL window is kept when its driver uses the GPU.
    std::unique_ptr<PlatformWindow> window = createGLWindow(width, height, title);
    bool software = !window || isSoftwareGL(currentGLRendererName());
    remember(memoryFile, software ? RendererKind::Software : RendererKind::GL);
    if (!software) return window;
    window.reset();
    return createSoftwareWindow(width, height, title);
}

}  // namespace cocos2d
