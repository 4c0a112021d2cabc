#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "config/IniStore.h"
#include "core/fs/DataFolder.h"
#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "menu/MenuLayer.h"

// A menu layer built from one fuzzed section (every item key, sticky values, templates
// and [load_ini] of further files), put on the running scene and taken off again. No frame
// runs, so no auto-click sends a command.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string s_config = [] {
        char pattern[] = "/tmp/petalune-fuzz-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        cocos2d::CCFileUtils::sharedFileUtils()->setArchivePath("");
        cocos2d::CCFileUtils::sharedFileUtils()->setPopupNotify(false);
        setDataFolderOverride(pattern);
        return std::string(pattern) + "/game.ini";
    }();
    static cocos2d::HeadlessDriver* s_driver = new cocos2d::HeadlessDriver(640, 860);
    static cocos2d::CCScene* s_scene = [] {
        cocos2d::CCScene* scene = cocos2d::CCScene::create();
        scene->retain();
        cocos2d::CCDirector::sharedDirector()->runWithScene(scene);
        s_driver->step();
        return scene;
    }();

    std::ofstream(s_config, std::ios::binary | std::ios::trunc)
        << "[m]\n"
        << std::string(reinterpret_cast<const char*>(data), size);
    IniStore::shared().setRootFile(s_config);
    IniStore::shared().load();
    if (MenuLayer* layer = MenuLayer::create("m")) {
        s_scene->addChild(layer);
        layer->removeFromParentAndCleanup(true);
    }
    cocos2d::CCPoolManager::sharedPoolManager()->finalize();  // frees what the build autoreleased
    return 0;
}
