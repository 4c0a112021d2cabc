#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/Reload.h"
#include "core/fs/DataFolder.h"
#include "engine/particles/CCParticleSystemQuad.h"
#include "engine/platform/HeadlessDriver.h"
#include "game/ParticleFactory.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

class ParticleFactoryTest : public ::testing::Test {
protected:
    ParticleFactoryTest() {
        folder = fs::path(tempFolderPath()) / "particle_factory";
        fs::create_directories(folder);
        fs::copy_file(petalune::test::fixturePath("fx/dot.png"), folder / "dot.png",
                      fs::copy_options::overwrite_existing);
    }
    ~ParticleFactoryTest() override { fs::remove_all(folder); }

    std::string install(const char* fixture, const char* as) {
        fs::copy_file(petalune::test::fixturePath(std::string("fx/") + fixture), folder / as,
                      fs::copy_options::overwrite_existing);
        return (folder / as).string();
    }

    cocos2d::HeadlessDriver driver;
    fs::path folder;
};

TEST_F(ParticleFactoryTest, AFileIsReadOnceUntilTheConfigurationIsReloaded) {
    std::string path = install("gravity.plist", "cached.plist");
    cocos2d::CCParticleSystemQuad* first = createParticle(path.c_str());
    ASSERT_NE(first, nullptr);
    // The cache holds the parsed file, not the system: each call makes a new one.
    EXPECT_NE(createParticle(path.c_str()), first);

    fs::remove(path);
    EXPECT_NE(createParticle(path.c_str()), nullptr);

    ::testing::internal::CaptureStderr();
    reloadAll();
    EXPECT_EQ(createParticle(path.c_str()), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("cached.plist"), std::string::npos);
}

TEST_F(ParticleFactoryTest, FailuresGiveNullAndAreNotCached) {
    std::string path = (folder / "later.plist").string();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(createParticle(path.c_str()), nullptr);
    EXPECT_EQ(createParticle(""), nullptr);
    EXPECT_EQ(createParticle(nullptr), nullptr);
    // A file whose texture is missing parses, but gives no system.
    EXPECT_EQ(createParticle(install("missing_texture.plist", "no_texture.plist").c_str()), nullptr);
    ::testing::internal::GetCapturedStderr();

    install("radius.plist", "later.plist");
    EXPECT_NE(createParticle(path.c_str()), nullptr);
}

}  // namespace
