#include "engine/renderer/DrawList.h"

#include <algorithm>

namespace cocos2d {

void DrawList::clear() {
    m_quads.clear();
    m_commands.clear();
    m_clips.clear();
}

void DrawList::addQuad(TextureId texture, BlendFunc blend, const Quad& quad) {
    bool clipped = !m_clips.empty();
    ClipRect clip = clipped ? m_clips.back() : ClipRect{};
    if (m_commands.empty() || m_commands.back().texture != texture || !(m_commands.back().blend == blend) ||
        m_commands.back().clipped != clipped || !(m_commands.back().clip == clip)) {
        m_commands.push_back(DrawCommand{texture, blend, clipped, clip, static_cast<std::uint32_t>(m_quads.size()), 0});
    }
    m_quads.push_back(quad);
    ++m_commands.back().quadCount;
}

void DrawList::pushClip(const ClipRect& rect) {
    ClipRect clip = rect;
    if (!m_clips.empty()) {
        const ClipRect& outer = m_clips.back();
        float left = std::max(clip.x, outer.x);
        float bottom = std::max(clip.y, outer.y);
        float right = std::min(clip.x + clip.width, outer.x + outer.width);
        float top = std::min(clip.y + clip.height, outer.y + outer.height);
        clip = ClipRect{left, bottom, std::max(0.0f, right - left), std::max(0.0f, top - bottom)};
    }
    m_clips.push_back(clip);
}

void DrawList::popClip() {
    if (!m_clips.empty()) m_clips.pop_back();
}

}  // namespace cocos2d
