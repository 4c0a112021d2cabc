#include "variants/twisted/ChooseLevelScene.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "config/IniStore.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/director/CCDirector.h"
#include "engine/nodes/CCSprite.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayer.h"
#include "variants/twisted/NodeText.h"
#include "variants/twisted/TwistedScenes.h"
#include "variants/twisted/model/TwistedLevelFile.h"
#include "variants/twisted/model/TwistedProgress.h"

using namespace cocos2d;

namespace {

constexpr std::size_t kMaxStoredLine = 99;
constexpr std::size_t kMaxStoredBytes = 4096;

bool isLevelNumber(const std::string& text) {
    return !text.empty() && text.size() <= ChooseLevelScene::kMaxDigits &&
           std::ranges::all_of(text, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::string numberFilePath() {
    return tempFolderPath() + "level";
}

}  // namespace

ChooseLevelScene* ChooseLevelScene::create(const LevelTwisted::Options& editorOptions) {
    auto* scene = new ChooseLevelScene(editorOptions);
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

ChooseLevelScene::ChooseLevelScene(const LevelTwisted::Options& editorOptions)
    : m_editorOptions(editorOptions) {
    m_editorOptions.editor = true;
}

bool ChooseLevelScene::init() {
    if (!ScaledScene::init()) return false;
    m_menuLayer = MenuLayer::create("menu_choose_level_debug", this);
    if (!m_menuLayer) return false;
    contentRoot()->addChild(m_menuLayer);
    m_number = storedNumber();
    showProgress();
    showNumber();
    return true;
}

std::string ChooseLevelScene::storedNumber() {
    auto bytes = readRegularFile(numberFilePath(), kMaxStoredBytes, LinkPolicy::Refuse);
    return bytes ? parseStoredNumber(
                       std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))
                 : std::string();
}

std::string ChooseLevelScene::parseStoredNumber(std::string_view text) {
    std::string_view line = text.substr(0, std::min(text.find_first_of("\r\n"), kMaxStoredLine));
    // Only a number this chooser could have typed becomes a level name.
    std::string number(line);
    return isLevelNumber(number) ? number : std::string();
}

void ChooseLevelScene::storeNumber() const {
    if (!writeFileAtomically(numberFilePath(), m_number.data(), m_number.size()))
        std::fprintf(stderr, "Petalune: cannot remember the level number\n");
}

void ChooseLevelScene::showProgress() {
    TwistedProgress progress = TwistedProgress::load();
    int count = twistedLevelCount(IniStore::shared());
    int next = progress.firstUnsolved(count);
    if (!m_number.empty() && progress.isSolved("level" + m_number) && next <= count)
        m_number = std::to_string(next);
    for (int number = 1; number <= count; ++number) {
        auto* button =
            dynamic_cast<MenuItemFontAndSprite*>(m_menuLayer->findById("pick" + std::to_string(number)));
        if (!button) continue;
        if (progress.isSolved("level" + std::to_string(number)) && button->getNormalImage())
            button->getNormalImage()->setColor(ccc3(150, 235, 170));
        if (number == next)
            button->runAction(CCRepeatForever::create(CCSequence::createWithTwoActions(
                CCScaleTo::create(0.5f, 1.12f), CCScaleTo::create(0.5f, 1.0f))));
    }
}

void ChooseLevelScene::showNumber() {
    // Looked up each time: a reload may have rebuilt the label.
    setNodeText(m_menuLayer->findById("level"), m_number.empty() ? "<?>" : m_number);
}

void ChooseLevelScene::onMenuClick(MenuLayer*, CCNode*, const std::string& command) {
    if (command.starts_with("num_")) {
        std::string digit = command.substr(4);
        bool isDigit = digit.size() == 1 && std::isdigit(static_cast<unsigned char>(digit[0]));
        if (isDigit && m_number.size() < kMaxDigits) m_number += digit;
        showNumber();
    } else if (command == "clear") {
        m_number.clear();
        showNumber();
    } else if (command.starts_with("pick_")) {
        std::string number = command.substr(5);
        if (!isLevelNumber(number)) return;
        m_number = number;
        storeNumber();
        showTwistedGame("level" + m_number);
    } else if (command == "go" && !m_number.empty()) {
        storeNumber();
        showTwistedGame("level" + m_number);
    } else if (command == "edit_level" && !m_number.empty()) {
        storeNumber();
        openEditor();
    }
}

void ChooseLevelScene::openEditor() {
    ScaledScene* scene = ScaledScene::create();
    MenuLayer* menu = scene ? MenuLayer::create("menu_editor") : nullptr;
    LevelTwisted* editor = menu ? LevelTwisted::create("level" + m_number, menu, m_editorOptions) : nullptr;
    if (!editor) {
        std::fprintf(stderr, "Petalune: the editor cannot be opened\n");
        return;
    }
    scene->contentRoot()->addChild(menu);
    scene->contentRoot()->addChild(editor);
    CCDirector::sharedDirector()->replaceScene(scene);
}
