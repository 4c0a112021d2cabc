#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "tests/core/xfer/XferTestSupport.h"

namespace {

using core::xfer::ModeBlock;
using core::xfer::ModeDebugString;
using petalune::test::Bytes;

// Only the loader understands debug texts: a new text (0, packed length, bytes) joins the
// table, a later reference is its packed index.
TEST(DebugStringTest, NewTextsJoinTheTableAndIndexesReuseThem) {
    Bytes input{0x09, 0x0F, 0x00, 0x03, 'a', 'b', 'c', 0x0F, 0x01, 0x0F};
    core::stream::BinaryReadMemory stream(input.data(), input.size());
    core::xfer::Load loader(ModeBlock | ModeDebugString, stream);
    EXPECT_EQ(loader.Flags(), ModeBlock | ModeDebugString | core::xfer::ModeTag);
    EXPECT_EQ(loader.DebugString(""), "abc");
    EXPECT_EQ(loader.DebugString(""), "abc");
    EXPECT_EQ(loader.HasError(), nullptr);
}

TEST(DebugStringTest, WrongTagYieldsThePlaceholder) {
    Bytes input{0x01, 0x0C};
    core::stream::BinaryReadMemory stream(input.data(), input.size());
    core::xfer::Load loader(ModeBlock | ModeDebugString, stream);
    EXPECT_EQ(loader.DebugString(""), "[no-dbg-string]");
    EXPECT_STREQ(loader.HasError(), "Tag mismatch, written=12, expected=15");
}

// A queue in ModeDebugString: tagged count and elements framed by its debug texts.
TEST(DebugStringTest, TaggedQueueLoads) {
    const std::string open = std::string("<deque:") + typeid(int32_t).name() + ">";
    const std::string close = std::string("</deque:") + typeid(int32_t).name() + ">";
    Bytes payload{0x0F, 0x00, static_cast<uint8_t>(open.size())};
    payload.insert(payload.end(), open.begin(), open.end());
    payload.insert(payload.end(), {0x0C, 0x01, 0x06, 0x2C, 0x01, 0x00, 0x00, 0x0F, 0x00});
    payload.push_back(static_cast<uint8_t>(close.size()));
    payload.insert(payload.end(), close.begin(), close.end());
    Bytes input{0xF0, static_cast<uint8_t>(payload.size())};
    input.insert(input.end(), payload.begin(), payload.end());
    input.push_back(0xF1);

    std::deque<int32_t> queue;
    EXPECT_EQ(
        petalune::test::loadError(ModeBlock | ModeDebugString, input, [&](auto& t) { t.Transfer(queue); }),
        "");
    EXPECT_EQ(queue, std::deque<int32_t>{300});
}

}  // namespace
