// Ogg Vorbis encoding of finished music, with a fixed stream serial so the
// same samples always give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes interleaved stereo float samples (-1..1) at the given rate and VBR
// quality. The last page's granule position equals the frame count, so the
// decoded length is exactly what was rendered.
std::vector<unsigned char> encode_vorbis(const std::vector<float>& stereo, int rate, float quality,
                                         const std::string& title);

// Decoded length in frames, read from the last page's granule position; -1
// when the bytes do not end in an Ogg page.
std::int64_t ogg_last_granule(const std::vector<unsigned char>& bytes);
