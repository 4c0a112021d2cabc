#include <gtest/gtest.h>

#include "app/AutomationScript.h"

namespace {

using Kind = ScriptStep::Kind;

ScriptStep step(Kind kind, int line) {
    ScriptStep s;
    s.kind = kind;
    s.line = line;
    return s;
}

TEST(AutomationScript, ReadsEveryCommand) {
    ParsedScript script = parseScript(
        "# comment\r\n"
        "\n"
        "wait 30\n"
        "WAIT 1.5s\n"
        "tap 320 430.5\n"
        "down 1 2\nmove 3 4\nup 5 6\n"
        "drag 10 20 30 40\n"
        "drag 10 20 30 40 3\n"
        "key shift+F4\n"
        "type   Grüße  an alle \n"
        "click highscore,normal\n"
        "dump out/state.json\n"
        "screenshot menu.png\n"
        "wait_idle\n"
        "wait_idle 90\n"
        "resize 1280 720\n"
        "fullscreen ON\n"
        "fullscreen off\n"
        "hover 7 8\n"
        "leave\n"
        "quit\n");
    ASSERT_EQ(script.error, "");

    std::vector<ScriptStep> expected;
    expected.push_back(step(Kind::Wait, 3));
    expected.back().frames = 30;
    expected.push_back(step(Kind::Wait, 4));
    expected.back().seconds = 1.5f;
    expected.push_back(step(Kind::Tap, 5));
    expected.back().x = 320, expected.back().y = 430.5f;
    expected.push_back(step(Kind::Down, 6));
    expected.back().x = 1, expected.back().y = 2;
    expected.push_back(step(Kind::Move, 7));
    expected.back().x = 3, expected.back().y = 4;
    expected.push_back(step(Kind::Up, 8));
    expected.back().x = 5, expected.back().y = 6;
    for (int frames : {10, 3}) {
        expected.push_back(step(Kind::Drag, frames == 10 ? 9 : 10));
        ScriptStep& drag = expected.back();
        drag.x = 10, drag.y = 20, drag.x2 = 30, drag.y2 = 40, drag.frames = frames;
    }
    expected.push_back(step(Kind::Key, 11));
    expected.back().virtualKey = 0x73, expected.back().shift = true;
    expected.push_back(step(Kind::Type, 12));
    expected.back().text = "Grüße  an alle ";
    expected.push_back(step(Kind::Click, 13));
    expected.back().text = "highscore,normal";
    expected.push_back(step(Kind::Dump, 14));
    expected.back().text = "out/state.json";
    expected.push_back(step(Kind::Screenshot, 15));
    expected.back().text = "menu.png";
    expected.push_back(step(Kind::WaitIdle, 16));
    expected.back().frames = kDefaultIdleFrameCap;
    expected.push_back(step(Kind::WaitIdle, 17));
    expected.back().frames = 90;
    expected.push_back(step(Kind::Resize, 18));
    expected.back().x = 1280, expected.back().y = 720;
    expected.push_back(step(Kind::Fullscreen, 19));
    expected.back().on = true;
    expected.push_back(step(Kind::Fullscreen, 20));
    expected.push_back(step(Kind::Hover, 21));
    expected.back().x = 7, expected.back().y = 8;
    expected.push_back(step(Kind::Leave, 22));
    expected.push_back(step(Kind::Quit, 23));
    EXPECT_EQ(script.steps, expected);
}

TEST(AutomationScript, TheFirstBadLineIsNamedAndNothingRuns) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"wait 10\njump 1 2\n", "line 2: unknown command \"jump\""},
        {"wait\n", "line 1: wait takes a frame count or seconds such as 1.5s"},
        {"wait -3\n", "line 1: \"-3\" is not a frame count"},
        {"wait xs\n", "line 1: \"xs\" is not a time in seconds"},
        {"wait_idle 0\n", "line 1: \"0\" is not a frame cap"},
        {"tap 1\n", "line 1: tap takes 2 numbers"},
        {"tap 1 y\n", "line 1: \"y\" is not a number"},
        {"tap 1 2 3\n", "line 1: tap takes 2 numbers"},
        {"drag 1 2 3 4 0\n", "line 1: a drag takes at least one frame"},
        {"drag 1 2 3\n", "line 1: drag takes 4 numbers and an optional frame count"},
        {"key F13\n", "line 1: unknown key \"F13\""},
        {"key\n", "line 1: key takes one key name such as F9 or shift+F1"},
        {"type\n", "line 1: type needs text"},
        {"\n\nclick   \n", "line 3: click needs an item id or function"},
        {"dump\n", "line 1: dump needs a file name"},
        {"quit now\n", "line 1: quit takes nothing"},
        {"leave 1 2\n", "line 1: leave takes nothing"},
        {"hover 1\n", "line 1: hover takes 2 numbers"},
        {"resize 640\n", "line 1: resize takes a width and a height in pixels"},
        {"resize 0 480\n", "line 1: resize needs two whole numbers from 1 to 16384"},
        {"resize 640 99999\n", "line 1: resize needs two whole numbers from 1 to 16384"},
        {"fullscreen\n", "line 1: fullscreen takes on or off"},
        {"fullscreen yes\n", "line 1: fullscreen takes on or off"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParsedScript script = parseScript(c.text);
        EXPECT_EQ(script.error, c.error);
        EXPECT_TRUE(script.steps.empty());
    }
}

TEST(AutomationScript, KeyNamesGiveWindowsKeyCodes) {
    struct Case {
        const char* name;
        int virtualKey;
        bool shift;
    };
    const Case cases[] = {
        {"F9", 0x78, false},      {"f1", 0x70, false},      {"Shift+F1", 0x70, true},
        {"shift+f2", 0x71, true}, {"shift+F3", 0x72, true}, {"F12", 0x7B, false},
        {"Return", 0x0D, false},  {"enter", 0x0D, false},   {"Backspace", 0x08, false},
        {"Escape", 0x1B, false},  {"a", 0x41, false},       {"Z", 0x5A, false},
        {"7", 0x37, false},       {"space", 0x20, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto key = keyByName(c.name);
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(key->virtualKey, c.virtualKey);
        EXPECT_EQ(key->shift, c.shift);
    }
    for (const char* unknown : {"F0", "F13", "shift+", "ctrl+a", "ab", ""}) {
        EXPECT_FALSE(keyByName(unknown).has_value()) << unknown;
    }
}

}  // namespace
