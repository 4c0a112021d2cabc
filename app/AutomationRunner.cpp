#include "app/AutomationRunner.h"

#include <cstdio>

#include "app/GameScene.h"
#include "app/SceneWalk.h"
#include "app/StateDump.h"
#include "core/fs/AtomicFile.h"
#include "engine/director/CCDirector.h"
#include "engine/nodes/CCLayer.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/FrameDriver.h"
#include "engine/platform/PngWriter.h"
#include "engine/renderer/Renderer.h"
#include "menu/ScaledScene.h"

using namespace cocos2d;

std::string pathBelow(const std::string& folder, const std::string& name) {
    if (folder.empty() || name.starts_with('/')) return name;
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

bool writeStateDump(const std::string& path) {
    std::string json = stateDumpJson() + "\n";
    if (writeFileAtomically(path, json.data(), json.size())) return true;
    std::fprintf(stderr, "Petalune: cannot write the state to %s\n", path.c_str());
    return false;
}

AutomationRunner::AutomationRunner(FrameDriver& driver, std::string dumpFolder, std::string screenshotFolder)
    : m_driver(driver),
      m_dumpFolder(std::move(dumpFolder)),
      m_screenshotFolder(std::move(screenshotFolder)) {}

CCPoint AutomationRunner::windowPoint(const CCPoint& design) const {
    CCPoint world = design;
    if (auto* scene = dynamic_cast<ScaledScene*>(currentScreen()))
        world = scene->contentRoot()->convertToWorldSpace(design);
    const CCEGLView& view = m_driver.view();
    const CCRect& viewport = view.getViewPortRect();
    return CCPoint(viewport.origin.x + world.x * view.getScaleX(),
                   viewport.origin.y + world.y * view.getScaleY());
}

std::string AutomationRunner::run(const std::vector<ScriptStep>& steps) {
    m_quit = false;
    // A message box would wait for a player who is not there: its text goes to standard
    // error instead, and the step that showed it fails.
    std::string shownBox;
    CCFileUtils::sharedFileUtils()->setNotifyHandler(
        [&shownBox](const std::string& title, const std::string& text) {
            std::fprintf(stderr, "Petalune: %s: %s\n", title.c_str(), text.c_str());
            if (shownBox.empty()) shownBox = "a message box was shown: " + text;
        });
    std::string failure;
    for (const ScriptStep& step : steps) {
        if (m_quit || CCDirector::sharedDirector()->isEnded()) break;
        std::string error = runStep(step);
        if (error.empty()) error = shownBox;
        if (!error.empty()) {
            failure = "line " + std::to_string(step.line) + ": " + error;
            break;
        }
    }
    CCFileUtils::sharedFileUtils()->setNotifyHandler(nullptr);
    return failure;
}

std::string AutomationRunner::runStep(const ScriptStep& step) {
    using Kind = ScriptStep::Kind;
    CCPoint at = windowPoint(CCPoint(step.x, step.y));
    switch (step.kind) {
        case Kind::Wait:
            m_driver.step(step.frames ? step.frames : m_driver.framesFor(step.seconds));
            return {};
        case Kind::WaitIdle:
            return waitUntilIdle(step.frames);
        case Kind::Tap:
            m_driver.tap(at.x, at.y);
            return {};
        case Kind::Down:
            m_driver.touchDown(at.x, at.y);
            return {};
        case Kind::Move:
            m_driver.touchMove(at.x, at.y);
            return {};
        case Kind::Hover:
            m_driver.hover(at.x, at.y);
            return {};
        case Kind::Leave:
            m_driver.pointerLeave();
            return {};
        case Kind::Up:
            m_driver.touchUp(at.x, at.y);
            return {};
        case Kind::Drag: {
            m_driver.touchDown(at.x, at.y);
            for (int i = 1; i <= step.frames; ++i) {
                if (!m_driver.step()) return {};
                float t = static_cast<float>(i) / step.frames;
                CCPoint now =
                    windowPoint(CCPoint(step.x + (step.x2 - step.x) * t, step.y + (step.y2 - step.y) * t));
                m_driver.touchMove(now.x, now.y);
            }
            CCPoint end = windowPoint(CCPoint(step.x2, step.y2));
            m_driver.touchUp(end.x, end.y);
            return {};
        }
        case Kind::Key:
            m_driver.keyPress(step.virtualKey, step.shift);
            return {};
        case Kind::Type:
            m_driver.typeText(step.text);
            return {};
        case Kind::Click:
            return clickItem(step.text);
        case Kind::Dump:
            return writeStateDump(pathBelow(m_dumpFolder, step.text)) ? std::string()
                                                                      : "cannot write " + step.text;
        case Kind::Screenshot:
            return saveScreenshot(pathBelow(m_screenshotFolder, step.text));
        case Kind::Resize:
            m_driver.view().setFrameSize(step.x, step.y);
            return {};
        case Kind::Fullscreen:
            m_driver.view().setFullscreen(step.on);
            return {};
        case Kind::Quit:
            m_quit = true;
            return {};
    }
    return {};
}

std::string AutomationRunner::waitUntilIdle(int frameCap) {
    for (int frame = 0; frame < frameCap; ++frame) {
        auto* game = dynamic_cast<GameScene*>(currentScreen());
        if (!game) return "wait_idle needs a game screen";
        if (game->isGameIdle()) return {};
        if (!m_driver.step()) return {};
    }
    return "the board was still busy after " + std::to_string(frameCap) + " frames";
}

std::string AutomationRunner::clickItem(const std::string& name) {
    CCNode* item = findShownItem(currentScreen(), name);
    if (!item) return "no item with the id or function \"" + name + "\" is shown";
    const CCSize& size = item->getContentSize();
    CCPoint world = item->convertToWorldSpace(CCPoint(size.width / 2, size.height / 2));
    const CCEGLView& view = m_driver.view();
    const CCRect& viewport = view.getViewPortRect();
    m_driver.tap(viewport.origin.x + world.x * view.getScaleX(),
                 viewport.origin.y + world.y * view.getScaleY());
    return {};
}

std::string AutomationRunner::saveScreenshot(const std::string& path) {
    if (!m_driver.view().getWindow()) return "screenshots need a window (run without --headless)";
    CCDirector* director = CCDirector::sharedDirector();
    std::shared_ptr<Renderer> renderer = director->getRenderer();
    // The back buffer is undefined after a swap: draw the last frame into it again.
    renderer->render(director->getDrawList(), 0, Color4B{0, 0, 0, 255});
    std::vector<std::uint8_t> rgba;
    int width = 0, height = 0;
    if (!renderer->readPixels(rgba, width, height)) return "the window's pixels cannot be read";
    if (!writePng(path, rgba.data(), width, height)) return "cannot write " + path;
    return {};
}
