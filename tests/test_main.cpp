// Tests always run on SDL's dummy drivers: without a display classic SDL would
// fall back to a terminal driver, and pixels must be real and checkable.
#include <gtest/gtest.h>

#include <cstdlib>

// Lets the out-of-memory test ask the heap for the impossible under ASan.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
