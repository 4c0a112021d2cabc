#include "menu/HighscoreEntryScene.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "core/fs/AtomicFile.h"
#include "core/fs/TempFolder.h"
#include "engine/nodes/CCLayer.h"
#include "engine/text/CCTextFieldTTF.h"
#include "menu/HighscoreTable.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace {

constexpr const char* kUserNameFile = "username";
constexpr std::size_t kUserNameReadLimit = 100;

std::string userNamePath() {
    return tempFolderPath() + kUserNameFile;
}

void saveLastPlayerName(const std::string& name) {
    std::string path = userNamePath();
    if (!writeFileAtomically(path, name.c_str(), name.size() + 1))
        std::fprintf(stderr, "Petalune: cannot write the player name to %s\n", path.c_str());
}

}  // namespace

std::string loadLastPlayerName() {
    std::ifstream file(userNamePath(), std::ios::binary);
    if (!file) return "";
    char buffer[kUserNameReadLimit] = {};
    file.read(buffer, kUserNameReadLimit);
    std::size_t read = static_cast<std::size_t>(file.gcount());
    // The text ends at its zero byte, and after 99 bytes at the latest.
    std::size_t length = std::find(buffer, buffer + std::min(read, kUserNameReadLimit - 1), '\0') - buffer;
    return std::string(buffer, length);
}

HighscoreEntryScene::HighscoreEntryScene(std::string tableName, std::int32_t score, std::int32_t level)
    : m_tableName(std::move(tableName)), m_score(score), m_level(level) {}

HighscoreEntryScene* HighscoreEntryScene::create(const std::string& tableName, std::int32_t score,
                                                 std::int32_t level) {
    auto* scene = new HighscoreEntryScene(tableName, score, level);
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool HighscoreEntryScene::init() {
    if (!highscoreQualifies(loadHighscoreTable(m_tableName), m_score)) return false;
    if (!ScaledScene::init()) return false;
    m_menuLayer = MenuLayer::create(kSection);
    if (!m_menuLayer) return false;
    contentRoot()->addChild(m_menuLayer);

    if (CCTextFieldTTF* input = nameInput()) {
        input->setMaxLength(kMaxNameCharacters);
        // What the field shows is what will be stored.
        input->setMaxBytes(static_cast<int>(HighscoreEntry::kMaxNameBytes));
        input->setString(cutUtf8(loadLastPlayerName(), HighscoreEntry::kMaxNameBytes).c_str());
    }
    if (auto* scoreLabel = dynamic_cast<CCLabelProtocol*>(m_menuLayer->findById("score")))
        scoreLabel->setString(std::to_string(m_score).c_str());
    return true;
}

CCTextFieldTTF* HighscoreEntryScene::nameInput() const {
    return m_menuLayer ? dynamic_cast<CCTextFieldTTF*>(m_menuLayer->findById("input")) : nullptr;
}

void HighscoreEntryScene::onEnter() {
    ScaledScene::onEnter();
    if (CCTextFieldTTF* input = nameInput()) {
        input->setDelegate(this);
        m_menuLayer->focusInput(input);
    }
}

void HighscoreEntryScene::onExit() {
    if (CCTextFieldTTF* input = nameInput()) input->setDelegate(nullptr);
    if (!m_stored) storeResult();
    ScaledScene::onExit();
}

bool HighscoreEntryScene::onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len) {
    if (std::string_view(text, static_cast<std::size_t>(len)) != "\n") return false;
    for (CCNode* item : m_menuLayer->items()) {
        if (auto* button = dynamic_cast<MenuItemFontAndSprite*>(item)) {
            m_menuLayer->activateItem(button);
            return true;
        }
    }
    return false;
}

void HighscoreEntryScene::storeResult() {
    m_stored = true;
    if (m_score == 0) return;
    CCTextFieldTTF* input = nameInput();
    std::string name = input ? input->getString() : "";
    saveLastPlayerName(name);
    HighscoreTable table = loadHighscoreTable(m_tableName);
    insertHighscore(table, HighscoreEntry{name, m_level, m_score});
    saveHighscoreTable(m_tableName, table);
}
