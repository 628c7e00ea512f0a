// The CRC-32 that PNG chunks end with, the same sum as zlib's crc32: folded
// 64 bytes at a time with carry-less multiplication where the processor has
// it (zlib 1.2's takes a few bytes a cycle, and the stored pictures are tens
// of megabytes); zlib's elsewhere and for the last few bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// The sum `crc` (0 for none yet) carried on over `length` more bytes.
std::uint32_t crc32_update(std::uint32_t crc, const unsigned char* data, std::size_t length);
