#include "engine/platform/CCEGLView.h"
#include "engine/renderer/Renderer.h"

namespace cocos2d {

// Apart from the rest of the view so that headless programs do not link the window backend.
CCEGLView* CCEGLView::createWithWindow(int width, int height, const std::string& title, RendererKind kind,
                                       const std::string& memoryFile) {
    std::unique_ptr<PlatformWindow> window = createWindowFor(kind, width, height, title, memoryFile);
    if (!window) return nullptr;
    std::shared_ptr<PlatformWindow> shared(std::move(window));
    // The renderer lives inside the window; sharing the window's ownership keeps it valid.
    std::shared_ptr<Renderer> renderer(shared, &shared->renderer());
    return install(shared, renderer, width, height);
}

}  // namespace cocos2d
