#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "core/stream/BinaryReadStdioFile.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/stream/BinaryWriteStdioFile.h"
#include "tests/core/stream/RecordingStream.h"

namespace {

using core::stream::BinaryReadStdioFile;
using core::stream::BinaryWriteStdioFile;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File fileHolding(const std::vector<uint8_t>& bytes) {
    File file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

std::vector<uint8_t> pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    return bytes;
}

TEST(StdioFileStreamTest, CopyToMovesPiecesOf4096) {
    std::vector<uint8_t> data = pattern(10000);
    File file = fileHolding(data);
    BinaryReadStdioFile stream(file.get());
    petalune::test::RecordingStream target;
    stream.CopyTo(10000, target);
    EXPECT_EQ(stream.Error(), nullptr);
    EXPECT_EQ(target.writes(), (std::vector<uint32_t>{4096, 4096, 1808}));
    EXPECT_EQ(target.bytes(), data);
}

TEST(StdioFileStreamTest, CopyToKeepsReadingWhenTheTargetOverflows) {
    File file = fileHolding(pattern(10000));
    BinaryReadStdioFile stream(file.get());
    std::vector<uint8_t> buffer(5000);
    core::stream::BinaryWriteMemory target(buffer.data(), buffer.size());
    stream.CopyTo(10000, target);
    EXPECT_EQ(stream.Error(), nullptr);
    EXPECT_STREQ(target.Error(), "Write overflow");
    EXPECT_EQ(std::ftell(file.get()), 10000);
}

TEST(StdioFileStreamTest, CopyToStopsAtTheSourcesOwnError) {
    File file = fileHolding(pattern(5000));
    BinaryReadStdioFile stream(file.get());
    petalune::test::RecordingStream target;
    stream.CopyTo(10000, target);
    EXPECT_STREQ(stream.Error(), "Read error");
    EXPECT_EQ(target.writes().size(), 2u);
}

TEST(StdioFileStreamTest, WrittenBytesReadBack) {
    File file(std::tmpfile());
    {
        BinaryWriteStdioFile writer(file.get());
        writer.Write("hello", 5);
        writer.Write("", 0);
        EXPECT_EQ(writer.Error(), nullptr);
    }
    std::rewind(file.get());
    BinaryReadStdioFile reader(file.get());
    EXPECT_EQ(reader.ReadableBytes(), 5u);
    reader.Skip(1);
    EXPECT_EQ(reader.ReadableBytes(), 4u);
    char out[4];
    reader.Read(out, 4);
    EXPECT_EQ(reader.Error(), nullptr);
    EXPECT_EQ(std::string(out, 4), "ello");
    EXPECT_EQ(reader.ReadableBytes(), 0u);
}

TEST(StdioFileStreamTest, NullFileKeepsInternalErrorAndTouchesNothing) {
    BinaryReadStdioFile reader(nullptr);
    char out = 'x';
    reader.Read(&out, 1);
    reader.Skip(4);
    petalune::test::RecordingStream target;
    reader.CopyTo(4, target);
    EXPECT_STREQ(reader.Error(), "Internal error");
    EXPECT_EQ(out, 'x');
    EXPECT_TRUE(target.writes().empty());
    EXPECT_EQ(reader.ReadableBytes(), 0u);

    BinaryWriteStdioFile writer(nullptr);
    writer.Write("a", 1);
    writer.Read(&out, 1);
    EXPECT_STREQ(writer.Error(), "Internal error");
}

}  // namespace
