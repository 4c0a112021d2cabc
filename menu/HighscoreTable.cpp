#include "menu/HighscoreTable.h"

#include <algorithm>
#include <cstdio>

#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/FileLock.h"
#include "core/fs/RegularFile.h"
#include "core/text/Utf8.h"

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kNameFieldSize = 16;
constexpr std::size_t kRecordSize = 24;
constexpr std::int32_t kVersion = 1;
// Ten records take 248 bytes; anything far beyond is no table of this game.
constexpr std::size_t kMaxTableBytes = 64 * 1024;

std::int32_t readInt32(const unsigned char* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void appendInt32(std::vector<unsigned char>& out, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(bits >> shift));
}

std::string pathOf(std::string_view tableName) {
    return tempFolderPath() + std::string(tableName);
}

}  // namespace

HighscoreTable parseHighscoreTable(const unsigned char* data, std::size_t size) {
    HighscoreTable table;
    if (size == 0) return table;
    if (size < kHeaderSize) {
        std::fprintf(stderr, "Petalune: highscore table is too short (%zu bytes); it reads as empty\n", size);
        return table;
    }
    std::int32_t count = readInt32(data + 4);
    std::size_t present = (size - kHeaderSize) / kRecordSize;
    std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (count < 0 || wanted > present)
        std::fprintf(stderr, "Petalune: highscore table claims %d entries but holds %zu; reading those\n",
                     count, present);
    std::size_t n = std::min({wanted, present, kHighscoreTableSize});
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char* record = data + kHeaderSize + i * kRecordSize;
        const auto* name = reinterpret_cast<const char*>(record);
        std::size_t length = std::find(name, name + kNameFieldSize, '\0') - name;
        table.push_back(
            HighscoreEntry{core::utf8Cut(std::string_view(name, length), HighscoreEntry::kMaxNameBytes),
                           readInt32(record + 16), readInt32(record + 20)});
    }
    return table;
}

std::vector<unsigned char> serializeHighscoreTable(const HighscoreTable& table) {
    std::vector<unsigned char> out;
    out.reserve(kHeaderSize + table.size() * kRecordSize);
    appendInt32(out, kVersion);
    appendInt32(out, static_cast<std::int32_t>(table.size()));
    for (const HighscoreEntry& entry : table) {
        std::string name = core::utf8Cut(entry.name, HighscoreEntry::kMaxNameBytes);
        name.resize(kNameFieldSize, '\0');
        out.insert(out.end(), name.begin(), name.end());
        appendInt32(out, entry.level);
        appendInt32(out, entry.score);
    }
    return out;
}

HighscoreTable loadHighscoreTable(std::string_view tableName) {
    auto bytes = readRegularFile(pathOf(tableName), kMaxTableBytes, LinkPolicy::Refuse);
    if (!bytes) return {};
    return parseHighscoreTable(bytes->data(), bytes->size());
}

bool saveHighscoreTable(std::string_view tableName, const HighscoreTable& table) {
    std::vector<unsigned char> bytes = serializeHighscoreTable(table);
    std::string path = pathOf(tableName);
    if (writeFileAtomically(path, bytes.data(), bytes.size())) return true;
    std::fprintf(stderr, "Petalune: cannot write the highscore table %s\n", path.c_str());
    return false;
}

bool highscoreQualifies(const HighscoreTable& table, std::int32_t score) {
    return table.size() < kHighscoreTableSize || score >= table.back().score;
}

void insertHighscore(HighscoreTable& table, HighscoreEntry entry) {
    if (table.size() >= kHighscoreTableSize) table.resize(kHighscoreTableSize - 1);
    entry.name = core::utf8Cut(entry.name, HighscoreEntry::kMaxNameBytes);
    auto place = std::find_if(table.begin(), table.end(),
                              [&entry](const HighscoreEntry& stored) { return stored.score <= entry.score; });
    table.insert(place, std::move(entry));
}

bool storeHighscore(std::string_view tableName, HighscoreEntry entry) {
    FileLock lock(pathOf(tableName) + ".lock", FileLock::Wait::Yes);
    HighscoreTable table = loadHighscoreTable(tableName);
    if (!highscoreQualifies(table, entry.score)) return true;
    insertHighscore(table, std::move(entry));
    return saveHighscoreTable(tableName, table);
}
