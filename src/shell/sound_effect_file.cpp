#include "shell/sound_effect_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/asset_checks.h"

namespace {

// A plain PCM WAV header: RIFF, WAVE, a 16-byte format chunk, the data chunk's.
constexpr std::size_t plain_header = 44;

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

} // namespace

Mix_Chunk* load_sound_effect(const char* path, char* reason, std::size_t reason_size) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::snprintf(reason, reason_size, "%s", std::strerror(errno));
        return nullptr;
    }
    // The file is read again here, not trusted from the earlier check.
    wav_layout layout{};
    const char* fault = read_wav_layout(file, size_of(file), layout);
    unsigned char* plain = nullptr;
    const std::size_t plain_size = plain_header + static_cast<std::size_t>(layout.data_length);
    if (!fault) {
        plain = static_cast<unsigned char*>(std::malloc(plain_size));
        if (!plain) fault = "out of memory";
    }
    if (!fault) {
        write_plain_header(plain, layout);
        const std::size_t length = static_cast<std::size_t>(layout.data_length);
        if (std::fseek(file, layout.data_at, SEEK_SET) != 0 ||
            std::fread(plain + plain_header, 1, length, file) != length)
            fault = std::ferror(file) ? std::strerror(errno) : "file ends early";
    }
    std::fclose(file);
    if (fault) {
        std::free(plain);
        std::snprintf(reason, reason_size, "%s", fault);
        return nullptr;
    }
    // The mixer copies the samples into its own buffer, converted.
    SDL_RWops* memory = SDL_RWFromConstMem(plain, static_cast<int>(plain_size));
    Mix_Chunk* chunk = memory ? Mix_LoadWAV_RW(memory, 1) : nullptr;
    std::free(plain);
    if (!chunk) std::snprintf(reason, reason_size, "%s", SDL_GetError());
    return chunk;
}
