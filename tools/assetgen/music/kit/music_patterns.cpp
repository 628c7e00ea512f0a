#include "music/kit/music_patterns.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

float energy_scale(const section_plan& s) { return 0.7f + 0.3f * s.energy; }

int bass_base(const compose_ctx& ctx) {
    // Roots sit in one octave from the key note, folded down above the fifth.
    return ctx.plan->tonic + 12 * ctx.plan->bass_octave;
}

int bass_pitch(const compose_ctx& ctx, const chord& c) {
    const int r = c.root >= 7 ? c.root - 12 : c.root;
    return bass_base(ctx) + r;
}

enum bass_tone { root, fifth, octave, third, approach, flat2 };
struct bass_hit {
    int pos, len;
    bass_tone tone;
    float accent;
};

std::vector<bass_hit> bass_bar(bass_style style, int bar_parity) {
    std::vector<bass_hit> h;
    switch (style) {
    case bass_style::halves: h = {{0, 8, root, 1}, {8, 8, fifth, 0.85f}}; break;
    case bass_style::pulse8:
        for (int k = 0; k < 8; ++k)
            h.push_back({k * 2, 2, k == 7 && bar_parity ? octave : root, k % 2 ? 0.75f : 0.95f});
        break;
    case bass_style::root_fifth:
        h = {{0, 4, root, 1}, {4, 4, fifth, 0.8f}, {8, 4, octave, 0.9f}, {12, 4, fifth, 0.8f}};
        break;
    case bass_style::gallop:
        for (int b = 0; b < 4; ++b) {
            const bass_tone t = b == 3 && bar_parity ? fifth : root;
            h.push_back({b * 4, 2, t, 1});
            h.push_back({b * 4 + 2, 1, t, 0.7f});
            h.push_back({b * 4 + 3, 1, t, 0.75f});
        }
        break;
    case bass_style::walking:
        h = {{0, 4, root, 1}, {4, 4, third, 0.8f}, {8, 4, fifth, 0.9f}, {12, 4, approach, 0.8f}};
        break;
    case bass_style::syncopated:
        h = {{0, 3, root, 1},     {3, 3, root, 0.8f},    {6, 2, octave, 0.85f},
             {10, 2, root, 0.8f}, {12, 2, fifth, 0.85f}, {14, 2, octave, 0.8f}};
        break;
    case bass_style::octaves:
        for (int k = 0; k < 8; ++k)
            h.push_back({k * 2, 2, k % 2 ? octave : root, k % 2 ? 0.8f : 1.0f});
        break;
    case bass_style::sixteenths:
        for (int k = 0; k < 16; ++k) {
            bass_tone t = root;
            if (bar_parity && k >= 12)
                t = k == 12 ? octave : k == 13 ? root : k == 14 ? flat2 : root;
            h.push_back({k, 1, t, k % 4 == 0 ? 1.0f : (k % 2 ? 0.65f : 0.8f)});
        }
        break;
    default: break;
    }
    return h;
}

int tone_pitch(const compose_ctx& ctx, const chord_span& span, const chord_span* next,
               bass_tone t) {
    const int r = bass_pitch(ctx, span.c);
    switch (t) {
    case root: return r;
    case fifth: return r + span.c.tones[2];
    case octave: return r + 12;
    case third: return r + span.c.tones[1];
    case approach: return next ? bass_pitch(ctx, next->c) - 1 : r + span.c.tones[2];
    case flat2: return r + 1;
    }
    return r;
}

} // namespace

double step_time(const compose_ctx& ctx, double step) {
    const double sw = ctx.plan->swing;
    if (sw <= 0) return step * ctx.step_seconds;
    const double beat = std::floor(step / 4);
    const double in_beat = step - beat * 4;
    // Off-beat eighths land late; the rest of the beat is squeezed to match.
    const double warped =
        in_beat < 2 ? in_beat * (2 + sw) / 2 : 2 + sw + (in_beat - 2) * (2 - sw) / 2;
    return (beat * 4 + warped) * ctx.step_seconds;
}

void add_note(compose_ctx& ctx, int part, double step, double len_steps, int pitch, float velocity,
              float legato) {
    note_event n;
    n.time = step_time(ctx, step);
    n.length = (step_time(ctx, step + len_steps) - n.time) * legato;
    n.pitch = static_cast<float>(pitch);
    n.velocity = std::clamp(velocity * (1.0f + 0.05f * lcg_signed(ctx.rng)), 0.05f, 1.2f);
    n.part = part;
    ctx.score->notes.push_back(n);
}

void add_drum(compose_ctx& ctx, double step, drum_kind kind, float velocity) {
    drum_event d;
    d.time = step_time(ctx, step);
    d.kind = kind;
    d.velocity = std::clamp(velocity * (1.0f + 0.06f * lcg_signed(ctx.rng)), 0.05f, 1.2f);
    ctx.score->drums.push_back(d);
}

void write_bass(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans) {
    if (s.bass == bass_style::none) return;
    const float e = energy_scale(s);
    for (size_t i = 0; i < spans.size(); ++i) {
        const chord_span& span = spans[i];
        const chord_span* next = i + 1 < spans.size() ? &spans[i + 1] : nullptr;
        if (s.bass == bass_style::held) {
            add_note(ctx, part_bass, span.step, span.steps, bass_pitch(ctx, span.c), 0.9f * e,
                     0.98f);
            continue;
        }
        const int bar = span.step / ctx.steps_per_bar;
        const int from = span.step % ctx.steps_per_bar;
        const int to = from + span.steps;
        for (const bass_hit& h : bass_bar(s.bass, bar % 2)) {
            if (h.pos < from || h.pos >= to) continue;
            const int len = std::min(h.len, to - h.pos);
            const float legato = h.len <= 2 ? 0.8f : 0.9f;
            add_note(ctx, part_bass, bar * ctx.steps_per_bar + h.pos, len,
                     tone_pitch(ctx, span, next, h.tone), 0.9f * h.accent * e, legato);
        }
    }
}

namespace {

// One bar of a section's drums: where its groove may play. The groove stops
// where a fill starts, drops the kick where the section does, and leaves the
// snare and clap to a roll.
struct drum_bar {
    int at = 0;    // first step of the bar
    int steps = 0; // steps in a bar
    int groove_end = 0;
    bool kick_ok = true;
    bool rolling = false;
    float energy = 1;
};

void hit(compose_ctx& ctx, const drum_bar& g, int pos, drum_kind k, float v) {
    if (pos >= g.groove_end || pos >= g.steps) return;
    if (k == drum_kind::kick && !g.kick_ok) return;
    if (g.rolling && (k == drum_kind::snare || k == drum_kind::clap)) return;
    add_drum(ctx, g.at + pos, k, v * g.energy);
}

// The section's groove through one bar; odd bars may vary it.
void play_groove(compose_ctx& ctx, const drum_bar& g, const section_plan& s, bool odd) {
    const int spb = g.steps;
    switch (s.drums) {
    case drum_style::rock: {
        hit(ctx, g, 0, drum_kind::kick, 1);
        hit(ctx, g, 8, drum_kind::kick, 0.9f);
        if (odd) hit(ctx, g, 10, drum_kind::kick, 0.75f);
        hit(ctx, g, 4, drum_kind::snare, 0.95f);
        hit(ctx, g, 12, drum_kind::snare, 1);
        const int every = s.energy > 0.85f ? 1 : 2;
        for (int p = 0; p < spb; p += every)
            hit(ctx, g, p, drum_kind::hat_closed, p % 4 == 0 ? 0.7f : 0.5f);
        break;
    }
    case drum_style::four_floor:
        for (int p = 0; p < spb; p += 4) hit(ctx, g, p, drum_kind::kick, 1);
        hit(ctx, g, 4, drum_kind::clap, 0.8f);
        hit(ctx, g, 12, drum_kind::clap, 0.85f);
        for (int p = 2; p < spb; p += 4) hit(ctx, g, p, drum_kind::hat_open, 0.45f);
        for (int p = 0; p < spb; ++p)
            if (p % 4 != 2) hit(ctx, g, p, drum_kind::hat_closed, p % 2 ? 0.3f : 0.4f);
        break;
    case drum_style::half_time:
        hit(ctx, g, 0, drum_kind::kick, 1);
        if (odd) hit(ctx, g, 7, drum_kind::kick, 0.7f);
        hit(ctx, g, 10, drum_kind::kick, 0.8f);
        hit(ctx, g, 8, drum_kind::snare, 1);
        for (int p = 0; p < spb; p += 2)
            hit(ctx, g, p, drum_kind::hat_closed, p % 4 == 0 ? 0.6f : 0.45f);
        break;
    case drum_style::march:
        hit(ctx, g, 0, drum_kind::kick, 1);
        hit(ctx, g, 8, drum_kind::kick, 0.9f);
        hit(ctx, g, 4, drum_kind::snare, 0.9f);
        hit(ctx, g, 12, drum_kind::snare, 0.95f);
        for (int p : {2, 7, 10, 14, 15}) hit(ctx, g, p, drum_kind::snare, 0.35f);
        for (int p = 0; p < spb; p += 4) hit(ctx, g, p, drum_kind::hat_closed, 0.45f);
        break;
    case drum_style::breakbeat:
        hit(ctx, g, 0, drum_kind::kick, 1);
        hit(ctx, g, 6, drum_kind::kick, 0.8f);
        hit(ctx, g, 10, drum_kind::kick, 0.85f);
        hit(ctx, g, 4, drum_kind::snare, 0.95f);
        hit(ctx, g, 12, drum_kind::snare, 1);
        hit(ctx, g, 7, drum_kind::snare, 0.3f);
        hit(ctx, g, 15, drum_kind::snare, 0.35f);
        for (int p = 0; p < spb; p += 2)
            hit(ctx, g, p, drum_kind::hat_closed, p % 4 == 0 ? 0.6f : 0.45f);
        hit(ctx, g, 13, drum_kind::hat_closed, 0.35f);
        break;
    case drum_style::light:
        hit(ctx, g, 0, drum_kind::kick, 0.7f);
        if (odd) hit(ctx, g, 10, drum_kind::kick, 0.5f);
        for (int p = 4; p < spb; p += 8) hit(ctx, g, p, drum_kind::rim, 0.6f);
        for (int p = 0; p < spb; p += 2)
            hit(ctx, g, p, drum_kind::shaker, p % 4 == 0 ? 0.5f : 0.35f);
        break;
    case drum_style::double_kick:
        for (int p = 0; p < spb; p += 2) hit(ctx, g, p, drum_kind::kick, p % 4 == 0 ? 1.0f : 0.75f);
        if (odd)
            for (int p = 13; p < spb; p += 2) hit(ctx, g, p, drum_kind::kick, 0.7f);
        hit(ctx, g, 4, drum_kind::snare, 1);
        hit(ctx, g, 12, drum_kind::snare, 1);
        for (int p = 0; p < spb; p += 4) hit(ctx, g, p, drum_kind::hat_open, 0.4f);
        break;
    case drum_style::toms:
        hit(ctx, g, 0, drum_kind::kick, 0.9f);
        hit(ctx, g, 8, drum_kind::kick, 0.7f);
        hit(ctx, g, 0, drum_kind::tom_low, 0.8f);
        hit(ctx, g, 3, drum_kind::tom_low, 0.6f);
        hit(ctx, g, 6, drum_kind::tom_low, 0.7f);
        hit(ctx, g, 8, drum_kind::tom_mid, 0.75f);
        hit(ctx, g, 11, drum_kind::tom_mid, 0.55f);
        hit(ctx, g, 12, drum_kind::tom_high, 0.6f);
        hit(ctx, g, 14, drum_kind::tom_mid, 0.6f);
        break;
    case drum_style::waltz:
        hit(ctx, g, 0, drum_kind::kick, 0.8f);
        for (int p = 4; p < spb; p += 4) hit(ctx, g, p, drum_kind::rim, 0.5f);
        for (int p = 0; p < spb; p += 2)
            hit(ctx, g, p, drum_kind::hat_closed, p % 4 == 0 ? 0.4f : 0.3f);
        break;
    case drum_style::heartbeat:
        hit(ctx, g, 0, drum_kind::kick, 0.75f);
        hit(ctx, g, 3, drum_kind::kick, 0.5f);
        if (spb > 8) hit(ctx, g, spb / 2, drum_kind::shaker, 0.35f);
        break;
    case drum_style::none: break;
    }
}

// A cymbal crash, with a kick under it, on a section's first beat.
void play_crash(compose_ctx& ctx, const section_plan& s, int at, bool kick_ok, float e) {
    add_drum(ctx, at, drum_kind::crash, 0.85f * e);
    if (kick_ok && s.drums != drum_style::heartbeat) add_drum(ctx, at, drum_kind::kick, 0.6f * e);
}

// A fill over the last four or eight steps of a bar, landing with a kick.
void play_fill(compose_ctx& ctx, int at, int spb, int fill_len, bool kick_ok, float e) {
    static const drum_kind long_fill[8] = {
        drum_kind::snare,    drum_kind::snare,    drum_kind::snare,   drum_kind::snare,
        drum_kind::tom_high, drum_kind::tom_high, drum_kind::tom_mid, drum_kind::tom_low};
    static const drum_kind short_fill[4] = {drum_kind::snare, drum_kind::snare, drum_kind::tom_mid,
                                            drum_kind::tom_low};
    const int start = spb - fill_len;
    for (int k = 0; k < fill_len; ++k) {
        if (fill_len == 8 && k < 4 && k % 2 == 1) continue; // eighths, then sixteenths
        const drum_kind kind = fill_len == 8 ? long_fill[k] : short_fill[k];
        add_drum(ctx, at + start + k, kind, (0.6f + 0.4f * k / fill_len) * e);
    }
    if (kick_ok) add_drum(ctx, at + start, drum_kind::kick, 0.8f * e);
}

// A snare roll through a bar: eighths, then sixteenths, swelling.
void play_roll(compose_ctx& ctx, int at, int spb, float e) {
    for (int p = 0; p < spb; ++p) {
        if (p < spb / 2 && p % 2 == 1) continue;
        add_drum(ctx, at + p, drum_kind::snare, (0.25f + 0.75f * p / spb) * e);
    }
}

} // namespace

void write_drums(compose_ctx& ctx, const section_plan& s, int first_bar) {
    if (s.drums == drum_style::none) return;
    const int spb = ctx.steps_per_bar;
    const float e = energy_scale(s);
    const bool kick_ok = (s.flags & sec_no_kick) == 0;
    for (int b = 0; b < s.bars; ++b) {
        const int at = (first_bar + b) * spb;
        const bool last = b == s.bars - 1;
        const int fill_len = (s.flags & sec_fill) && last ? (s.energy < 0.55f ? 4 : 8) : 0;
        const bool rolling = (s.flags & sec_roll) && last;
        const drum_bar g{at, spb, spb - fill_len, kick_ok, rolling, e};
        play_groove(ctx, g, s, b % 2 == 1);
        if (b == 0 && (s.flags & sec_crash)) play_crash(ctx, s, at, kick_ok, e);
        if (fill_len > 0) play_fill(ctx, at, spb, fill_len, kick_ok, e);
        if (rolling) play_roll(ctx, at, spb, e);
    }
}

void write_arp(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans) {
    if (s.arp == arp_style::none) return;
    const float e = energy_scale(s);
    const int tonic = ctx.plan->tonic;
    for (const chord_span& span : spans) {
        const std::vector<int> ladder = chord_ladder(span.c, tonic, ctx.plan->arp_base, 2);
        const int n = static_cast<int>(ladder.size());
        if (n == 0) continue;
        auto at = [&](int i) { return ladder[static_cast<size_t>(((i % n) + n) % n)]; };
        switch (s.arp) {
        case arp_style::up8:
        case arp_style::up16: {
            const int every = s.arp == arp_style::up8 ? 2 : 1;
            int k = 0;
            for (int p = 0; p < span.steps; p += every, ++k)
                add_note(ctx, part_arp, span.step + p, every, at(k),
                         (p % 4 == 0 ? 0.75f : 0.6f) * e, 0.7f);
            break;
        }
        case arp_style::updown16: {
            int k = 0;
            for (int p = 0; p < span.steps; ++p, ++k) {
                const int cycle = 2 * (n - 1);
                const int m = k % cycle;
                const int idx = m < n ? m : cycle - m;
                add_note(ctx, part_arp, span.step + p, 1, at(idx), (p % 4 == 0 ? 0.75f : 0.58f) * e,
                         0.75f);
            }
            break;
        }
        case arp_style::broken8: {
            static const int order[4] = {0, 2, 1, 2};
            for (int p = 0, k = 0; p < span.steps; p += 2, ++k)
                add_note(ctx, part_arp, span.step + p, 2, at(order[k % 4] + (k / 4 % 2) * 3),
                         (p % 4 == 0 ? 0.7f : 0.55f) * e, 0.85f);
            break;
        }
        case arp_style::stabs:
            for (int p = 2; p < span.steps; p += 4)
                for (int v = 0; v < std::min(3, n); ++v)
                    add_note(ctx, part_arp, span.step + p, 1.5, at(v), 0.55f * e, 0.9f);
            break;
        case arp_style::triplets: {
            const int count = span.steps * 3 / 4;
            for (int k = 0; k < count; ++k) {
                const int cycle = 2 * (std::min(n, 5) - 1);
                const int m = k % cycle;
                const int idx = m < std::min(n, 5) ? m : cycle - m;
                add_note(ctx, part_arp, span.step + k * 4.0 / 3.0, 4.0 / 3.0, at(idx),
                         (k % 3 == 0 ? 0.72f : 0.55f) * e, 0.8f);
            }
            break;
        }
        case arp_style::none: break;
        }
    }
}

void write_bells(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans) {
    if (!(s.flags & sec_bells)) return;
    const int tonic = ctx.plan->tonic;
    int last = -1;
    for (const chord_span& span : spans) {
        const std::vector<int> ladder = chord_ladder(span.c, tonic, ctx.plan->arp_base + 12, 1);
        if (ladder.empty()) continue;
        for (int p = 0; p < span.steps; p += 6) {
            if (p > 0 && lcg_chance(ctx.rng, 0.25f)) continue;
            int pick = lcg_range(ctx.rng, 0, static_cast<int>(ladder.size()) - 1);
            if (ladder[static_cast<size_t>(pick)] == last)
                pick = (pick + 1) % static_cast<int>(ladder.size());
            last = ladder[static_cast<size_t>(pick)];
            add_note(ctx, part_bell, span.step + p, 6, last, 0.5f + 0.15f * lcg_unit(ctx.rng),
                     0.9f);
        }
    }
}

void write_counter(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans) {
    if (!(s.flags & sec_counter)) return;
    const int tonic = ctx.plan->tonic;
    const int low = ctx.plan->pad_centre + 2, high = ctx.plan->pad_centre + 16;
    if (ctx.counter_pitch == 0) ctx.counter_pitch = ctx.plan->pad_centre + 9;
    for (const chord_span& span : spans) {
        const int pieces = span.steps >= 16 && s.energy >= 0.6f ? 2 : 1;
        for (int k = 0; k < pieces; ++k) {
            // Move to a nearby chord tone, rarely staying put, never leaping far.
            int best = ctx.counter_pitch, best_cost = 1000;
            for (int p = low; p <= high; ++p) {
                if (!chord_has(span.c, tonic, p)) continue;
                const int d = std::abs(p - ctx.counter_pitch);
                int cost = d == 0 ? 3 : d;
                if (d > 5) cost += 10;
                cost += static_cast<int>(lcg_unit(ctx.rng) * 2.5f);
                if (cost < best_cost) best_cost = cost, best = p;
            }
            ctx.counter_pitch = best;
            const int len = span.steps / pieces;
            add_note(ctx, part_counter, span.step + k * len, len, best, 0.6f + 0.2f * s.energy,
                     0.97f);
        }
    }
}

void write_pad(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans) {
    if (!(s.flags & sec_pad)) {
        ctx.pad_end_step = -1;
        ctx.pad_notes.clear();
        return;
    }
    const float vel = 0.55f + 0.25f * s.energy;
    for (const chord_span& span : spans) {
        const std::vector<int> voicing =
            voice_chord(span.c, ctx.plan->tonic, ctx.pad_voicing, ctx.plan->pad_centre);
        std::vector<size_t> sounding;
        const bool continues = ctx.pad_end_step == span.step;
        for (int p : voicing) {
            // A tone shared with the previous chord is held rather than struck again.
            bool held = false;
            if (continues)
                for (size_t idx : ctx.pad_notes) {
                    note_event& n = ctx.score->notes[idx];
                    if (static_cast<int>(n.pitch) == p) {
                        n.length = step_time(ctx, span.step + span.steps) - n.time;
                        sounding.push_back(idx);
                        held = true;
                        break;
                    }
                }
            if (held) continue;
            add_note(ctx, part_pad, span.step, span.steps, p, vel, 1.0f);
            sounding.push_back(ctx.score->notes.size() - 1);
        }
        ctx.pad_voicing = voicing;
        ctx.pad_notes = sounding;
        ctx.pad_end_step = span.step + span.steps;
    }
}
