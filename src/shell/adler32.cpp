#include "shell/adler32.h"

#include <zlib.h>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t adler_base = 65521;
// Whole vectors taken before the sums are reduced: their lanes stay well
// within 32 bits (zlib's NMAX, 5552 bytes, rounded down to vectors).
constexpr std::size_t vectors_a_block = 5552 / 16;

#if defined(__SSE2__)
std::uint64_t lanes_sum(__m128i v) {
    alignas(16) std::uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), v);
    return std::uint64_t{lanes[0]} + lanes[1] + lanes[2] + lanes[3];
}
#endif

} // namespace

std::uint32_t adler32_update(std::uint32_t adler, const unsigned char* data, std::size_t length) {
#if defined(__SSE2__)
    std::uint64_t a = adler & 0xffff, s = adler >> 16;
    const __m128i zero = _mm_setzero_si128();
    // Over n bytes b[t], a gains their sum and s gains n*a plus each byte
    // times (n - t): within a vector 16 - i for its byte i, and 16 for each
    // vector still to come, counted through the running sums of the vectors
    // before.
    const __m128i first_half = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i second_half = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    while (length >= 16) {
        std::size_t vectors = std::min(length / 16, vectors_a_block);
        length -= vectors * 16;
        s += a * vectors * 16;
        __m128i sums = zero, sums_before = zero, weighted = zero;
        do {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
            sums_before = _mm_add_epi32(sums_before, sums);
            sums = _mm_add_epi32(sums, _mm_sad_epu8(bytes, zero));
            weighted = _mm_add_epi32(
                weighted,
                _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), first_half),
                              _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), second_half)));
            data += 16;
        } while (--vectors);
        a += lanes_sum(sums);
        s += lanes_sum(weighted) + 16 * lanes_sum(sums_before);
        a %= adler_base;
        s %= adler_base;
    }
    for (std::size_t i = 0; i < length; ++i) {
        a += data[i];
        s += a;
    }
    return static_cast<std::uint32_t>((s % adler_base) << 16 | (a % adler_base));
#else
    // zlib's sum takes at most 4 GB a call.
    while (length > 0) {
        const uInt n = static_cast<uInt>(std::min<std::size_t>(length, 1u << 30));
        adler = static_cast<std::uint32_t>(::adler32(adler, data, n));
        data += n;
        length -= n;
    }
    return adler;
#endif
}
