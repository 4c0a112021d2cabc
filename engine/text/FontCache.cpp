#include "engine/text/FontCache.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

#include "engine/platform/CCFileUtils.h"

namespace cocos2d {

namespace {

std::unique_ptr<FontCache> s_shared;

bool hasFontExtension(const std::string& name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (const char* ext : {".ttf", ".otf", ".ttc"}) {
        if (lower.ends_with(ext)) return true;
    }
    return false;
}

// Reads a file without the engine's "file not found" notice; callers decide what to report.
std::unique_ptr<unsigned char[]> readQuietly(const std::string& file, unsigned long& size) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    bool notify = files->isPopupNotify();
    files->setPopupNotify(false);
    std::unique_ptr<unsigned char[]> data(files->getFileData(file.c_str(), "rb", &size));
    files->setPopupNotify(notify);
    return data;
}

}  // namespace

struct FontCache::FontFile {
    std::unique_ptr<unsigned char[]> bytes;
    unsigned long size = 0;
};

void FontCache::CloseFont::operator()(TTF_Font* font) const {
    TTF_CloseFont(font);
}

FontCache& FontCache::shared() {
    if (!s_shared) s_shared.reset(new FontCache());
    return *s_shared;
}

void FontCache::purge() {
    s_shared.reset();
}

FontCache::FontCache() {
    m_ready = TTF_Init() == 0;  // counted, so the TTF_Quit below leaves other users alone
    if (!m_ready) std::fprintf(stderr, "Fonts: cannot start the font renderer: %s\n", TTF_GetError());
}

FontCache::~FontCache() {
    m_fonts.clear();
    m_files.clear();
    if (m_ready) TTF_Quit();
}

std::string FontCache::resolveFile(const std::string& nameOrFile) {
    if (nameOrFile.empty()) return kDefaultSansFile;
    if (hasFontExtension(nameOrFile)) return nameOrFile;
    if (auto found = m_resolved.find(nameOrFile); found != m_resolved.end()) return found->second;
    std::string file = loadFile(nameOrFile, false) ? nameOrFile : kDefaultSansFile;
    m_resolved.emplace(nameOrFile, file);
    return file;
}

const FontCache::FontFile* FontCache::loadFile(const std::string& file, bool reportMissing) {
    if (auto found = m_files.find(file); found != m_files.end()) return found->second.get();
    auto loaded = std::make_unique<FontFile>();
    loaded->bytes = readQuietly(file, loaded->size);
    if (!loaded->bytes || loaded->size == 0 || loaded->size > static_cast<unsigned long>(INT_MAX)) {
        if (reportMissing) std::fprintf(stderr, "Fonts: cannot read the font file \"%s\"\n", file.c_str());
        return nullptr;
    }
    return m_files.emplace(file, std::move(loaded)).first->second.get();
}

TTF_Font* FontCache::open(const std::string& file, int size, bool reportMissing) {
    if (!m_ready) return nullptr;
    if (size <= 0) {
        std::fprintf(stderr, "Fonts: \"%s\" cannot be drawn at size %d\n", file.c_str(), size);
        return nullptr;
    }
    int usable = std::min(size, kMaxSize);
    auto key = std::make_pair(file, usable);
    if (auto found = m_fonts.find(key); found != m_fonts.end()) return found->second.get();
    if (m_broken.count(file) || m_brokenSizes.count(key)) return nullptr;
    // Glyphs of a huge size take gigabytes; no label of the design area needs more.
    if (usable != size)
        std::fprintf(stderr, "Fonts: \"%s\" at size %d is drawn at size %d\n", file.c_str(), size, usable);
    const FontFile* data = loadFile(file, reportMissing);
    if (!data) {
        if (reportMissing) m_broken.insert(file);
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data->bytes.get(), static_cast<int>(data->size));
    TTF_Font* font = stream ? TTF_OpenFontRW(stream, 1, usable) : nullptr;
    if (!font) {
        // Only this size fails: the same file at another size may well open.
        std::fprintf(stderr, "Fonts: \"%s\" cannot be opened at size %d: %s\n", file.c_str(), usable,
                     TTF_GetError());
        m_brokenSizes.insert(key);
        return nullptr;
    }
    return m_fonts.emplace(key, font).first->second.get();
}

TTF_Font* FontCache::font(const std::string& nameOrFile, int size) {
    return open(resolveFile(nameOrFile), size, true);
}

TTF_Font* FontCache::fallbackFont(int size) {
    if (m_broken.count(kCjkFallbackFile)) return nullptr;
    TTF_Font* font = open(kCjkFallbackFile, size, false);
    if (!font && !m_broken.count(kCjkFallbackFile)) {
        m_broken.insert(kCjkFallbackFile);
        std::fprintf(stderr, "Fonts: no \"%s\"; characters a label's font lacks show as boxes\n",
                     kCjkFallbackFile);
    }
    return font;
}

}  // namespace cocos2d
