#include <gtest/gtest.h>

#include "app/AutomationRunner.h"
#include "app/AutomationScript.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"

using namespace cocos2d;

namespace {

TEST(AutomationRunner, AMessageBoxFailsTheStepThatShowedItInsteadOfWaiting) {
    CCEGLView* view = CCEGLView::createHeadless(640, 860);
    ASSERT_NE(view, nullptr);
    int frame = 0;
    AutomationRunner runner(
        *view, 1.0f / 60,
        [&frame] {
            // The second frame reads a file that is not there, as a modder's folder may lack one.
            if (++frame == 2) {
                unsigned long size = 0;
                delete[] CCFileUtils::sharedFileUtils()->getFileData("no-such-image.png", "rb", &size);
            }
        },
        "", "");
    ParsedScript script = parseScript("wait 1\nwait 1\nwait 5\n");
    ASSERT_EQ(script.error, "");
    std::string error = runner.run(script.steps);
    EXPECT_EQ(error, "line 2: a message box was shown: Get data from file(no-such-image.png) failed!");
    EXPECT_EQ(frame, 2);
    CCDirector::purgeDirector();
    CCEGLView::purgeSharedOpenGLView();
}

}  // namespace
