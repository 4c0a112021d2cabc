#pragma once

#include "engine/renderer/gl/GLFunctions.h"

namespace cocos2d {

// The one shader pair every quad is drawn with: texel times vertex colour, positions
// in target pixels.
class GLQuadProgram {
public:
    enum Attribute : GLuint { kPosition = 0, kTexCoord = 1, kColor = 2 };

    explicit GLQuadProgram(const GLFunctions& gl) : m_gl(gl) {}
    ~GLQuadProgram();
    GLQuadProgram(const GLQuadProgram&) = delete;
    GLQuadProgram& operator=(const GLQuadProgram&) = delete;

    // False, with the compiler's log on standard error, when the driver rejects it.
    bool build();
    void use() const;

    // Maps target pixels (origin bottom left) to clip space.
    void setTargetSize(int width, int height) const;
    // Textures rendered into by GL have their first row at the bottom.
    void setFlipV(bool flip) const;
    // Source-alpha blending expects straight colour, but textures hold premultiplied texels.
    void setStraightAlpha(bool straight) const;

private:
    const GLFunctions& m_gl;
    GLuint m_program = 0;
    GLint m_transform = -1, m_flipV = -1, m_straightAlpha = -1;
};

}  // namespace cocos2d
