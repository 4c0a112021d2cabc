#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <new>
#include <string>
#include <vector>

#include "core/xfer/BlockScope.h"
#include "core/xfer/Version.h"
#include "tests/core/xfer/XferTestSupport.h"

// Counts every allocation of this test program and keeps the largest, so the tests below
// can see what the saver and the loader ask for.
namespace {
std::atomic<long> s_allocations{0};
std::atomic<size_t> s_largest{0};
}  // namespace

void* operator new(std::size_t size) {
    s_allocations.fetch_add(1, std::memory_order_relaxed);
    size_t largest = s_largest.load(std::memory_order_relaxed);
    while (size > largest && !s_largest.compare_exchange_weak(largest, size)) {
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// GCC cannot tell that these replace the global pair and warns about new followed by free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

using core::xfer::ModeBlock;
using core::xfer::ModeVersion;

// Undo snapshots are taken on every move: the saver may allocate its buffer once, never per value.
TEST(AllocationTest, SavingValuesAllocatesNothing) {
    std::string section = "game_orig";
    std::deque<petalune::test::Combo> history(10, {3, 40});
    std::deque<int32_t> deck(20, 7);
    std::vector<uint8_t> buffer(1 << 20);
    core::stream::BinaryWriteMemory stream(buffer.data(), buffer.size());
    core::xfer::SaveWithBlockNoTag saver(ModeBlock | ModeVersion, stream);

    long before = s_allocations.load();
    for (int32_t round = 0; round < 200; ++round) {
        core::xfer::Version(saver, 1);
        core::xfer::BlockScope block(saver);
        float seconds = 1.5f;
        uint32_t state = 12345;
        saver.Transfer(section).Transfer(round).Transfer(state).Transfer(seconds).Transfer(history).Transfer(
            deck);
        for (int32_t cell = -3; cell < 69; ++cell) saver.TransferPacked(cell);
    }
    EXPECT_EQ(s_allocations.load() - before, 0);
}

// A damaged chunk length must not size the loader's chunk: it reads long chunks through
// its 64 KiB window, so the stream's real end stops it first.
TEST(AllocationTest, DamagedChunkLengthDoesNotSizeABuffer) {
    petalune::test::Bytes input{0xEF, 0xFF, 0xFF, 0xFF, 0x01, 0x02};
    s_largest = 0;
    int32_t value = 0;
    EXPECT_EQ(petalune::test::loadError(ModeBlock, input, [&](auto& t) { t.Transfer(value); }),
              "Stream error: Read EOF");
    EXPECT_LE(s_largest.load(), size_t{core::xfer::Load::kChunkCapacity});
}

}  // namespace
