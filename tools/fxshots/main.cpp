// Renders particle systems and every scene transition at half time into PNG files, so they
// can be looked at: fxshots <output folder> <folder with the particle plists and images>.
// Runs on SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/cocos2d.h"
#include "engine/particles/CCParticleSystemQuad.h"
#include "engine/platform/HeadlessDriver.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/PngWriter.h"
#include "engine/renderer/Renderer.h"
#include "engine/transitions/CCTransitions.h"

using namespace cocos2d;

namespace {

constexpr int kWidth = 640, kHeight = 860;

bool saveFrame(Renderer& renderer, const std::string& path) {
    // The frame was presented; draw it again so the back buffer holds it.
    renderer.render(CCDirector::sharedDirector()->getDrawList(), 0, Color4B{0, 0, 0, 255});
    std::vector<std::uint8_t> rgba;
    int width = 0, height = 0;
    return renderer.readPixels(rgba, width, height) && writePng(path, rgba.data(), width, height);
}

// A scene of a background colour with a few blocks, so moved and cut pieces are easy to see.
CCScene* patternScene(ccColor4B background, ccColor4B block) {
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(background));
    for (int i = 0; i < 4; ++i) {
        CCLayerColor* piece = CCLayerColor::create(block, 200 - i * 30.0f, 120);
        piece->setPosition(40 + i * 120.0f, 80 + i * 190.0f);
        scene->addChild(piece);
    }
    CCLayerColor* corner = CCLayerColor::create(ccc4(255, 255, 255, 255), 80, 80);
    corner->setPosition(kWidth - 100, kHeight - 100);
    scene->addChild(corner);
    return scene;
}

bool showParticles(const std::string& assets) {
    CCScene* scene = patternScene(ccc4(20, 24, 40, 255), ccc4(40, 48, 80, 255));
    struct Placed {
        const char* plist;
        float x, y;
    };
    for (const Placed& p :
         {Placed{"particle_explosion.plist", 160, 620}, Placed{"particle_red_add.plist", 480, 620},
          Placed{"particle_score_bonus.plist", 160, 240}, Placed{"particle_multi.plist", 480, 240},
          Placed{"particle_blue.plist", 320, 430}}) {
        CCParticleSystemQuad* system = CCParticleSystemQuad::create((assets + "/" + p.plist).c_str());
        if (!system) return false;
        system->setPosition(p.x, p.y);
        scene->addChild(system);
    }
    CCDirector::sharedDirector()->replaceScene(scene);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fxshots <output folder> <particle folder>\n");
        return 2;
    }
    std::string out = argv[1], assets = argv[2];
    setenv("SDL_VIDEODRIVER", "offscreen", 0);

    HeadlessDriver driver(kWidth, kHeight);
    std::unique_ptr<PlatformWindow> window = createGLWindow(kWidth, kHeight, "fxshots");
    if (!window) return 1;
    Renderer& renderer = window->renderer();
    renderer.setViewport(kWidth, kHeight);
    CCDirector* director = CCDirector::sharedDirector();
    // The window outlives the director's use of its renderer.
    director->setRenderer(std::shared_ptr<Renderer>(&renderer, [](Renderer*) {}));
    director->runWithScene(CCScene::create());
    driver.step();

    bool ok = showParticles(assets);
    driver.advance(0.35f);
    ok = ok && saveFrame(renderer, out + "/particles.png");

    using Make = std::function<CCScene*(float, CCScene*)>;
    const std::vector<std::pair<const char*, Make>> transitions{
        {"roto_zoom", [](float t, CCScene* s) { return CCTransitionRotoZoom::create(t, s); }},
        {"jump_zoom", [](float t, CCScene* s) { return CCTransitionJumpZoom::create(t, s); }},
        {"move_in_l", [](float t, CCScene* s) { return CCTransitionMoveInL::create(t, s); }},
        {"move_in_r", [](float t, CCScene* s) { return CCTransitionMoveInR::create(t, s); }},
        {"move_in_t", [](float t, CCScene* s) { return CCTransitionMoveInT::create(t, s); }},
        {"move_in_b", [](float t, CCScene* s) { return CCTransitionMoveInB::create(t, s); }},
        {"slide_in_l", [](float t, CCScene* s) { return CCTransitionSlideInL::create(t, s); }},
        {"slide_in_r", [](float t, CCScene* s) { return CCTransitionSlideInR::create(t, s); }},
        {"slide_in_t", [](float t, CCScene* s) { return CCTransitionSlideInT::create(t, s); }},
        {"slide_in_b", [](float t, CCScene* s) { return CCTransitionSlideInB::create(t, s); }},
        {"shrink_grow", [](float t, CCScene* s) { return CCTransitionShrinkGrow::create(t, s); }},
        {"flip_x", [](float t, CCScene* s) { return CCTransitionFlipX::create(t, s); }},
        {"flip_y", [](float t, CCScene* s) { return CCTransitionFlipY::create(t, s); }},
        {"flip_angle", [](float t, CCScene* s) { return CCTransitionFlipAngular::create(t, s); }},
        {"zoomflip_x", [](float t, CCScene* s) { return CCTransitionZoomFlipX::create(t, s); }},
        {"zoomflip_y", [](float t, CCScene* s) { return CCTransitionZoomFlipY::create(t, s); }},
        {"zoomflip_angle", [](float t, CCScene* s) { return CCTransitionZoomFlipAngular::create(t, s); }},
        {"fade", [](float t, CCScene* s) { return CCTransitionFade::create(t, s, ccWHITE); }},
        {"cross_fade", [](float t, CCScene* s) { return CCTransitionCrossFade::create(t, s); }},
        {"turn_off_tiles", [](float t, CCScene* s) { return CCTransitionTurnOffTiles::create(t, s); }},
        {"split_cols", [](float t, CCScene* s) { return CCTransitionSplitCols::create(t, s); }},
        {"split_rows", [](float t, CCScene* s) { return CCTransitionSplitRows::create(t, s); }},
        {"fade_tr", [](float t, CCScene* s) { return CCTransitionFadeTR::create(t, s); }},
        {"fade_bl", [](float t, CCScene* s) { return CCTransitionFadeBL::create(t, s); }},
        {"fade_up", [](float t, CCScene* s) { return CCTransitionFadeUp::create(t, s); }},
        {"fade_down", [](float t, CCScene* s) { return CCTransitionFadeDown::create(t, s); }},
    };
    // Shot a little before half time, where the halved effects still show the outgoing scene.
    constexpr int kFrames = 26;
    for (const auto& [name, make] : transitions) {
        director->replaceScene(patternScene(ccc4(30, 90, 200, 255), ccc4(250, 220, 60, 255)));
        driver.step();
        director->replaceScene(make(1, patternScene(ccc4(220, 70, 40, 255), ccc4(40, 200, 90, 255))));
        driver.step(1 + kFrames);
        ok = saveFrame(renderer, out + "/transition_" + name + ".png") && ok;
    }
    director->replaceScene(CCScene::create());
    driver.step();
    CCDirector::purgeDirector();
    return ok ? 0 : 1;
}
