#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontgen {

// One glyph cut out of the rendered line, in BMFont terms.
struct Glyph {
    uint32_t codepoint = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int xoffset = 0, yoffset = 0, xadvance = 0;
};

// Straight-alpha RGBA pixels, row by row.
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

struct Atlas {
    Image page;
    std::vector<Glyph> glyphs;
    int lineHeight = 0;
    int base = 0;
};

// Places the glyph images on rows of a page maxWidth wide, 1 pixel of padding around each;
// the page is as high as the rows need, rounded up to a multiple of 4.
void packGlyphs(std::vector<Glyph>& glyphs, const std::vector<Image>& images, int maxWidth, Image& page);

// The text BMFont description of the atlas, its page named pageFile.
std::string describeFont(const Atlas& atlas, const std::string& face, int size, const std::string& pageFile);

}  // namespace fontgen
