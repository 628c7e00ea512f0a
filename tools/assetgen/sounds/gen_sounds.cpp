// The twelve sound effects, synthesized as mono 16-bit WAV at 44.1 kHz (the
// mixer's own rate, so nothing is resampled at load time). Each starts and
// ends with a short fade so none of them clicks when cut by the next.
#include "sounds/gen_sounds.h"

#include <array>

#include "audio/audio_dsp.h"
#include "audio/audio_loudness.h"
#include "sounds/sound_effects.h"
#include "support/asset_slots.h"

namespace {

struct sound_plan {
    const char* name;
    int slot;
    std::vector<float> (*play)();
    float loudest_lufs; // loudness of its loudest 400 ms
};

// Each effect is set by the loudness of its loudest 400 ms, against the
// music's integrated loudness.
constexpr float music = music_loudness_lufs;
constexpr std::array<sound_plan, 12> sound_plans{{
    // Heard ten times a second while firing: well under everything else.
    {"player shot", slot_sound_shot1, effect::player_shot, music - 17.5f},
    {"spare shot", slot_sound_shot3, effect::spare_shot, music - 5},
    // Clearly heard, a little under the music.
    {"enemy shot", slot_sound_shot4, effect::enemy_shot, music - 9.5f},
    // Kills and supers come in bursts of a dozen a second at Hard; at these
    // levels such a burst still leaves the music in front.
    {"super burst", slot_sound_super, effect::super_burst, music - 1.5f},
    {"small explosion", slot_sound_explosion2, effect::small_explosion, music - 6.5f},
    {"menu confirm", slot_sound_cold1, effect::menu_confirm, music - 1},
    {"menu move", slot_sound_cold4, effect::menu_move, music - 3},
    // Danger stands above the music.
    {"big explosion", slot_sound_explosion1, effect::big_explosion, music + 5},
    {"warning alarm", slot_sound_warning, effect::warning_alarm, music + 4},
    {"crunchy explosion", slot_sound_explosion3, effect::crunchy_explosion, music - 1},
    {"ratchet", slot_sound_trxrr3, effect::ratchet, music - 3},
    {"victory jingle", slot_sound_exit_windows, effect::victory_jingle, music + 2},
}};

void finish(asset_sink& sink, const sound_plan& plan) {
    std::vector<float> s = plan.play();
    fade_edges(s, 0.001f, 0.004f);
    const float trim = db_gain(plan.loudest_lufs - loudest_400ms_lufs(s));
    for (float& x : s) x *= trim;
    emit_wav(sink, plan.slot, to_pcm16(s), 1, audio_rate);
}

} // namespace

void add_sound_jobs(asset_jobs& jobs) {
    for (const sound_plan& plan : sound_plans)
        jobs.push_back({plan.name, [&plan](asset_sink& sink) { finish(sink, plan); }, {}});
}
