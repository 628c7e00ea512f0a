// The Adler-32 sum zlib streams end with, computed 16 bytes at a time with
// SSE2 where the machine has it (zlib's own takes a byte at a time, and costs
// the PNG decoder about a fifth of its instructions); zlib's elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

// The sum `adler` (1 for none yet) carried on over `length` more bytes.
std::uint32_t adler32_update(std::uint32_t adler, const unsigned char* data, std::size_t length);
