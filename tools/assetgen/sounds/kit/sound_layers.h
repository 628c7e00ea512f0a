// Layers for building sound effects: swept tones, filtered noise with a
// moving cutoff, crackle, and notes from the music's instruments. Each adds
// into a mono buffer at a start time in seconds.
#pragma once

#include <cstdint>
#include <vector>

#include "audio/audio_voices.h"

enum class tone_shape { sine, triangle, square, saw };
enum class noise_filter { low, band, high };

std::vector<float> silence(float seconds);

struct tone_layer {
    float start = 0, length = 0.1f;
    float from_hz = 440, to_hz = 440; // exponential glide over the length
    tone_shape shape = tone_shape::square;
    float level = 1;
    float attack = 0.002f;
    float decay = 0.05f; // time constant of the exponential fade
    float vibrato_hz = 0, vibrato_semis = 0;
    float cutoff = 0; // low-pass in Hz, 0 = none
};
void add_tone(std::vector<float>& buf, const tone_layer& t);

struct noise_layer {
    float start = 0, length = 0.1f;
    float from_hz = 2000, to_hz = 2000; // filter cutoff glide
    noise_filter filter = noise_filter::low;
    float q = 0.7f;
    float level = 1;
    float attack = 0.002f;
    float decay = 0.05f;
    bool brown = false; // integrated noise: rumble instead of hiss
    std::uint32_t seed = 1;
};
void add_noise(std::vector<float>& buf, const noise_layer& n);

// Sparse random clicks through a band-pass: debris and sparks.
void add_crackle(std::vector<float>& buf, float start, float length, float per_second,
                 float centre_hz, float level, std::uint32_t seed);

// One note of a music instrument, mixed in at start.
void add_voice(std::vector<float>& buf, const voice_recipe& v, float start, float pitch,
               float seconds, float velocity, std::uint32_t seed);

// Gentle saturation that thickens explosions without hard clipping.
void warm(std::vector<float>& buf, float drive);
// Sample-and-hold to a lower rate and fewer levels: a crunchy, retro grit.
void crush(std::vector<float>& buf, int hold, int levels);
// Mono reverb tail from the music's room, mixed back in.
void add_room(std::vector<float>& buf, float room, float level);
