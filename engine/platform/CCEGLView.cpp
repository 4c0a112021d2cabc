#include "engine/platform/CCEGLView.h"

#include <algorithm>
#include <optional>

#include "engine/director/CCDirector.h"
#include "engine/input/CCIMEDispatcher.h"
#include "engine/input/CCKeypadDispatcher.h"
#include "engine/input/CCTouch.h"
#include "engine/input/CCTouchDispatcher.h"
#include "engine/platform/CCApplication.h"
#include "engine/renderer/Renderer.h"
#include "engine/renderer/headless/HeadlessRenderer.h"

namespace cocos2d {

namespace {

std::unique_ptr<CCEGLView> s_view;
constexpr int kPointerTouchId = 0;

// The keys that are key messages of their own rather than plain key presses.
std::optional<ccKeypadMSGType> keypadMessageFor(int virtualKey, bool shift) {
    if (virtualKey == kVirtualKeyEscape) return kTypeBackClicked;
    if (!shift) return std::nullopt;
    switch (virtualKey) {
        case kVirtualKeyF1:
            return kTypeBackClicked;
        case kVirtualKeyF2:
            return kTypeMenuClicked;
        case kVirtualKeyF3:
            return kTypeVolumeDownClicked;
        case kVirtualKeyF4:
            return kTypeVolumeUpClicked;
        default:
            return std::nullopt;
    }
}

CCTouchDispatcher* touchDispatcher() {
    return CCDirector::sharedDirector()->getTouchDispatcher();
}

}  // namespace

CCEGLView* CCEGLView::createHeadless(int width, int height) {
    return install(nullptr, std::make_shared<HeadlessRenderer>(), width, height);
}

CCEGLView* CCEGLView::install(std::shared_ptr<PlatformWindow> window, std::shared_ptr<Renderer> renderer,
                              int width, int height) {
    purgeSharedOpenGLView();
    s_view.reset(new CCEGLView(std::move(window), std::move(renderer), width, height));
    return s_view.get();
}

CCEGLView* CCEGLView::sharedOpenGLView() {
    return s_view.get();
}

void CCEGLView::purgeSharedOpenGLView() {
    if (s_view && CCDirector::sharedDirector()->getOpenGLView() == s_view.get())
        CCDirector::sharedDirector()->setOpenGLView(nullptr);
    s_view.reset();
}

CCEGLView::CCEGLView(std::shared_ptr<PlatformWindow> window, std::shared_ptr<Renderer> renderer, int width,
                     int height)
    : m_window(std::move(window)), m_renderer(std::move(renderer)) {
    m_frameSize = CCSize(static_cast<float>(width), static_cast<float>(height));
    m_windowedSize = m_frameSize;
    updateScale();
}

CCEGLView::~CCEGLView() {
    for (auto& [id, touch] : m_touches) touch->release();
}

void CCEGLView::setFrameSize(float width, float height) {
    if (m_fullscreen) setFullscreen(false);
    if (m_window) m_window->setFrameSize(static_cast<int>(width), static_cast<int>(height));
    onResized(static_cast<int>(width), static_cast<int>(height));
}

void CCEGLView::onResized(int width, int height) {
    m_frameSize = CCSize(static_cast<float>(std::max(1, width)), static_cast<float>(std::max(1, height)));
    if (!m_fullscreen) m_windowedSize = m_frameSize;
    m_renderer->setViewport(static_cast<int>(m_frameSize.width), static_cast<int>(m_frameSize.height));
    updateScale();
    CCDirector::sharedDirector()->setNeedsRedraw();
}

void CCEGLView::setFullscreen(bool fullscreen) {
    if (fullscreen == m_fullscreen) return;
    m_fullscreen = fullscreen;
    if (m_window) {
        m_window->setFullscreen(fullscreen);
        return;
    }
    CCSize size = fullscreen ? m_desktopSize : m_windowedSize;
    onResized(static_cast<int>(size.width), static_cast<int>(size.height));
}

void CCEGLView::setDesktopSize(int width, int height) {
    m_desktopSize = CCSize(static_cast<float>(std::max(1, width)), static_cast<float>(std::max(1, height)));
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
    if (width <= 0 || height <= 0) return;
    m_designSize = CCSize(width, height);
    m_designSizeSet = true;
    m_policy = policy;
    updateScale();
}

void CCEGLView::updateScale() {
    if (!m_designSizeSet) m_designSize = m_frameSize;
    float sx = m_designSize.width > 0 ? m_frameSize.width / m_designSize.width : 1;
    float sy = m_designSize.height > 0 ? m_frameSize.height / m_designSize.height : 1;
    if (m_policy == kResolutionShowAll) sx = sy = std::min(sx, sy);
    if (m_policy == kResolutionNoBorder) sx = sy = std::max(sx, sy);
    m_scaleX = sx;
    m_scaleY = sy;
    float w = m_designSize.width * sx, h = m_designSize.height * sy;
    m_viewport = CCRect((m_frameSize.width - w) / 2, (m_frameSize.height - h) / 2, w, h);
}

CCSize CCEGLView::getVisibleSize() const {
    if (m_policy != kResolutionNoBorder) return m_designSize;
    return CCSize(m_frameSize.width / m_scaleX, m_frameSize.height / m_scaleY);
}

CCPoint CCEGLView::getVisibleOrigin() const {
    if (m_policy != kResolutionNoBorder) return CCPointZero;
    CCSize visible = getVisibleSize();
    return CCPoint((m_designSize.width - visible.width) / 2, (m_designSize.height - visible.height) / 2);
}

void CCEGLView::setViewName(const char* title) {
    if (m_window && title) m_window->setTitle(title);
}

void CCEGLView::show() {
    if (m_window) m_window->show();
}

void CCEGLView::pollEvents(int timeoutMs) {
    if (m_window) m_window->pumpEvents(*this, std::max(0, timeoutMs));
}

CCPoint CCEGLView::windowToView(float x, float y) const {
    float designX = (x - m_viewport.origin.x) / m_scaleX;
    float designY = (y - m_viewport.origin.y) / m_scaleY;
    return CCPoint(designX, m_designSize.height - designY);
}

CCTouch* CCEGLView::touchFor(int id) {
    auto it = m_touches.find(id);
    return it == m_touches.end() ? nullptr : it->second;
}

void CCEGLView::handleTouchBegin(int id, float x, float y) {
    // A touch that never ended (a lost release) is cancelled before the id is reused.
    if (touchFor(id)) finishTouch(id, x, y, true);
    auto* touch = new CCTouch();
    touch->setTouchInfo(id, x, y);
    m_touches[id] = touch;
    touchDispatcher()->touchBegan(touch);
}

void CCEGLView::handleTouchMove(int id, float x, float y) {
    CCTouch* touch = touchFor(id);
    if (!touch) return;
    touch->setTouchInfo(id, x, y);
    touchDispatcher()->touchMoved(touch);
}

void CCEGLView::handleTouchEnd(int id, float x, float y) {
    finishTouch(id, x, y, false);
}

void CCEGLView::handleTouchCancel(int id, float x, float y) {
    finishTouch(id, x, y, true);
}

void CCEGLView::finishTouch(int id, float x, float y, bool cancelled) {
    auto it = m_touches.find(id);
    if (it == m_touches.end()) return;
    CCTouch* touch = it->second;
    m_touches.erase(it);
    touch->setTouchInfo(id, x, y);
    if (cancelled)
        touchDispatcher()->touchCancelled(touch);
    else
        touchDispatcher()->touchEnded(touch);
    touch->release();
}

void CCEGLView::onMinimized() {
    if (CCApplication* app = CCApplication::sharedApplication()) app->applicationDidEnterBackground();
}

void CCEGLView::onRestored() {
    if (CCApplication* app = CCApplication::sharedApplication()) app->applicationWillEnterForeground();
    CCDirector::sharedDirector()->setNeedsRedraw();
}

void CCEGLView::onCloseRequested() {
    // The background handling saves a running game before the director ends.
    if (CCApplication* app = CCApplication::sharedApplication()) app->applicationDidEnterBackground();
    CCDirector::sharedDirector()->end();
}

void CCEGLView::onExposed() {
    CCDirector::sharedDirector()->setNeedsRedraw();
}

void CCEGLView::onPointerDown(float x, float y) {
    CCPoint p = windowToView(x, y);
    m_pointerDown = true;
    handleTouchBegin(kPointerTouchId, p.x, p.y);
}

void CCEGLView::onPointerMoved(float x, float y) {
    if (!m_pointerDown) {
        hover(x, y);
        return;
    }
    CCPoint p = windowToView(x, y);
    handleTouchMove(kPointerTouchId, p.x, p.y);
}

void CCEGLView::onPointerUp(float x, float y) {
    if (!m_pointerDown) return;
    m_pointerDown = false;
    CCPoint p = windowToView(x, y);
    handleTouchEnd(kPointerTouchId, p.x, p.y);
    // Whatever the touch changed, the pointer still rests there.
    hover(x, y);
}

void CCEGLView::onPointerLeft() {
    touchDispatcher()->pointerLeft();
}

void CCEGLView::hover(float x, float y) {
    touchDispatcher()->pointerHovered(CCDirector::sharedDirector()->convertToGL(windowToView(x, y)));
}

void CCEGLView::onKeyDown(int virtualKey, bool shift) {
    // The window's own key, as on every desktop; the game never sees it.
    if (virtualKey == kVirtualKeyF11 && !shift) {
        setFullscreen(!m_fullscreen);
        return;
    }
    CCKeypadDispatcher* keypad = CCDirector::sharedDirector()->getKeypadDispatcher();
    if (std::optional<ccKeypadMSGType> message = keypadMessageFor(virtualKey, shift))
        keypad->dispatchKeypadMSG(*message);
    else
        keypad->dispatchKeyDown(virtualKey, shift);
    // Every key is also a touch at the view origin whose id is the key code. It has no
    // release, so whoever claimed it is told at once that it is over; otherwise a menu
    // that claimed it would wait for its end forever.
    handleTouchBegin(virtualKey, 0, 0);
    handleTouchCancel(virtualKey, 0, 0);

    CCIMEDispatcher* ime = CCIMEDispatcher::sharedDispatcher();
    switch (virtualKey) {
        case kVirtualKeyBack:
            ime->dispatchDeleteBackward();
            break;
        case kVirtualKeyReturn:
            ime->dispatchInsertText("\n", 1);
            break;
        case kVirtualKeyLeft:
            ime->dispatchEditKey(CCIMEEditKey::Left);
            break;
        case kVirtualKeyRight:
            ime->dispatchEditKey(CCIMEEditKey::Right);
            break;
        case kVirtualKeyHome:
            ime->dispatchEditKey(CCIMEEditKey::Home);
            break;
        case kVirtualKeyEnd:
            ime->dispatchEditKey(CCIMEEditKey::End);
            break;
        case kVirtualKeyDelete:
            ime->dispatchEditKey(CCIMEEditKey::Delete);
            break;
        default:
            break;
    }
}

void CCEGLView::onTextInput(const std::string& utf8) {
    if (!utf8.empty())
        CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(utf8.data(), static_cast<int>(utf8.size()));
}

}  // namespace cocos2d
