#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/particles/PlistDictionary.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;

namespace {

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
}

// Parses from a heap block of exactly the text's size, so reading past it is caught.
PlistDictionary* parse(const std::string& text, std::string* error = nullptr) {
    auto exact = std::make_unique<char[]>(text.size());
    text.copy(exact.get(), text.size());
    return PlistDictionary::createWithData(exact.get(), text.size(), error);
}

class PlistDictionaryTest : public ::testing::Test {
protected:
    ~PlistDictionaryTest() override { CCPoolManager::sharedPoolManager()->currentPool()->clear(); }
};

TEST_F(PlistDictionaryTest, ReadsEveryValueType) {
    PlistDictionary* dictionary = parse(plist(R"(<dict>
        <key>name</key><string>spark &amp; glow</string>
        <key>rate</key><real>-2.5e1</real>
        <key>count</key><integer>42</integer>
        <key>on</key><true/>
        <key>off</key><false/>
        <key>bytes</key><data>
            AAEC
            /w==
        </data>
        <key>list</key><array><integer>1</integer><string>two</string><dict/></array>
        <key>inner</key><dict><key>x</key><real>3</real></dict>
    </dict>)"));
    ASSERT_NE(dictionary, nullptr);
    EXPECT_EQ(dictionary->stringForKey("name"), "spark & glow");
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("rate"), -25);
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("count"), 42);
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("on"), 1);
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("off"), 0);
    const PlistValue* bytes = dictionary->root().find("bytes");
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes->data, (std::vector<std::uint8_t>{0, 1, 2, 0xff}));
    const PlistValue* list = dictionary->root().find("list");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->items.size(), 3u);
    EXPECT_EQ(list->items[1].text, "two");
    EXPECT_EQ(list->items[2].type, PlistValue::Type::Dict);
    const PlistValue* inner = dictionary->root().find("inner");
    ASSERT_NE(inner, nullptr);
    ASSERT_NE(inner->find("x"), nullptr);
    EXPECT_DOUBLE_EQ(inner->find("x")->number, 3);
}

TEST_F(PlistDictionaryTest, MissingKeysAndNumbersWrittenAsStringsFallBack) {
    PlistDictionary* dictionary =
        parse(plist("<dict><key>size</key><string> 12.5 </string>"
                    "<key>word</key><string>big</string></dict>"));
    ASSERT_NE(dictionary, nullptr);
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("size"), 12.5);
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("word", 7), 7);
    EXPECT_DOUBLE_EQ(dictionary->numberForKey("absent", 3), 3);
    EXPECT_EQ(dictionary->stringForKey("absent"), "");
}

TEST_F(PlistDictionaryTest, DamagedDataGivesNullAndSaysWhy) {
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "", "XML"},
        {"not XML", "maxParticles = 3", "XML"},
        {"unclosed", plist("<dict><key>a</key><real>1</real>"), "XML"},
        {"other root", "<?xml version=\"1.0\"?><dict/>", "<plist>"},
        {"array at the top", plist("<array/>"), "dictionary"},
        {"key without value", plist("<dict><key>a</key></dict>"), "no value"},
        {"value without key", plist("<dict><real>1</real></dict>"), "<key>"},
        {"bad real", plist("<dict><key>a</key><real>1.5x</real></dict>"), "not a number"},
        {"empty integer", plist("<dict><key>a</key><integer></integer></dict>"), "not a number"},
        {"bad base64", plist("<dict><key>a</key><data>AB$C</data></dict>"), "base64"},
        {"base64 after padding", plist("<dict><key>a</key><data>AA==AA</data></dict>"), "base64"},
        {"unknown element", plist("<dict><key>a</key><date>2020</date></dict>"), "unknown element"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_EQ(parse(c.text, &error), nullptr);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST_F(PlistDictionaryTest, DeepButWellFormedNestingIsRefused) {
    std::string open, close;
    for (int i = 0; i < 100; ++i) {
        open += "<array>";
        close += "</array>";
    }
    std::string error;
    EXPECT_EQ(parse(plist("<dict><key>a</key>" + open + close + "</dict>"), &error), nullptr);
    EXPECT_NE(error.find("deeply"), std::string::npos) << error;
}

TEST_F(PlistDictionaryTest, EveryCutOfAFileIsRefusedOrReadWithinIt) {
    std::string text = plist("<dict><key>a</key><real>1</real><key>b</key><data>AAEC</data></dict>");
    for (std::size_t length = 0; length < text.size(); ++length) parse(text.substr(0, length));
    EXPECT_NE(parse(text), nullptr);
}

TEST_F(PlistDictionaryTest, FilesAreReadThroughTheFileUtilities) {
    EXPECT_NE(
        PlistDictionary::createWithContentsOfFile(petalune::test::fixturePath("fx/gravity.plist").c_str()),
        nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(
        PlistDictionary::createWithContentsOfFile(petalune::test::fixturePath("fx/truncated.plist").c_str()),
        nullptr);
    EXPECT_EQ(PlistDictionary::createWithContentsOfFile("no/such.plist"), nullptr);
    std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("truncated.plist"), std::string::npos) << messages;
    EXPECT_NE(messages.find("no/such.plist"), std::string::npos) << messages;
}

}  // namespace
