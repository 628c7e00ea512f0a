#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "support/tracked_memory.h"

namespace {

std::vector<void*> released;
void remember_release(void* block) { released.push_back(block); }

struct tracked_memory : ::testing::Test {
    void SetUp() override {
        release_all();
        released.clear();
        set_release_observer(remember_release);
    }
    void TearDown() override {
        set_release_observer(nullptr);
        release_all();
    }
};

TEST_F(tracked_memory, release_all_frees_newest_first_and_empties_the_chain) {
    void* a = tracked_alloc(10);
    void* b = tracked_alloc(20);
    void* c = tracked_alloc(30);
    EXPECT_EQ(tracked_block_count(), 3u);
    EXPECT_EQ(tracked_bytes(), 60u);
    release_all();
    EXPECT_EQ(released, (std::vector<void*>{c, b, a}));
    EXPECT_EQ(tracked_block_count(), 0u);
    release_all(); // twice in a row is harmless
    EXPECT_EQ(released.size(), 3u);
}

TEST_F(tracked_memory, a_new_chain_after_release_starts_fresh) {
    tracked_alloc(8);
    release_all();
    released.clear();
    void* fresh = tracked_alloc(8);
    EXPECT_EQ(tracked_block_count(), 1u);
    release_all();
    EXPECT_EQ(released, std::vector<void*>{fresh});
}

TEST_F(tracked_memory, zero_length_block_is_valid_tracked_and_freed) {
    void* empty = tracked_alloc(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(tracked_block_count(), 1u);
    release_all();
    EXPECT_EQ(released, std::vector<void*>{empty});
}

TEST_F(tracked_memory, blocks_are_aligned_as_the_heap_aligns_and_do_not_overlap) {
    std::vector<unsigned char*> blocks;
    for (int len : {1, 3, 7, 16, 33, 100}) {
        auto* p = static_cast<unsigned char*>(tracked_alloc(len));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t), 0u) << len;
        std::memset(p, len, len);
        blocks.push_back(p);
    }
    int lens[] = {1, 3, 7, 16, 33, 100};
    for (size_t i = 0; i < blocks.size(); ++i)
        for (int k = 0; k < lens[i]; ++k) ASSERT_EQ(blocks[i][k], lens[i]);
}

TEST(tracked_memory_death, out_of_memory_reports_and_exits_non_zero) {
    EXPECT_EXIT(
        {
            tracked_alloc(16);
            tracked_alloc(-1); // no heap can serve this
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "out of memory");
}

} // namespace
