#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "engine/platform/MessageBox.h"

namespace {

using ::testing::HasSubstr;

class HeadlessMessageBoxes : public ::testing::Test {
protected:
    void TearDown() override { cocos2d::setYesNoAnswerer(nullptr); }
};

TEST_F(HeadlessMessageBoxes, InformationGoesToStandardError) {
    ::testing::internal::CaptureStderr();
    cocos2d::showMessageBox("Notification", "Get data from file(missing.png) failed!");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Notification: Get data from file(missing.png) failed!\n");
}

TEST_F(HeadlessMessageBoxes, UnansweredQuestionIsNo) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(cocos2d::askYesNo("Update found!", "Would you like to update?"));
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(log, HasSubstr("Update found!: Would you like to update?"));
    EXPECT_THAT(log, HasSubstr("answered no"));
}

TEST_F(HeadlessMessageBoxes, AnswererDecidesAndSeesTheQuestion) {
    std::string asked;
    cocos2d::setYesNoAnswerer([&](const std::string& title, const std::string& question) {
        asked = title + " / " + question;
        return true;
    });
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(cocos2d::askYesNo("Update found!", "v1.2 is out"));
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("answered yes"));
    EXPECT_EQ(asked, "Update found! / v1.2 is out");

    cocos2d::setYesNoAnswerer(nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(cocos2d::askYesNo("Update found!", "v1.2 is out"));
    ::testing::internal::GetCapturedStderr();
}

}  // namespace
