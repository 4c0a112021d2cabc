#include <gtest/gtest.h>

#include <string>

#include "config/IniNumber.h"
#include "config/IniStore.h"
#include "tests/config/IniTestHelpers.h"
#include "tests/support/TestPaths.h"

namespace {

using petalune::test::storeFromText;

struct VariantCase {
    const char* suffix;
    const char* lines;
    const char* expected;
};

class IniVariantLookup : public ::testing::TestWithParam<VariantCase> {};

TEST_P(IniVariantLookup, PicksTheFirstVariantPresent) {
    const VariantCase& c = GetParam();
    IniStore store = storeFromText(std::string("[m]\npos(+)=1,1\n") + c.lines, c.suffix);
    EXPECT_STREQ(store.getString("m", "text", 1, "default"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, IniVariantLookup,
    ::testing::Values(VariantCase{".de", "text()=Start Game\ntext.de()=Spiel starten\n", "Spiel starten"},
                      VariantCase{".zh", "text()=Start Game\ntext.de()=Spiel starten\n", "Start Game"},
                      VariantCase{".de", "text()=t\ntext.win32()=tw\ntext.de()=td\ntext.win32.de()=twd\n",
                                  "twd"},
                      VariantCase{".de", "text()=t\ntext.win32()=tw\ntext.de()=td\n", "td"},
                      VariantCase{".de", "text()=t\ntext.win32()=tw\n", "tw"},
                      VariantCase{".de", "text()=t\ntext.ios()=ti\ntext.de.win32()=tdw\n", "t"},
                      VariantCase{"", "text()=t\ntext.win32()=tw\n", "tw"},
                      VariantCase{"", "text()=t\ntext.en()=te\ntext.()=dot\n", "t"},
                      VariantCase{".de", "text()=\ntext.de()=\n", ""},
                      VariantCase{".de", "text(2)=other item\ntext.de(2)=anderes\n", "default"}),
    [](const ::testing::TestParamInfo<VariantCase>& param) {
        return petalune::test::caseName(param.index,
                                        std::string(param.param.suffix) + " " + param.param.expected);
    });

TEST(IniLookup, VariantAtAnotherIndexNeverAnswers) {
    IniStore store = storeFromText("[m]\npos.zh(3)=3,3\npos(4)=4,4\n", ".zh");
    EXPECT_STREQ(store.getString("m", "pos", 4, nullptr), "4,4");
    EXPECT_STREQ(store.getString("m", "pos", 3, nullptr), "3,3");
}

TEST(IniLookup, MissingSectionGivesDefaultAndIsNotCreated) {
    IniStore store = storeFromText("[m]\nk=v\n", ".en");
    EXPECT_EQ(store.getString("none", "k", 0, nullptr), nullptr);
    EXPECT_STREQ(store.getString("none", "k", 0, "d"), "d");
    EXPECT_EQ(store.getInt("none", "k", 0, 7), 7);
    EXPECT_EQ(store.findSection("none"), nullptr);
    EXPECT_EQ(store.sections().size(), 1u);
}

TEST(IniLookup, IntegersFromTheTextFoundElseTheDefault) {
    IniStore store = storeFromText("[g]\na=30\nb=-3\nc=12px\nd=\ne=abc\n", ".de");
    EXPECT_EQ(store.getInt("g", "a", 0, 99), 30);
    EXPECT_EQ(store.getInt("g", "b", 0, 99), -3);
    EXPECT_EQ(store.getInt("g", "c", 0, 99), 12);
    EXPECT_EQ(store.getInt("g", "d", 0, 99), 0);
    EXPECT_EQ(store.getInt("g", "e", 0, 99), 0);
    EXPECT_EQ(store.getInt("g", "missing", 0, 99), 99);
}

TEST(IniDecimalValue, ReadsSignAndLeadingDigitsAndClamps) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"42", 42},
        {"+5", 5},
        {"-0", 0},
        {" \t7", 7},
        {"- 7", 0},
        {"1.5", 1},
        {"", 0},
        {"x1", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999999", -2147483647 - 1},
        {"000000000000000000000012", 12},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(iniDecimalValue(text), value) << text;
}

TEST(IniLookup, ValueStaysValidUntilItsSectionChanges) {
    IniStore store = storeFromText("[a]\nk=first\n[b]\nk=other\n");
    const char* value = store.getString("a", "k", 0, nullptr);
    store.setValue("b", "j", "more");
    EXPECT_STREQ(value, "first");
}

}  // namespace
