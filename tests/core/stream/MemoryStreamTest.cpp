#include <gtest/gtest.h>

#include <cstring>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "tests/core/stream/RecordingStream.h"

namespace {

using core::stream::BinaryReadMemory;
using core::stream::BinaryWriteMemory;

TEST(MemoryStreamTest, ReadingExactlyTheRestSucceedsAndOneMoreLeavesTheDestinationAlone) {
    const char data[] = "0123456789";
    BinaryReadMemory stream(data, 10);
    char out[10];
    stream.Read(out, 10);
    EXPECT_EQ(stream.Error(), nullptr);
    EXPECT_EQ(std::memcmp(out, data, 10), 0);

    char next = 'x';
    stream.Read(&next, 1);
    EXPECT_STREQ(stream.Error(), "Read EOF");
    EXPECT_EQ(next, 'x');
}

TEST(MemoryStreamTest, OverflowWritesNothingAndSizeCountsWhatFit) {
    unsigned char buffer[4] = {0, 0, 0, 0xEE};
    BinaryWriteMemory stream(buffer, sizeof buffer);
    stream.Write("abc", 3);
    stream.Write("de", 2);
    EXPECT_STREQ(stream.Error(), "Write overflow");
    EXPECT_EQ(stream.Size(), 3u);
    EXPECT_EQ(buffer[3], 0xEE);

    // The stream keeps working after an error when a request fits.
    stream.Write("f", 1);
    EXPECT_EQ(stream.Size(), 4u);
    EXPECT_STREQ(stream.Error(), "Write overflow");
}

TEST(MemoryStreamTest, NullBuffersHaveNothingToReadAndNoRoom) {
    BinaryReadMemory reader(nullptr, 100);
    EXPECT_EQ(reader.ReadableBytes(), 0u);
    reader.Read(nullptr, 0);
    EXPECT_EQ(reader.Error(), nullptr);
    char byte;
    reader.Read(&byte, 1);
    EXPECT_STREQ(reader.Error(), "Read EOF");

    BinaryWriteMemory writer(nullptr, 100);
    writer.Write("", 0);
    EXPECT_EQ(writer.Error(), nullptr);
    writer.Write("a", 1);
    EXPECT_STREQ(writer.Error(), "Write overflow");
    EXPECT_EQ(writer.Size(), 0u);
}

TEST(MemoryStreamTest, CopyToHandsTheBytesOverInOneWriteAndAdvances) {
    const unsigned char data[] = {1, 2, 3, 4, 5};
    BinaryReadMemory stream(data, sizeof data);
    stream.Skip(1);
    petalune::test::RecordingStream target;
    stream.CopyTo(3, target);
    EXPECT_EQ(target.bytes(), (std::vector<uint8_t>{2, 3, 4}));
    EXPECT_EQ(target.writes(), (std::vector<uint32_t>{3}));
    EXPECT_EQ(stream.ReadableBytes(), 1u);

    stream.CopyTo(2, target);
    EXPECT_STREQ(stream.Error(), "Read EOF");
    EXPECT_EQ(target.writes().size(), 1u);
}

}  // namespace
