#include "app/Launcher.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/AppDelegate.h"
#include "app/AssetArchive.h"
#include "app/AutomationRunner.h"
#include "app/CommandLine.h"
#include "app/Edition.h"
#include "app/GameSeed.h"
#include "app/WindowState.h"
#include "config/IniStore.h"
#include "config/LanguageSuffix.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"
#include "engine/audio/NullAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/Desktop.h"
#include "engine/platform/FrameDriver.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/OpenURL.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/RendererChoice.h"
#include "menu/AdMode.h"
#include "app/CrashLog.h"
#include "online/InstalledVersion.h"
#include "online/OutboundLinks.h"

using namespace cocos2d;

namespace {

constexpr float kAutomationStep = 1.0f / 60;

std::string currentFolder() {
    std::vector<char> buffer(4096);
    return ::getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string();
}

constexpr std::size_t kMaxScriptBytes = 16 << 20;

bool readTextFile(const std::string& path, std::string& text) {
    auto bytes = readRegularFile(path, kMaxScriptBytes, LinkPolicy::Follow);
    if (!bytes) return false;
    text.assign(bytes->begin(), bytes->end());
    return true;
}

// The drawing backend asked for; a scripted run draws with GL unless told otherwise, so
// that its screenshots do not depend on what an earlier start found out about the machine.
RendererKind rendererFor(const LaunchOptions& options) {
    if (std::optional<RendererKind> named = rendererKindNamed(options.renderer)) return *named;
    return options.automated() ? RendererKind::GL : RendererKind::Automatic;
}

// A window of no pixels cannot be shown: such a side falls back to the desktop default.
WindowSize usableWindowSize(WindowSize chosen, const DesktopBounds& desktop) {
    WindowSize fallback = defaultWindowSize(desktop.bottom());
    if (chosen.width < 1 || chosen.height < 1)
        std::fprintf(stderr, "Petalune: a window of %d x %d pixels cannot be shown; using the default size\n",
                     chosen.width, chosen.height);
    if (chosen.width < 1) chosen.width = fallback.width;
    if (chosen.height < 1) chosen.height = fallback.height;
    return chosen;
}

// The window as it is now; where it is fullscreen, the place it had before.
WindowState currentWindowState(const CCEGLView& view, const std::optional<WindowState>& saved) {
    CCSize windowed = view.getWindowedSize();
    WindowState state{static_cast<int>(windowed.width), static_cast<int>(windowed.height), std::nullopt,
                      view.isFullscreen()};
    WindowOrigin origin;
    if (view.isFullscreen())
        state.position = saved ? saved->position : std::nullopt;
    else if (view.getWindow() && view.getWindow()->position(origin.x, origin.y))
        state.position = origin;
    return state;
}

// Makes the relative folder and file names of the options absolute, so that they keep
// meaning what they meant after the working folder changes.
void anchorPaths(LaunchOptions& options, const std::string& start) {
    for (std::string* path : {&options.scriptPath, &options.dataFolder, &options.saveFolder,
                              &options.dumpOnExit, &options.screenshotFolder}) {
        if (!path->empty()) *path = pathBelow(start, *path);
    }
    if (options.screenshotFolder.empty()) options.screenshotFolder = start;
}

// Plays the script with a fixed step; the end of the script closes the game as the window's
// close would. 0, or 1 with a message when a step failed.
int runAutomation(AppDelegate& app, CCEGLView& view, const LaunchOptions& options,
                  const std::vector<ScriptStep>& steps, const std::string& start) {
    CCDirector* director = CCDirector::sharedDirector();
    if (!app.applicationDidFinishLaunching()) return 0;
    view.show();
    FrameDriver driver(view, kAutomationStep);
    AutomationRunner runner(driver, start, options.screenshotFolder);
    std::string error = runner.run(steps);
    int code = 0;
    if (!error.empty()) {
        std::fprintf(stderr, "Petalune: %s %s\n", options.scriptPath.c_str(), error.c_str());
        code = 1;
    }
    if (!options.dumpOnExit.empty() && !writeStateDump(options.dumpOnExit)) code = 1;
    if (!director->isEnded()) view.onCloseRequested();
    driver.step();
    return code;
}

}  // namespace

int runPetalune(const std::vector<std::string>& arguments, bool withCrashLog) {
    ParsedCommandLine parsed = parseCommandLine(arguments);
    LaunchOptions options = parsed.options;
    for (const std::string& warning : parsed.warnings)
        std::fprintf(stderr, "petalune: %s\n", warning.c_str());
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "petalune: %s (see petalune --help)\n", parsed.error.c_str());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("Petalune %s\n", installedVersionName());
        return 0;
    }

    std::string start = currentFolder();
    // A relative data folder from the environment means the folder the game started in,
    // not the asset folder it changes into.
    if (const char* dir = std::getenv("PETALUNE_DATA_DIR"); dir && *dir && options.saveFolder.empty())
        options.saveFolder = dir;
    anchorPaths(options, start);
    std::vector<ScriptStep> steps;
    if (options.automated()) {
        std::string text;
        if (!readTextFile(options.scriptPath, text)) {
            std::fprintf(stderr, "petalune: cannot read the script %s\n", options.scriptPath.c_str());
            return 2;
        }
        ParsedScript script = parseScript(text);
        if (!script.error.empty()) {
            std::fprintf(stderr, "petalune: %s %s\n", options.scriptPath.c_str(), script.error.c_str());
            return 2;
        }
        steps = std::move(script.steps);
        std::error_code error;
        std::filesystem::create_directories(options.screenshotFolder, error);
        if (error) {
            std::fprintf(stderr, "petalune: cannot make the folder %s: %s\n",
                         options.screenshotFolder.c_str(), error.message().c_str());
            return 2;
        }
    }

    bool ranFromResources = ::chdir("resources") == 0;
    CCFileUtils::sharedFileUtils()->setArchivePath(runningAssetArchive());
    if (!options.dataFolder.empty()) {
        if (::chdir(options.dataFolder.c_str()) != 0) {
            std::fprintf(stderr, "petalune: cannot enter the data folder %s\n", options.dataFolder.c_str());
            return 2;
        }
        CCFileUtils::sharedFileUtils()->setArchivePath("");
        IniStore::shared().setRootFile("game.ini");
        IniStore::shared().load();
    }
    if (!options.saveFolder.empty()) setDataFolderOverride(options.saveFolder);
    removeStaleTempFiles(tempFolderPath());
    if (withCrashLog) installCrashLog();
    if (!options.language.empty())
        IniStore::shared().pinLanguageSuffix(languageSuffixForCode(options.language));
    setFixedGameSeed(options.seed);
    if (std::string problem = selectEdition(options.edition); !problem.empty()) {
        std::fprintf(stderr, "petalune: %s (see petalune --help)\n", problem.c_str());
        return 2;
    }
    const std::string windowTitle = editionTitle();

    DesktopBounds desktop = kFallbackDesktop;
    if (!options.headless && startVideo()) desktop = usableDesktopBounds();
    // A script runs the same whatever window the player left last.
    std::optional<WindowState> saved = options.automated() ? std::nullopt : loadWindowState();
    WindowPlan plan = planWindow(options, desktop, saved);
    WindowSize size = usableWindowSize(plan.size, desktop);
    setAdMode(options.adMode);

    // A run without a window makes no sound either.
    if (options.headless)
        CocosDenshion::SimpleAudioEngine::useBackend(std::make_unique<CocosDenshion::NullAudioBackend>());
    int code = 0;
    {
        AppDelegate app(!options.automated());
        CCEGLView* view = options.headless ? CCEGLView::createHeadless(size.width, size.height)
                                           : CCEGLView::createWithWindow(size.width, size.height, windowTitle,
                                                                         rendererFor(options),
                                                                         tempFolderPath() + "renderer");
        if (!view) {
            // A scripted run that cannot run fails, so that a job without a display never passes.
            if (options.automated()) {
                std::fprintf(stderr, "petalune: no window could be opened; the script %s did not run\n",
                             options.scriptPath.c_str());
                return 1;
            }
            openCantRunPage();
            return 0;
        }
        view->setFrameSize(static_cast<float>(size.width), static_cast<float>(size.height));
        if (plan.position && view->getWindow())
            view->getWindow()->setPosition(plan.position->x, plan.position->y);
        view->setDesktopSize(desktop.width, desktop.height);
        view->setFullscreen(plan.fullscreen);
        view->setViewName(windowTitle.c_str());
        if (view->getWindow() && !options.automated())
            CCFileUtils::sharedFileUtils()->setNotifyHandler(
                [](const std::string& title, const std::string& text) { showMessageBox(title, text); });
        if (options.automated()) {
            setYesNoAnswerer([](const std::string&, const std::string&) { return false; });
            // A scripted run contacts nothing: links are named, not opened.
            setUrlOpener([](const std::string& address) {
                std::fprintf(stderr, "petalune: a scripted run opens no web page: %s\n", address.c_str());
                return false;
            });
            code = runAutomation(app, *view, options, steps, start);
            setUrlOpener(nullptr);
            setYesNoAnswerer(nullptr);
        } else {
            code = app.run();
            saveWindowState(currentWindowState(*view, saved));
        }
        CCFileUtils::sharedFileUtils()->setNotifyHandler(nullptr);
        CCDirector::purgeDirector();
        CCEGLView::purgeSharedOpenGLView();
    }
    if (!options.automated()) openExitPage(ranFromResources);
    return code;
}
