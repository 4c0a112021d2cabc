#pragma once

#include <string>
#include <vector>

#include "app/AutomationScript.h"
#include "engine/base/CCGeometry.h"

namespace cocos2d {
class FrameDriver;
}

// Plays script steps against the running engine through the frame driver: input as the
// window would report it, time only in whole frames of the driver's fixed step.
class AutomationRunner {
public:
    // Relative dump and screenshot names are taken below the folders.
    AutomationRunner(cocos2d::FrameDriver& driver, std::string dumpFolder, std::string screenshotFolder);

    // Plays the steps until the end, "quit" or the director's end. The first failure as
    // "line N: ...", or "" when every step worked.
    std::string run(const std::vector<ScriptStep>& steps);

    // Where a design point lies in the window, in pixels with the origin bottom left.
    cocos2d::CCPoint windowPoint(const cocos2d::CCPoint& design) const;

private:
    std::string runStep(const ScriptStep& step);
    std::string clickItem(const std::string& name);
    std::string waitUntilIdle(int frameCap);
    std::string saveScreenshot(const std::string& path);

    cocos2d::FrameDriver& m_driver;
    std::string m_dumpFolder;
    std::string m_screenshotFolder;
    bool m_quit = false;
};

// A relative name below the folder; absolute names and an empty folder keep the name.
std::string pathBelow(const std::string& folder, const std::string& name);
// Writes the state dump to the file; false with a message on standard error.
bool writeStateDump(const std::string& path);
