#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <memory>
#include <string>

#include "core/stream/BinaryReadStdioFile.h"
#include "core/xfer/Version.h"
#include "tests/core/xfer/XferTestSupport.h"

namespace {

using core::xfer::ModeBlock;
using core::xfer::ModeDebugString;
using core::xfer::ModeTag;
using core::xfer::ModeVersion;
using core::xfer::VirtualBase;
using petalune::test::Bytes;

void readInt(VirtualBase& t) {
    int32_t v = 0;
    t.Transfer(v);
}

void readByteThen(VirtualBase& t, void (VirtualBase::*next)()) {
    uint8_t byte = 0;
    t.Data(&byte, 1);
    (t.*next)();
}

struct LoadErrorCase {
    const char* name;
    uint32_t flags;
    Bytes input;
    petalune::test::TransferFn transfer;
    const char* expected;
};

const LoadErrorCase kLoadErrorCases[] = {
    {"empty stream", ModeBlock, {}, readInt, "Stream error: Read EOF"},
    {"stream ends inside a chunk", ModeBlock, {0x04, 0x2C, 0x01}, readInt, "Stream error: Read EOF"},
    {"stream ends inside a length prefix", ModeBlock, {0xC0, 0x01}, readInt, "Stream error: Read EOF"},
    {"bare payload too short", 0, {0x01, 0x02}, readInt, "Stream error: Read EOF"},
    {"invalid token", ModeBlock, {0xF5}, readInt, "Invalid stream token 0xf5"},
    {"unread bytes before BeginBlock",
     ModeBlock,
     {0x02, 0xAA, 0xBB, 0xF0},
     [](VirtualBase& t) { readByteThen(t, &VirtualBase::BeginBlock); },
     "1 unread bytes remaining before BeginBlock"},
    {"unread bytes before EndBlock",
     ModeBlock,
     {0xF0, 0x03, 0xAA, 0xBB, 0xCC, 0xF1},
     [](VirtualBase& t) {
         t.BeginBlock();
         readByteThen(t, &VirtualBase::EndBlock);
     },
     "2 unread bytes remaining before EndBlock"},
    {"unread bytes before SkipBlock",
     ModeBlock,
     {0x02, 0xAA, 0xBB, 0xF0, 0xF1},
     [](VirtualBase& t) { readByteThen(t, &VirtualBase::SkipBlock); },
     "1 unread bytes remaining before SkipBlock"},
    {"BeginBlock finds data",
     ModeBlock,
     {0x01, 0x05},
     [](VirtualBase& t) { t.BeginBlock(); },
     "Expected BeginBlock but got 0x01"},
    {"BeginBlock at the end",
     ModeBlock,
     {},
     [](VirtualBase& t) { t.BeginBlock(); },
     "Stream error: Read EOF"},
    {"EndBlock finds another block",
     ModeBlock,
     {0xF0, 0xF0},
     [](VirtualBase& t) {
         t.BeginBlock();
         t.EndBlock();
     },
     "Expected EndBlock but got 0xf0"},
    {"SkipBlock finds data",
     ModeBlock,
     {0x7F},
     [](VirtualBase& t) { t.SkipBlock(); },
     "Expected BeginBlock but got 0x7f"},
    {"SkipBlock over an unclosed block",
     ModeBlock,
     {0xF0, 0x02, 0xAA, 0xBB, 0xF0, 0xF1},
     [](VirtualBase& t) { t.SkipBlock(); },
     "Stream error: Read EOF"},
    {"SkipBlock over a chunk longer than the data",
     ModeBlock,
     {0xF0, 0x05, 0xAA, 0xF1},
     [](VirtualBase& t) { t.SkipBlock(); },
     "Stream error: Read EOF"},
    {"SkipBlock meets an invalid token",
     ModeBlock,
     {0xF0, 0xFF, 0xF1},
     [](VirtualBase& t) { t.SkipBlock(); },
     "Invalid stream token 0xff"},
    {"SkipBlock without ModeBlock",
     0,
     {0xF0, 0xF1},
     [](VirtualBase& t) { t.SkipBlock(); },
     "Can't skip a block if we're loading without ModeBlock"},
    {"newer version",
     ModeBlock | ModeVersion,
     {0x01, 0x02},
     [](VirtualBase& t) { core::xfer::Version(t, 1); },
     "Found version 2 (max known is 1)"},
    {"tag mismatch",
     ModeBlock | ModeTag,
     {0x05, 0x07, 0x2C, 0x01, 0x00, 0x00},
     readInt,
     "Tag mismatch, written=7, expected=6"},
    {"data run of another size",
     ModeBlock | ModeTag,
     {0x07, 0x0E, 0x03, 0x00, 0x00, 0x00, 0xAA, 0xBB},
     [](VirtualBase& t) {
         uint8_t two[2];
         t.Data(two, 2);
     },
     "Reading different number of bytes, written=3, reading=2"},
    {"debug string index beyond the table",
     ModeBlock | ModeDebugString,
     {0x02, 0x0F, 0x05},
     [](VirtualBase& t) { t.DebugString(""); },
     "Invalid debug string index 5"},
    {"string longer than the data",
     ModeBlock,
     {0x06, 0xFF, 0xFF, 0xFF, 0xFF, 0x61, 0x62},
     [](VirtualBase& t) {
         std::string s;
         t.Transfer(s);
     },
     "Stored length 4294967295 exceeds the 2 bytes left"},
    {"first error wins",
     ModeBlock,
     {0xF0, 0x02, 0xAA, 0xBB, 0x55},
     [](VirtualBase& t) {
         t.BeginBlock();
         readByteThen(t, &VirtualBase::EndBlock);
         t.SetError("later");
         t.EndBlock();
     },
     "1 unread bytes remaining before EndBlock"},
    {"empty error text", ModeBlock, {}, [](VirtualBase& t) { t.SetError("%s", ""); }, "Xfer error"},
};

TEST(LoaderErrorTest, ReportsTheFirstFailureWithItsText) {
    for (const LoadErrorCase& c : kLoadErrorCases) {
        EXPECT_EQ(petalune::test::loadError(c.flags, c.input, c.transfer), c.expected) << c.name;
    }
}

TEST(LoaderErrorTest, LongErrorTextsAreCutToTheBuffer) {
    std::string error = petalune::test::loadError(
        ModeBlock, {}, [](VirtualBase& t) { t.SetError("%s", std::string(1000, 'e').c_str()); });
    EXPECT_EQ(error, std::string(core::xfer::Load::kErrorCapacity - 1, 'e'));
}

TEST(LoaderErrorTest, FileStreamErrorsArePassedOn) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::tmpfile(), std::fclose);
    std::fwrite("\x04\x01", 1, 2, file.get());
    std::rewind(file.get());
    core::stream::BinaryReadStdioFile stream(file.get());
    core::xfer::Load loader(ModeBlock, stream);
    readInt(loader);
    EXPECT_STREQ(loader.HasError(), "Stream error: Read error");

    core::stream::BinaryReadStdioFile noFile(nullptr);
    core::xfer::Load noFileLoader(ModeBlock, noFile);
    readInt(noFileLoader);
    EXPECT_STREQ(noFileLoader.HasError(), "Stream error: Internal error");
}

// After the first error the loader consumes nothing more and leaves destinations alone.
TEST(LoaderErrorTest, NothingIsReadAfterAnError) {
    Bytes input{0xF5, 0x04, 0x01, 0x00, 0x00, 0x00, 0xF0, 0xF1};
    core::stream::BinaryReadMemory stream(input.data(), input.size());
    core::xfer::Load loader(ModeBlock, stream);
    int32_t value = 42;
    loader.Transfer(value);
    ASSERT_STREQ(loader.HasError(), "Invalid stream token 0xf5");
    uint64_t left = stream.ReadableBytes();

    std::string text = "kept";
    std::deque<int32_t> queue{1, 2};
    uint32_t packed = 9;
    loader.Transfer(value).Transfer(text).Transfer(queue).TransferPacked(packed);
    uint8_t byte = 7;
    loader.Data(&byte, 1);
    loader.BeginBlock();
    loader.SkipBlock();
    loader.EndBlock();
    EXPECT_EQ(stream.ReadableBytes(), left);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(queue, (std::deque<int32_t>{1, 2}));
    EXPECT_EQ(packed, 9u);
    EXPECT_EQ(byte, 7);
}

// A value cut short by the end of the data keeps its old contents.
TEST(LoaderErrorTest, ValueCutShortIsLeftUntouched) {
    int32_t value = 42;
    EXPECT_EQ(petalune::test::loadError(ModeBlock, {0x02, 0x01, 0x02}, [&](auto& t) { t.Transfer(value); }),
              "Stream error: Read EOF");
    EXPECT_EQ(value, 42);
}

// A damaged count must not size the queue: it grows only as elements actually arrive.
TEST(LoaderErrorTest, HugeCountDoesNotSizeAQueue) {
    std::deque<int32_t> queue;
    Bytes input{0xF0, 0x09, 0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(petalune::test::loadError(ModeBlock, input, [&](auto& t) { t.Transfer(queue); }),
              "Stream error: Read EOF");
    EXPECT_LE(queue.size(), 2u);
}

}  // namespace
