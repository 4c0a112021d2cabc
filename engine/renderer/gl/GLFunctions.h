#pragma once

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace cocos2d {

// The GL entry points the renderer uses, fetched from the context's driver rather than
// linked, so the same code runs on GLX and on EGL (offscreen) contexts.
// clang-format off
#define PETALUNE_GL_CORE_FUNCTIONS(X)                                                                   \
    X(GetString) X(GetIntegerv) X(GetError) X(Viewport) X(Clear) X(ClearColor) X(Enable) X(Disable)    \
    X(Scissor) X(BlendFunc) X(ReadBuffer) X(ReadPixels) X(PixelStorei) X(GenTextures)                  \
    X(DeleteTextures) X(BindTexture) X(TexImage2D) X(TexParameteri) X(GenBuffers) X(DeleteBuffers)     \
    X(BindBuffer) X(BufferData) X(DrawElements) X(CreateShader) X(ShaderSource) X(CompileShader)       \
    X(GetShaderiv) X(GetShaderInfoLog) X(DeleteShader) X(CreateProgram) X(AttachShader)                \
    X(BindAttribLocation) X(LinkProgram) X(GetProgramiv) X(GetProgramInfoLog) X(DeleteProgram)         \
    X(UseProgram) X(GetUniformLocation) X(Uniform1i) X(Uniform1f) X(Uniform4f)                          \
    X(EnableVertexAttribArray) X(VertexAttribPointer)

#define PETALUNE_GL_FRAMEBUFFER_FUNCTIONS(X)                                                            \
    X(GenFramebuffers) X(DeleteFramebuffers) X(BindFramebuffer) X(FramebufferTexture2D)                 \
    X(CheckFramebufferStatus)
// clang-format on

struct GLFunctions {
    using Loader = void* (*)(const char* name);

#define PETALUNE_GL_MEMBER(name) decltype(&::gl##name) name = nullptr;
    PETALUNE_GL_CORE_FUNCTIONS(PETALUNE_GL_MEMBER)
    PETALUNE_GL_FRAMEBUFFER_FUNCTIONS(PETALUNE_GL_MEMBER)
#undef PETALUNE_GL_MEMBER

    int majorVersion = 0, minorVersion = 0;
    bool hasFramebuffers = false;

    // Fetches the entry points of the current context. False, naming what is missing on
    // standard error, when it is older than GL 2.1 or lacks a function; framebuffer
    // objects are optional (hasFramebuffers).
    bool load(Loader loader);
};

}  // namespace cocos2d
