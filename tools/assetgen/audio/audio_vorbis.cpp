#include "audio/audio_vorbis.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

// Any constant works; a constant is what keeps the output reproducible.
constexpr int stream_serial = 0x47524a5a;

void append_page(std::vector<unsigned char>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<unsigned char> encode_vorbis(const std::vector<float>& stereo, int rate, float quality,
                                         const std::string& title) {
    std::vector<unsigned char> out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, rate, quality) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", title.c_str());
    vorbis_comment_add_tag(&comment, "ARTIST", "Graze");

    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, stream_serial);

    ogg_packet header, header_comment, header_code;
    vorbis_analysis_headerout(&dsp, &comment, &header, &header_comment, &header_code);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &header_comment);
    ogg_stream_packetin(&stream, &header_code);
    ogg_page page;
    // The headers sit on pages of their own, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0) append_page(out, page);

    const long frames = static_cast<long>(stereo.size() / 2);
    constexpr long chunk = 4096;
    long done = 0;
    bool finished = false;
    while (!finished) {
        const long n = std::min(chunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            const float* src = stereo.data() + done * 2;
            for (long i = 0; i < n; ++i) {
                buffer[0][i] = src[i * 2];
                buffer[1][i] = src[i * 2 + 1];
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&dsp, 0); // end of stream
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    append_page(out, page);
                    if (ogg_page_eos(&page)) finished = true;
                }
            }
        }
        if (n <= 0 && !finished) {
            // Everything is analysed; push out whatever is left.
            while (ogg_stream_flush(&stream, &page) != 0) append_page(out, page);
            finished = true;
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::int64_t ogg_last_granule(const std::vector<unsigned char>& bytes) {
    // Search backwards for the capture pattern of the last page.
    if (bytes.size() < 27) return -1;
    for (size_t i = bytes.size() - 27 + 1; i-- > 0;) {
        if (bytes[i] == 'O' && bytes[i + 1] == 'g' && bytes[i + 2] == 'g' && bytes[i + 3] == 'S') {
            std::int64_t granule = 0;
            for (int b = 7; b >= 0; --b) granule = (granule << 8) | bytes[i + 6 + b];
            return granule;
        }
    }
    return -1;
}
