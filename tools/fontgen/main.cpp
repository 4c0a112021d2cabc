// fontgen: renders printable ASCII of a TrueType font into a BMFont (text .fnt + one PNG page):
// a warm white-to-gold fill inside a dark outline, readable on any background.
// Usage: fontgen <font.ttf> <pixel size> <outline px> <out.fnt> <out.png>
#include <SDL.h>
#include <SDL_ttf.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tools/fontgen/GlyphAtlas.h"

namespace {

struct Rgb {
    double r, g, b;
};
constexpr Rgb kOutline = {74, 29, 107};
constexpr Rgb kFillTop = {255, 255, 255};
constexpr Rgb kFillBottom = {255, 221, 120};

uint8_t alphaAt(SDL_Surface* s, int x, int y) {
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
    const auto* row = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
    uint8_t r, g, b, a;
    SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
    return a;
}

// Composites the fill over the outline; returns the cropped glyph and its crop origin.
fontgen::Image composeGlyph(SDL_Surface* fill, SDL_Surface* outline, int outlinePx, int lineHeight, int& cropX,
                            int& cropY) {
    const int w = outline ? outline->w : (fill ? fill->w : 0);
    const int h = outline ? outline->h : (fill ? fill->h : 0);
    fontgen::Image full{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4, 0)};
    int minX = w, minY = h, maxX = -1, maxY = -1;
    for (int y = 0; y < h; ++y) {
        const double along = std::clamp(static_cast<double>(y - outlinePx) / std::max(lineHeight, 1), 0.0, 1.0);
        const Rgb top = kFillTop, bottom = kFillBottom;
        const Rgb fillColour = {top.r + (bottom.r - top.r) * along, top.g + (bottom.g - top.g) * along,
                                top.b + (bottom.b - top.b) * along};
        for (int x = 0; x < w; ++x) {
            const double fa = alphaAt(fill, x - outlinePx, y - outlinePx) / 255.0;
            const double oa = alphaAt(outline, x, y) / 255.0;
            const double a = fa + oa * (1.0 - fa);
            if (a <= 0.0) continue;
            auto mixChannel = [&](double f, double o) {
                return static_cast<uint8_t>(std::lround((f * fa + o * oa * (1.0 - fa)) / a));
            };
            uint8_t* px = &full.rgba[(static_cast<size_t>(y) * w + x) * 4];
            px[0] = mixChannel(fillColour.r, kOutline.r);
            px[1] = mixChannel(fillColour.g, kOutline.g);
            px[2] = mixChannel(fillColour.b, kOutline.b);
            px[3] = static_cast<uint8_t>(std::lround(a * 255.0));
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0) {
        cropX = cropY = 0;
        return {};
    }
    cropX = minX;
    cropY = minY;
    fontgen::Image cut{maxX - minX + 1, maxY - minY + 1, {}};
    for (int y = minY; y <= maxY; ++y) {
        const auto* row = &full.rgba[(static_cast<size_t>(y) * w + minX) * 4];
        cut.rgba.insert(cut.rgba.end(), row, row + static_cast<size_t>(cut.width) * 4);
    }
    return cut;
}

bool writePng(const fontgen::Image& image, const char* path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    const bool ok = png_image_write_to_file(&png, path, 0, image.rgba.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int run(const char* fontPath, int size, int outlinePx, const char* fntPath, const char* pngPath) {
    TTF_Font* fill = TTF_OpenFont(fontPath, size);
    TTF_Font* outline = TTF_OpenFont(fontPath, size);
    if (!fill || !outline) {
        std::fprintf(stderr, "fontgen: cannot open %s: %s\n", fontPath, TTF_GetError());
        if (fill) TTF_CloseFont(fill);
        if (outline) TTF_CloseFont(outline);
        return 1;
    }
    TTF_SetFontOutline(outline, outlinePx);

    fontgen::Atlas atlas;
    atlas.lineHeight = TTF_FontHeight(fill) + 2 * outlinePx;
    atlas.base = TTF_FontAscent(fill) + outlinePx;
    std::vector<fontgen::Image> images;
    const SDL_Color white = {255, 255, 255, 255};
    int status = 0;
    for (uint32_t c = 32; c <= 126 && status == 0; ++c) {
        int minx, maxx, miny, maxy, advance;
        if (!TTF_GlyphIsProvided32(fill, c) || TTF_GlyphMetrics32(fill, c, &minx, &maxx, &miny, &maxy, &advance)) {
            std::fprintf(stderr, "fontgen: %s lacks the character %u\n", fontPath, c);
            status = 1;
            break;
        }
        SDL_Surface* f = c == ' ' ? nullptr : TTF_RenderGlyph32_Blended(fill, c, white);
        SDL_Surface* o = c == ' ' ? nullptr : TTF_RenderGlyph32_Blended(outline, c, white);
        if (c != ' ' && (!f || !o)) {
            std::fprintf(stderr, "fontgen: cannot render character %u: %s\n", c, TTF_GetError());
            status = 1;
        } else {
            int cropX = 0, cropY = 0;
            images.push_back(composeGlyph(f, o, outlinePx, TTF_FontHeight(fill), cropX, cropY));
            fontgen::Glyph glyph;
            glyph.codepoint = c;
            glyph.xoffset = images.back().width ? cropX - outlinePx : 0;
            glyph.yoffset = images.back().width ? cropY : 0;
            glyph.xadvance = advance + outlinePx;
            atlas.glyphs.push_back(glyph);
        }
        SDL_FreeSurface(f);
        SDL_FreeSurface(o);
    }
    TTF_CloseFont(fill);
    TTF_CloseFont(outline);
    if (status != 0) return status;

    fontgen::packGlyphs(atlas.glyphs, images, 512, atlas.page);
    if (!writePng(atlas.page, pngPath)) {
        std::fprintf(stderr, "fontgen: cannot write %s\n", pngPath);
        return 1;
    }
    std::ofstream fnt(fntPath, std::ios::trunc);
    fnt << fontgen::describeFont(atlas, "Comfortaa", size, baseName(pngPath));
    if (!fnt.flush()) {
        std::fprintf(stderr, "fontgen: cannot write %s\n", fntPath);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: fontgen <font.ttf> <pixel size> <outline px> <out.fnt> <out.png>\n");
        return 2;
    }
    const int size = std::atoi(argv[2]);
    const int outlinePx = std::atoi(argv[3]);
    if (size < 4 || size > 200 || outlinePx < 0 || outlinePx > 10) {
        std::fprintf(stderr, "fontgen: size must be 4-200 and outline 0-10\n");
        return 2;
    }
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "fontgen: %s\n", TTF_GetError());
        return 1;
    }
    const int status = run(argv[1], size, outlinePx, argv[4], argv[5]);
    TTF_Quit();
    return status;
}
