#include "menu/HighscoreScene.h"

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCLayer.h"
#include "menu/HighscoreTable.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace {

void setItemText(MenuLayer* layer, const std::string& id, const std::string& text) {
    if (auto* label = dynamic_cast<CCLabelProtocol*>(layer->findById(id))) label->setString(text.c_str());
}

}  // namespace

HighscoreScene::HighscoreScene(std::string tableName, std::string menuSectionName)
    : m_tableName(std::move(tableName)), m_menuSectionName(std::move(menuSectionName)) {}

HighscoreScene* HighscoreScene::create(const std::string& tableName, const std::string& menuSectionName) {
    auto* scene = new HighscoreScene(tableName, menuSectionName);
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool HighscoreScene::init() {
    if (!ScaledScene::init()) return false;
    m_menuLayer = MenuLayer::create(m_menuSectionName);
    if (!m_menuLayer) return false;
    contentRoot()->addChild(m_menuLayer);
    HighscoreTable table = loadHighscoreTable(m_tableName);
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string row = std::to_string(i);
        setItemText(m_menuLayer, "score" + row, std::to_string(table[i].score));
        setItemText(m_menuLayer, "level" + row, std::to_string(table[i].level));
        setItemText(m_menuLayer, "name" + row, table[i].name);
    }
    return true;
}
