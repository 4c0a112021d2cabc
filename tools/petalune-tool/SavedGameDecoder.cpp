#include "tools/petalune-tool/SavedGameDecoder.h"

#include <cstdint>
#include <cstdio>
#include <deque>

#include "core/stream/BinaryReadMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/Version.h"

namespace {

struct HistoryEntry {
    std::int32_t kind = 0;
    std::int32_t count = 0;
    void Transfer(core::xfer::VirtualBase& t) { t.TransferPacked(kind).TransferPacked(count); }
};

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

class Decoder {
public:
    explicit Decoder(const std::string& bytes)
        : m_stream(bytes.size() > 1 ? bytes.data() + 1 : nullptr, bytes.size() > 1 ? bytes.size() - 1 : 0),
          m_loader(core::xfer::ModeBlock | core::xfer::ModeVersion, m_stream) {}

    // False once the stream has failed; the field's name is kept for the report.
    bool ok(const std::string& field) {
        if (m_loader.HasError()) {
            m_failedAt = field;
            return false;
        }
        return true;
    }

    core::xfer::Load& t() { return m_loader; }
    const std::string& failedAt() const { return m_failedAt; }
    const char* error() const { return m_loader.HasError(); }

private:
    core::stream::BinaryReadMemory m_stream;
    core::xfer::Load m_loader;
    std::string m_failedAt;
};

bool decodeFields(Decoder& d, std::string& json) {
    core::xfer::Version version(d.t(), 1);
    json += ",\"version\":" + std::to_string(version.Number());
    if (!d.ok("version")) return false;
    std::string section;
    d.t().Transfer(section);
    if (!d.ok("section")) return false;
    json += ",\"section\":" + quoted(section);
    std::int32_t score = 0;
    d.t().Transfer(score);
    if (!d.ok("score")) return false;
    json += ",\"score\":" + std::to_string(score);
    std::deque<HistoryEntry> history;
    d.t().Transfer(history);
    if (!d.ok("history")) return false;
    json += ",\"history\":[";
    for (std::size_t i = 0; i < history.size(); ++i)
        json +=
            (i ? ",[" : "[") + std::to_string(history[i].kind) + "," + std::to_string(history[i].count) + "]";
    json += "]";
    const char* names[] = {"level", "bricks_left", "bricks_target"};
    for (const char* name : names) {
        std::int32_t value = 0;
        d.t().Transfer(value);
        if (!d.ok(name)) return false;
        json += ",\"" + std::string(name) + "\":" + std::to_string(value);
    }
    std::uint32_t randomState = 0;
    d.t().Transfer(randomState);
    if (!d.ok("random_state")) return false;
    json += ",\"random_state\":" + std::to_string(randomState);
    std::deque<std::int32_t> deck;
    d.t().Transfer(deck);
    if (!d.ok("deck")) return false;
    json += ",\"deck\":[";
    for (std::size_t i = 0; i < deck.size(); ++i) json += (i ? "," : "") + std::to_string(deck[i]);
    json += "]";
    std::int32_t cells[8][9] = {};
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 8; ++x) {
            d.t().TransferPacked(cells[x][y]);
            if (!d.ok("cell x " + std::to_string(x) + " y " + std::to_string(y))) return false;
        }
    }
    json += ",\"cells\":[";
    for (int x = 0; x < 8; ++x) {
        json += x ? ",[" : "[";
        for (int y = 0; y < 9; ++y) json += (y ? "," : "") + std::to_string(cells[x][y]);
        json += "]";
    }
    json += "],\"point_bonuses\":[";
    for (int record = 0;; ++record) {
        std::string name;
        d.t().Transfer(name);
        if (!d.ok("point bonus " + std::to_string(record))) {
            json += "]";
            return false;
        }
        if (name.empty()) break;
        std::int32_t x = 0, y = 0;
        float seconds = 0;
        d.t().TransferPacked(x).TransferPacked(y).Transfer(seconds);
        if (!d.ok("point bonus " + std::to_string(record))) {
            json += "]";
            return false;
        }
        char time[32];
        std::snprintf(time, sizeof time, "%.3f", seconds);
        json += (record ? ",{" : "{") + std::string("\"section\":") + quoted(name) +
                ",\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y) + ",\"seconds\":" + time + "}";
    }
    json += "]";
    return true;
}

}  // namespace

SavedGameDump decodeSavedGame(const std::string& bytes) {
    SavedGameDump dump;
    if (bytes.empty()) {
        dump.json = "{\"complete\":false,\"unreadable_from\":\"marker\",\"error\":\"empty file\"}";
        return dump;
    }
    dump.json = "{\"marker\":" + std::to_string(static_cast<unsigned char>(bytes[0]));
    Decoder decoder(bytes);
    dump.complete = decodeFields(decoder, dump.json);
    dump.json += ",\"complete\":";
    dump.json += dump.complete ? "true" : "false";
    if (!dump.complete) {
        dump.json +=
            ",\"unreadable_from\":" + quoted(decoder.failedAt()) + ",\"error\":" + quoted(decoder.error());
    }
    dump.json += "}";
    return dump;
}
