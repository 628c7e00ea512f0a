#include "pcm_decode.h"

#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool decode_wav(const std::vector<unsigned char>& bytes, pcm_stereo& out, std::string& error) {
    int channels = 0, bits = 0;
    long rate = 0;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = le32(&bytes[at + 4]);
        const unsigned char* body = &bytes[at + 8];
        if (at + 8 + size > bytes.size()) break;
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && size >= 16) {
            if (le16(body) != 1) {
                error = "not PCM";
                return false;
            }
            channels = le16(body + 2);
            rate = le32(body + 4);
            bits = le16(body + 14);
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            if (bits != 16 || (channels != 1 && channels != 2) || rate != pcm_rate) {
                error = "not 16-bit mono or stereo at 44.1 kHz";
                return false;
            }
            const long frames = size / (2 * channels);
            out.samples.resize(static_cast<size_t>(2 * frames));
            for (long i = 0; i < frames; ++i) {
                for (int side = 0; side < 2; ++side) {
                    const int from = channels == 1 ? 0 : side;
                    out.samples[static_cast<size_t>(2 * i + side)] =
                        static_cast<std::int16_t>(le16(body + 2 * (i * channels + from)));
                }
            }
            return true;
        }
        at += 8 + size + (size & 1);
    }
    error = "no sound data";
    return false;
}

bool decode_ogg(const std::string& path, pcm_stereo& out, std::string& error) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) {
        error = "not Ogg Vorbis";
        return false;
    }
    const vorbis_info* info = ov_info(&file, -1);
    if (!info || info->rate != pcm_rate || info->channels < 1 || info->channels > 2) {
        ov_clear(&file);
        error = "not mono or stereo Vorbis at 44.1 kHz";
        return false;
    }
    const int channels = info->channels;
    std::vector<std::int16_t> block(8192);
    int section = 0;
    for (;;) {
        const long got = ov_read(&file, reinterpret_cast<char*>(block.data()),
                                 static_cast<int>(block.size() * 2), 0, 2, 1, &section);
        if (got == OV_HOLE) continue;
        if (got < 0) {
            ov_clear(&file);
            error = "damaged Vorbis stream";
            return false;
        }
        if (got == 0) break;
        const long frames = got / (2 * channels);
        for (long i = 0; i < frames; ++i) {
            out.samples.push_back(block[static_cast<size_t>(i * channels)]);
            out.samples.push_back(block[static_cast<size_t>(i * channels + channels - 1)]);
        }
    }
    ov_clear(&file);
    return true;
}

} // namespace

bool decode_sound_file(const std::string& path, pcm_stereo& out, std::string& error) {
    out.samples.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    bool ok = false;
    if (bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
        std::memcmp(bytes.data() + 8, "WAVE", 4) == 0)
        ok = decode_wav(bytes, out, error);
    else if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0)
        ok = decode_ogg(path, out, error);
    else
        error = "neither WAV nor Ogg";
    if (!ok) error = path + ": " + error;
    return ok;
}
