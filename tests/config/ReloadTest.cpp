#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/IniLookup.h"
#include "config/IniStore.h"
#include "config/Reload.h"
#include "config/StaticReloader.h"
#include "tests/config/IniTestHelpers.h"

namespace {

std::vector<std::string> s_events;

void recordPurge() {
    s_events.push_back(std::string("purge saw ") + iniGetString("s", "k", 0, "nothing"));
}

class Listener : public IOnReload {
public:
    explicit Listener(std::function<void()> action) : m_action(std::move(action)) { registerOnReload(this); }
    ~Listener() override { unregisterOnReload(this); }
    void onReload() override { m_action(); }

private:
    std::function<void()> m_action;
};

// The shared database reads "game.ini" from the working folder: run in a fresh one.
class ReloadAll : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(petalune::test::freshFolder());
        s_events.clear();
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    std::filesystem::path m_previous;
};

TEST_F(ReloadAll, ReadsTheFileAgainAndKeepsTheLanguage) {
    petalune::test::writeTextFile("game.ini", "[s]\nk=old\nk.de=alt\ngone=1\n");
    IniStore::shared().setLanguageSuffix(".de");
    reloadAll();
    EXPECT_STREQ(iniGetString("s", "k", 0, nullptr), "alt");
    EXPECT_EQ(iniGetInt("s", "gone", 0, -1), 1);

    petalune::test::writeTextFile("game.ini", "[s]\nk=new\nk.de=neu\nadded=5\n");
    reloadAll();
    EXPECT_EQ(IniStore::shared().languageSuffix(), ".de");
    EXPECT_STREQ(iniGetString("s", "k", 0, nullptr), "neu");
    EXPECT_EQ(iniGetInt("s", "gone", 0, -1), -1);
    EXPECT_EQ(iniGetInt("s", "added", 0, -1), 5);
}

TEST_F(ReloadAll, PurgesRunAfterLoadingAndBeforeListeners) {
    petalune::test::writeTextFile("game.ini", "[s]\nk=fresh\n");
    registerReloadPurge(recordPurge);
    registerReloadPurge(recordPurge);
    StaticReloader reloader([] { s_events.push_back("listener"); });
    registerOnReload(&reloader);
    reloadAll();
    EXPECT_EQ(unregisterOnReload(&reloader), 1);
    EXPECT_EQ(unregisterOnReload(&reloader), 0);
    EXPECT_EQ(s_events, (std::vector<std::string>{"purge saw fresh", "listener"}));
}

TEST_F(ReloadAll, ListenersAreToldInRegistrationOrder) {
    petalune::test::writeTextFile("game.ini", "");
    // In one array the addresses run 0, 1, 2; registration runs 2, 0, 1.
    StaticReloader reloaders[] = {StaticReloader([] { s_events.push_back("0"); }),
                                  StaticReloader([] { s_events.push_back("1"); }),
                                  StaticReloader([] { s_events.push_back("2"); })};
    for (int i : {2, 0, 1, 2}) registerOnReload(&reloaders[i]);
    reloadAll();
    for (StaticReloader& reloader : reloaders) unregisterOnReload(&reloader);
    // Purges registered by other tests stay for the whole run; only the listeners count here.
    std::erase_if(s_events, [](const std::string& event) { return event.starts_with("purge"); });
    EXPECT_EQ(s_events, (std::vector<std::string>{"2", "0", "1"}));
}

TEST_F(ReloadAll, ListenersOnceEachAndMayChangeTheRegistryWhileNotified) {
    petalune::test::writeTextFile("game.ini", "");
    std::vector<std::unique_ptr<Listener>> listeners;
    int calls[3] = {0, 0, 0};
    std::unique_ptr<Listener> added;
    // Whichever is notified first removes and destroys the other two, then adds one.
    for (int i = 0; i < 3; ++i) {
        listeners.push_back(std::make_unique<Listener>([&, i] {
            ++calls[i];
            for (auto& other : listeners) {
                if (other.get() != listeners[i].get()) other.reset();
            }
            if (!added) added = std::make_unique<Listener>([] {});
        }));
    }
    registerOnReload(listeners[0].get());
    reloadAll();
    EXPECT_EQ(calls[0] + calls[1] + calls[2], 1);
    // Registered twice, kept once: one unregistration leaves nothing dangling.
    listeners.clear();
    added.reset();
    reloadAll();
    EXPECT_EQ(calls[0] + calls[1] + calls[2], 1);
}

}  // namespace
