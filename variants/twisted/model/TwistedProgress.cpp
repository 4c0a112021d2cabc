#include "variants/twisted/model/TwistedProgress.h"

#include <cstdio>
#include <fstream>

#include "core/fs/AtomicFile.h"
#include "core/fs/TempFolder.h"
#include "variants/twisted/model/TwistedLevelFile.h"

namespace {

std::string progressPath() {
    return tempFolderPath() + "puzzle_progress";
}

}  // namespace

TwistedProgress TwistedProgress::load() {
    TwistedProgress progress;
    std::ifstream file(progressPath(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (isSafeLevelName(line)) progress.m_solved.insert(line);
    }
    return progress;
}

int TwistedProgress::firstUnsolved(int count) const {
    for (int number = 1; number <= count; ++number)
        if (!isSolved("level" + std::to_string(number))) return number;
    return count + 1;
}

bool TwistedProgress::markSolved(const std::string& level) {
    if (!isSafeLevelName(level) || !m_solved.insert(level).second) return true;
    std::string text;
    for (const std::string& name : m_solved) text += name + "\n";
    if (writeFileAtomically(progressPath(), text.data(), text.size())) return true;
    std::fprintf(stderr, "Petalune: cannot save the solved levels\n");
    return false;
}
