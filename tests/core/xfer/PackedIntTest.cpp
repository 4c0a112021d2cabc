#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "core/xfer/Mode.h"
#include "tests/core/xfer/XferTestSupport.h"

namespace {

using petalune::test::Bytes;

struct PackedCase {
    int64_t value;  // unsigned cases use the low 32 bits
    Bytes bytes;
};

const PackedCase kUnsigned[] = {
    {0, {0x00}},
    {127, {0x7F}},
    {128, {0x80, 0x80}},
    {300, {0x81, 0x2C}},
    {16383, {0xBF, 0xFF}},
    {16384, {0xC0, 0x00, 0x40}},
    {0x12345, {0xC1, 0x45, 0x23}},
    {2097152, {0xE0, 0x00, 0x00, 0x20}},
    {0x0FFFFFFF, {0xEF, 0xFF, 0xFF, 0xFF}},
    {0x10000000, {0xF0, 0x00, 0x00, 0x00, 0x10}},
    {0xFFFFFFFF, {0xF0, 0xFF, 0xFF, 0xFF, 0xFF}},
};

const PackedCase kSigned[] = {
    {0, {0x00}},
    {-1, {0x7F}},
    {63, {0x3F}},
    {64, {0x80, 0x40}},
    {-64, {0x40}},
    {-65, {0xBF, 0xBF}},
    {-100, {0xBF, 0x9C}},
    {8191, {0x9F, 0xFF}},
    {-8193, {0xDF, 0xFF, 0xDF}},
    {1000000, {0xCF, 0x40, 0x42}},
    {-1000000, {0xD0, 0xC0, 0xBD}},
    {-134217728, {0xE8, 0x00, 0x00, 0x00}},
    {134217728, {0xF0, 0x00, 0x00, 0x00, 0x08}},
    {std::numeric_limits<int32_t>::min(), {0xF0, 0x00, 0x00, 0x00, 0x80}},
};

// Both forms as the saver writes them (a one-chunk stream) and read back by the loader.
TEST(PackedIntTest, EncodesTheShortestFormAndDecodesBack) {
    for (bool isSigned : {false, true}) {
        for (const PackedCase& c : isSigned ? std::vector(std::begin(kSigned), std::end(kSigned))
                                            : std::vector(std::begin(kUnsigned), std::end(kUnsigned))) {
            auto stored = static_cast<uint32_t>(c.value);
            Bytes bytes = petalune::test::saveBytes(core::xfer::ModeBlock, [&](auto& t) {
                isSigned ? t.TransferPacked(reinterpret_cast<int32_t&>(stored)) : t.TransferPacked(stored);
            });
            Bytes expected{static_cast<uint8_t>(c.bytes.size())};
            expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
            EXPECT_EQ(bytes, expected) << (isSigned ? "signed " : "unsigned ") << c.value;

            uint32_t loaded = 0;
            std::string error = petalune::test::loadError(core::xfer::ModeBlock, bytes, [&](auto& t) {
                isSigned ? t.TransferPacked(reinterpret_cast<int32_t&>(loaded)) : t.TransferPacked(loaded);
            });
            EXPECT_EQ(error, "");
            EXPECT_EQ(loaded, stored) << c.value;
        }
    }
}

// 16-bit values are widened before packing (zero- or sign-extended) and narrowed on loading.
TEST(PackedIntTest, SixteenBitValuesWidenByTheirForm) {
    uint16_t unsignedValue = 0xFFFF;
    int16_t signedValue = -2;
    Bytes bytes = petalune::test::saveBytes(core::xfer::ModeBlock, [&](auto& t) {
        t.Packed(core::xfer::tag::kPackedUnsigned, &unsignedValue, 2);
        t.Packed(core::xfer::tag::kPackedSigned, &signedValue, 2);
    });
    EXPECT_EQ(bytes, (Bytes{0x04, 0xC0, 0xFF, 0xFF, 0x7E}));

    uint16_t loadedUnsigned = 0;
    int16_t loadedSigned = 0;
    EXPECT_EQ(petalune::test::loadError(core::xfer::ModeBlock, bytes,
                                        [&](auto& t) {
                                            t.Packed(core::xfer::tag::kPackedUnsigned, &loadedUnsigned, 2);
                                            t.Packed(core::xfer::tag::kPackedSigned, &loadedSigned, 2);
                                        }),
              "");
    EXPECT_EQ(loadedUnsigned, 0xFFFF);
    EXPECT_EQ(loadedSigned, -2);
}

}  // namespace
