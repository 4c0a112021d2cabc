#include "engine/text/FontRasterizer.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <memory>

#include "core/text/Utf8.h"
#include "engine/text/FontCache.h"
#include "engine/text/TextLineBreaker.h"

namespace cocos2d {

namespace {

bool fontDrawsAll(TTF_Font* font, const std::u32string& codePoints) {
    return std::all_of(codePoints.begin(), codePoints.end(),
                       [font](char32_t c) { return c < 0x20 || TTF_GlyphIsProvided32(font, c); });
}

// The whole label goes to the fallback font (which covers Latin too), so one font lays it out.
TTF_Font* fontFor(const std::string& text, TTF_Font* primary, int size) {
    if (fontDrawsAll(primary, core::utf8ToCodePoints(text))) return primary;
    TTF_Font* fallback = FontCache::shared().fallbackFont(size);
    return fallback ? fallback : primary;
}

int lineWidth(TTF_Font* font, std::string_view line) {
    if (line.empty()) return 0;
    std::string copy(line);
    int width = 0;
    int height = 0;
    return TTF_SizeUTF8(font, copy.c_str(), &width, &height) == 0 ? width : 0;
}

// Copies the coverage of an SDL_ttf surface into the bitmap at (left, top), clipped to it.
void blitCoverage(SDL_Surface* surface, int left, int top, TextBitmap& out) {
    SDL_Surface* argb = surface->format->format == SDL_PIXELFORMAT_ARGB8888
                            ? surface
                            : SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb || SDL_LockSurface(argb) != 0) {
        if (argb && argb != surface) SDL_FreeSurface(argb);
        return;
    }
    const auto* pixels = static_cast<const std::uint8_t*>(argb->pixels);
    int firstRow = std::max(0, -top);
    int lastRow = std::min(argb->h, out.height - top);
    int firstColumn = std::max(0, -left);
    int lastColumn = std::min(argb->w, out.width - left);
    for (int y = firstRow; y < lastRow; ++y) {
        // Rows are padded: step by the pitch, not by the width.
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(pixels + static_cast<std::size_t>(y) * argb->pitch);
        std::uint8_t* target =
            &out.rgba[(static_cast<std::size_t>(top + y) * out.width + left + firstColumn) * 4];
        for (int x = firstColumn; x < lastColumn; ++x, target += 4) {
            auto alpha = static_cast<std::uint8_t>(row[x] >> 24);
            if (alpha > target[3]) std::fill(target, target + 4, alpha);
        }
    }
    SDL_UnlockSurface(argb);
    if (argb != surface) SDL_FreeSurface(argb);
}

struct FreeSurface {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

int alignedOffset(int space, int used, bool start, bool end) {
    if (start) return 0;
    if (end) return space - used;
    return (space - used) / 2;
}

}  // namespace

bool measureTextCaret(const std::string& utf8, std::size_t caretByte, const TextStyle& style,
                      TextCaret& out) {
    TTF_Font* primary = FontCache::shared().font(style.font, style.size);
    if (!primary) return false;
    TTF_Font* font = fontFor(utf8, primary, style.size);
    int textWidth = lineWidth(font, utf8);
    int textHeight = TTF_FontHeight(font);
    int boxWidth = style.boxWidth > 0 ? style.boxWidth : textWidth;
    int boxHeight = style.boxHeight > 0 ? style.boxHeight : textHeight;
    int left = alignedOffset(boxWidth, textWidth, style.horizontal == kCCTextAlignmentLeft,
                             style.horizontal == kCCTextAlignmentRight);
    out.x = left + lineWidth(font, std::string_view(utf8).substr(0, std::min(caretByte, utf8.size())));
    out.top = alignedOffset(boxHeight, textHeight, style.vertical == kCCVerticalTextAlignmentTop,
                            style.vertical == kCCVerticalTextAlignmentBottom);
    out.height = textHeight;
    return true;
}

bool rasterizeText(const std::string& utf8, const TextStyle& style, TextBitmap& out) {
    TTF_Font* primary = FontCache::shared().font(style.font, style.size);
    if (!primary) return false;
    TTF_Font* font = fontFor(utf8, primary, style.size);

    std::vector<std::string> lines;
    if (!utf8.empty()) {
        lines = breakTextLines(utf8, style.boxWidth,
                               [font](std::string_view line) { return lineWidth(font, line); });
    }
    // Each line is drawn once and measured by its surface: SDL_ttf's small glyph cache can
    // thrash on some strings, and then every extra pass over the text costs glyph loads again.
    const SDL_Color white{255, 255, 255, 255};
    std::vector<std::unique_ptr<SDL_Surface, FreeSurface>> surfaces;
    int textWidth = 0;
    for (const std::string& line : lines) {
        surfaces.emplace_back(line.empty() ? nullptr : TTF_RenderUTF8_Blended(font, line.c_str(), white));
        if (surfaces.back()) textWidth = std::max(textWidth, surfaces.back()->w);
    }
    int lineSkip = std::max(1, TTF_FontLineSkip(font));
    int textHeight = lines.empty() ? 0 : static_cast<int>(lines.size() - 1) * lineSkip + TTF_FontHeight(font);

    out.width = style.boxWidth > 0 ? style.boxWidth : textWidth;
    out.height = style.boxHeight > 0 ? style.boxHeight : textHeight;
    out.rgba.assign(static_cast<std::size_t>(out.width) * out.height * 4, 0);

    int top = alignedOffset(out.height, textHeight, style.vertical == kCCVerticalTextAlignmentTop,
                            style.vertical == kCCVerticalTextAlignmentBottom);
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        if (!surfaces[i]) continue;
        int left = alignedOffset(out.width, surfaces[i]->w, style.horizontal == kCCTextAlignmentLeft,
                                 style.horizontal == kCCTextAlignmentRight);
        blitCoverage(surfaces[i].get(), left, top + static_cast<int>(i) * lineSkip, out);
    }
    return true;
}

}  // namespace cocos2d
