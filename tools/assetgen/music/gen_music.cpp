// The eleven music tracks: composed, rendered and encoded to Ogg Vorbis on
// two threads (each track depends only on its own plan, so the bytes do not
// depend on which thread made them), then written in slot order.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <numeric>
#include <thread>

#include "audio/audio_dsp.h"
#include "audio/audio_vorbis.h"
#include "music/gen_music.h"
#include "music/kit/music_compose.h"
#include "music/kit/music_render.h"
#include "music/music_songs.h"

namespace {

constexpr float vorbis_quality = 0.2f;

struct encoded_track {
    std::vector<unsigned char> bytes;
    long frames = 0;
};

encoded_track make_track(const song_plan& plan) {
    encoded_track t;
    const song_score score = compose_song(plan);
    const std::vector<float> audio = render_song(plan, score);
    t.frames = score.frames;
    t.bytes = encode_vorbis(audio, audio_rate, vorbis_quality, plan.title);
    return t;
}

} // namespace

void generate_music(asset_sink& sink) {
    const std::vector<song_plan> songs = all_songs();
    std::vector<encoded_track> tracks(songs.size());
    // Longest first, so the two threads finish at about the same time.
    std::vector<size_t> order(songs.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return song_seconds(songs[a]) > song_seconds(songs[b]);
    });
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t k = next++; k < order.size(); k = next++)
            tracks[order[k]] = make_track(songs[order[k]]);
    };
    std::thread helper(work);
    work();
    helper.join();

    for (size_t i = 0; i < songs.size(); ++i) {
        const encoded_track& t = tracks[i];
        // The decoded length is what the levels' timing relies on: check it.
        if (t.bytes.empty() || ogg_last_granule(t.bytes) != t.frames) {
            std::fprintf(stderr, "assetgen: music slot %d did not encode to %ld frames\n",
                         songs[i].slot, t.frames);
            sink.failed = true;
            continue;
        }
        emit_bytes(sink, songs[i].slot, t.bytes);
    }
}
