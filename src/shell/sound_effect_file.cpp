#include "shell/sound_effect_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A plain PCM WAV header: RIFF, WAVE, a 16-byte format chunk, the data chunk's.
constexpr std::size_t plain_header = 44;
// The mixer takes a sound in memory by an int count of bytes.
constexpr std::uint64_t largest_copy = 0x7fff0000;

void put16(unsigned char* at, unsigned value) {
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* at, std::uint32_t value) {
    put16(at, value & 0xffff);
    put16(at + 2, value >> 16);
}

void write_plain_header(unsigned char* at, const wav_layout& layout) {
    const auto data_length = static_cast<std::uint32_t>(layout.data_length);
    std::memcpy(at, "RIFF", 4);
    put32(at + 4, static_cast<std::uint32_t>(plain_header - 8) + data_length);
    std::memcpy(at + 8, "WAVEfmt ", 8);
    put32(at + 16, 16);
    put16(at + 20, 1); // PCM
    put16(at + 22, static_cast<unsigned>(layout.channels));
    put32(at + 24, layout.rate);
    put32(at + 28, layout.rate * static_cast<std::uint32_t>(layout.block_align));
    put16(at + 32, static_cast<unsigned>(layout.block_align));
    put16(at + 34, static_cast<unsigned>(layout.bits));
    std::memcpy(at + 36, "data", 4);
    put32(at + 40, data_length);
}

long size_of(std::FILE* file) {
    struct stat facts {};
    return fstat(fileno(file), &facts) == 0 ? static_cast<long>(facts.st_size) : -1;
}

bool refuse(const char* why, char* reason, std::size_t reason_size) {
    std::snprintf(reason, reason_size, "%s", why);
    return false;
}

// One channel's sample of one frame, as a signed 16-bit value (8-bit WAV
// samples are unsigned around 128).
int sample_at(const unsigned char* samples, const wav_layout& layout, std::uint64_t frame,
              int channel) {
    const unsigned char* at = samples + frame * static_cast<std::uint64_t>(layout.block_align) +
                              static_cast<std::uint64_t>(channel * layout.bits / 8);
    if (layout.bits == 8) return (at[0] - 128) * 256;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | at[1] << 8));
}

// Output frame `frame` of channel `channel` at `rate`: a rise in rate
// interpolates between the two nearest frames; a fall averages the frames the
// output frame spans, so high tones fold back far less.
int resampled_sample(const unsigned char* samples, const wav_layout& from, std::uint64_t frames,
                     unsigned rate, std::uint64_t frame, int channel) {
    const std::uint64_t from_rate = from.rate;
    if (from_rate > rate) {
        const std::uint64_t first = frame * from_rate / rate;
        const std::uint64_t last = std::min(frames, (frame + 1) * from_rate / rate);
        std::int64_t sum = 0;
        std::uint64_t count = 0;
        for (std::uint64_t i = first; i < last; ++i, ++count)
            sum += sample_at(samples, from, i, channel);
        return count ? static_cast<int>(sum / static_cast<std::int64_t>(count))
                     : sample_at(samples, from, frames - 1, channel);
    }
    const std::uint64_t position = frame * from_rate;
    const std::uint64_t before = std::min(position / rate, frames - 1);
    const std::uint64_t after = std::min(before + 1, frames - 1);
    const std::int64_t fraction = static_cast<std::int64_t>(position % rate);
    const int a = sample_at(samples, from, before, channel);
    const int b = sample_at(samples, from, after, channel);
    return a + static_cast<int>((b - a) * fraction / static_cast<std::int64_t>(rate));
}

} // namespace

bool read_sound_effect(const char* path, sound_effect_copy& copy, char* reason,
                       std::size_t reason_size) {
    copy = sound_effect_copy{};
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return refuse(std::strerror(errno), reason, reason_size);
    // The file is read again here, not trusted from the earlier check.
    wav_layout layout{};
    const char* fault = read_wav_layout(file, size_of(file), layout);
    const std::size_t size = plain_header + static_cast<std::size_t>(layout.data_length);
    unsigned char* wav = nullptr;
    if (!fault) {
        wav = static_cast<unsigned char*>(std::malloc(size));
        if (!wav) fault = "out of memory";
    }
    if (!fault) {
        write_plain_header(wav, layout);
        const std::size_t length = static_cast<std::size_t>(layout.data_length);
        if (std::fseek(file, layout.data_at, SEEK_SET) != 0 ||
            std::fread(wav + plain_header, 1, length, file) != length)
            fault = std::ferror(file) ? std::strerror(errno) : "file ends early";
    }
    std::fclose(file);
    if (fault) {
        std::free(wav);
        return refuse(fault, reason, reason_size);
    }
    layout.data_at = static_cast<long>(plain_header);
    copy = sound_effect_copy{wav, size, layout};
    return true;
}

bool resample_sound_effect(sound_effect_copy& copy, unsigned rate, char* reason,
                           std::size_t reason_size) {
    const wav_layout& from = copy.layout;
    if (rate == 0 || from.rate == rate) return true;
    const std::uint64_t frames = static_cast<std::uint64_t>(from.data_length / from.block_align);
    const std::uint64_t out_frames = (frames * rate + from.rate - 1) / from.rate;
    const int block = from.channels * 2;
    const std::uint64_t out_length = out_frames * static_cast<std::uint64_t>(block);
    if (out_length + plain_header > largest_copy)
        return refuse("sound effect too long at the audio device's rate", reason, reason_size);
    auto* wav = static_cast<unsigned char*>(std::malloc(plain_header + out_length));
    if (!wav) return refuse("out of memory", reason, reason_size);
    const unsigned char* samples = copy.wav + plain_header;
    unsigned char* out = wav + plain_header;
    for (std::uint64_t frame = 0; frame < out_frames; ++frame)
        for (int channel = 0; channel < from.channels; ++channel, out += 2)
            put16(out, static_cast<unsigned>(
                           resampled_sample(samples, from, frames, rate, frame, channel) & 0xffff));
    const wav_layout layout{from.channels,
                            rate,
                            16,
                            block,
                            static_cast<long>(plain_header),
                            static_cast<long>(out_length)};
    write_plain_header(wav, layout);
    std::free(copy.wav);
    copy = sound_effect_copy{wav, plain_header + static_cast<std::size_t>(out_length), layout};
    return true;
}

Mix_Chunk* mix_sound_effect(sound_effect_copy& copy, char* reason, std::size_t reason_size) {
    // The mixer copies the samples into its own buffer, converted.
    SDL_RWops* memory = SDL_RWFromConstMem(copy.wav, static_cast<int>(copy.size));
    Mix_Chunk* chunk = memory ? Mix_LoadWAV_RW(memory, 1) : nullptr;
    if (!chunk) std::snprintf(reason, reason_size, "%s", SDL_GetError());
    release_sound_effect(copy);
    return chunk;
}

void release_sound_effect(sound_effect_copy& copy) {
    std::free(copy.wav);
    copy = sound_effect_copy{};
}

unsigned device_rate() {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0 ? static_cast<unsigned>(frequency)
                                                              : 0;
}

Mix_Chunk* load_sound_effect(const char* path, char* reason, std::size_t reason_size) {
    sound_effect_copy copy{};
    if (!read_sound_effect(path, copy, reason, reason_size)) return nullptr;
    if (!resample_sound_effect(copy, device_rate(), reason, reason_size)) {
        release_sound_effect(copy);
        return nullptr;
    }
    return mix_sound_effect(copy, reason, reason_size);
}
