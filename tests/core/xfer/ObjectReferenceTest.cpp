#include <gtest/gtest.h>

#include <memory>

#include "core/xfer/ClassRegistry.h"
#include "core/xfer/Persistent.h"
#include "tests/core/xfer/XferTestSupport.h"

namespace {

using core::xfer::ModeBlock;
using core::xfer::Persistent;
using core::xfer::VirtualBase;
using petalune::test::Bytes;

constexpr uint32_t kFlowerId = 0x464C5752;

class Flower final : public Persistent {
public:
    void Transfer(VirtualBase& t) override { t.TransferPacked(petals); }
    uint32_t ClassId() const override { return kFlowerId; }
    int32_t petals = 0;
};

void transferThree(VirtualBase& t, Persistent*& a, Persistent*& b, Persistent*& c) {
    t.ObjectReference(&a);
    t.ObjectReference(&b);
    t.ObjectReference(&c);
}

const Bytes kSameTwiceThenNull{0x05, 0x01, 0x52, 0x57, 0x4C, 0x46, 0xF0, 0x01, 0x05, 0xF1, 0x02, 0x01, 0x00};

class ObjectReferenceTest : public ::testing::Test {
protected:
    void TearDown() override { core::xfer::ClassRegistry::Remove(kFlowerId); }
};

TEST_F(ObjectReferenceTest, AnObjectIsWrittenOnceThenByNumber) {
    Flower flower;
    flower.petals = 5;
    Persistent* a = &flower;
    Persistent* b = &flower;
    Persistent* c = nullptr;
    EXPECT_EQ(petalune::test::saveBytes(ModeBlock, [&](auto& t) { transferThree(t, a, b, c); }),
              kSameTwiceThenNull);
}

TEST_F(ObjectReferenceTest, RegisteredClassesAreRebuiltAndShared) {
    core::xfer::ClassRegistry::Add(kFlowerId, [] { return std::unique_ptr<Persistent>(new Flower); });
    core::stream::BinaryReadMemory stream(kSameTwiceThenNull.data(), kSameTwiceThenNull.size());
    core::xfer::Load loader(ModeBlock, stream);
    Flower placeholder;
    Persistent* a = nullptr;
    Persistent* b = nullptr;
    Persistent* c = &placeholder;
    transferThree(loader, a, b, c);
    EXPECT_EQ(loader.HasError(), nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(b, a);
    EXPECT_EQ(c, nullptr);
    EXPECT_EQ(static_cast<Flower*>(a)->petals, 5);

    auto objects = loader.TakeObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].get(), a);
}

TEST_F(ObjectReferenceTest, UnknownClassesGiveNullAndTheirBlockIsSkipped) {
    Bytes input = kSameTwiceThenNull;
    input.insert(input.end(), {0x04, 0x2C, 0x01, 0x00, 0x00});
    core::stream::BinaryReadMemory stream(input.data(), input.size());
    core::xfer::Load loader(ModeBlock, stream);
    Flower placeholder;
    Persistent* a = &placeholder;
    Persistent* b = &placeholder;
    Persistent* c = &placeholder;
    transferThree(loader, a, b, c);
    int32_t after = 0;
    loader.Transfer(after);
    EXPECT_EQ(loader.HasError(), nullptr);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(c, nullptr);
    EXPECT_EQ(after, 300);
    EXPECT_TRUE(loader.TakeObjects().empty());
}

}  // namespace
