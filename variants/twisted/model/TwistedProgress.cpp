#include "variants/twisted/model/TwistedProgress.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"
#include "variants/twisted/model/TwistedLevelFile.h"

namespace {

// A name per solved level: far more than any edition has levels.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

std::string progressPath() {
    return tempFolderPath() + "puzzle_progress";
}

}  // namespace

TwistedProgress TwistedProgress::load() {
    TwistedProgress progress;
    auto bytes = readRegularFile(progressPath(), kMaxFileBytes, LinkPolicy::Refuse);
    if (!bytes) return progress;
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    while (!text.empty()) {
        std::size_t end = std::min(text.find('\n'), text.size());
        std::string line(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
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
