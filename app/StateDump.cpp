#include "app/StateDump.h"

#include <cxxabi.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <vector>

#include "app/Edition.h"
#include "app/GameScene.h"
#include "core/json/JsonWriter.h"
#include "app/SceneWalk.h"
#include "app/TwistedGame.h"
#include "engine/director/CCDirector.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCEGLView.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/CCTextFieldTTF.h"
#include "menu/MenuLayer.h"
#include "menu/ScaledScene.h"

using namespace cocos2d;

namespace {

std::string className(const CCNode& node) {
    const char* mangled = typeid(node).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? demangled.get() : mangled;
}

const char* itemKind(CCNode* item) {
    if (dynamic_cast<CCMenuItem*>(item)) return "button";
    if (dynamic_cast<CCTextFieldTTF*>(item)) return "text_field";
    if (dynamic_cast<CCLabelTTF*>(item) || dynamic_cast<CCLabelBMFont*>(item)) return "label";
    if (dynamic_cast<CCSprite*>(item)) return "sprite";
    return "node";
}

// Hundredths are enough and hide the float noise of the transforms.
double rounded(float value) {
    return std::round(static_cast<double>(value) * 100) / 100;
}

// Where a node's anchor lies in the design area.
CCPoint designPosition(CCNode* item, CCNode* contentRoot) {
    CCNode* parent = item->getParent();
    if (!parent || !contentRoot) return item->getPosition();
    return contentRoot->convertToNodeSpace(parent->convertToWorldSpace(item->getPosition()));
}

void writeItem(JsonWriter& json, MenuLayer* layer, CCNode* item, CCNode* contentRoot) {
    int index = item->getTag();
    CCPoint position = designPosition(item, contentRoot);
    auto* button = dynamic_cast<CCMenuItem*>(item);
    json.beginObject()
        .key("index")
        .value(index)
        .key("id")
        .value(layer->getItemString("id", index, ""))
        .key("function")
        .value(layer->getItemString("function", index, ""))
        .key("kind")
        .value(itemKind(item))
        .key("text")
        .value(MenuLayer::itemText(item))
        .key("x")
        .value(rounded(position.x))
        .key("y")
        .value(rounded(position.y))
        .key("visible")
        .value(isShown(item))
        .key("enabled")
        .value(!button || button->isEnabled())
        .key("focused")
        .value(item == layer->focusedButton())
        .endObject();
}

void writeMenuLayer(JsonWriter& json, MenuLayer* layer, CCNode* contentRoot) {
    json.beginObject()
        .key("section")
        .value(layer->sectionName())
        .key("popup")
        .value(layer->getItemInt("popup", 0, 0) != 0)
        .key("visible")
        .value(isShown(layer))
        .key("items")
        .beginArray();
    for (CCNode* item : layer->items()) writeItem(json, layer, item, contentRoot);
    json.endArray().endObject();
}

}  // namespace

std::string stateDumpJson() {
    CCDirector* director = CCDirector::sharedDirector();
    CCScene* running = director->getRunningScene();
    CCScene* scene = currentScreen();
    JsonWriter json;
    json.beginObject().key("frame").value(static_cast<int>(director->getTotalFrames()));
    json.key("edition").value(currentEdition()).key("title").value(editionTitle());
    json.key("transition");
    if (running && running != scene)
        json.value(className(*running));
    else
        json.null();
    if (CCEGLView* view = director->getOpenGLView()) {
        CCSize frame = view->getFrameSize();
        json.key("window")
            .beginObject()
            .key("width")
            .value(static_cast<int>(frame.width))
            .key("height")
            .value(static_cast<int>(frame.height))
            .key("fullscreen")
            .value(view->isFullscreen())
            .endObject();
    }
    if (!scene) {
        json.key("scene").null().key("menus").beginArray().endArray().key("game").null().endObject();
        return json.text();
    }
    auto* scaled = dynamic_cast<ScaledScene*>(scene);
    auto* game = dynamic_cast<GameScene*>(scene);
    std::vector<MenuLayer*> layers = openMenuLayers(scene);

    json.key("scene").beginObject().key("class").value(className(*scene));
    if (game)
        json.key("section").value(game->gameSection());
    else if (!layers.empty())
        json.key("section").value(layers.front()->sectionName());
    json.endObject();

    json.key("menus").beginArray();
    for (MenuLayer* layer : layers) writeMenuLayer(json, layer, scaled ? scaled->contentRoot() : nullptr);
    json.endArray();

    std::string gameState = game ? game->gameStateJson() : twistedScreenStateJson(scene);
    json.key("game");
    if (gameState.empty())
        json.null();
    else
        json.raw(gameState);
    json.endObject();
    return json.text();
}
