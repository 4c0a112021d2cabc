// Saving and loading a record the size of the game's undo snapshot, which is taken on every
// move: a string, ten 32-bit integers, a queue of ten pairs, 72 packed cell codes, a float.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <deque>
#include <string>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"

namespace {

using core::xfer::VirtualBase;

struct Pair {
    int32_t kind = 0;
    int32_t count = 0;
    void Transfer(VirtualBase& t) { t.TransferPacked(kind).TransferPacked(count); }
};

struct Snapshot {
    std::string section = "game_orig";
    int32_t numbers[10] = {1, 20, 300, 4000, 50000, -6, -70, 800, 9, 12345678};
    std::deque<Pair> history = std::deque<Pair>(10, Pair{3, 12});
    int32_t cells[72] = {};
    float seconds = 2.5f;

    Snapshot() {
        for (int i = 0; i < 72; ++i) cells[i] = i % 6 - 1;
    }
    void Transfer(VirtualBase& t) {
        t.Transfer(section);
        for (int32_t& number : numbers) t.Transfer(number);
        t.Transfer(history);
        for (int32_t& cell : cells) t.TransferPacked(cell);
        t.Transfer(seconds);
    }
};

constexpr size_t kUndoBufferSize = 4720;

size_t save(Snapshot& snapshot, uint8_t* buffer) {
    core::stream::BinaryWriteMemory stream(buffer, kUndoBufferSize);
    {
        core::xfer::SaveWithBlockNoTag saver(core::xfer::ModeBlock, stream);
        snapshot.Transfer(saver);
    }
    return stream.Size();
}

bool load(Snapshot& snapshot, const uint8_t* buffer, size_t size) {
    core::stream::BinaryReadMemory stream(buffer, size);
    core::xfer::Load loader(core::xfer::ModeBlock, stream);
    snapshot.Transfer(loader);
    return loader.HasError() == nullptr;
}

void BM_SaveSnapshot(benchmark::State& state) {
    Snapshot snapshot;
    uint8_t buffer[kUndoBufferSize];
    for (auto _ : state) benchmark::DoNotOptimize(save(snapshot, buffer));
    state.counters["bytes"] = static_cast<double>(save(snapshot, buffer));
}
BENCHMARK(BM_SaveSnapshot);

void BM_LoadSnapshot(benchmark::State& state) {
    Snapshot snapshot;
    uint8_t buffer[kUndoBufferSize];
    size_t size = save(snapshot, buffer);
    for (auto _ : state) {
        if (!load(snapshot, buffer, size)) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadSnapshot);

void BM_SaveAndLoadSnapshot(benchmark::State& state) {
    Snapshot snapshot;
    uint8_t buffer[kUndoBufferSize];
    for (auto _ : state) {
        size_t size = save(snapshot, buffer);
        if (!load(snapshot, buffer, size)) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_SaveAndLoadSnapshot);

}  // namespace
