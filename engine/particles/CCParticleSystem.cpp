#include "engine/particles/CCParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

#include "engine/particles/ParticleTexture.h"
#include "engine/particles/PlistDictionary.h"
#include "engine/textures/CCTexture2D.h"

namespace cocos2d {

namespace {

// A hostile file must not make us reserve gigabytes.
constexpr double kMaxParticles = 100000;

constexpr std::uint32_t kGlOne = 1;
constexpr std::uint32_t kGlSrcAlpha = 0x0302;
constexpr std::uint32_t kGlOneMinusSrcAlpha = 0x0303;

float radians(float degrees) {
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

float clamp01(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

// An integer field of the file; out-of-range or non-numeric values give the fallback
// rather than an undefined conversion.
std::int64_t wholeNumber(double value, std::int64_t fallback) {
    return value >= -1e9 && value <= 1e9 ? static_cast<std::int64_t>(value) : fallback;
}

// The transform from the node's space to the ancestor's, or false when ancestor is not one.
bool transformUpTo(CCNode* node, const CCNode* ancestor, CCAffineTransform& out) {
    out = CCAffineTransformIdentity;
    for (CCNode* n = node; n; n = n->getParent()) {
        if (n == ancestor) return true;
        out = CCAffineTransformConcat(out, n->nodeToParentTransform());
    }
    return false;
}

}  // namespace

CCParticleSystem* CCParticleSystem::createWithTotalParticles(unsigned int numberOfParticles) {
    auto* system = new CCParticleSystem();
    if (!system->initWithTotalParticles(numberOfParticles)) {
        system->release();
        return nullptr;
    }
    system->autorelease();
    return system;
}

CCParticleSystem::CCParticleSystem() = default;

CCParticleSystem::~CCParticleSystem() {
    CC_SAFE_RELEASE(m_texture);
}

bool CCParticleSystem::initWithTotalParticles(unsigned int numberOfParticles) {
    if (numberOfParticles == 0 || numberOfParticles > kMaxParticles) return false;
    m_totalParticles = numberOfParticles;
    m_particles.assign(numberOfParticles, tCCParticle{});
    m_particleCount = 0;
    m_isActive = true;
    m_blendFunc = kBlendAlpha;
    m_positionType = kCCPositionTypeFree;
    m_emitterMode = kCCParticleModeGravity;
    m_isAutoRemoveOnFinish = false;
    return true;
}

bool CCParticleSystem::initWithDictionary(const PlistDictionary& dictionary, const std::string& dirname) {
    auto number = [&dictionary](const char* key) { return static_cast<float>(dictionary.numberForKey(key)); };
    auto color = [&number](const std::string& prefix) {
        return ccColor4F{number((prefix + "Red").c_str()), number((prefix + "Green").c_str()),
                         number((prefix + "Blue").c_str()), number((prefix + "Alpha").c_str())};
    };

    double maxParticles = dictionary.numberForKey("maxParticles");
    if (!(maxParticles >= 1 && maxParticles <= kMaxParticles)) {
        std::fprintf(stderr, "particles: maxParticles must be 1 to %.0f, not %g\n", kMaxParticles,
                     maxParticles);
        return false;
    }
    std::int64_t mode = wholeNumber(dictionary.numberForKey("emitterType"), -1);
    if (mode != kCCParticleModeGravity && mode != kCCParticleModeRadius) {
        std::fprintf(stderr, "particles: unknown emitterType %g\n", dictionary.numberForKey("emitterType"));
        return false;
    }
    if (!initWithTotalParticles(static_cast<unsigned int>(maxParticles))) return false;

    m_angle = number("angle");
    m_angleVar = number("angleVariance");
    m_duration = number("duration");
    auto factor = [&dictionary](const char* key, std::uint32_t fallback) {
        std::int64_t value = wholeNumber(dictionary.numberForKey(key, fallback), fallback);
        return value >= 0 && value <= 0xFFFF ? static_cast<std::uint32_t>(value) : fallback;
    };
    m_blendFunc = {factor("blendFuncSource", kGlSrcAlpha),
                   factor("blendFuncDestination", kGlOneMinusSrcAlpha)};
    m_startColor = color("startColor");
    m_startColorVar = color("startColorVariance");
    m_endColor = color("finishColor");
    m_endColorVar = color("finishColorVariance");
    m_startSize = number("startParticleSize");
    m_startSizeVar = number("startParticleSizeVariance");
    m_endSize = number("finishParticleSize");
    m_endSizeVar = number("finishParticleSizeVariance");
    setPosition(number("sourcePositionx"), number("sourcePositiony"));
    m_posVar = CCPoint(number("sourcePositionVariancex"), number("sourcePositionVariancey"));
    m_startSpin = number("rotationStart");
    m_startSpinVar = number("rotationStartVariance");
    m_endSpin = number("rotationEnd");
    m_endSpinVar = number("rotationEndVariance");
    m_emitterMode = static_cast<int>(mode);
    if (mode == kCCParticleModeGravity) {
        m_gravity.gravity = CCPoint(number("gravityx"), number("gravityy"));
        m_gravity.speed = number("speed");
        m_gravity.speedVar = number("speedVariance");
        m_gravity.radialAccel = number("radialAcceleration");
        m_gravity.radialAccelVar = number("radialAccelVariance");
        m_gravity.tangentialAccel = number("tangentialAcceleration");
        m_gravity.tangentialAccelVar = number("tangentialAccelVariance");
        m_gravity.rotationIsDir = dictionary.numberForKey("rotationIsDir") != 0;
    } else {
        m_radius.startRadius = number("maxRadius");
        m_radius.startRadiusVar = number("maxRadiusVariance");
        m_radius.endRadius = number("minRadius");
        m_radius.endRadiusVar = 0;
        m_radius.rotatePerSecond = number("rotatePerSecond");
        m_radius.rotatePerSecondVar = number("rotatePerSecondVariance");
    }
    m_life = number("particleLifespan");
    m_lifeVar = number("particleLifespanVariance");
    m_emissionRate = static_cast<float>(m_totalParticles) / m_life;

    CCTexture2D* texture = loadParticleTexture(dictionary, dirname);
    if (!texture) return false;
    setTexture(texture);
    return true;
}

void CCParticleSystem::setTexture(CCTexture2D* texture) {
    if (texture == m_texture) return;
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
}

bool CCParticleSystem::isBlendAdditive() const {
    return m_blendFunc.src == kGlSrcAlpha && m_blendFunc.dst == kGlOne;
}

void CCParticleSystem::setBlendAdditive(bool additive) {
    m_blendFunc = additive ? kBlendAdditive : kBlendAlpha;
}

void CCParticleSystem::onEnter() {
    CCNode::onEnter();
    // Particles run at priority 1, after the game's own updates have moved the emitter.
    scheduleUpdateWithPriority(1);
}

void CCParticleSystem::onExit() {
    unscheduleUpdate();
    CCNode::onExit();
}

float CCParticleSystem::randomMinus1To1() {
    return std::uniform_real_distribution<float>(-1.0f, 1.0f)(m_random);
}

bool CCParticleSystem::addParticle() {
    if (isFull()) return false;
    initParticle(m_particles[m_particleCount]);
    ++m_particleCount;
    return true;
}

void CCParticleSystem::initParticle(tCCParticle& p) {
    p.timeToLive = std::max(0.0f, m_life + m_lifeVar * randomMinus1To1());
    // Rates of change over a zero life would be infinite; such a particle dies at once anyway.
    float life = p.timeToLive > 0 ? p.timeToLive : 1.0f;
    p.pos = CCPoint(m_sourcePosition.x + m_posVar.x * randomMinus1To1(),
                    m_sourcePosition.y + m_posVar.y * randomMinus1To1());

    auto vary = [this](const ccColor4F& base, const ccColor4F& var) {
        ccColor4F c;
        c.r = clamp01(base.r + var.r * randomMinus1To1());
        c.g = clamp01(base.g + var.g * randomMinus1To1());
        c.b = clamp01(base.b + var.b * randomMinus1To1());
        c.a = clamp01(base.a + var.a * randomMinus1To1());
        return c;
    };
    ccColor4F start = vary(m_startColor, m_startColorVar);
    ccColor4F end = vary(m_endColor, m_endColorVar);
    p.color = start;
    p.deltaColor = {(end.r - start.r) / life, (end.g - start.g) / life, (end.b - start.b) / life,
                    (end.a - start.a) / life};

    float startSize = std::max(0.0f, m_startSize + m_startSizeVar * randomMinus1To1());
    p.size = startSize;
    if (m_endSize == kCCParticleStartSizeEqualToEndSize) {
        p.deltaSize = 0;
    } else {
        float endSize = std::max(0.0f, m_endSize + m_endSizeVar * randomMinus1To1());
        p.deltaSize = (endSize - startSize) / life;
    }

    float startSpin = m_startSpin + m_startSpinVar * randomMinus1To1();
    float endSpin = m_endSpin + m_endSpinVar * randomMinus1To1();
    p.rotation = startSpin;
    p.deltaRotation = (endSpin - startSpin) / life;

    p.startPos = emitterFrame().origin;

    float angle = radians(m_angle + m_angleVar * randomMinus1To1());
    if (m_emitterMode == kCCParticleModeGravity) {
        float speed = m_gravity.speed + m_gravity.speedVar * randomMinus1To1();
        p.dir = CCPoint(std::cos(angle) * speed, std::sin(angle) * speed);
        p.radialAccel = m_gravity.radialAccel + m_gravity.radialAccelVar * randomMinus1To1();
        p.tangentialAccel = m_gravity.tangentialAccel + m_gravity.tangentialAccelVar * randomMinus1To1();
        if (m_gravity.rotationIsDir)
            p.rotation = -std::atan2(p.dir.y, p.dir.x) * 180.0f / std::numbers::pi_v<float>;
    } else {
        float startRadius = m_radius.startRadius + m_radius.startRadiusVar * randomMinus1To1();
        float endRadius = m_radius.endRadius + m_radius.endRadiusVar * randomMinus1To1();
        p.radius = startRadius;
        p.deltaRadius = m_radius.endRadius == kCCParticleStartRadiusEqualToEndRadius
                            ? 0
                            : (endRadius - startRadius) / life;
        p.angle = angle;
        p.degreesPerSecond =
            radians(m_radius.rotatePerSecond + m_radius.rotatePerSecondVar * randomMinus1To1());
    }
}

void CCParticleSystem::stopSystem() {
    m_isActive = false;
    m_elapsed = m_duration;
    m_emitCounter = 0;
}

void CCParticleSystem::resetSystem() {
    m_isActive = true;
    m_elapsed = 0;
    for (unsigned int i = 0; i < m_particleCount; ++i) m_particles[i].timeToLive = 0;
}

CCParticleSystem::EmitterFrame CCParticleSystem::emitterFrame() {
    switch (m_positionType) {
        case kCCPositionTypeFree: {
            CCAffineTransform toSpace;
            if (!m_referenceNode || !transformUpTo(this, m_referenceNode, toSpace))
                toSpace = nodeToWorldTransform();
            CCAffineTransform linear = toSpace;
            linear.tx = linear.ty = 0;
            return {CCPointApplyAffineTransform(CCPointZero, toSpace), CCAffineTransformInvert(linear)};
        }
        case kCCPositionTypeRelative:
            return {getPosition(), CCAffineTransformIdentity};
        case kCCPositionTypeGrouped:
            break;
    }
    return {CCPointZero, CCAffineTransformIdentity};
}

CCPoint CCParticleSystem::drawPosition(const tCCParticle& p, const EmitterFrame& frame) const {
    if (m_positionType == kCCPositionTypeGrouped) return p.pos;
    CCPoint moved = CCPointApplyAffineTransform(
        CCPoint(frame.origin.x - p.startPos.x, frame.origin.y - p.startPos.y), frame.toNode);
    return CCPoint(p.pos.x - moved.x, p.pos.y - moved.y);
}

void CCParticleSystem::advanceParticle(tCCParticle& p, float dt) {
    if (m_emitterMode == kCCParticleModeGravity) {
        CCPoint radial;
        if (p.pos.x != 0 || p.pos.y != 0) {
            float length = std::hypot(p.pos.x, p.pos.y);
            radial = CCPoint(p.pos.x / length, p.pos.y / length);
        }
        CCPoint tangential(-radial.y * p.tangentialAccel, radial.x * p.tangentialAccel);
        radial = CCPoint(radial.x * p.radialAccel, radial.y * p.radialAccel);
        p.dir.x += (radial.x + tangential.x + m_gravity.gravity.x) * dt;
        p.dir.y += (radial.y + tangential.y + m_gravity.gravity.y) * dt;
        p.pos.x += p.dir.x * dt;
        p.pos.y += p.dir.y * dt;
    } else {
        p.angle += p.degreesPerSecond * dt;
        p.radius += p.deltaRadius * dt;
        p.pos = CCPoint(-std::cos(p.angle) * p.radius, -std::sin(p.angle) * p.radius);
    }
    p.color.r += p.deltaColor.r * dt;
    p.color.g += p.deltaColor.g * dt;
    p.color.b += p.deltaColor.b * dt;
    p.color.a += p.deltaColor.a * dt;
    p.size = std::max(0.0f, p.size + p.deltaSize * dt);
    p.rotation += p.deltaRotation * dt;
}

void CCParticleSystem::update(float dt) {
    if (m_isActive && m_emissionRate > 0) {
        float rate = 1.0f / m_emissionRate;
        if (m_particleCount < m_totalParticles) m_emitCounter += dt;
        while (m_particleCount < m_totalParticles && m_emitCounter > rate) {
            addParticle();
            m_emitCounter -= rate;
        }
        m_elapsed += dt;
        if (m_duration >= 0 && m_duration < m_elapsed) stopSystem();
    }

    unsigned int index = 0;
    while (index < m_particleCount) {
        tCCParticle& p = m_particles[index];
        p.timeToLive -= dt;
        if (p.timeToLive > 0) {
            advanceParticle(p, dt);
            ++index;
            continue;
        }
        m_particles[index] = m_particles[m_particleCount - 1];
        --m_particleCount;
    }

    // Only a system that has stopped emitting ends, so an endless one never vanishes
    // between two emissions.
    if (!m_isActive && m_particleCount == 0 && m_isAutoRemoveOnFinish && getParent()) {
        unscheduleUpdate();
        removeFromParentAndCleanup(true);
    }
}

}  // namespace cocos2d
