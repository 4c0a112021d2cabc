#include "variants/twisted/model/TwistedLevelFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "config/IniStore.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"

namespace {

constexpr const char* kTypeLetters = "01234567.#ABCDEF";
constexpr int kRowKeys = TwistedLevel::kRows;

// The character of a one-character row at the column; rows cut short read as blank.
// A cell the row is too short to hold reads as the row's default for that cell.
char cellChar(std::string_view row, int column, char missing = ' ') {
    std::size_t at = static_cast<std::size_t>(column) * 2;
    return at < row.size() ? row[at] : missing;
}

int typeFromChar(char ch) {
    if (ch == '#') return TwistedLevel::kFinished;
    if (ch >= '0' && ch <= '7') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return TwistedLevel::kFirstChanging + (ch - 'A');
    return TwistedLevel::kEmpty;
}

int maskFromChar(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return 0;
}

void readMove(char ch, TwistedCell& cell) {
    cell.movableH = ch != '.' && ch != '|';
    cell.movableV = ch != '.' && ch != '-';
}

char moveChar(const TwistedCell& cell) {
    if (cell.movableH && cell.movableV) return '+';
    if (cell.movableH) return '-';
    return cell.movableV ? '|' : '.';
}

// "..", "-1" and anything that is not a limit of 0-99 mean no limit.
int limitFromChars(std::string_view row, int column) {
    std::size_t at = static_cast<std::size_t>(column) * 2;
    std::string_view field = at < row.size() ? row.substr(at, 2) : std::string_view();
    if (field.empty() || field[0] == '.') return -1;
    int value = 0;
    bool anyDigit = false;
    for (char ch : field) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) break;
        value = value * 10 + (ch - '0');
        anyDigit = true;
    }
    return anyDigit ? value : -1;
}

// Out-of-range table entries would name no stone type; they remove the stone instead.
int changeTarget(int value) {
    return value >= 0 && value <= 15 ? value : TwistedLevel::kEmpty;
}

std::string_view rowText(const IniStore& store, std::string_view section, const char* key, int row,
                         const char* fallback) {
    return store.getString(section, key, kRowKeys - 1 - row, fallback);
}

bool anyStone(const TwistedLevel& level, bool (*test)(const TwistedCell&)) {
    for (const auto& column : level.cells)
        for (const TwistedCell& cell : column)
            if (isActiveStone(cell.type) && test(cell)) return true;
    return false;
}

void appendf(std::string& out, const char* format, int a, int b = 0) {
    char line[64];
    std::snprintf(line, sizeof line, format, a, b);
    out += line;
}

// Nine lines "key(8)=..." down to "key(0)=...", each cell as a space and one character.
template <typename CellToChar>
void appendCharRows(std::string& out, const TwistedLevel& level, const char* key, CellToChar toChar) {
    for (int index = kRowKeys - 1; index >= 0; --index) {
        out += key;
        appendf(out, "(%d)=", index);
        int row = kRowKeys - 1 - index;
        for (int column = 0; column < TwistedLevel::kColumns; ++column) {
            out += ' ';
            out += toChar(level.cell(column, row));
        }
        out += '\n';
    }
}

}  // namespace

TwistedLevel readTwistedLevel(const IniStore& store, std::string_view section) {
    TwistedLevel level;
    level.maxTime = store.getInt(section, "max_time", 0, 999);
    level.maxMoves = store.getInt(section, "max_moves", 0, 999);
    level.connect = store.getInt(section, "connect", 0, 3);
    level.glue = store.getInt(section, "glue", 0, level.connect);
    level.numVisible = store.getInt(section, "num_visible", 0, 99);
    level.hasWalls = store.getString(section, "wall", 0, nullptr) != nullptr;
    for (int row = 0; row < TwistedLevel::kRows; ++row) {
        std::string_view types = rowText(store, section, "type", row, ". . . . . . . .");
        std::string_view conns = rowText(store, section, "conn", row, ". . . . . . . .");
        std::string_view moves = rowText(store, section, "move", row, "+ + + + + + + +");
        std::string_view limits = rowText(store, section, "limit", row, "................");
        std::string_view walls = rowText(store, section, "wall", row, "# # # # # # # #");
        for (int column = 0; column < TwistedLevel::kColumns; ++column) {
            TwistedCell& cell = level.cell(column, row);
            cell.type = typeFromChar(cellChar(types, column));
            cell.mask = maskFromChar(cellChar(conns, column));
            readMove(cellChar(moves, column), cell);
            cell.limit = limitFromChars(limits, column);
            cell.wall = cellChar(walls, column, '#') == '#';
        }
    }
    for (int i = 0; i < TwistedLevel::kChangingKinds; ++i) {
        level.black[i] = changeTarget(store.getInt(section, "black", i, 0));
        level.white[i] = changeTarget(store.getInt(section, "white", i, 0));
    }
    return level;
}

std::string twistedLevelText(std::string_view name, const TwistedLevel& level) {
    std::string out = "[" + std::string(name) + "]\n";
    if (level.maxTime < 999) appendf(out, "max_time=%d\n", level.maxTime);
    if (level.maxMoves < 999) appendf(out, "max_moves=%d\n", level.maxMoves);
    if (level.glue < level.connect) appendf(out, "glue=%d\n", level.glue);
    appendf(out, "connect=%d\n", level.connect);
    if (level.numVisible < 99) appendf(out, "num_visible=%d\n", level.numVisible);
    appendCharRows(out, level, "type", [](const TwistedCell& cell) { return kTypeLetters[cell.type & 15]; });
    if (anyStone(level, [](const TwistedCell& cell) { return cell.mask != 0; })) {
        appendCharRows(out, level, "conn", [](const TwistedCell& cell) {
            return isActiveStone(cell.type) && cell.mask != 0 ? "0123456789abcdef"[cell.mask & 15] : '.';
        });
    }
    if (anyStone(level, [](const TwistedCell& cell) { return !cell.movableH || !cell.movableV; })) {
        appendCharRows(out, level, "move", [](const TwistedCell& cell) {
            return isActiveStone(cell.type) ? moveChar(cell) : '.';
        });
    }
    if (anyStone(level, [](const TwistedCell& cell) { return cell.limit >= 0; })) {
        for (int index = kRowKeys - 1; index >= 0; --index) {
            appendf(out, "limit(%d)=", index);
            for (int column = 0; column < TwistedLevel::kColumns; ++column) {
                const TwistedCell& cell = level.cell(column, kRowKeys - 1 - index);
                if (isActiveStone(cell.type))
                    appendf(out, "%02d", cell.limit < 0 ? -1 : std::min(cell.limit, 99));
                else
                    out += "..";
            }
            out += '\n';
        }
    }
    if (level.hasWalls)
        appendCharRows(out, level, "wall", [](const TwistedCell& cell) { return cell.wall ? '#' : '.'; });
    if (anyStone(level, [](const TwistedCell& cell) { return isChangingStone(cell.type); })) {
        for (int i = 0; i < TwistedLevel::kChangingKinds; ++i) {
            appendf(out, "black(%d)=%d\n", i, level.black[i]);
            appendf(out, "white(%d)=%d\n", i, level.white[i]);
        }
    }
    out += '\n';
    return out;
}

bool parseTwistedLevelText(const char* text, std::size_t length, std::string_view name, TwistedLevel& level) {
    IniStore store;
    store.parseBuffer(text, length);
    if (!store.findSection(name)) return false;
    level = readTwistedLevel(store, name);
    return true;
}

bool isSafeLevelName(std::string_view name) {
    if (!name.starts_with("level")) return false;
    for (char ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_') return false;
    return true;
}

namespace {

// The edited file is read into a store of its own, so it can replace this level and
// nothing else of the configuration.
bool readEditedLevel(const std::string& name, IniStore& edited) {
    return isSafeLevelName(name) && edited.mergeFile(tempFolderPath() + name) && edited.findSection(name);
}

}  // namespace

TwistedLevel loadTwistedLevel(const std::string& name) {
    IniStore edited;
    if (readEditedLevel(name, edited)) return readTwistedLevel(edited, name);
    return readTwistedLevel(IniStore::shared(), name);
}

int twistedLevelCount(const IniStore& store) {
    int count = 0;
    while (store.findSection("level" + std::to_string(count + 1))) ++count;
    return count;
}

bool twistedLevelExists(const std::string& name) {
    IniStore edited;
    return readEditedLevel(name, edited) || IniStore::shared().findSection(name) != nullptr;
}

bool saveTwistedLevel(const std::string& name, const TwistedLevel& level) {
    if (!isSafeLevelName(name)) {
        std::fprintf(stderr, "Petalune: level name \"%s\" cannot be a file name\n", name.c_str());
        return false;
    }
    std::string text = twistedLevelText(name, level);
    if (writeFileAtomically(tempFolderPath() + name, text.data(), text.size())) return true;
    std::fprintf(stderr, "Petalune: cannot write the level file %s\n", name.c_str());
    return false;
}
