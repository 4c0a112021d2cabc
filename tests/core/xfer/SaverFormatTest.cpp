#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/BlockScope.h"
#include "core/xfer/StreamToken.h"
#include "core/xfer/Version.h"
#include "tests/core/stream/RecordingStream.h"
#include "tests/core/xfer/XferTestSupport.h"

namespace {

using core::xfer::ModeBlock;
using core::xfer::ModeVersion;
using core::xfer::VirtualBase;
using petalune::test::Bytes;

struct FormatCase {
    const char* name;
    uint32_t flags;
    petalune::test::TransferFn transfer;
    Bytes expected;
};

const FormatCase kFormatCases[] = {
    {"int32",
     ModeBlock,
     [](VirtualBase& t) {
         int32_t v = 300;
         t.Transfer(v);
     },
     {0x04, 0x2C, 0x01, 0x00, 0x00}},
    {"uint32 and float",
     ModeBlock,
     [](VirtualBase& t) {
         uint32_t u = 0x01020304;
         float f = 1.0f;
         t.Transfer(u).Transfer(f);
     },
     {0x08, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F}},
    {"block",
     ModeBlock,
     [](VirtualBase& t) {
         core::xfer::BlockScope block(t);
         uint32_t count = 2;
         int32_t a = 5, b = 300;
         t.TransferPacked(count).Transfer(a).Transfer(b);
     },
     {0xF0, 0x09, 0x02, 0x05, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, 0xF1}},
    {"bytes pending before a block get a chunk of their own",
     ModeBlock,
     [](VirtualBase& t) {
         int32_t v = 7;
         t.Transfer(v);
         core::xfer::BlockScope block(t);
     },
     {0x04, 0x07, 0x00, 0x00, 0x00, 0xF0, 0xF1}},
    {"string",
     ModeBlock,
     [](VirtualBase& t) {
         std::string s = "abc";
         t.Transfer(s);
     },
     {0x07, 0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63}},
    {"empty string has no data run",
     ModeBlock,
     [](VirtualBase& t) {
         std::string s;
         t.Transfer(s);
     },
     {0x04, 0x00, 0x00, 0x00, 0x00}},
    {"empty deque",
     ModeBlock,
     [](VirtualBase& t) {
         std::deque<int32_t> q;
         t.Transfer(q);
     },
     {0xF0, 0x01, 0x00, 0xF1}},
    {"deque of int32",
     ModeBlock,
     [](VirtualBase& t) {
         std::deque<int32_t> q{5, 300};
         t.Transfer(q);
     },
     {0xF0, 0x09, 0x02, 0x05, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, 0xF1}},
    {"deque of objects by value",
     ModeBlock,
     [](VirtualBase& t) {
         std::deque<petalune::test::Combo> q{{1, -1}, {2, 100}};
         t.Transfer(q);
     },
     {0xF0, 0x06, 0x02, 0x01, 0x7F, 0x02, 0x80, 0x64, 0xF1}},
    {"version stamp in ModeVersion",
     ModeBlock | ModeVersion,
     [](VirtualBase& t) { EXPECT_EQ(core::xfer::Version(t, 1).Number(), 1); },
     {0x01, 0x01}},
    {"no version stamp otherwise", ModeBlock, [](VirtualBase& t) { core::xfer::Version(t, 1); }, {}},
    {"empty data run", ModeBlock, [](VirtualBase& t) { t.Data(nullptr, 0); }, {}},
};

TEST(SaverFormatTest, WritesTheExactBytes) {
    for (const FormatCase& c : kFormatCases) {
        EXPECT_EQ(petalune::test::saveBytes(c.flags, c.transfer), c.expected) << c.name;
    }
}

TEST(SaverFormatTest, ChunkLengthPrefixesUseTheShortestBigEndianForm) {
    const std::pair<uint32_t, Bytes> cases[] = {
        {1, {0x01}},
        {127, {0x7F}},
        {128, {0x80, 0x80}},
        {200, {0x80, 0xC8}},
        {16383, {0xBF, 0xFF}},
        {16384, {0xC0, 0x40, 0x00}},
        {65536, {0xC1, 0x00, 0x00}},
    };
    for (const auto& [length, prefix] : cases) {
        Bytes data(length, 0xAB);
        Bytes bytes = petalune::test::saveBytes(ModeBlock, [&](auto& t) { t.Data(data.data(), length); });
        ASSERT_EQ(bytes.size(), prefix.size() + length) << length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + prefix.size()), prefix) << length;
    }
    uint8_t prefix[4];
    EXPECT_EQ(core::xfer::encodeChunkLength(0x0FFFFFFF, prefix), 4u);
    EXPECT_EQ(Bytes(prefix, prefix + 4), (Bytes{0xEF, 0xFF, 0xFF, 0xFF}));
}

TEST(SaverFormatTest, LongRunsAreCutIntoChunksOf65536) {
    Bytes data(70000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i);
    Bytes bytes = petalune::test::saveBytes(ModeBlock, [&](auto& t) { t.Data(data.data(), 70000); });
    ASSERT_EQ(bytes.size(), 3 + 65536 + 2 + 4464u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{0xC1, 0x00, 0x00}));
    EXPECT_EQ(Bytes(bytes.begin() + 3 + 65536, bytes.begin() + 3 + 65536 + 2), (Bytes{0x91, 0x70}));
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 65536, bytes.begin() + 3));
    EXPECT_TRUE(std::equal(data.begin() + 65536, data.end(), bytes.begin() + 3 + 65536 + 2));
}

// Values gather in the saver until a token, a full buffer or destruction writes them.
TEST(SaverFormatTest, ValuesReachTheStreamInChunksNotOneByOne) {
    petalune::test::RecordingStream stream;
    {
        core::xfer::SaveWithBlockNoTag saver(ModeBlock, stream);
        for (int32_t i = 0; i < 100; ++i) saver.Transfer(i);
        EXPECT_TRUE(stream.writes().empty());
        saver.FlushChunk();
        EXPECT_EQ(stream.writes(), (std::vector<uint32_t>{2, 400}));
        saver.FlushChunk();
    }
    EXPECT_EQ(stream.writes().size(), 2u);
}

// The saver does not watch the stream: an overflowing buffer shows only on the stream.
TEST(SaverFormatTest, StreamFailuresShowOnTheStream) {
    uint8_t buffer[3];
    core::stream::BinaryWriteMemory stream(buffer, sizeof buffer);
    {
        core::xfer::SaveWithBlockNoTag saver(ModeBlock, stream);
        int32_t v = 1;
        saver.Transfer(v);
        EXPECT_EQ(saver.HasError(), nullptr);
    }
    EXPECT_STREQ(stream.Error(), "Write overflow");
}

}  // namespace
