#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "config/IniParser.h"
#include "config/IniStore.h"
#include "tests/config/IniTestHelpers.h"

namespace {

using petalune::test::dumpStore;

struct ParseCase {
    const char* name;
    std::string text;
    std::string entries;
    int firstBadLine = 0;
};

std::string repeated(char c, std::size_t count) {
    return std::string(count, c);
}

const ParseCase kCases[] = {
    {"ByteOrderMarkSkippedOnFirstLine", "\xEF\xBB\xBF[s]\nk=v\n", "[s] k(0)=v\n"},
    {"ByteOrderMarkIsKeyTextOnLaterLines", "[s]\n\xEF\xBB\xBFk=v\n", "[s] \xEF\xBB\xBFk(0)=v\n"},
    {"CommentsAndBlankLinesIgnored", "; c\n# c\n  \t; indented\n\n[s]\n\t\tk=v\n", "[s] k(0)=v\n"},
    {"BlanksThenSemicolonStartAComment", "[s]\nk=31\t; score = n*m\n", "[s] k(0)=31\n"},
    {"SemicolonGluedToValueStays", "[s]\nk=a;b\n", "[s] k(0)=a;b\n"},
    {"SemicolonFirstInValueStays", "[s]\nk = ;x ;y\n", "[s] k(0)=;x\n"},
    {"ValuesAreVerbatim", "[s]\nk=\"q\" a\\nb = c\n", "[s] k(0)=\"q\" a\\nb = c\n"},
    {"EmptyValue", "[s]\ntext()=\n", "[s] text(0)=\n"},
    {"Utf8PassesThrough", "[s]\nk=开始游戲\n", "[s] k(0)=开始游戲\n"},
    {"ControlBytesAreBlanks", "[s]\n\x01k\x02=\x03v\x1f\n", "[s] k(0)=v\n"},
    {"EqualsWinsOverColon", "[s]\nurl:x=http://h:80\n", "[s] url:x(0)=http://h:80\n"},
    {"ColonWhenNoEquals", "[s]\nurl: http://h\n", "[s] url(0)=http://h\n"},
    {"CommentHidesEquals", "[s]\na ;=b\nk:v ;=w\n", "[s] k(0)=v\n", 2},
    {"LineWithoutSeparatorIsMalformed", "[s]\nk=1\njunk\nbad\n", "[s] k(0)=1\n", 3},
    {"KeyWithoutNameIsMalformed", "[s]\n(1)=x\n", "", 2},
    {"UnclosedHeaderKeepsSection", "[s]\na=1\n[t\nb=2\n", "[s] a(0)=1\n[s] b(0)=2\n", 3},
    {"HeaderClosedOnlyBeforeComment", "[s ;x]\nk=v\n", "[] k(0)=v\n", 1},
    {"TextAfterHeaderIgnored", "[s] trailing\nk=v\n", "[s] k(0)=v\n"},
    {"BlanksInsideBracketsBelongToName", "[ s ]\nk=v\n", "[ s ] k(0)=v\n"},
    {"KeysBeforeHeaderGoToEmptySection", "k=v\n[s]\nj=w\n", "[] k(0)=v\n[s] j(0)=w\n"},
    {"BlanksAroundIndexAndSeparator", "[s]\ntype (1) = brick_red\ncount(2)=3\n",
     "[s] count(2)=3\n[s] type(1)=brick_red\n"},
    {"RunningCounter", "[s]\na(+)=1\nb()=2\na(+)=3\nb()=4\n",
     "[s] a(1)=1\n[s] a(2)=3\n[s] b(1)=2\n[s] b(2)=4\n"},
    {"PlainKeyResetsCounter", "[s]\na(+)=1\nplain=0\na(+)=2\n", "[s] a(1)=2\n[s] plain(0)=0\n"},
    {"ExplicitIndexSetsCounter", "[s]\na(5)=x\nb()=y\nc(+)=z\nd(+2)=w\n",
     "[s] a(5)=x\n[s] b(5)=y\n[s] c(6)=z\n[s] d(9)=w\n"},
    {"TextAfterParenthesesDropped", "[s]\npos(+)=500,794\npos().zh=505,794\n", "[s] pos(1)=505,794\n"},
    {"VariantBeforeParentheses", "[s]\npos(+)=320,50\npos.zh()=320,20\n",
     "[s] pos(1)=320,50\n[s] pos.zh(1)=320,20\n"},
    {"NegativeAndHugeIndexes", "[s]\na(-3)=n\nb(99999999999)=h\nc(+)=c\n",
     "[s] a(-3)=n\n[s] b(2147483647)=h\n[s] c(2147483647)=c\n"},
    {"SameKeyKeepsLastValue", "[s]\nk=1\nk=2\n", "[s] k(0)=2\n"},
    {"SectionStartingAgainReplacesContent", "[s]\na=1\n[t]\nb=2\n[s]\nc=3\n", "[s] c(0)=3\n[t] b(0)=2\n"},
    {"RepeatedHeaderWithoutSwitchKeepsContent", "[s]\na=1\n[s]\nc=3\n", "[s] a(0)=1\n[s] c(0)=3\n"},
    {"HeaderWithoutKeysRemovesNothing", "[s]\na=1\n[t]\n[s]\nc=3\n", "[s] a(0)=1\n[s] c(0)=3\n"},
    {"LastLineWithoutLineFeed", "[s]\nk=v", "[s] k(0)=v\n"},
    {"NulByteEndsLine", std::string("[s]\na=1\0junk\nb=\0\nc=3", 21), "[s] a(0)=1\n[s] b(0)=\n[s] c(0)=3\n"},
    {"LongLineKeepsFirst1999Bytes", "[s]\nk=" + repeated('v', 2498) + "\nnext=1\n",
     "[s] k(0)=" + repeated('v', 1997) + "\n[s] next(0)=1\n"},
    {"SectionNameCutTo49Bytes", "[" + repeated('n', 60) + "]\nk=v\n", "[" + repeated('n', 49) + "] k(0)=v\n"},
};

class IniParserCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(IniParserCases, StoresEntriesAndReportsFirstBadLine) {
    const ParseCase& c = GetParam();
    IniStore store;
    store.beginBuffer();
    EXPECT_EQ(parseIniText(c.text.data(), c.text.size(), store), c.firstBadLine);
    EXPECT_EQ(dumpStore(store), c.entries);
}

INSTANTIATE_TEST_SUITE_P(Dialect, IniParserCases, ::testing::ValuesIn(kCases),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(IniParser, CrLfAndLfGiveTheSameEntries) {
    std::string lf =
        "\xEF\xBB\xBF[menu_main]\nfont=playtime.ttf\t\npos(+)=320,620 ; first\ntext()=Start Game\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(dumpStore(petalune::test::storeFromText(crlf)), dumpStore(petalune::test::storeFromText(lf)));
}

TEST(IniParser, ReadsOnlyTheGivenLength) {
    // The buffer is not terminated: the parser must stop at its length, mid-line.
    std::string text = "[s]\nk=value";
    std::unique_ptr<char[]> exact(new char[text.size()]);
    std::memcpy(exact.get(), text.data(), text.size());
    IniStore store;
    store.beginBuffer();
    EXPECT_EQ(parseIniText(exact.get(), text.size() - 3, store), 0);
    EXPECT_EQ(dumpStore(store), "[s] k(0)=va\n");
    EXPECT_EQ(parseIniText(exact.get(), 0, store), 0);
}

TEST(IniParser, EachBufferStartsInTheEmptySectionWithCounterZero) {
    IniStore store;
    std::string first = "[s]\na(+)=1\n";
    std::string second = "b()=2\n[s]\nc()=3\n";
    store.parseBuffer(first.data(), first.size());
    store.parseBuffer(second.data(), second.size());
    // The second file's [s] keys start after keys of "": [s] is replaced.
    EXPECT_EQ(dumpStore(store), "[] b(0)=2\n[s] c(0)=3\n");
}

}  // namespace
