#include <algorithm>
#include <cstdlib>
#include <string>

#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/nodes/CCSprite.h"
#include "menu/MenuLayer.h"
#include "variants/twisted/LevelTwisted.h"
#include "variants/twisted/NodeText.h"
#include "variants/twisted/SpriteImage.h"
#include "variants/twisted/model/TwistedLevelFile.h"

using namespace cocos2d;

namespace {

constexpr int kTiles = 16;
constexpr int kBlocks = 7;
constexpr int kConnections = 16;

struct Palette {
    const char* prefix;
    int count;
    float rest;   // scale of the items
    float pulse;  // scale the selected item pulses to
};
constexpr Palette kTilePalette{"tile", kTiles, 0.75f, 0.6f};
constexpr Palette kBlockPalette{"block", kBlocks, 1.0f, 0.8f};
constexpr Palette kConnectionPalette{"conn", kConnections, 0.75f, 0.6f};

void forEachItem(MenuLayer* menu, const Palette& palette, const auto& apply) {
    if (!menu) return;
    for (int i = 0; i < palette.count; ++i)
        if (CCNode* item = menu->findById(palette.prefix + std::to_string(i))) apply(item, i);
}

// Every item at rest; the selected one (if any) pulses forever.
void showSelection(MenuLayer* menu, const Palette& palette, int selected) {
    forEachItem(menu, palette, [&](CCNode* item, int i) {
        item->stopAllActions();
        item->setScale(palette.rest);
        if (i != selected) return;
        item->runAction(CCRepeatForever::create(CCSequence::createWithTwoActions(
            CCScaleTo::create(0.2f, palette.pulse), CCScaleTo::create(0.2f, palette.rest))));
    });
}

int numberAfter(const std::string& command, std::size_t prefixLength) {
    if (prefixLength >= command.size()) return 0;
    return static_cast<int>(std::clamp(std::strtol(command.c_str() + prefixLength, nullptr, 10), -1L, 99L));
}

}  // namespace

void LevelTwisted::editorTouchBegan(int column, int row) {
    TwistedCell& cell = m_level.cell(column, row);
    m_paintWall = !cell.wall;
    if (!m_level.hasWalls) {
        // The first wall of a level is painted on a board whose other flags are cleared.
        m_paintWall = true;
        cell.wall = false;
    }
    editCell(column, row);
}

void LevelTwisted::editCell(int column, int row) {
    if (!TwistedLevel::onBoard(column, row)) return;
    const TwistedLevel before = m_level;
    TwistedCell& cell = m_level.cell(column, row);
    switch (m_editorMode) {
        case EditorMode::Tiles:
            if (m_selectedTile >= 0) {
                cell.type = m_selectedTile;
            } else if ((column != m_dragColumn || row != m_dragRow) && cell.type == TwistedLevel::kEmpty &&
                       m_level.cell(m_dragColumn, m_dragRow).type != TwistedLevel::kEmpty) {
                TwistedCell& from = m_level.cell(m_dragColumn, m_dragRow);
                bool wall = cell.wall;
                cell = from;
                cell.wall = wall;
                from.type = TwistedLevel::kEmpty;
                m_dragColumn = column;
                m_dragRow = row;
            }
            break;
        case EditorMode::Moves:
            if (m_selectedBlock <= 3) {
                cell.movableH = m_selectedBlock >= 2;
                cell.movableV = m_selectedBlock % 2 == 1;
            } else if (m_selectedBlock == 4) {
                if (cell.limit >= 0) --cell.limit;
            } else if (m_selectedBlock == 5) {
                cell.limit = -1;
            } else if (cell.limit < 99) {
                ++cell.limit;
            }
            break;
        case EditorMode::Connections:
            cell.mask = m_selectedConnection;
            break;
        case EditorMode::Walls:
            if (cell.wall != m_paintWall) {
                if (!m_level.hasWalls && m_paintWall)
                    for (auto& cells : m_level.cells)
                        for (TwistedCell& each : cells) each.wall = false;
                cell.wall = m_paintWall;
                m_dragColumn = column;
                m_dragRow = row;
                m_level.hasWalls = std::ranges::any_of(m_level.cells, [](const auto& cells) {
                    return std::ranges::any_of(cells, [](const TwistedCell& each) { return each.wall; });
                });
            }
            break;
    }
    if (m_level.cells != before.cells || m_level.hasWalls != before.hasWalls) buildBoard();
}

void LevelTwisted::selectTile(int tile) {
    m_selectedTile = tile == m_selectedTile ? -1 : tile;
    showSelection(m_menuLayer, kTilePalette, m_selectedTile);
}

void LevelTwisted::selectBlock(int block) {
    if (block == m_selectedBlock) return;
    m_selectedBlock = block;
    showSelection(m_menuLayer, kBlockPalette, m_selectedBlock);
}

void LevelTwisted::selectConnection(int connection) {
    if (connection == m_selectedConnection) return;
    m_selectedConnection = connection;
    showSelection(m_menuLayer, kConnectionPalette, m_selectedConnection);
}

void LevelTwisted::switchMode(EditorMode mode) {
    if (mode == m_editorMode) return;
    m_editorMode = mode;
    for (auto [palette, shownIn] : {std::pair{kTilePalette, EditorMode::Tiles},
                                    {kBlockPalette, EditorMode::Moves},
                                    {kConnectionPalette, EditorMode::Connections}}) {
        float scale = mode == shownIn ? 0.75f : 0.0f;
        forEachItem(m_menuLayer, palette, [&](CCNode* item, int) {
            item->stopAllActions();
            item->setScale(scale);
        });
    }
    applyPaletteSelection();
}

void LevelTwisted::applyPaletteSelection() {
    if (m_editorMode == EditorMode::Tiles) showSelection(m_menuLayer, kTilePalette, m_selectedTile);
    if (m_editorMode == EditorMode::Moves) showSelection(m_menuLayer, kBlockPalette, m_selectedBlock);
    if (m_editorMode == EditorMode::Connections)
        showSelection(m_menuLayer, kConnectionPalette, m_selectedConnection);
}

void LevelTwisted::runEditorCommand(MenuLayer* layer, const std::string& command) {
    if (command == "game_test") {
        closePopup(layer);
        startTestPlay(false);
    } else if (command == "editor_file") {
        openPopup("popup_editor_file");
    } else if (command == "save_level") {
        saveTwistedLevel(m_levelName, m_level);
    } else if (command.starts_with("tile")) {
        int tile = numberAfter(command, 4);
        if (tile >= 0 && tile < kTiles) selectTile(tile);
    } else if (command.starts_with("block")) {
        int block = numberAfter(command, 5);
        if (block >= 0 && block < kBlocks) selectBlock(block);
    } else if (command.starts_with("conn")) {
        int connection = numberAfter(command, 4);
        if (connection >= 0 && connection < kConnections) selectConnection(connection);
    } else if (command == "edit_tile") {
        switchMode(EditorMode::Tiles);
    } else if (command == "edit_moves") {
        switchMode(EditorMode::Moves);
    } else if (command == "edit_conn") {
        switchMode(EditorMode::Connections);
    } else if (command == "edit_pattern") {
        switchMode(EditorMode::Walls);
    } else if (command == "edit_options") {
        fillOptionsPopup(openPopup("popup_edit_options"));
    } else if (command == "save_options") {
        readOptionsPopup(layer);
        closePopup(layer);
    } else if (command.starts_with("ch_")) {
        stepChangeTable(command);
        // Only the pictures change: the typed fields keep what the player has written.
        showChangeImages(layer);
    }
}

void LevelTwisted::fillOptionsPopup(MenuLayer* popup) const {
    if (!popup) return;
    setNodeText(popup->findById("time"), std::to_string(m_level.maxTime));
    setNodeText(popup->findById("moves"), std::to_string(m_level.maxMoves));
    setNodeText(popup->findById("glue"), std::to_string(m_level.glue));
    setNodeText(popup->findById("connect"), std::to_string(m_level.connect));
    setNodeText(popup->findById("visible"), std::to_string(m_level.numVisible));
    showChangeImages(popup);
}

void LevelTwisted::showChangeImages(MenuLayer* popup) const {
    if (!popup) return;
    for (int i = 1; i <= TwistedLevel::kChangingKinds; ++i) {
        for (auto [suffix, table] : {std::pair{"_b", &m_level.black}, {"_w", &m_level.white}}) {
            auto* image = dynamic_cast<CCSprite*>(popup->findById("ch_" + std::to_string(i) + suffix));
            if (image)
                setSpriteImage(image, iniGetString("misc", "edit_change_tile_image", (*table)[i - 1], ""));
        }
    }
}

void LevelTwisted::readOptionsPopup(MenuLayer* popup) {
    if (!popup) return;
    auto value = [popup](const char* id) {
        long number = std::strtol(MenuLayer::itemText(popup->findById(id)).c_str(), nullptr, 10);
        return static_cast<int>(std::clamp(number, 0L, 99999L));
    };
    m_level.maxTime = value("time");
    m_level.maxMoves = value("moves");
    m_level.glue = value("glue");
    m_level.connect = value("connect");
    m_level.numVisible = value("visible");
}

void LevelTwisted::stepChangeTable(const std::string& command) {
    int kind = numberAfter(command, 3);
    if (kind < 1 || kind > TwistedLevel::kChangingKinds) return;
    auto& table = command.size() > 5 && command[5] == 'w' ? m_level.white : m_level.black;
    int step = std::clamp(numberAfter(command, 6), 0, 15);
    int& entry = table[kind - 1];
    entry = (entry + 2 * step + 15) % 16;
}
