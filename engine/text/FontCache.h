#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

typedef struct _TTF_Font TTF_Font;

namespace cocos2d {

// Open TrueType fonts by (file, pixel size). Font files are read through CCFileUtils (the
// appended archive first, then the disk) and opened from memory, so their bytes stay here
// for as long as any size of them is open.
class FontCache {
public:
    static constexpr const char* kDefaultSansFile = "default_sans.ttf";
    static constexpr const char* kCjkFallbackFile = "cjk_fallback.ttf";
    // Larger sizes are drawn at this one (with a message).
    static constexpr int kMaxSize = 512;

    static FontCache& shared();
    // Closes every font; the next use opens them again.
    static void purge();

    ~FontCache();

    // A font file, or a family name such as "Arial" that is not a file, which means the
    // bundled sans font. Null, with one line on standard error, when the file cannot be read
    // or is not a font.
    TTF_Font* font(const std::string& nameOrFile, int size);

    // The font that draws what a display font lacks (Chinese); null when it is not shipped.
    TTF_Font* fallbackFont(int size);

private:
    struct FontFile;
    struct CloseFont {
        void operator()(TTF_Font* font) const;
    };

    FontCache();
    std::string resolveFile(const std::string& nameOrFile);
    const FontFile* loadFile(const std::string& file, bool reportMissing);
    TTF_Font* open(const std::string& file, int size, bool reportMissing);

    bool m_ready = false;
    std::map<std::string, std::string> m_resolved;
    // Files already reported as unusable, so a label made every frame does not flood the log.
    std::set<std::string> m_broken;
    std::set<std::pair<std::string, int>> m_brokenSizes;
    std::map<std::string, std::unique_ptr<FontFile>> m_files;
    // Declared after the files so the fonts close before their bytes go.
    std::map<std::pair<std::string, int>, std::unique_ptr<TTF_Font, CloseFont>> m_fonts;
};

}  // namespace cocos2d
