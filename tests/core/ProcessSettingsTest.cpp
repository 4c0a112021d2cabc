#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ProcessSettings.h"

namespace {

std::vector<std::string> s_resets;

TEST(ProcessSettings, OneResetRestoresEverySettingAndRunsEachRegisteredResetOnceInOrder) {
    s_resets.clear();
    ProcessSettings& settings = processSettings();
    settings.edition = "swap";
    settings.gameSeed = 7;
    settings.adMode = true;
    settings.alternativeVariant = false;
    settings.soundOn = false;
    settings.dataFolderOverride = "/somewhere/";
    settings.analyticsLogPath = "events.log";
    auto second = [] { s_resets.push_back("second"); };
    auto first = [] { s_resets.push_back("first"); };
    registerProcessReset(first);
    registerProcessReset(second);
    registerProcessReset(first);

    resetProcessState();
    EXPECT_EQ(settings.edition, "");
    EXPECT_FALSE(settings.gameSeed.has_value());
    EXPECT_FALSE(settings.adMode);
    EXPECT_TRUE(settings.alternativeVariant);
    EXPECT_FALSE(settings.soundOn.has_value());
    EXPECT_EQ(settings.dataFolderOverride, "");
    EXPECT_FALSE(settings.analyticsLogPath.has_value());
    EXPECT_EQ(s_resets, (std::vector<std::string>{"first", "second"}));
}

}  // namespace
