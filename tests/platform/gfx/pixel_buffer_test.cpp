#include <gtest/gtest.h>

#include "platform/gfx/pixel_buffer.h"

using namespace gfx;

TEST(PixelBuffer, PoolMakesLockableBuffersAndRecyclesTheirMemory)
{
    EXPECT_EQ(PixelBufferPool::create({PixelFormat::argb32, 0, 10}), nullptr);
    auto pool = PixelBufferPool::create({PixelFormat::argb32, 33, 7});
    ASSERT_NE(pool, nullptr);
    auto buffer = pool->createPixelBuffer();
    EXPECT_EQ(buffer->width(), 33);
    EXPECT_EQ(buffer->height(), 7);
    EXPECT_GE(buffer->bytesPerRow(), 33 * 4);
    EXPECT_EQ(buffer->bytesPerRow() % 64, 0);
    EXPECT_EQ(buffer->baseAddress(), nullptr);
    buffer->lock();
    buffer->lock();
    buffer->unlock();
    ASSERT_NE(buffer->baseAddress(), nullptr);
    std::uint8_t* memory = buffer->baseAddress();
    memory[buffer->bytesPerRow() * 6 + 33 * 4 - 1] = 0xAB;
    buffer->unlock();
    EXPECT_EQ(buffer->baseAddress(), nullptr);

    auto second = pool->createPixelBuffer();
    second->lock();
    EXPECT_NE(second->baseAddress(), memory);
    buffer.reset();
    auto recycled = pool->createPixelBuffer();
    recycled->lock();
    EXPECT_EQ(recycled->baseAddress(), memory);
    // A buffer outliving its pool stays usable.
    pool.reset();
    EXPECT_EQ(recycled->baseAddress()[recycled->bytesPerRow() * 6 + 33 * 4 - 1], 0xAB);
}
