#include "engine/renderer/gl/GLQuadProgram.h"

#include <cstdio>
#include <string>

namespace cocos2d {

namespace {

constexpr const char* kVertexShader = R"(#version 120
attribute vec2 a_position;
attribute vec2 a_texCoord;
attribute vec4 a_color;
uniform vec4 u_transform;
uniform float u_flipV;
varying vec2 v_texCoord;
varying vec4 v_color;
void main() {
    gl_Position = vec4(a_position * u_transform.xy + u_transform.zw, 0.0, 1.0);
    v_texCoord = vec2(a_texCoord.x, mix(a_texCoord.y, 1.0 - a_texCoord.y, u_flipV));
    v_color = a_color;
}
)";

constexpr const char* kFragmentShader = R"(#version 120
uniform sampler2D u_texture;
uniform float u_straightAlpha;
varying vec2 v_texCoord;
varying vec4 v_color;
void main() {
    vec4 texel = texture2D(u_texture, v_texCoord);
    if (u_straightAlpha > 0.5 && texel.a > 0.0) texel.rgb /= texel.a;
    gl_FragColor = texel * v_color;
}
)";

GLuint compile(const GLFunctions& gl, GLenum kind, const char* source) {
    GLuint shader = gl.CreateShader(kind);
    gl.ShaderSource(shader, 1, &source, nullptr);
    gl.CompileShader(shader);
    GLint ok = GL_FALSE;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char log[1024] = {};
    gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "OpenGL: the quad shader does not compile: %s\n", log);
    gl.DeleteShader(shader);
    return 0;
}

}  // namespace

GLQuadProgram::~GLQuadProgram() {
    if (m_program) m_gl.DeleteProgram(m_program);
}

bool GLQuadProgram::build() {
    GLuint vertex = compile(m_gl, GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = vertex ? compile(m_gl, GL_FRAGMENT_SHADER, kFragmentShader) : 0;
    if (!fragment) {
        if (vertex) m_gl.DeleteShader(vertex);
        return false;
    }
    m_program = m_gl.CreateProgram();
    m_gl.AttachShader(m_program, vertex);
    m_gl.AttachShader(m_program, fragment);
    m_gl.BindAttribLocation(m_program, kPosition, "a_position");
    m_gl.BindAttribLocation(m_program, kTexCoord, "a_texCoord");
    m_gl.BindAttribLocation(m_program, kColor, "a_color");
    m_gl.LinkProgram(m_program);
    m_gl.DeleteShader(vertex);
    m_gl.DeleteShader(fragment);
    GLint ok = GL_FALSE;
    m_gl.GetProgramiv(m_program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        m_gl.GetProgramInfoLog(m_program, sizeof log, nullptr, log);
        std::fprintf(stderr, "OpenGL: the quad shader does not link: %s\n", log);
        return false;
    }
    m_transform = m_gl.GetUniformLocation(m_program, "u_transform");
    m_flipV = m_gl.GetUniformLocation(m_program, "u_flipV");
    m_straightAlpha = m_gl.GetUniformLocation(m_program, "u_straightAlpha");
    m_gl.UseProgram(m_program);
    m_gl.Uniform1i(m_gl.GetUniformLocation(m_program, "u_texture"), 0);
    return true;
}

void GLQuadProgram::use() const {
    m_gl.UseProgram(m_program);
}

void GLQuadProgram::setTargetSize(int width, int height) const {
    m_gl.Uniform4f(m_transform, 2.0f / static_cast<float>(width), 2.0f / static_cast<float>(height), -1.0f,
                   -1.0f);
}

void GLQuadProgram::setFlipV(bool flip) const {
    m_gl.Uniform1f(m_flipV, flip ? 1.0f : 0.0f);
}

void GLQuadProgram::setStraightAlpha(bool straight) const {
    m_gl.Uniform1f(m_straightAlpha, straight ? 1.0f : 0.0f);
}

}  // namespace cocos2d
