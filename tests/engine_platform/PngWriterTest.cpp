#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/platform/PngWriter.h"

namespace fs = std::filesystem;

namespace {

// 3 x 2 pixels, every one different, with partial alpha.
// clang-format off
const std::vector<std::uint8_t> kImage = {
    255, 0, 0, 255,  0, 255, 0, 255,     0, 0, 255, 255,
    10, 20, 30, 40,  200, 100, 50, 128,  0, 0, 0, 0,
};
// clang-format on

std::vector<std::uint8_t> decode(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

std::string dataDir() {
    return std::getenv("PETALUNE_DATA_DIR");
}

TEST(PngWriter, WritesRowsTopDownAsTheyCome) {
    std::string path = dataDir() + "/shot.png";
    ASSERT_TRUE(cocos2d::writePng(path, kImage.data(), 3, 2));
    int width = 0, height = 0;
    EXPECT_EQ(decode(path, width, height), kImage);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
}

TEST(PngWriter, RefusesWhatItCannotWrite) {
    std::string path = dataDir() + "/refused.png";
    struct Case {
        const char* name;
        std::string path;
        const std::uint8_t* pixels;
        int width, height;
    };
    const Case cases[] = {
        {"no pixels", path, nullptr, 3, 2},
        {"zero width", path, kImage.data(), 0, 2},
        {"negative height", path, kImage.data(), 3, -1},
        {"missing folder", dataDir() + "/no/such/folder/shot.png", kImage.data(), 3, 2},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(cocos2d::writePng(c.path, c.pixels, c.width, c.height)) << c.name;
        EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty()) << c.name;
        EXPECT_FALSE(fs::exists(c.path)) << c.name;
    }
}

}  // namespace
