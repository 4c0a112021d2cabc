#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/platform/PlatformWindow.h"

namespace cocos2d {

enum class RendererKind { Automatic, GL, Software };

// "gl" or "software"; nullopt for anything else.
std::optional<RendererKind> rendererKindNamed(std::string_view name);

// What decides whether an earlier probe still holds: the video driver, whether the
// machine has GPU device nodes, and when the installed GL drivers last changed.
std::string graphicsMachineKey();

// The remembered answer ("gl" or "software" on the first line, the machine key on the
// second) when its key is this machine's; nullopt for a missing, damaged or stale file.
std::optional<RendererKind> rememberedRenderer(const std::string& text, const std::string& machineKey);
std::string rendererMemoryText(RendererKind kind, const std::string& machineKey);

// Whether a GL renderer name (GL_RENDERER) is a driver that shades on the CPU.
bool isSoftwareGL(std::string_view rendererName);

// The window for the choice. GL that cannot be had falls back to software with one line
// on standard error. Automatic uses the answer remembered in memoryFile; without one it
// opens a GL window once, keeps it when its driver uses the GPU and otherwise draws in
// software, and remembers the answer, so later starts load no GL driver they do not need.
std::unique_ptr<PlatformWindow> createWindowFor(RendererKind kind, int width, int height,
                                                const std::string& title, const std::string& memoryFile);

}  // namespace cocos2d
