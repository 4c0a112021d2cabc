#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/textures/JpegDecoder.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

std::vector<unsigned char> encodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<unsigned char> bytes(size);
    png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr);
    bytes.resize(size);
    return bytes;
}

std::vector<unsigned char> readFixture(const std::string& name) {
    std::ifstream in(petalune::test::fixturePath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

enum class Scans { Baseline, Progressive, OnePerCoefficient };

std::vector<unsigned char> encodeJpeg(int width, int height, Scans scans = Scans::Baseline) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    std::vector<jpeg_scan_info> script;
    if (scans == Scans::Progressive) jpeg_simple_progression(&info);
    if (scans == Scans::OnePerCoefficient) {
        script.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
        for (int component = 0; component < 3; ++component) {
            for (int k = 1; k < 64; ++k) script.push_back({1, {component, 0, 0, 0}, k, k, 0, 0});
        }
        info.scan_info = script.data();
        info.num_scans = static_cast<int>(script.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3, 200);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

class TextureTest : public EngineTest {
protected:
    std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    void SetUp() override { CCFileUtils::sharedFileUtils()->setPopupNotify(false); }
    void TearDown() override { CCFileUtils::sharedFileUtils()->setPopupNotify(true); }

    std::string folder = petalune::test::makeTempDir();
};

TEST_F(TextureTest, PngAndJpegSpritesKnowTheirPixelSize) {
    std::vector<std::uint8_t> rgba(3 * 2 * 4, 0);
    rgba[3] = 255;
    std::string png = writeFile("small.png", encodePng(3, 2, rgba));
    std::string jpeg = writeFile("photo.jpg", encodeJpeg(16, 8));

    CCSprite* fromPng = CCSprite::create(png.c_str());
    ASSERT_NE(fromPng, nullptr);
    EXPECT_EQ(fromPng->getContentSize(), CCSize(3, 2));
    CCSprite* fromJpeg = CCSprite::create(jpeg.c_str());
    ASSERT_NE(fromJpeg, nullptr);
    EXPECT_EQ(fromJpeg->getTexture()->getPixelsWide(), 16u);
    EXPECT_EQ(fromJpeg->getTexture()->getPixelsHigh(), 8u);

    // A second sprite of the same file shares the cached texture.
    EXPECT_EQ(CCSprite::create(png.c_str())->getTexture(), fromPng->getTexture());
}

TEST(JpegDecoder, BaselineAndProgressivePicturesDecodeToOpaqueRgba) {
    for (Scans scans : {Scans::Baseline, Scans::Progressive}) {
        std::vector<unsigned char> jpeg = encodeJpeg(5, 3, scans);
        JpegResult result = decodeJpegToRgba(jpeg.data(), jpeg.size(), 64, 64 * 64);
        ASSERT_EQ(result.error, "");
        ASSERT_EQ(result.width, 5);
        ASSERT_EQ(result.height, 3);
        ASSERT_EQ(result.rgba.size(), 5u * 3 * 4);
        for (std::size_t i = 0; i < result.rgba.size(); i += 4) {
            EXPECT_NEAR(result.rgba[i], 200, 2);
            EXPECT_NEAR(result.rgba[i + 1], 200, 2);
            EXPECT_NEAR(result.rgba[i + 2], 200, 2);
            EXPECT_EQ(result.rgba[i + 3], 255);
        }
    }
}

TEST(ScaledImages, NamesAndTheScaleALayoutAsksFor) {
    EXPECT_EQ(scaledImageName("tile.png", 2), "tile@2x.png");
    EXPECT_EQ(scaledImageName("dir.v1/tile", 3), "dir.v1/tile@3x");
    const std::pair<float, int> scales[] = {{0.5f, 1}, {1, 1},     {1.04f, 1}, {1.26f, 2},
                                            {2, 2},    {2.34f, 3}, {5, 3}};
    for (auto [content, image] : scales) EXPECT_EQ(imageScaleFor(content), image) << content;
}

TEST_F(TextureTest, ALargeLayoutTakesTheSharperPictureAtTheSameSize) {
    std::vector<std::uint8_t> rgba(8 * 6 * 4, 255);
    std::string plain = writeFile("pic.png", encodePng(4, 3, std::vector<std::uint8_t>(4 * 3 * 4, 255)));
    writeFile("pic@2x.png", encodePng(8, 6, rgba));
    std::string only = writeFile("only.png", encodePng(4, 3, std::vector<std::uint8_t>(4 * 3 * 4, 255)));

    setContentScaleFactor(2.34f);  // no @3x: the @2x picture; none at all: the plain one
    CCSprite* sharp = CCSprite::create(plain.c_str());
    CCSprite* fallback = CCSprite::create(only.c_str());
    setContentScaleFactor(1);
    ASSERT_NE(sharp, nullptr);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(sharp->getTexture()->getPixelsWide(), 8u);
    EXPECT_EQ(sharp->getContentSize(), CCSize(4, 3));
    EXPECT_EQ(fallback->getTexture()->getPixelsWide(), 4u);
    EXPECT_EQ(fallback->getContentSize(), CCSize(4, 3));

    // The whole picture is drawn over the sprite's size.
    scene->addChild(sharp);
    driver.step();
    const Quad& quad = frame().quads().back();
    EXPECT_EQ(quad.tr.u, 1);
    EXPECT_EQ(quad.bl.v, 1);
    EXPECT_EQ(quad.tr.x - quad.bl.x, 4);

    // A window made smaller again swaps the picture in place; the sprite keeps its size.
    CCTextureCache::sharedTextureCache()->matchContentScale();
    EXPECT_EQ(sharp->getTexture()->getPixelsWide(), 4u);
    EXPECT_EQ(sharp->getTexture()->getContentSize(), CCSize(4, 3));
    setContentScaleFactor(2);
    CCTextureCache::sharedTextureCache()->matchContentScale();
    EXPECT_EQ(sharp->getTexture()->getPixelsWide(), 8u);
    setContentScaleFactor(1);
}

TEST_F(TextureTest, BadImagesGiveNullAndOneClearLine) {
    std::vector<unsigned char> png = encodePng(4, 4, std::vector<std::uint8_t>(64, 255));
    std::vector<unsigned char> jpeg = encodeJpeg(8, 8);
    struct Case {
        std::string name;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases = {
        {"truncated.png", std::vector<unsigned char>(png.begin(), png.begin() + png.size() / 2)},
        {"garbage.png", std::vector<unsigned char>(100, 0x5a)},
        {"empty.png", {}},
        {"header-only.jpg", std::vector<unsigned char>(jpeg.begin(), jpeg.begin() + 20)},
        // A progressive picture whose header claims 65496 x 65496 pixels: refused before decoding.
        {"huge-progressive.jpg", readFixture("textures/huge_progressive.jpg")},
        // 190 scans, each a pass over the whole picture.
        {"many-scans.jpg", encodeJpeg(8, 8, Scans::OnePerCoefficient)},
    };
    for (const Case& c : cases) {
        std::string path = writeFile(c.name, c.bytes);
        testing::internal::CaptureStderr();
        CCSprite* sprite = CCSprite::create(path.c_str());
        std::string message = testing::internal::GetCapturedStderr();
        EXPECT_EQ(sprite, nullptr) << c.name;
        EXPECT_NE(message.find(c.name), std::string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(CCSprite::create((folder + "/missing.png").c_str()), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("missing.png"), std::string::npos);
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->textureCount(), 0u);
}

TEST_F(TextureTest, RemovingAllTexturesKeepsThoseStillShown) {
    std::string png = writeFile("kept.png", encodePng(2, 2, std::vector<std::uint8_t>(16, 255)));
    CCSprite* sprite = CCSprite::create(png.c_str());
    scene->addChild(sprite);
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->textureForKey(png.c_str()), nullptr);
    driver.step();
    ASSERT_EQ(frame().commands().size(), 1u);
    EXPECT_EQ(frame().commands()[0].texture, sprite->getTexture()->getName());
}

TEST_F(TextureTest, StraightAlphaIsPremultipliedForDrawing) {
    // Drawn colour of a half-transparent sprite: rgb scaled by its opacity.
    CCSprite* sprite = solidSprite(2, 2);
    sprite->setColor(ccc3(200, 100, 0));
    sprite->setOpacity(128);
    scene->addChild(sprite);
    driver.step();
    ASSERT_EQ(frame().quads().size(), 1u);
    EXPECT_EQ(frame().quads()[0].tl.color, (Color4B{100, 50, 0, 128}));
}

}  // namespace
