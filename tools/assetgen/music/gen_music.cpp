// The eleven music tracks: each composed, rendered and encoded to Ogg Vorbis
// from its own plan alone, so the bytes do not depend on which thread made
// them.
#include <algorithm>
#include <cstdio>

#include "audio/audio_dsp.h"
#include "audio/audio_vorbis.h"
#include "music/gen_music.h"
#include "music/kit/music_compose.h"
#include "music/kit/music_render.h"
#include "music/music_songs.h"

namespace {

constexpr float vorbis_quality = 0.2f;

void make_track(asset_sink& sink, const song_plan& plan) {
    const song_score score = compose_song(plan);
    const std::vector<float> audio = render_song(plan, score);
    const std::vector<unsigned char> bytes =
        encode_vorbis(audio, audio_rate, vorbis_quality, plan.title);
    // The decoded length is what the levels' timing relies on: check it.
    if (bytes.empty() || ogg_last_granule(bytes) != score.frames) {
        std::fprintf(stderr, "assetgen: music slot %d did not encode to %ld frames\n", plan.slot,
                     static_cast<long>(score.frames));
        sink.failed = true;
        return;
    }
    emit_bytes(sink, plan.slot, bytes);
}

} // namespace

void add_music_jobs(asset_jobs& jobs) {
    std::vector<song_plan> songs = all_songs();
    std::stable_sort(songs.begin(), songs.end(), [](const song_plan& a, const song_plan& b) {
        return song_seconds(a) > song_seconds(b);
    });
    for (const song_plan& plan : songs)
        jobs.push_back({std::string("music ") + plan.title,
                        [plan](asset_sink& sink) { make_track(sink, plan); },
                        {}});
}
