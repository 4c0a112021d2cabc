#pragma once

#include <set>
#include <string>
#include <string_view>

// The levels the player has solved, kept in the file "puzzle_progress" of the writable
// folder, one level name a line.
class TwistedProgress {
public:
    // What the file holds; nothing when it is missing or unreadable.
    static TwistedProgress load();

    bool isSolved(std::string_view level) const { return m_solved.contains(std::string(level)); }
    // The number of the first level of 1 to count not yet solved; count + 1 when all are.
    int firstUnsolved(int count) const;
    // Records the level and rewrites the file whole; false (and a line on stderr) when
    // the file cannot be written.
    bool markSolved(const std::string& level);

private:
    std::set<std::string> m_solved;
};
