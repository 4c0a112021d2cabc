#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One result: a name of at most 15 bytes (cut at a UTF-8 character boundary), the level
// reached and the score.
struct HighscoreEntry {
    static constexpr std::size_t kMaxNameBytes = 15;

    std::string name;
    std::int32_t level = 0;
    std::int32_t score = 0;

    bool operator==(const HighscoreEntry&) const = default;
};

using HighscoreTable = std::vector<HighscoreEntry>;

inline constexpr std::size_t kHighscoreTableSize = 10;

// The file format: version (int32, 1), count (int32), then count records of a 16-byte
// zero-terminated name, level and score (int32 each), all little-endian. A damaged file
// gives the whole records it holds (at most kHighscoreTableSize) and one line on
// standard error.
HighscoreTable parseHighscoreTable(const unsigned char* data, std::size_t size);
std::vector<unsigned char> serializeHighscoreTable(const HighscoreTable& table);

// The table "name" in the writable folder; missing: empty.
HighscoreTable loadHighscoreTable(std::string_view tableName);
// Replaces the file atomically; false (and one line on standard error) when it cannot.
bool saveHighscoreTable(std::string_view tableName, const HighscoreTable& table);

// A score qualifies unless the table is full and the score is below its last one.
bool highscoreQualifies(const HighscoreTable& table, std::int32_t score);
// Inserts the entry before the first one with a lower or equal score (the newest of equal
// scores comes first), dropping the last entry of a full table first. The name is cut to
// kMaxNameBytes.
void insertHighscore(HighscoreTable& table, HighscoreEntry entry);
// Reads the stored table, inserts the entry where it still qualifies and writes the table
// back, holding the table's lock file throughout, so that a second running game never
// writes over a result the first one stored meanwhile. False when it could not be written.
bool storeHighscore(std::string_view tableName, HighscoreEntry entry);

