#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/audio/WavReader.h"
#include "tests/engine_audio/WavBytes.h"

using namespace wavbytes;
using CocosDenshion::parseWav;
using CocosDenshion::WavParseResult;

namespace {

// An exact-size heap copy, so AddressSanitizer catches any read past the end.
WavParseResult parse(const std::string& bytes) {
    auto copy = std::make_unique<unsigned char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    WavParseResult result = parseWav(copy.get(), bytes.size());
    if (result.ok())
        result.sound.samples =
            reinterpret_cast<const unsigned char*>(bytes.data()) + (result.sound.samples - copy.get());
    return result;
}

const std::string kFourSamples = samples16({100, -100, 2000, -2000});

struct ReadableCase {
    const char* name;
    std::string bytes;
    int channels;
    int bits;
    int rate;
    size_t dataOffset;
    size_t size;
};

class ReadableLayouts : public ::testing::TestWithParam<ReadableCase> {};

TEST_P(ReadableLayouts, FindTheSamplesAndTheirFormat) {
    const ReadableCase& c = GetParam();
    WavParseResult result = parse(c.bytes);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.sound.channels, c.channels);
    EXPECT_EQ(result.sound.bitsPerSample, c.bits);
    EXPECT_EQ(result.sound.sampleRate, c.rate);
    EXPECT_EQ(result.sound.samples - reinterpret_cast<const unsigned char*>(c.bytes.data()),
              static_cast<ptrdiff_t>(c.dataOffset));
    EXPECT_EQ(result.sound.size, c.size);
    EXPECT_FALSE(result.sound.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    WavReader, ReadableLayouts,
    ::testing::Values(
        ReadableCase{"PcmMono16", pcmWav(1, 22050, 16, kFourSamples), 1, 16, 22050, 44, 8},
        ReadableCase{"PcmStereo16", pcmWav(2, 44100, 16, kFourSamples), 2, 16, 44100, 44, 8},
        ReadableCase{"PcmMono8", pcmWav(1, 11025, 8, "\x80\x90\x70"), 1, 8, 11025, 44, 3},
        // Format chunk with an empty extension (size 18): data follows the extension.
        ReadableCase{
            "PcmWithEmptyExtension",
            riffWave(chunk("fmt ", formatFields(1, 1, 8000, 16) + le16(0)) + chunk("data", kFourSamples)), 1,
            16, 8000, 46, 8},
        ReadableCase{"ExtensiblePcm", riffWave(extensibleFormat(2, 48000, 16) + chunk("data", kFourSamples)),
                     2, 16, 48000, 68, 8},
        ReadableCase{
            "ListChunkBeforeData",
            riffWave(pcmFormat(1, 22050, 16) + chunk("LIST", "INFOabcd") + chunk("data", kFourSamples)), 1,
            16, 22050, 44 + 8 + 8, 8},
        ReadableCase{"OddChunkIsPadded",
                     riffWave(pcmFormat(1, 22050, 16) + chunk("junk", "abc") + chunk("data", kFourSamples)),
                     1, 16, 22050, 44 + 8 + 4, 8},
        ReadableCase{"PartialFrameDropped", pcmWav(2, 22050, 16, kFourSamples + "\x01\x02\x03"), 2, 16, 22050,
                     44, 8},
        ReadableCase{"EmptyData", pcmWav(1, 22050, 16, ""), 1, 16, 22050, 44, 0}),
    [](const auto& p) { return std::string(p.param.name); });

struct RejectedCase {
    const char* name;
    std::string bytes;
    const char* error;
};

class RejectedFiles : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedFiles, GiveTheReason) {
    WavParseResult result = parse(GetParam().bytes);
    ASSERT_FALSE(result.ok());
    EXPECT_STREQ(result.error, GetParam().error);
}

std::string withFormat(uint16_t format, uint16_t channels, uint16_t bits, uint32_t rate = 22050) {
    return riffWave(chunk("fmt ", formatFields(format, channels, rate, bits)) + chunk("data", kFourSamples));
}

constexpr const char* kNotWav = "not a RIFF/WAVE file";
constexpr const char* kFormatCut = "format chunk cut short";
constexpr const char* kNotPcm = "not uncompressed PCM";
constexpr const char* kChannels = "only mono and stereo are supported";
constexpr const char* kBits = "only 8 and 16 bit samples are supported";

INSTANTIATE_TEST_SUITE_P(
    WavReader, RejectedFiles,
    ::testing::Values(
        RejectedCase{"Empty", "", kNotWav},
        RejectedCase{"Text", "just some text that is long enough to hold a header", kNotWav},
        RejectedCase{"BigEndianRifx", "RIFX" + pcmWav(1, 22050, 16, kFourSamples).substr(4), kNotWav},
        RejectedCase{"NotWave", "RIFF" + le32(40) + "AVI " + pcmFormat(1, 22050, 16), kNotWav},
        RejectedCase{"FormatChunkNotFirst", riffWave(chunk("LIST", "INFO") + pcmFormat(1, 22050, 16)),
                     kNotWav},
        RejectedCase{"FormatChunkTooSmall",
                     riffWave(chunk("fmt ", le16(1) + le16(1)) + chunk("data", kFourSamples)), kFormatCut},
        RejectedCase{"FormatChunkCutShort", pcmWav(1, 22050, 16, kFourSamples).substr(0, 30), kFormatCut},
        RejectedCase{"IeeeFloat", withFormat(3, 1, 16), kNotPcm},
        RejectedCase{"Adpcm", withFormat(2, 1, 16), kNotPcm},
        RejectedCase{"ExtensibleFloat",
                     riffWave(extensibleFormat(1, 22050, 16, 3) + chunk("data", kFourSamples)), kNotPcm},
        RejectedCase{"ExtensionCutShort",
                     riffWave(chunk("fmt ", formatFields(0xFFFE, 1, 22050, 16) + le16(0)) +
                              chunk("data", kFourSamples)),
                     kNotPcm},
        RejectedCase{"NoChannels", withFormat(1, 0, 16), kChannels},
        RejectedCase{"SixChannels", withFormat(1, 6, 16), kChannels},
        RejectedCase{"TwentyFourBit", withFormat(1, 1, 24), kBits},
        RejectedCase{"ZeroRate", withFormat(1, 1, 16, 0), "sample rate out of range"},
        RejectedCase{"HugeRate", withFormat(1, 1, 16, 0x80000000), "sample rate out of range"},
        RejectedCase{"NoDataChunk", riffWave(pcmFormat(1, 22050, 16) + chunk("LIST", "INFO")),
                     "no data chunk"},
        // A huge chunk size must not wrap the offset back into the file.
        RejectedCase{
            "HugeChunkBeforeData",
            riffWave(pcmFormat(1, 22050, 16) + "junk" + le32(0xFFFFFFFF) + chunk("data", kFourSamples)),
            "no data chunk"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WavReader, DataChunkCutShortKeepsTheWholeFramesPresent) {
    std::string full = riffWave(pcmFormat(1, 22050, 16) + "data" + le32(1000) + kFourSamples + "\x07");
    WavParseResult result = parse(full);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.sound.size, 8u);
    EXPECT_TRUE(result.sound.truncated);
}

// Every prefix of a valid file either fails or describes samples inside the prefix.
TEST(WavReader, NoPrefixReadsPastItsEnd) {
    std::string full = riffWave(extensibleFormat(2, 22050, 16) + chunk("LIST", "INFOabcd") +
                                chunk("data", kFourSamples + kFourSamples));
    for (size_t length = 0; length <= full.size(); ++length) {
        std::string prefix = full.substr(0, length);
        WavParseResult result = parse(prefix);
        if (!result.ok()) continue;
        size_t offset =
            static_cast<size_t>(result.sound.samples - reinterpret_cast<const unsigned char*>(prefix.data()));
        EXPECT_LE(offset + result.sound.size, length) << "prefix of " << length << " bytes";
        EXPECT_EQ(result.sound.size % 4, 0u);
    }
}

}  // namespace
