#include "tools/fontgen/GlyphAtlas.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace fontgen {

void packGlyphs(std::vector<Glyph>& glyphs, const std::vector<Image>& images, int maxWidth, Image& page) {
    constexpr int kPad = 1;
    int x = kPad, y = kPad, rowHeight = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Image& img = images[i];
        if (x + img.width + kPad > maxWidth) {
            x = kPad;
            y += rowHeight + kPad;
            rowHeight = 0;
        }
        glyphs[i].x = x;
        glyphs[i].y = y;
        glyphs[i].width = img.width;
        glyphs[i].height = img.height;
        x += img.width + kPad;
        rowHeight = std::max(rowHeight, img.height);
    }
    const int height = (y + rowHeight + kPad + 3) / 4 * 4;
    page.width = maxWidth;
    page.height = height;
    page.rgba.assign(static_cast<size_t>(maxWidth) * height * 4, 0);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Image& img = images[i];
        for (int row = 0; row < img.height; ++row) {
            std::memcpy(&page.rgba[(static_cast<size_t>(glyphs[i].y + row) * maxWidth + glyphs[i].x) * 4],
                        &img.rgba[static_cast<size_t>(row) * img.width * 4], static_cast<size_t>(img.width) * 4);
        }
    }
}

std::string describeFont(const Atlas& atlas, const std::string& face, int size, const std::string& pageFile) {
    std::ostringstream out;
    out << "info face=\"" << face << "\" size=" << size
        << " bold=1 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=1,1\n";
    out << "common lineHeight=" << atlas.lineHeight << " base=" << atlas.base << " scaleW=" << atlas.page.width
        << " scaleH=" << atlas.page.height << " pages=1 packed=0\n";
    out << "page id=0 file=\"" << pageFile << "\"\n";
    out << "chars count=" << atlas.glyphs.size() << "\n";
    for (const Glyph& g : atlas.glyphs) {
        out << "char id=" << g.codepoint << " x=" << g.x << " y=" << g.y << " width=" << g.width
            << " height=" << g.height << " xoffset=" << g.xoffset << " yoffset=" << g.yoffset
            << " xadvance=" << g.xadvance << " page=0 chnl=15\n";
    }
    return out.str();
}

}  // namespace fontgen
