#include <benchmark/benchmark.h>

#include <string>

#include "config/IniStore.h"

namespace {

// About 200 KB in the shipped file's shape: menu sections of numbered items with
// their properties, language variants, comments and CR LF line ends.
std::string makeConfiguration() {
    std::string text = "\xEF\xBB\xBF; generated\r\n";
    for (int section = 0; text.size() < 200 * 1024; ++section) {
        text += "[menu_" + std::to_string(section) + "]\r\nfont=playtime.ttf\r\nfontsize=40\r\n";
        for (int item = 1; item <= 12; ++item) {
            text += "pos(+)=320," + std::to_string(800 - item * 50) + "\r\n";
            text += "\ttext()=Item number " + std::to_string(item) + " of the menu\r\n";
            text += "\ttext.de()=Eintrag " + std::to_string(item) + "\r\n";
            text += "\ttext.zh()=\xE5\xBC\x80\xE5\xA7\x8B\xE6\xB8\xB8\xE6\x88\xB2\r\n";
            text += "\tfunction()=menu,menu_" + std::to_string(section + 1) + "\t; where it leads\r\n";
            text += "\timage()=MenuButton.png\r\n";
        }
    }
    return text;
}

void parseConfiguration(benchmark::State& state) {
    const std::string text = makeConfiguration();
    for (auto _ : state) {
        IniStore store;
        benchmark::DoNotOptimize(store.parseBuffer(text.data(), text.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(parseConfiguration)->Unit(benchmark::kMicrosecond);

void lookUpMenuText(benchmark::State& state) {
    const std::string text = makeConfiguration();
    IniStore store(".de");
    store.parseBuffer(text.data(), text.size());
    for (auto _ : state) {
        for (int item = 1; item <= 12; ++item) {
            benchmark::DoNotOptimize(store.getString("menu_7", "text", item, nullptr));
            benchmark::DoNotOptimize(store.getString("menu_7", "image", item, nullptr));
        }
    }
}
BENCHMARK(lookUpMenuText);

}  // namespace
