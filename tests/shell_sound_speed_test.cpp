// Sound effects play at their own speed whatever their rate: the game's copy
// is made at the audio device's rate, so neither SDL 1.2's converter (which
// only doubles and halves a rate) nor SDL 2's has to change it. A tone keeps
// its length and its pitch from 4 kHz to 192 kHz, mono or stereo, 8 or 16 bits.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/sound_effect_file.h"

namespace {

namespace fs = std::filesystem;

constexpr double tone_hz = 440.0;
constexpr double tone_seconds = 0.5;
constexpr int device_rate_hz = 44100;

void append_le(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A plain PCM WAV file of the tone at half scale.
std::vector<unsigned char> tone_wav(unsigned rate, int channels, int bits) {
    const auto frames = static_cast<std::uint32_t>(rate * tone_seconds);
    const int block = channels * bits / 8;
    std::vector<unsigned char> wav;
    const std::string head = "RIFF";
    wav.insert(wav.end(), head.begin(), head.end());
    append_le(wav, 36 + frames * block, 4);
    const std::string format = "WAVEfmt ";
    wav.insert(wav.end(), format.begin(), format.end());
    append_le(wav, 16, 4);
    append_le(wav, 1, 2);
    append_le(wav, static_cast<std::uint32_t>(channels), 2);
    append_le(wav, rate, 4);
    append_le(wav, rate * block, 4);
    append_le(wav, static_cast<std::uint32_t>(block), 2);
    append_le(wav, static_cast<std::uint32_t>(bits), 2);
    const std::string data = "data";
    wav.insert(wav.end(), data.begin(), data.end());
    append_le(wav, frames * block, 4);
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const double value = 0.5 * std::sin(2 * M_PI * tone_hz * frame / rate);
        for (int channel = 0; channel < channels; ++channel) {
            if (bits == 8)
                append_le(wav, static_cast<std::uint32_t>(std::lround(128 + 127 * value)), 1);
            else
                append_le(wav, static_cast<std::uint16_t>(std::lround(32767 * value)), 2);
        }
    }
    return wav;
}

// Rising zero crossings of the left channel of a chunk in the device's
// format (signed 16-bit stereo), per second of the chunk.
double pitch_of(const Mix_Chunk* chunk) {
    const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
    const std::size_t frames = chunk->alen / 4;
    int rises = 0;
    for (std::size_t i = 1; i < frames; ++i)
        rises += samples[2 * (i - 1)] < 0 && samples[2 * i] >= 0;
    return rises / (static_cast<double>(frames) / device_rate_hz);
}

struct shell_sound_speed : ::testing::Test {
    fs::path file = fs::temp_directory_path() / ("graze_tone_" + std::to_string(::getpid()));

    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(Mix_OpenAudio(device_rate_hz, AUDIO_S16LSB, 2, 2048), 0) << Mix_GetError();
    }

    void TearDown() override {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        fs::remove(file);
    }

    Mix_Chunk* load(const std::vector<unsigned char>& wav) const {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(wav.data()),
                   static_cast<std::streamsize>(wav.size()));
        char reason[256] = "";
        Mix_Chunk* chunk = load_sound_effect(file.c_str(), reason, sizeof reason);
        EXPECT_NE(chunk, nullptr) << reason;
        return chunk;
    }
};

TEST_F(shell_sound_speed, every_accepted_rate_keeps_the_length_and_the_pitch_of_its_sound) {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
    ASSERT_EQ(frequency, device_rate_hz);
    for (unsigned rate : {4000u, 8000u, 11025u, 22050u, 44100u, 48000u, 96000u, 192000u}) {
        for (int sound_channels : {1, 2}) {
            for (int bits : {8, 16}) {
                SCOPED_TRACE(std::to_string(rate) + " Hz, " + std::to_string(sound_channels) +
                             " channels, " + std::to_string(bits) + " bits");
                Mix_Chunk* chunk = load(tone_wav(rate, sound_channels, bits));
                if (!chunk) continue;
                const double seconds = chunk->alen / 4.0 / device_rate_hz;
                EXPECT_NEAR(seconds, tone_seconds, 0.002);
                EXPECT_NEAR(pitch_of(chunk), tone_hz, tone_hz * 0.01);
                Mix_FreeChunk(chunk);
            }
        }
    }
}

// A sound already at the device's rate reaches the mixer sample for sample.
TEST_F(shell_sound_speed, a_sound_at_the_devices_rate_is_not_resampled) {
    const std::vector<unsigned char> wav = tone_wav(device_rate_hz, 2, 16);
    Mix_Chunk* chunk = load(wav);
    ASSERT_NE(chunk, nullptr);
    ASSERT_EQ(chunk->alen, wav.size() - 44);
    EXPECT_EQ(std::memcmp(chunk->abuf, wav.data() + 44, chunk->alen), 0);
    Mix_FreeChunk(chunk);
}

} // namespace
