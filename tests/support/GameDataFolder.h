#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace petalune::test {

// Runs a test program inside a fresh folder holding what game layers read: the given
// fixture as game.ini, a small bitmap font, the default sans font and a plain tile image.
class GameDataFolder : public ::testing::Environment {
public:
    explicit GameDataFolder(std::string gameIniFixture) : m_gameIni(std::move(gameIniFixture)) {}

    void SetUp() override;
    void TearDown() override;

private:
    std::string m_gameIni;
    std::filesystem::path m_previous;
    std::string m_dir;
};

}  // namespace petalune::test
