#include "menu/HighscoreEntryScene.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"
#include "core/text/Utf8.h"
#include "engine/nodes/CCLayer.h"
#include "engine/text/CCTextFieldTTF.h"
#include "menu/HighscoreTable.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace {

constexpr const char* kUserNameFile = "username";
constexpr std::size_t kUserNameReadLimit = 100;
constexpr std::size_t kUserNameFileLimit = 4096;

std::string userNamePath() {
    return tempFolderPath() + kUserNameFile;
}

void saveLastPlayerName(const std::string& name) {
    std::string path = userNamePath();
    if (!writeFileAtomically(path, name.c_str(), name.size() + 1))
        std::fprintf(stderr, "Petalune: cannot write the player name to %s\n", path.c_str());
}

}  // namespace

std::string parseLastPlayerName(std::string_view bytes) {
    // The text ends at its zero byte, and after 99 bytes at the latest.
    bytes = bytes.substr(0, std::min(bytes.find('\0'), kUserNameReadLimit - 1));
    // What the name field would have accepted: whole characters, no control codes, at most
    // as many as may be typed.
    std::string name;
    int characters = 0;
    for (std::size_t pos = 0; pos < bytes.size() && characters < HighscoreEntryScene::kMaxNameCharacters;) {
        std::string_view character = bytes.substr(pos, core::utf8CharLengthAt(bytes, pos));
        pos += character.size();
        std::u32string points = core::utf8ToCodePoints(character);
        char32_t point = points.size() == 1 ? points[0] : U'\uFFFD';
        if (point == U'\uFFFD' || point < 0x20 || (point >= 0x7F && point < 0xA0)) continue;
        name += character;
        ++characters;
    }
    return name;
}

std::string loadLastPlayerName() {
    auto bytes = readRegularFile(userNamePath(), kUserNameFileLimit, LinkPolicy::Refuse);
    if (!bytes) return "";
    return parseLastPlayerName(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
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
        input->setString(core::utf8Cut(loadLastPlayerName(), HighscoreEntry::kMaxNameBytes).c_str());
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
    storeHighscore(m_tableName, HighscoreEntry{name, m_level, m_score});
}
