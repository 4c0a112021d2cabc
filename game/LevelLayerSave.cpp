#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "config/IniLookup.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/TempFolder.h"
#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "core/xfer/Version.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCSprite.h"
#include "game/LevelLayer.h"

using namespace cocos2d;

namespace {

constexpr std::uint8_t kSaveVersion = 1;
constexpr std::uint32_t kSaveFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

std::string LevelLayer::saveFilePath(const std::string& gameSection) {
    return tempFolderPath() + "save_" + gameSection;
}

int LevelLayer::saveFileState(const std::string& gameSection) {
    std::FILE* file = std::fopen(saveFilePath(gameSection).c_str(), "rb");
    if (!file) return 0;
    int marker = std::fgetc(file);
    std::fclose(file);
    if (marker == EOF) return 0;
    return marker == 0 ? 1 : 2;
}

void LevelLayer::transfer(core::xfer::VirtualBase& t) {
    if (t.IsLoading()) {
        m_removalHistory.clear();
        m_deck.clear();
    }
    core::xfer::Version version(t, kSaveVersion);
    // The file is named after the section; a stored name never renames this layer.
    std::string section = m_gameSection;
    t.Transfer(section);
    t.Transfer(m_score);
    t.Transfer(m_removalHistory);
    t.Transfer(m_level);
    t.Transfer(m_bricksLeft);
    t.Transfer(m_bricksTarget);
    std::uint32_t randomState = m_random.state();
    t.Transfer(randomState);
    m_random.setState(randomState);
    t.Transfer(m_deck);
    if (t.IsLoading()) {
        loadBoard(t);
        return;
    }
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            std::int32_t code = cellCode(x, y);
            t.TransferPacked(code);
        }
    }
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            if (!m_bonusSprites[x][y]) continue;
            std::int32_t px = x, py = y;
            float seconds = m_bonusTimes[x][y];
            t.Transfer(m_bonusSections[x][y]).TransferPacked(px).TransferPacked(py).Transfer(seconds);
        }
    }
    std::string end;
    t.Transfer(end);
}

void LevelLayer::loadBoard(core::xfer::VirtualBase& t) {
    // A damaged file must not leave values that break the rules: deck entries name kinds,
    // levels start at 1.
    std::erase_if(m_deck, [this](std::int32_t kind) { return kind < 0 || kind >= m_kindCount; });
    if (m_level < 1) m_level = 1;
    clearBoard();
    for (int y = 0; y < kRows && !t.HasError(); ++y) {
        for (int x = 0; x < kColumns && !t.HasError(); ++x) {
            std::int32_t code = 0;
            t.TransferPacked(code);
            if (!t.HasError()) placeCode(code, x, y);
        }
    }
    while (!t.HasError()) {
        std::string section;
        t.Transfer(section);
        if (section.empty() || t.HasError()) break;
        std::int32_t x = 0, y = 0;
        float seconds = 0;
        t.TransferPacked(x).TransferPacked(y).Transfer(seconds);
        if (t.HasError() || x < 0 || x >= kColumns || y < 0 || y >= kRows || m_bonusSprites[x][y]) continue;
        for (const PointBonus& bonus : m_pointBonuses) {
            if (bonus.section != section) continue;
            CCSprite* sprite = CCSprite::create(bonus.image.c_str());
            if (!sprite) break;
            sprite->setPosition(x * kCellSize + 40.0f, y * kCellSize + 40.0f);
            addChild(sprite, 1);
            m_bonusSprites[x][y] = sprite;
            m_bonusTimes[x][y] = seconds;
            m_bonusSections[x][y] = section;
            break;
        }
    }
    setText(m_scoreLabel, std::to_string(m_score));
    if (m_levelLabel) setText(m_levelLabel, std::to_string(m_level));
    updateBrickDisplay();
    settleLoadedGame();
}

void LevelLayer::settleLoadedGame() {
    // A level finished before saving can still go on to the next one.
    m_levelWon = m_levelLabel && m_bricksTarget > 0 && m_bricksLeft == 0;
    // A restored board may have holes (a damaged file): one settling cycle closes them and
    // ends in the end-of-game test, so the game is always playable or over.
    m_removalPending = true;
    m_falling = m_sliding = false;
}

bool LevelLayer::saveGame(std::uint8_t marker) {
    // Bricks still fading were scored at the click; stored as bricks they would score again.
    finishFadingBricks();
    std::vector<std::uint8_t> bytes(1 + 16384 + 16 * m_deck.size());
    bytes[0] = marker;
    core::stream::BinaryWriteMemory stream(bytes.data() + 1, bytes.size() - 1);
    {
        core::xfer::SaveWithBlockNoTag saver(kSaveFlags, stream);
        transfer(saver);
    }
    std::string path = saveFilePath(m_gameSection);
    if (stream.Error() || !writeFileAtomically(path, bytes.data(), 1 + stream.Size())) {
        std::fprintf(stderr, "cannot save the game to %s\n", path.c_str());
        return false;
    }
    return true;
}

bool LevelLayer::loadGame() {
    std::string path = saveFilePath(m_gameSection);
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return false;
    std::remove(path.c_str());
    core::stream::BinaryReadMemory stream(bytes.empty() ? nullptr : bytes.data() + 1,
                                          bytes.empty() ? 0 : bytes.size() - 1);
    core::xfer::Load loader(kSaveFlags, stream);
    transfer(loader);
    if (const char* error = loader.HasError()) {
        std::fprintf(stderr, "%s: %s; the game goes on from what was readable\n", path.c_str(), error);
        return false;
    }
    return true;
}

void LevelLayer::onPause() {
    saveGame(0);
}

void LevelLayer::onResume() {
    std::remove(saveFilePath(m_gameSection).c_str());
}

LevelState LevelLayer::state() {
    LevelState state;
    state.section = m_gameSection;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) state.cells[x][y] = cellCode(x, y);
    }
    state.score = m_score;
    if (auto* label = dynamic_cast<CCLabelProtocol*>(m_scoreLabel)) state.scoreLabel = label->getString();
    state.level = m_level;
    state.bricksLeft = m_bricksLeft;
    state.bricksTarget = m_bricksTarget;
    for (const HitComboEntry& entry : m_removalHistory) state.history.push_back({entry.kind, entry.count});
    state.randomState = m_random.state();
    state.deck.assign(m_deck.begin(), m_deck.end());
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            if (m_bonusSprites[x][y])
                state.pointBonuses.push_back({x, y, m_bonusSections[x][y], m_bonusTimes[x][y]});
        }
    }
    state.undoAvailable = m_undoAvailable;
    state.levelWon = m_levelWon;
    state.removalPending = m_removalPending;
    state.falling = m_falling;
    state.sliding = m_sliding;
    state.popups = openPopups();
    return state;
}
