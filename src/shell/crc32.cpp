#include "shell/crc32.h"

#include <zlib.h>

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define GRAZE_CRC_FOLDING 1
#include <immintrin.h>
#endif

namespace {

// zlib's sum takes at most 4 GB a call.
std::uint32_t zlib_crc(std::uint32_t crc, const unsigned char* data, std::size_t length) {
    while (length > 0) {
        const uInt n = static_cast<uInt>(std::min<std::size_t>(length, 1u << 30));
        crc = static_cast<std::uint32_t>(::crc32(crc, data, n));
        data += n;
        length -= n;
    }
    return crc;
}

#if defined(GRAZE_CRC_FOLDING)
// Folding constants of the reflected polynomial 0xEDB88320: x^(4*128+32),
// x^(4*128-32) for four lanes, x^(128+32), x^(128-32) for one, x^64 mod P,
// then P and its Barrett quotient for the last reduction.
alignas(16) constexpr std::uint64_t four_lanes[2] = {0x0154442bd4, 0x01c6e41596};
alignas(16) constexpr std::uint64_t one_lane[2] = {0x01751997d0, 0x00ccaa009e};
alignas(16) constexpr std::uint64_t to_64_bits[2] = {0x0163cd6124, 0};
alignas(16) constexpr std::uint64_t barrett[2] = {0x01db710641, 0x01f7011641};

__attribute__((target("pclmul,sse4.1"))) __m128i fold(__m128i lane, __m128i k, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(lane, k, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

// The inverted running sum over a multiple of 16 bytes, at least 64.
__attribute__((target("pclmul,sse4.1"))) std::uint32_t
fold_blocks(std::uint32_t inverted, const unsigned char* data, std::size_t length) {
    const auto load = [](const unsigned char* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    };
    __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(four_lanes));
    __m128i x1 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(inverted)));
    __m128i x2 = load(data + 16), x3 = load(data + 32), x4 = load(data + 48);
    data += 64;
    length -= 64;
    for (; length >= 64; data += 64, length -= 64) {
        x1 = fold(x1, k, load(data));
        x2 = fold(x2, k, load(data + 16));
        x3 = fold(x3, k, load(data + 32));
        x4 = fold(x4, k, load(data + 48));
    }
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(one_lane));
    x1 = fold(x1, k, x2);
    x1 = fold(x1, k, x3);
    x1 = fold(x1, k, x4);
    for (; length >= 16; data += 16, length -= 16) x1 = fold(x1, k, load(data));

    // 128 bits to 64, then Barrett's reduction to 32.
    const __m128i low_32s = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i x2b = _mm_clmulepi64_si128(x1, k, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2b);
    const __m128i k5 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(to_64_bits));
    x2b = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low_32s), k5, 0x00), x2b);
    const __m128i p = _mm_load_si128(reinterpret_cast<const __m128i*>(barrett));
    x2b = _mm_and_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low_32s), p, 0x10), low_32s);
    x2b = _mm_clmulepi64_si128(x2b, p, 0x00);
    x1 = _mm_xor_si128(x1, x2b);
    return static_cast<std::uint32_t>(_mm_extract_epi32(x1, 1));
}

bool can_fold() {
    static const bool can = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return can;
}
#endif

} // namespace

std::uint32_t crc32_update(std::uint32_t crc, const unsigned char* data, std::size_t length) {
#if defined(GRAZE_CRC_FOLDING)
    if (length >= 64 && can_fold()) {
        const std::size_t folded = length & ~std::size_t{15};
        crc = ~fold_blocks(~crc, data, folded);
        data += folded;
        length -= folded;
    }
#endif
    return zlib_crc(crc, data, length);
}
