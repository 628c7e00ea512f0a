// memcpy for the browser build as one WebAssembly memory.copy instruction
// (bulk memory, in every current browser). Emscripten's own memcpy hands
// copies of 512 bytes and more to JavaScript, one call each: a blit of the
// 640x480 screen is 480 such calls, every frame.
#include <cstddef>

extern "C" void* memcpy(void* destination, const void* source, std::size_t size) {
    // With bulk memory the compiler makes this the instruction itself.
    __builtin_memcpy(destination, source, size);
    return destination;
}
