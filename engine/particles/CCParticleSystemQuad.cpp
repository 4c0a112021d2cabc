#include "engine/particles/CCParticleSystemQuad.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/particles/PlistDictionary.h"
#include "engine/textures/CCTexture2D.h"

namespace cocos2d {

namespace {

constexpr std::uint32_t kGlOne = 1;
constexpr std::uint32_t kGlSrcAlpha = 0x0302;

template <typename Init>
CCParticleSystemQuad* make(Init init) {
    auto* system = new CCParticleSystemQuad();
    if (!init(system)) {
        system->release();
        return nullptr;
    }
    system->autorelease();
    return system;
}

std::uint8_t channel(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

CCParticleSystemQuad* CCParticleSystemQuad::create(const char* plistFile) {
    PlistDictionary* dictionary = PlistDictionary::createWithContentsOfFile(plistFile);
    if (!dictionary) return nullptr;
    std::string file = plistFile;
    std::size_t slash = file.rfind('/');
    return createWithDictionary(*dictionary, slash == std::string::npos ? "" : file.substr(0, slash + 1));
}

CCParticleSystemQuad* CCParticleSystemQuad::createWithDictionary(const PlistDictionary& dictionary,
                                                                 const std::string& dirname) {
    return make([&](CCParticleSystemQuad* s) { return s->initWithDictionary(dictionary, dirname); });
}

CCParticleSystemQuad* CCParticleSystemQuad::createWithTotalParticles(unsigned int numberOfParticles) {
    return make([numberOfParticles](CCParticleSystemQuad* s) {
        return s->initWithTotalParticles(numberOfParticles);
    });
}

void CCParticleSystemQuad::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    if (m_particleCount == 0) return;
    // Textures hold premultiplied colour, so the vertex colour is premultiplied too and a
    // source factor of SRC_ALPHA becomes ONE: straight-alpha files then blend as their
    // authors saw them, both for alpha blending and for additive glows.
    BlendFunc blend = m_blendFunc;
    if (blend.src == kGlSrcAlpha) blend.src = kGlOne;
    TextureId texture = m_texture ? m_texture->getName() : 0;
    EmitterFrame frame = emitterFrame();

    for (unsigned int i = 0; i < m_particleCount; ++i) {
        const tCCParticle& p = m_particles[i];
        CCPoint centre = drawPosition(p, frame);
        float half = p.size / 2;
        float r = -p.rotation * std::numbers::pi_v<float> / 180.0f;
        float cr = std::cos(r), sr = std::sin(r);
        float alpha = std::clamp(p.color.a, 0.0f, 1.0f);
        Color4B color{channel(p.color.r * alpha), channel(p.color.g * alpha), channel(p.color.b * alpha),
                      channel(alpha)};
        auto corner = [&](float x, float y, float u, float v) {
            CCPoint local(x * cr - y * sr + centre.x, x * sr + y * cr + centre.y);
            CCPoint world = CCPointApplyAffineTransform(local, nodeToWorld);
            return Vertex{world.x, world.y, u, v, color};
        };
        list.addQuad(texture, blend,
                     Quad{corner(-half, -half, 0, 1), corner(half, -half, 1, 1), corner(-half, half, 0, 0),
                          corner(half, half, 1, 0)});
    }
}

}  // namespace cocos2d
