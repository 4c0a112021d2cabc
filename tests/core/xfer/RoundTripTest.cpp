#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <memory>
#include <string>

#include "core/stream/BinaryReadStdioFile.h"
#include "core/stream/BinaryWriteStdioFile.h"
#include "core/xfer/Version.h"
#include "tests/core/xfer/XferTestSupport.h"

namespace {

using core::xfer::ModeBlock;
using core::xfer::ModeVersion;
using core::xfer::VirtualBase;
using petalune::test::Bytes;
using petalune::test::Combo;

// Shaped like a saved game: every kind of value it stores, in one transfer function.
struct Record {
    uint8_t version = 0;
    std::string section;
    int32_t score = 0;
    std::deque<Combo> history;
    uint32_t generator = 0;
    std::deque<int32_t> deck;
    int32_t cells[72] = {};
    float secondsLeft = 0;
    std::string end;

    void Transfer(VirtualBase& t) {
        version = core::xfer::Version(t, 1).Number();
        t.Transfer(section).Transfer(score).Transfer(history).Transfer(generator).Transfer(deck);
        for (int32_t& cell : cells) t.TransferPacked(cell);
        t.Transfer(secondsLeft).Transfer(end);
    }
    bool operator==(const Record&) const = default;
};

Record sample() {
    Record r;
    r.version = 1;
    r.section = "game_orig";
    r.score = -123456;
    r.history = {{1, 3}, {-2, 70}, {5, -9000}};
    r.generator = 0xDEADBEEF;
    r.deck = {4, 0, -1, 1 << 30};
    for (int i = 0; i < 72; ++i) r.cells[i] = (i % 9) - 3;
    r.secondsLeft = 2.5f;
    return r;
}

TEST(RoundTripTest, MemoryStreamsRestoreEveryValueInBothModes) {
    for (uint32_t flags : {uint32_t{ModeBlock}, ModeBlock | ModeVersion}) {
        Record saved = sample();
        Bytes bytes = petalune::test::saveBytes(flags, [&](auto& t) { saved.Transfer(t); });
        Record loaded;
        loaded.history = {{9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}};
        EXPECT_EQ(petalune::test::loadError(flags, bytes, [&](auto& t) { loaded.Transfer(t); }), "") << flags;
        EXPECT_EQ(loaded, saved) << flags;
    }
}

TEST(RoundTripTest, FileStreamsRestoreEveryValue) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::tmpfile(), std::fclose);
    Record saved = sample();
    {
        core::stream::BinaryWriteStdioFile stream(file.get());
        core::xfer::SaveWithBlockNoTag saver(ModeBlock | ModeVersion, stream);
        saved.Transfer(saver);
    }
    std::rewind(file.get());
    core::stream::BinaryReadStdioFile stream(file.get());
    core::xfer::Load loader(ModeBlock | ModeVersion, stream);
    Record loaded;
    loaded.Transfer(loader);
    EXPECT_EQ(loader.HasError(), nullptr);
    EXPECT_EQ(loaded, saved);
}

// Whatever the cut, a truncated stream ends in an error and never reads past its end
// (the sanitizer build checks the latter).
TEST(RoundTripTest, EveryTruncationEndsInAnError) {
    Bytes bytes = petalune::test::saveBytes(ModeBlock | ModeVersion, [](auto& t) { sample().Transfer(t); });
    for (size_t size = 0; size < bytes.size(); ++size) {
        Bytes cut(bytes.begin(), bytes.begin() + size);
        Record loaded;
        std::string error =
            petalune::test::loadError(ModeBlock | ModeVersion, cut, [&](auto& t) { loaded.Transfer(t); });
        EXPECT_NE(error, "") << "cut at " << size;
    }
}

TEST(RoundTripTest, DamagedBytesAreReportedOrLoadAsARecordThatSavesAgain) {
    Bytes bytes = petalune::test::saveBytes(ModeBlock | ModeVersion, [](auto& t) { sample().Transfer(t); });
    int reported = 0;
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (uint8_t value : {0x00, 0x7F, 0x80, 0xC0, 0xEF, 0xF0, 0xF1, 0xFF}) {
            Bytes damaged = bytes;
            damaged[at] = value;
            Record loaded;
            std::string error = petalune::test::loadError(ModeBlock | ModeVersion, damaged,
                                                          [&](auto& t) { loaded.Transfer(t); });
            if (!error.empty()) {
                ++reported;
                continue;
            }
            // What loads without an error is a whole record: it saves and loads back unchanged.
            Bytes again =
                petalune::test::saveBytes(ModeBlock | ModeVersion, [&](auto& t) { loaded.Transfer(t); });
            Record reloaded;
            EXPECT_EQ(petalune::test::loadError(ModeBlock | ModeVersion, again,
                                                [&](auto& t) { reloaded.Transfer(t); }),
                      "")
                << "byte " << at << " = " << int(value);
            EXPECT_EQ(reloaded, loaded) << "byte " << at << " = " << int(value);
        }
    }
    EXPECT_GT(reported, 0);
}

TEST(RoundTripTest, ShorterQueueReplacesALongerOne) {
    std::deque<int32_t> saved{1, 2, 3};
    Bytes bytes = petalune::test::saveBytes(ModeBlock, [&](auto& t) { t.Transfer(saved); });
    std::deque<int32_t> loaded{9, 9, 9, 9, 9};
    EXPECT_EQ(petalune::test::loadError(ModeBlock, bytes, [&](auto& t) { t.Transfer(loaded); }), "");
    EXPECT_EQ(loaded, saved);
}

TEST(RoundTripTest, VersionOnlyInModeVersion) {
    uint8_t found = 0;
    EXPECT_EQ(petalune::test::loadError(ModeBlock, {},
                                        [&](auto& t) { found = core::xfer::Version(t, 3).Number(); }),
              "");
    EXPECT_EQ(found, 3);
    EXPECT_EQ(petalune::test::loadError(ModeBlock | ModeVersion, {0x01, 0x02},
                                        [&](auto& t) { found = core::xfer::Version(t, 3).Number(); }),
              "");
    EXPECT_EQ(found, 2);
}

// The loader accepts what this saver never writes: four-byte chunk lengths, empty chunks,
// and values that straddle chunks.
TEST(RoundTripTest, LoaderAcceptsEveryChunkForm) {
    Bytes input{0x00, 0xE0, 0x00, 0x00, 0x01, 0x2C, 0x80, 0x01, 0x01, 0xC0, 0x00, 0x02, 0x00, 0x00};
    int32_t value = 0;
    EXPECT_EQ(petalune::test::loadError(ModeBlock, input, [&](auto& t) { t.Transfer(value); }), "");
    EXPECT_EQ(value, 300);
}

// Another writer may use chunks longer than the loader's 64 KiB window.
TEST(RoundTripTest, ChunksLongerThanTheWindowReadWhole) {
    Bytes data(70000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 13);
    Bytes input{0xC1, 0x11, 0x70};
    input.insert(input.end(), data.begin(), data.end());

    Bytes loaded(data.size());
    EXPECT_EQ(petalune::test::loadError(ModeBlock, input, [&](auto& t) { t.Data(loaded.data(), 70000); }),
              "");
    EXPECT_EQ(loaded, data);
    EXPECT_EQ(petalune::test::loadError(ModeBlock, input,
                                        [&](auto& t) {
                                            t.Data(loaded.data(), 10);
                                            t.EndBlock();
                                        }),
              "69990 unread bytes remaining before EndBlock");
}

TEST(RoundTripTest, BarePayloadWithoutModeBlock) {
    Bytes input{0x2C, 0x01, 0x00, 0x00, 0x81, 0x2C};
    int32_t value = 0;
    uint32_t packed = 0;
    EXPECT_EQ(petalune::test::loadError(0, input, [&](auto& t) { t.Transfer(value).TransferPacked(packed); }),
              "");
    EXPECT_EQ(value, 300);
    EXPECT_EQ(packed, 300u);
}

TEST(RoundTripTest, SkipBlockPassesOverNestedBlocks) {
    Bytes input{0xF0, 0x02, 0xAA, 0xBB, 0xF0, 0xF1, 0xF1, 0x04, 0x2C, 0x01, 0x00, 0x00};
    core::stream::BinaryReadMemory stream(input.data(), input.size());
    core::xfer::Load loader(ModeBlock, stream);
    loader.SkipBlock();
    EXPECT_EQ(loader.HasError(), nullptr);
    EXPECT_EQ(stream.ReadableBytes(), 5u);
    int32_t value = 0;
    loader.Transfer(value);
    EXPECT_EQ(value, 300);
}

TEST(RoundTripTest, SkipBlockCopiesTheEncodedBlock) {
    Bytes block{0xF0, 0x02, 0xAA, 0xBB, 0xF0, 0x80, 0x81};
    block.insert(block.end(), 0x81, 0xCC);
    block.insert(block.end(), {0xF1, 0xF1});
    Bytes input = block;
    input.push_back(0x00);
    core::stream::BinaryReadMemory stream(input.data(), input.size());
    core::xfer::Load loader(ModeBlock, stream);
    Bytes copy(block.size() + 8);
    core::stream::BinaryWriteMemory target(copy.data(), copy.size());
    loader.SkipBlock(target);
    EXPECT_EQ(loader.HasError(), nullptr);
    copy.resize(target.Size());
    EXPECT_EQ(copy, block);
}

}  // namespace
