#include <gtest/gtest.h>

#include <limits>

#include "core/json/JsonWriter.h"

namespace {

TEST(JsonWriter, StringsAreEscapedAndAlwaysValidUtf8) {
    struct Case {
        std::string input;
        std::string quoted;
    };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
        {"a\nb\r\tc", "\"a\\nb\\r\\tc\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"Zurück 开始 \xF0\x9F\x8C\xB8", "\"Zurück 开始 \xF0\x9F\x8C\xB8\""},
        {"cut \xE5\xBC", "\"cut \xEF\xBF\xBD\xEF\xBF\xBD\""},          // a character cut short
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                  // overlong '/'
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // surrogate
        {"\xF4\x90\x80\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // above U+10FFFF
        {"\xFF", "\"\xEF\xBF\xBD\""},
        {"game_\xC3\xB6rig \xEF\xBF\xBD", "\"game_\xC3\xB6rig \xEF\xBF\xBD\""},  // a real U+FFFD stays one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(JsonWriter::quoted(c.input), c.quoted);
    }
}

TEST(JsonWriter, PlacesCommasAndNestsValues) {
    JsonWriter json;
    json.beginObject()
        .key("scene")
        .value("MenuScene")
        .key("frame")
        .value(12)
        .key("x")
        .value(320.5)
        .key("bad")
        .value(std::numeric_limits<double>::infinity())
        .key("ok")
        .value(true)
        .key("menus")
        .beginArray()
        .beginObject()
        .key("items")
        .beginArray()
        .endArray()
        .endObject()
        .value(false)
        .endArray()
        .key("game")
        .raw("{\"score\":5}")
        .key("none")
        .null()
        .endObject();
    EXPECT_EQ(json.text(),
              "{\"scene\":\"MenuScene\",\"frame\":12,\"x\":320.5,\"bad\":null,\"ok\":true,"
              "\"menus\":[{\"items\":[]},false],\"game\":{\"score\":5},\"none\":null}");
}

}  // namespace
