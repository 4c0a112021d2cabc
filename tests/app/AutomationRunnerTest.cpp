#include <gtest/gtest.h>

#include "app/AutomationRunner.h"
#include "app/AutomationScript.h"
#include "engine/director/CCDirector.h"
#include "engine/director/CCScheduler.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/HeadlessDriver.h"

using namespace cocos2d;

namespace {

// The second frame reads a file that is not there, as a modder's folder may lack one.
class ReadsAMissingFile : public CCObject {
public:
    void update(float) override {
        if (++frame != 2) return;
        unsigned long size = 0;
        delete[] CCFileUtils::sharedFileUtils()->getFileData("no-such-image.png", "rb", &size);
    }
    int frame = 0;
};

TEST(AutomationRunner, AMessageBoxFailsTheStepThatShowedItInsteadOfWaiting) {
    HeadlessDriver driver;
    ReadsAMissingFile reader;
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    scheduler->scheduleUpdateForTarget(&reader, 0, false);
    AutomationRunner runner(driver, "", "");
    ParsedScript script = parseScript("wait 1\nwait 1\nwait 5\n");
    ASSERT_EQ(script.error, "");
    std::string error = runner.run(script.steps);
    scheduler->unscheduleUpdateForTarget(&reader);
    EXPECT_EQ(error, "line 2: a message box was shown: Get data from file(no-such-image.png) failed!");
    EXPECT_EQ(reader.frame, 2);
}

}  // namespace
