// Sound files as the game's mixer holds them: interleaved 16-bit stereo at
// 44.1 kHz. A mono WAV plays on both sides; Ogg Vorbis is decoded with
// libvorbisfile, to 16 bits, as the mixer's own Ogg reader does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int pcm_rate = 44100;

struct pcm_stereo {
    std::vector<std::int16_t> samples; // left, right, left, right...
    long frames() const { return static_cast<long>(samples.size() / 2); }
};

// False with a message when the file cannot be read, is not 16-bit PCM WAV or
// Ogg Vorbis, or is not at 44.1 kHz.
bool decode_sound_file(const std::string& path, pcm_stereo& out, std::string& error);
