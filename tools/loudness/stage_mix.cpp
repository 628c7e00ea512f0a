#include "stage_mix.h"

#include <algorithm>
#include <cmath>
#include <regex>

#include "support/asset_catalogue.h"
#include "support/asset_slots.h"

namespace {

long frame_of_tick(long tick) { return tick * pcm_rate / 1000; }

struct playing {
    int slot = -1;
    long start = 0;
    long fade = -1; // frame where a fade-out began, or -1
};

struct mix_state {
    playing music;
    std::array<playing, mix_channels> channels{};
};

void apply(mix_state& s, const mix_event& e) {
    if (e.slot < 0) return; // a missing sound plays nothing and stops nothing
    switch (e.call) {
    case mix_call::chunk:
        if (e.channel >= 0 && e.channel < mix_channels)
            s.channels[static_cast<size_t>(e.channel)] = {e.slot, e.frame, -1};
        break;
    case mix_call::music_play: s.music = {e.slot, e.frame, -1}; break;
    case mix_call::music_fade:
        if (s.music.slot >= 0 && s.music.fade < 0) s.music.fade = e.frame;
        break;
    }
}

bool wanted(const mix_part& part, int slot) {
    if (slot < first_chunk_slot) return part.music;
    return part.effects && (part.only_slot < 0 || part.only_slot == slot);
}

// Adds one source over frames [from, to) of the output, which starts at `origin`.
void add_source(const playing& p, const mix_sounds& sounds, long origin, long from, long to,
                std::vector<float>& out) {
    if (p.slot < 0) return;
    const pcm_stereo& pcm = sounds.of(p.slot);
    const long length = pcm.frames();
    for (long f = std::max(from, p.start); f < to; ++f) {
        const long i = f - p.start;
        if (i >= length) break;
        float gain = sounds.gain[static_cast<size_t>(p.slot - first_music_slot)] / 32768.0f;
        if (p.fade >= 0 && f >= p.fade) {
            const long into = f - p.fade;
            if (into >= music_fade_frames) break;
            gain *= 1.0f - static_cast<float>(into) / music_fade_frames;
        }
        const size_t o = static_cast<size_t>(2 * (f - origin));
        out[o] += pcm.samples[static_cast<size_t>(2 * i)] * gain;
        out[o + 1] += pcm.samples[static_cast<size_t>(2 * i + 1)] * gain;
    }
}

} // namespace

std::vector<mix_event> mix_events_of(const std::vector<std::string>& trace_lines) {
    static const std::regex field("\"(\\w+)\":(\"[^\"]*\"|-?\\d+)");
    std::vector<mix_event> out;
    for (const std::string& line : trace_lines) {
        std::string ev, action;
        long tick = 0;
        mix_event e;
        for (std::sregex_iterator it(line.begin(), line.end(), field), end; it != end; ++it) {
            const std::string key = (*it)[1], value = (*it)[2];
            const std::string text = value[0] == '"' ? value.substr(1, value.size() - 2) : value;
            if (key == "ev")
                ev = text;
            else if (key == "action")
                action = text;
            else if (key == "tick")
                tick = std::stol(text);
            else if (key == "slot")
                e.slot = std::stoi(text);
            else if (key == "channel")
                e.channel = std::stoi(text);
        }
        e.frame = frame_of_tick(tick);
        if (ev == "sound") {
            e.call = mix_call::chunk;
        } else if (ev == "music") {
            e.call = action == "fade" ? mix_call::music_fade : mix_call::music_play;
        } else {
            continue;
        }
        if (e.slot >= first_music_slot && e.slot < asset_slot_count) out.push_back(e);
    }
    return out;
}

std::string sound_path(const std::string& asset_dir, int slot) {
    std::string path = asset_catalogue[static_cast<size_t>(slot)].path;
    if (path.rfind("./", 0) == 0) path = path.substr(2);
    return asset_dir + "/" + path;
}

bool load_mix_sounds(const std::string& asset_dir, mix_sounds& sounds, std::string& error,
                     const std::vector<mix_event>* only_played) {
    for (int slot = first_music_slot; slot < asset_slot_count; ++slot) {
        pcm_stereo& pcm = sounds.by_slot[static_cast<size_t>(slot - first_music_slot)];
        pcm.samples.clear();
        if (only_played && std::none_of(only_played->begin(), only_played->end(),
                                        [slot](const mix_event& e) { return e.slot == slot; }))
            continue;
        if (!decode_sound_file(sound_path(asset_dir, slot), pcm, error)) return false;
    }
    return true;
}

void render_mix(const std::vector<mix_event>& events, const mix_sounds& sounds, mix_part part,
                long from, long to, std::vector<float>& out) {
    out.assign(static_cast<size_t>(2 * std::max(0L, to - from)), 0.0f);
    mix_state state;
    size_t next = 0;
    // Each source is added over the stretches between the events that change it.
    long at = from;
    auto add_until = [&](long until) {
        if (until <= at) return;
        if (state.music.slot >= 0 && wanted(part, state.music.slot))
            add_source(state.music, sounds, from, at, until, out);
        for (const playing& p : state.channels)
            if (p.slot >= 0 && wanted(part, p.slot)) add_source(p, sounds, from, at, until, out);
        at = until;
    };
    for (; next < events.size(); ++next) {
        const mix_event& e = events[next];
        if (e.frame >= to) break;
        add_until(std::max(from, e.frame));
        apply(state, e);
    }
    add_until(to);
}

void mix_extent(const std::vector<mix_event>& events, const mix_sounds& sounds, long& from,
                long& to) {
    from = 0;
    to = 0;
    bool first = true;
    for (const mix_event& e : events) {
        if (e.slot < 0) continue;
        if (first || e.frame < from) from = e.frame;
        first = false;
        to = std::max(to, e.frame + (e.call == mix_call::music_fade ? music_fade_frames
                                                                    : sounds.of(e.slot).frames()));
    }
}

bool analyse_stage_mix(const std::vector<mix_event>& events, const mix_sounds& sounds,
                       stage_mix_report& report) {
    report = stage_mix_report{};
    long from = 0, to = 0;
    mix_extent(events, sounds, from, to);
    const long window_ms = std::lround(loudest_window_seconds * 1000);
    loudness_meter all, effects, gun, enemy_fire;
    if (!meter_open(all, true, window_ms) || !meter_open(effects, false) ||
        !meter_open(gun, false) || !meter_open(enemy_fire, false))
        return false;
    constexpr long piece = pcm_rate / 10;
    std::vector<float> buffer;
    mix_part effects_part{false, true, -1};
    for (long at = from; at < to; at += piece) {
        const long end = std::min(to, at + piece);
        render_mix(events, sounds, mix_part{}, at, end, buffer);
        meter_add(all, buffer.data(), end - at);
        render_mix(events, sounds, effects_part, at, end, buffer);
        meter_add(effects, buffer.data(), end - at);
        render_mix(events, sounds, mix_part{false, true, slot_sound_shot1}, at, end, buffer);
        meter_add(gun, buffer.data(), end - at);
        render_mix(events, sounds, mix_part{false, true, slot_sound_shot4}, at, end, buffer);
        meter_add(enemy_fire, buffer.data(), end - at);
    }
    report.whole = meter_read(all);
    report.effects_energy = meter_energy(effects);
    report.gun_energy = meter_energy(gun);
    report.gun_share = report.effects_energy > 0 ? report.gun_energy / report.effects_energy : 0;
    report.enemy_fire_momentary_max = meter_read(enemy_fire).momentary_max;

    // The loudest stretch, measured again on its own.
    const long window = window_ms * pcm_rate / 1000;
    const long end = all.window_max_end > 0 ? from + all.window_max_end : to;
    const long start = std::max(from, end - window);
    render_mix(events, sounds, mix_part{}, start, end, buffer);
    report.loudest = measure_stream(buffer.data(), end - start);
    report.loudest_start = static_cast<double>(start) / pcm_rate;
    auto alone = [&](mix_part part) {
        render_mix(events, sounds, part, start, end, buffer);
        loudness_meter m;
        if (!meter_open(m, false)) return silent_lufs;
        meter_add(m, buffer.data(), end - start);
        const double seconds = static_cast<double>(end - start) / pcm_rate;
        const double lufs = seconds > 0 ? lufs_of_energy(meter_energy(m) / seconds) : silent_lufs;
        meter_close(m);
        return lufs;
    };
    report.loudest_music = alone(mix_part{true, false, -1});
    for (int slot = first_chunk_slot; slot < asset_slot_count; ++slot)
        report.loudest_effects[static_cast<size_t>(slot - first_chunk_slot)] =
            alone(mix_part{false, true, slot});
    for (loudness_meter* m : {&all, &effects, &gun, &enemy_fire}) meter_close(*m);
    return true;
}
