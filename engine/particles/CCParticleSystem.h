#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCNode.h"

namespace cocos2d {

class CCTexture2D;
class PlistDictionary;

struct ccColor4F {
    float r = 0, g = 0, b = 0, a = 0;
};

inline constexpr float kCCParticleDurationInfinity = -1;
inline constexpr float kCCParticleStartSizeEqualToEndSize = -1;
inline constexpr float kCCParticleStartRadiusEqualToEndRadius = -1;

enum { kCCParticleModeGravity = 0, kCCParticleModeRadius = 1 };

// Where emitted particles live. Free: they stay where they were emitted in the world (or
// in the reference node's space) while the emitter moves. Relative: they follow the
// emitter's position but not its parent's. Grouped: they move with the emitter.
enum tCCPositionType { kCCPositionTypeFree, kCCPositionTypeRelative, kCCPositionTypeGrouped };

struct tCCParticle {
    CCPoint pos;       // node space, relative to the emitter's origin when emitted
    CCPoint startPos;  // emitter origin when emitted (world or reference-node space)
    ccColor4F color, deltaColor;
    float size = 0, deltaSize = 0;
    float rotation = 0, deltaRotation = 0;
    float timeToLive = 0;
    // Gravity mode.
    CCPoint dir;
    float radialAccel = 0, tangentialAccel = 0;
    // Radius mode.
    float angle = 0, degreesPerSecond = 0, radius = 0, deltaRadius = 0;
};

// A particle emitter as the engine's plist format describes it: gravity or radius mode,
// colours, sizes and spins with variances, a life span, an emission rate, a duration
// (negative: forever) and a blend function.
class CCParticleSystem : public CCNode, public CCTextureProtocol {
public:
    static CCParticleSystem* createWithTotalParticles(unsigned int numberOfParticles);

    CCParticleSystem();
    ~CCParticleSystem() override;

    virtual bool initWithTotalParticles(unsigned int numberOfParticles);
    // False (with one line on standard error) when the dictionary lacks a texture that can
    // be loaded or describes no particles. dirname prefixes a relative textureFileName.
    virtual bool initWithDictionary(const PlistDictionary& dictionary, const std::string& dirname = "");

    // Emission.
    bool addParticle();
    void stopSystem();
    void resetSystem();
    bool isFull() const { return m_particleCount == m_totalParticles; }
    bool isActive() const { return m_isActive; }
    unsigned int getParticleCount() const { return m_particleCount; }
    unsigned int getTotalParticles() const { return m_totalParticles; }
    const tCCParticle& particle(unsigned int index) const { return m_particles[index]; }

    // Removed from its parent once it has stopped and its last particle has died.
    void setAutoRemoveOnFinish(bool autoRemove) { m_isAutoRemoveOnFinish = autoRemove; }
    bool isAutoRemoveOnFinish() const { return m_isAutoRemoveOnFinish; }

    // Free particles are placed in this node's space instead of the world's, so they move
    // with it (a shaking layer) while staying put when the emitter moves within it. The
    // node must be an ancestor of the system to take effect; it is not retained.
    void setReferenceNode(CCNode* node) { m_referenceNode = node; }
    CCNode* getReferenceNode() const { return m_referenceNode; }

    // Seeds the variances, so tests and replays see the same particles.
    void setRandomSeed(std::uint32_t seed) { m_random.seed(seed); }

    void onEnter() override;
    void onExit() override;
    void update(float dt) override;

    // Texture and blending; CCTextureProtocol.
    CCTexture2D* getTexture() override { return m_texture; }
    void setTexture(CCTexture2D* texture) override;
    void setBlendFunc(ccBlendFunc blend) override { m_blendFunc = blend; }
    ccBlendFunc getBlendFunc() override { return m_blendFunc; }
    bool isBlendAdditive() const;
    void setBlendAdditive(bool additive);

    // Properties shared by both modes.
    float getDuration() const { return m_duration; }
    void setDuration(float duration) { m_duration = duration; }
    float getElapsed() const { return m_elapsed; }
    const CCPoint& getSourcePosition() const { return m_sourcePosition; }
    void setSourcePosition(const CCPoint& position) { m_sourcePosition = position; }
    const CCPoint& getPosVar() const { return m_posVar; }
    void setPosVar(const CCPoint& posVar) { m_posVar = posVar; }
    float getLife() const { return m_life; }
    void setLife(float life) { m_life = life; }
    float getLifeVar() const { return m_lifeVar; }
    void setLifeVar(float lifeVar) { m_lifeVar = lifeVar; }
    float getAngle() const { return m_angle; }
    void setAngle(float angle) { m_angle = angle; }
    float getAngleVar() const { return m_angleVar; }
    void setAngleVar(float angleVar) { m_angleVar = angleVar; }
    float getStartSize() const { return m_startSize; }
    void setStartSize(float size) { m_startSize = size; }
    float getStartSizeVar() const { return m_startSizeVar; }
    void setStartSizeVar(float sizeVar) { m_startSizeVar = sizeVar; }
    float getEndSize() const { return m_endSize; }
    void setEndSize(float size) { m_endSize = size; }
    float getEndSizeVar() const { return m_endSizeVar; }
    void setEndSizeVar(float sizeVar) { m_endSizeVar = sizeVar; }
    const ccColor4F& getStartColor() const { return m_startColor; }
    void setStartColor(const ccColor4F& color) { m_startColor = color; }
    const ccColor4F& getStartColorVar() const { return m_startColorVar; }
    void setStartColorVar(const ccColor4F& color) { m_startColorVar = color; }
    const ccColor4F& getEndColor() const { return m_endColor; }
    void setEndColor(const ccColor4F& color) { m_endColor = color; }
    const ccColor4F& getEndColorVar() const { return m_endColorVar; }
    void setEndColorVar(const ccColor4F& color) { m_endColorVar = color; }
    float getStartSpin() const { return m_startSpin; }
    void setStartSpin(float spin) { m_startSpin = spin; }
    float getStartSpinVar() const { return m_startSpinVar; }
    void setStartSpinVar(float spinVar) { m_startSpinVar = spinVar; }
    float getEndSpin() const { return m_endSpin; }
    void setEndSpin(float spin) { m_endSpin = spin; }
    float getEndSpinVar() const { return m_endSpinVar; }
    void setEndSpinVar(float spinVar) { m_endSpinVar = spinVar; }
    float getEmissionRate() const { return m_emissionRate; }
    void setEmissionRate(float rate) { m_emissionRate = rate; }
    int getEmitterMode() const { return m_emitterMode; }
    void setEmitterMode(int mode) { m_emitterMode = mode; }
    tCCPositionType getPositionType() const { return m_positionType; }
    void setPositionType(tCCPositionType type) { m_positionType = type; }

    // Gravity mode.
    const CCPoint& getGravity() const { return m_gravity.gravity; }
    void setGravity(const CCPoint& gravity) { m_gravity.gravity = gravity; }
    float getSpeed() const { return m_gravity.speed; }
    void setSpeed(float speed) { m_gravity.speed = speed; }
    float getSpeedVar() const { return m_gravity.speedVar; }
    void setSpeedVar(float speedVar) { m_gravity.speedVar = speedVar; }
    float getTangentialAccel() const { return m_gravity.tangentialAccel; }
    void setTangentialAccel(float accel) { m_gravity.tangentialAccel = accel; }
    float getTangentialAccelVar() const { return m_gravity.tangentialAccelVar; }
    void setTangentialAccelVar(float accelVar) { m_gravity.tangentialAccelVar = accelVar; }
    float getRadialAccel() const { return m_gravity.radialAccel; }
    void setRadialAccel(float accel) { m_gravity.radialAccel = accel; }
    float getRadialAccelVar() const { return m_gravity.radialAccelVar; }
    void setRadialAccelVar(float accelVar) { m_gravity.radialAccelVar = accelVar; }
    bool getRotationIsDir() const { return m_gravity.rotationIsDir; }
    void setRotationIsDir(bool isDir) { m_gravity.rotationIsDir = isDir; }

    // Radius mode.
    float getStartRadius() const { return m_radius.startRadius; }
    void setStartRadius(float radius) { m_radius.startRadius = radius; }
    float getStartRadiusVar() const { return m_radius.startRadiusVar; }
    void setStartRadiusVar(float radiusVar) { m_radius.startRadiusVar = radiusVar; }
    float getEndRadius() const { return m_radius.endRadius; }
    void setEndRadius(float radius) { m_radius.endRadius = radius; }
    float getEndRadiusVar() const { return m_radius.endRadiusVar; }
    void setEndRadiusVar(float radiusVar) { m_radius.endRadiusVar = radiusVar; }
    float getRotatePerSecond() const { return m_radius.rotatePerSecond; }
    void setRotatePerSecond(float degrees) { m_radius.rotatePerSecond = degrees; }
    float getRotatePerSecondVar() const { return m_radius.rotatePerSecondVar; }
    void setRotatePerSecondVar(float degrees) { m_radius.rotatePerSecondVar = degrees; }

protected:
    // The emitter's origin in the space particles are kept in, and the map of offsets in
    // that space back to the node's (the inverse of its rotation and scale).
    struct EmitterFrame {
        CCPoint origin;
        CCAffineTransform toNode;
    };
    EmitterFrame emitterFrame();
    // The particle's centre in node space as it is drawn now.
    CCPoint drawPosition(const tCCParticle& particle, const EmitterFrame& frame) const;
    float randomMinus1To1();

    std::vector<tCCParticle> m_particles;
    unsigned int m_particleCount = 0;
    unsigned int m_totalParticles = 0;
    CCTexture2D* m_texture = nullptr;
    ccBlendFunc m_blendFunc = kBlendPremultiplied;

private:
    void initParticle(tCCParticle& particle);
    void advanceParticle(tCCParticle& particle, float dt);

    struct GravityMode {
        CCPoint gravity;
        float speed = 0, speedVar = 0;
        float tangentialAccel = 0, tangentialAccelVar = 0;
        float radialAccel = 0, radialAccelVar = 0;
        bool rotationIsDir = false;
    } m_gravity;
    struct RadiusMode {
        float startRadius = 0, startRadiusVar = 0;
        float endRadius = 0, endRadiusVar = 0;
        float rotatePerSecond = 0, rotatePerSecondVar = 0;
    } m_radius;

    bool m_isActive = true;
    bool m_isAutoRemoveOnFinish = false;
    CCNode* m_referenceNode = nullptr;
    float m_elapsed = 0;
    float m_emitCounter = 0;
    float m_duration = kCCParticleDurationInfinity;
    CCPoint m_sourcePosition;
    CCPoint m_posVar;
    float m_life = 0, m_lifeVar = 0;
    float m_angle = 0, m_angleVar = 0;
    float m_startSize = 0, m_startSizeVar = 0, m_endSize = 0, m_endSizeVar = 0;
    ccColor4F m_startColor, m_startColorVar, m_endColor, m_endColorVar;
    float m_startSpin = 0, m_startSpinVar = 0, m_endSpin = 0, m_endSpinVar = 0;
    float m_emissionRate = 0;
    int m_emitterMode = kCCParticleModeGravity;
    tCCPositionType m_positionType = kCCPositionTypeFree;
    std::minstd_rand m_random{1};
};

}  // namespace cocos2d
