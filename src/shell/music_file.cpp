#include "shell/music_file.h"

// The library's ready-made callbacks are static data this file would not use.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::size_t read_part(void* out, std::size_t size, std::size_t count, void* file) {
    return std::fread(out, size, count, static_cast<std::FILE*>(file));
}

int seek_to(void* file, ogg_int64_t offset, int whence) {
    return std::fseek(static_cast<std::FILE*>(file), static_cast<long>(offset), whence);
}

long tell(void* file) { return std::ftell(static_cast<std::FILE*>(file)); }

const char* open_fault(int code) {
    switch (code) {
    case OV_EREAD: return "file cannot be read";
    case OV_ENOTVORBIS: return "not an Ogg Vorbis file";
    case OV_EVERSION: return "Vorbis version not supported";
    case OV_EBADHEADER: return "damaged Vorbis header";
    default: return "damaged Ogg Vorbis file";
    }
}

} // namespace

const char* music_file_fault(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return std::strerror(errno);
    // No close function: the file is closed here, whether the stream opened or not.
    const ov_callbacks callbacks{read_part, seek_to, nullptr, tell};
    OggVorbis_File stream;
    const int opened = ov_open_callbacks(file, &stream, nullptr, 0, callbacks);
    if (opened == 0) ov_clear(&stream);
    std::fclose(file);
    return opened == 0 ? nullptr : open_fault(opened);
}
