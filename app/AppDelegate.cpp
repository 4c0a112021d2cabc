#include "app/AppDelegate.h"

#include <cstdio>
#include <string>

#include "app/CollapseGame.h"
#include "app/IOnPauseResume.h"
#include "app/MenuScene.h"
#include "app/TroubleGame.h"
#include "app/TwistedGame.h"
#include "audio/PlaySample.h"
#include "config/IniStore.h"
#include "config/Reload.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/textures/CCTextureCache.h"
#include "menu/MenuFunctionRegistry.h"
#include "menu/MenuSceneFactory.h"
#include "online/Analytics.h"
#include "online/UpdateCheck.h"
#include "online/UpdateOffer.h"

using namespace cocos2d;

namespace {

constexpr double kAnimationInterval = 1.0 / 60;
constexpr std::uint32_t kAnalyticsGameId = 24617;
constexpr const char* kAnalyticsKey = "5e7a1c90b24fd638";

// Textures are read again after a configuration reload, so changed images show at once.
void purgeTextures() {
    CCTextureCache::sharedTextureCache()->removeAllTextures();
}

}  // namespace

AppDelegate::AppDelegate(bool online) : m_online(online) {}

AppDelegate::~AppDelegate() {
    for (const char* pattern : kCommands) {
        if (exactMenuFunction(pattern) == this) unregisterMenuFunction(pattern);
    }
    if (m_launched) {
        setMenuSceneFactory(nullptr);
        if (m_online) {
            stopUpdateCheck();
            stopAnalytics();
        }
    }
    CocosDenshion::SimpleAudioEngine::end();
}

bool AppDelegate::applicationDidFinishLaunching() {
    for (const char* pattern : kCommands) registerMenuFunction(pattern, this);
    registerReloadPurge(purgeTextures);
    setMenuSceneFactory([](const std::string& section) -> CCScene* { return MenuScene::create(section); });
    installCollapseGame();
    installTwistedGame();
    installTroubleGame();
    if (m_online) {
        startUpdateCheck();
        startAnalytics(kAnalyticsGameId, kAnalyticsKey);
    }
    m_launched = true;

    CCDirector* director = CCDirector::sharedDirector();
    if (CCEGLView* view = CCEGLView::sharedOpenGLView()) director->setOpenGLView(view);
    setAnimationInterval(kAnimationInterval);
    // Without its intro a configuration still starts, at the main menu.
    const char* first = kFirstMenu;
    if (!IniStore::shared().findSection(first)) {
        std::fprintf(stderr, "Petalune: the configuration has no [%s]; the game starts at [%s]\n", first,
                     kMainMenu);
        first = kMainMenu;
    }
    if (MenuScene* scene = MenuScene::create(first)) director->runWithScene(scene);
    return true;
}

void AppDelegate::applicationDidEnterBackground() {
    CCDirector::sharedDirector()->stopAnimation();
    notifyPause();
}

void AppDelegate::applicationWillEnterForeground() {
    CCDirector::sharedDirector()->startAnimation();
    notifyResume();
}

void AppDelegate::applicationUpdate(float) {
    resetSamplesPlayedThisFrame();
    std::string newer, installed;
    if (pollUpdateCheck(newer, installed)) showUpdateOffer(newer, installed);
}
