#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "config/LanguageSuffix.h"
#include "engine/platform/Locale.h"

namespace {

TEST(LanguageSuffix, MapsThePrimaryLanguage) {
    const std::pair<const char*, const char*> cases[] = {
        {"zh", ".zh"},    {"zh_TW.UTF-8", ".zh"},
        {"de_AT", ".de"}, {"DE", ".de"},
        {"es", ""},       {"fr_CA", ""},
        {"it", ""},       {"ko_KR", ""},
        {"ru", ""},       {"en_GB", ".en"},
        {"ja", ".en"},    {"pt_BR", ".en"},
        {"dex", ".en"},   {"", ".en"},
    };
    for (const auto& [code, suffix] : cases) EXPECT_EQ(languageSuffixForCode(code), suffix) << code;
}

// Sets the locale variables for one test and restores them afterwards.
class LocaleEnvironment : public ::testing::Test {
protected:
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};

    void SetUp() override {
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
    }

    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

TEST_F(LocaleEnvironment, PreferredLanguageFromTheEnvironment) {
    EXPECT_EQ(cocos2d::preferredLanguageCode(), "");

    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(cocos2d::preferredLanguageCode(), "de");

    setenv("LANG", "C.UTF-8", 1);
    setenv("LANGUAGE", "zh_CN:en", 1);
    EXPECT_EQ(cocos2d::preferredLanguageCode(), "zh");

    unsetenv("LANGUAGE");
    setenv("LC_ALL", "fr_FR.UTF-8", 1);
    EXPECT_EQ(cocos2d::preferredLanguageCode(), "fr");
}

TEST_F(LocaleEnvironment, LcAllAndLcMessagesComeBeforeLang) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        const char* code;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", "", "en_US.UTF-8", "de"},
        {"", "fr_FR.UTF-8", "en_US.UTF-8", "fr"},
        {"de_DE.UTF-8", "fr_FR.UTF-8", "en_US.UTF-8", "de"},
        {"C", "", "de_DE.UTF-8", ""},  // the C locale set over LANG means no language
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        setenv("LC_ALL", c.lcAll, 1);
        setenv("LC_MESSAGES", c.lcMessages, 1);
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(cocos2d::preferredLanguageCode(), c.code);
    }
}

}  // namespace
