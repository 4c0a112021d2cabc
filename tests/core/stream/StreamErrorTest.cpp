#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryReadStdioFile.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/stream/BinaryWriteStdioFile.h"

namespace {

using core::stream::BinaryReadWriteBase;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// A stream over a small fixture and the failing call to make on it.
struct ErrorCase {
    const char* name;
    std::function<void(const std::function<void(BinaryReadWriteBase&)>&)> withStream;
    std::function<void(BinaryReadWriteBase&)> act;
    const char* expected;
};

const unsigned char kTwo[2] = {1, 2};

void overMemoryReader(const std::function<void(BinaryReadWriteBase&)>& use) {
    core::stream::BinaryReadMemory stream(kTwo, sizeof kTwo);
    use(stream);
}

void overMemoryWriter(const std::function<void(BinaryReadWriteBase&)>& use) {
    unsigned char buffer[2];
    core::stream::BinaryWriteMemory stream(buffer, sizeof buffer);
    use(stream);
}

void overFileReader(const std::function<void(BinaryReadWriteBase&)>& use) {
    File file(std::tmpfile());
    std::fwrite(kTwo, 1, sizeof kTwo, file.get());
    std::rewind(file.get());
    core::stream::BinaryReadStdioFile stream(file.get());
    use(stream);
}

void overFileWriter(const std::function<void(BinaryReadWriteBase&)>& use) {
    File file(std::tmpfile());
    core::stream::BinaryWriteStdioFile stream(file.get());
    use(stream);
}

// fwrite into a file opened only for reading fails at once, without buffering.
void overReadOnlyFileWriter(const std::function<void(BinaryReadWriteBase&)>& use) {
    File file(std::fopen("/dev/null", "rb"));
    core::stream::BinaryWriteStdioFile stream(file.get());
    use(stream);
}

// A pipe cannot seek.
void overPipeReader(const std::function<void(BinaryReadWriteBase&)>& use) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    File file(::fdopen(fds[0], "rb"));
    ::close(fds[1]);
    core::stream::BinaryReadStdioFile stream(file.get());
    use(stream);
}

void overNullFileReader(const std::function<void(BinaryReadWriteBase&)>& use) {
    core::stream::BinaryReadStdioFile stream(nullptr);
    use(stream);
}

void overNullFileWriter(const std::function<void(BinaryReadWriteBase&)>& use) {
    core::stream::BinaryWriteStdioFile stream(nullptr);
    use(stream);
}

unsigned char s_sink[8];
core::stream::BinaryWriteMemory& sink() {
    static core::stream::BinaryWriteMemory stream(s_sink, sizeof s_sink);
    return stream;
}

const ErrorCase kErrorCases[] = {
    {"memory read past end", overMemoryReader, [](auto& s) { s.Read(s_sink, 3); }, "Read EOF"},
    {"memory skip past end", overMemoryReader, [](auto& s) { s.Skip(3); }, "Read EOF"},
    {"memory copy past end", overMemoryReader, [](auto& s) { s.CopyTo(3, sink()); }, "Read EOF"},
    {"memory reader write", overMemoryReader, [](auto& s) { s.Write(kTwo, 1); }, "Read EOF"},
    {"memory write past end", overMemoryWriter, [](auto& s) { s.Write(s_sink, 3); }, "Write overflow"},
    {"memory writer read", overMemoryWriter, [](auto& s) { s.Read(s_sink, 1); }, "Write overflow"},
    {"memory writer skip", overMemoryWriter, [](auto& s) { s.Skip(1); }, "Write overflow"},
    {"memory writer copy", overMemoryWriter, [](auto& s) { s.CopyTo(1, sink()); }, "Write overflow"},
    {"file read past end", overFileReader, [](auto& s) { s.Read(s_sink, 3); }, "Read error"},
    {"file skip on a pipe", overPipeReader, [](auto& s) { s.Skip(1); }, "Skip failure"},
    {"file reader write", overFileReader, [](auto& s) { s.Write(kTwo, 1); }, "Can't write"},
    {"file write refused", overReadOnlyFileWriter, [](auto& s) { s.Write(kTwo, 1); }, "Write error"},
    {"file writer read", overFileWriter, [](auto& s) { s.Read(s_sink, 1); }, "Can't read"},
    {"file writer skip", overFileWriter, [](auto& s) { s.Skip(1); }, "Can't skip on write"},
    {"file writer copy", overFileWriter, [](auto& s) { s.CopyTo(1, sink()); }, "Can't skip on write"},
    {"null file reader", overNullFileReader, [](auto& s) { s.Read(s_sink, 1); }, "Internal error"},
    {"null file reader write", overNullFileReader, [](auto& s) { s.Write(kTwo, 1); }, "Internal error"},
    {"null file writer", overNullFileWriter, [](auto& s) { s.Write(kTwo, 1); }, "Internal error"},
    {"null file writer skip", overNullFileWriter, [](auto& s) { s.Skip(1); }, "Internal error"},
};

TEST(StreamErrorTest, EachFailureRecordsItsText) {
    for (const ErrorCase& c : kErrorCases) {
        c.withStream([&](BinaryReadWriteBase& stream) {
            c.act(stream);
            ASSERT_NE(stream.Error(), nullptr) << c.name;
            EXPECT_STREQ(stream.Error(), c.expected) << c.name;
        });
    }
}

TEST(StreamErrorTest, RequestsThatFitSucceedOnEveryReader) {
    for (auto over : {overMemoryReader, overFileReader}) {
        over([](BinaryReadWriteBase& stream) {
            unsigned char out[2] = {};
            stream.Read(out, 0);
            stream.Skip(1);
            stream.Read(out, 1);
            EXPECT_EQ(stream.Error(), nullptr);
            EXPECT_EQ(out[0], 2);
        });
    }
}

TEST(StreamErrorTest, FirstErrorWins) {
    core::stream::BinaryReadMemory stream(kTwo, sizeof kTwo);
    stream.Skip(5);
    stream.SetError("later");
    EXPECT_STREQ(stream.Error(), "Read EOF");
}

TEST(StreamErrorTest, IsWriterTellsTheDirection) {
    overMemoryReader([](auto& s) { EXPECT_FALSE(s.IsWriter()); });
    overFileReader([](auto& s) { EXPECT_FALSE(s.IsWriter()); });
    overMemoryWriter([](auto& s) { EXPECT_TRUE(s.IsWriter()); });
    overFileWriter([](auto& s) { EXPECT_TRUE(s.IsWriter()); });
}

}  // namespace
