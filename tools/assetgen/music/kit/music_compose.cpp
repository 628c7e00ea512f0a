#include "music/kit/music_compose.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "music/kit/music_harmony.h"
#include "music/kit/music_melody.h"
#include "music/kit/music_patterns.h"

namespace {

int total_bars(const song_plan& plan) {
    int bars = 0;
    for (const section_plan& s : plan.sections) bars += s.bars;
    return bars;
}

double bar_seconds(const song_plan& plan) {
    if (plan.ending == song_end::ring)
        return (plan.seconds - plan.tail) / std::max(1, total_bars(plan));
    return plan.beats_per_bar * 60.0 / plan.bpm;
}

const chord& chord_at(const std::vector<chord_span>& spans, int step) {
    for (const chord_span& s : spans)
        if (step >= s.step && step < s.step + s.steps) return s.c;
    return spans.back().c;
}

// Sixteenths that carry the harmony: downbeats and long notes.
bool structural(const motif_note& n) { return (n.step % 4 == 0 && n.len >= 2) || n.len >= 6; }

struct sung_note {
    int step, len, pitch;
    bool strong;
};

// One two-bar phrase of a theme over the section's chords. form 0 = call,
// 1 = call moved by the theme's shift, 2 = call again, 3 = call then answer.
std::vector<sung_note> sing_phrase(const compose_ctx& ctx, const theme& t, int form, int start,
                                   const std::vector<chord_span>& spans, bool final_cadence,
                                   int& previous) {
    const int spb = ctx.steps_per_bar;
    std::vector<motif_note> notes;
    for (const motif_note& n : t.call)
        if (form != 3 || n.step < spb) notes.push_back(n);
    if (form == 3)
        for (motif_note n : t.answer) {
            n.step += spb;
            notes.push_back(n);
        }
    const int shift = form == 1 ? t.shift : 0;
    std::vector<sung_note> out;
    for (size_t i = 0; i < notes.size(); ++i) {
        const motif_note& n = notes[i];
        const int step = start + n.step;
        const chord& c = chord_at(spans, step);
        const scale7 scale = local_scale(ctx.plan->mode, c);
        int pitch = degree_pitch(scale, ctx.plan->tonic, n.degree + shift);
        const bool strong = structural(n);
        const bool last = i + 1 == notes.size();
        if (last && (form == 3 || final_cadence))
            pitch = nearest_root(c, ctx.plan->tonic, pitch);
        else if (strong)
            pitch = nearest_chord_tone(c, ctx.plan->tonic, pitch, pitch >= previous ? 1 : -1);
        // Keep the line singable after snapping: no leap wider than an octave.
        while (previous != 0 && pitch - previous > 12) pitch -= 12;
        while (previous != 0 && previous - pitch > 12) pitch += 12;
        previous = pitch;
        out.push_back({step, n.len, pitch, strong});
    }
    return out;
}

void write_theme(compose_ctx& ctx, const section_plan& s, int first_bar,
                 const std::vector<chord_span>& spans, const theme* themes, int& previous,
                 bool song_end_follows) {
    if (s.theme < 1 || s.theme > 3) return;
    const theme& t = themes[s.theme - 1];
    const int spb = ctx.steps_per_bar;
    const int phrases = s.bars / 2;
    int part = part_lead;
    if (s.flags & sec_theme_bell) part = part_bell;
    if (s.flags & sec_theme_counter) part = part_counter;
    const int octave = (s.flags & sec_high) ? 12 : (s.flags & sec_low) ? -12 : 0;
    const float vel = 0.72f + 0.22f * s.energy;
    for (int k = 0; k < phrases; ++k) {
        const bool last = k == phrases - 1;
        const int form = last ? 3 : k % 4;
        const std::vector<sung_note> line = sing_phrase(ctx, t, form, (first_bar + 2 * k) * spb,
                                                        spans, last && song_end_follows, previous);
        for (size_t i = 0; i < line.size(); ++i) {
            const sung_note& n = line[i];
            if ((s.flags & sec_sparse) && !n.strong && i > 0) continue;
            int len = n.len;
            if (s.flags & sec_sparse) {
                // Hold each kept note until the next kept one.
                size_t j = i + 1;
                while (j < line.size() && !line[j].strong) ++j;
                len = (j < line.size() ? line[j].step : line[i].step + n.len) - n.step;
            }
            const float accent = n.step % spb == 0 ? 1.0f : (n.step % 4 == 0 ? 0.92f : 0.82f);
            add_note(ctx, part, n.step, len, n.pitch + octave, vel * accent, 0.9f);
            if (s.flags & sec_harmony) {
                // A chord tone at least a minor third below: harmony that never rubs.
                const chord& c = chord_at(spans, n.step);
                int h = n.pitch - 3;
                while (!chord_has(c, ctx.plan->tonic, h) && h > n.pitch - 10) --h;
                if (!n.strong) {
                    const scale7 scale = local_scale(ctx.plan->mode, c);
                    // Passing notes move a diatonic third below instead.
                    for (int d = -14; d < 21; ++d)
                        if (degree_pitch(scale, ctx.plan->tonic, d) == n.pitch) {
                            h = degree_pitch(scale, ctx.plan->tonic, d - 2);
                            break;
                        }
                }
                add_note(ctx, part_counter, n.step, len, h + octave, vel * accent * 0.8f, 0.9f);
            }
        }
    }
}

void write_riser(compose_ctx& ctx, const section_plan& s, int first_bar) {
    if (!(s.flags & sec_riser)) return;
    const int spb = ctx.steps_per_bar;
    const int bars = s.bars >= 8 && s.energy > 0.6f ? 2 : 1;
    const int start = (first_bar + s.bars - bars) * spb;
    add_note(ctx, part_fx, start, bars * spb, 60, 0.8f, 1.0f);
}

void write_ending(compose_ctx& ctx, const section_plan& last, int bar, int melody_pitch) {
    const song_plan& plan = *ctx.plan;
    const int step = bar * ctx.steps_per_bar;
    const std::vector<chord_span> spans = chord_spans(plan.final_chord, bar, 1, ctx.steps_per_bar);
    const chord& c = spans.front().c;
    const double tail_steps = plan.tail / ctx.step_seconds;
    const int tonic = plan.tonic;
    for (int p : voice_chord(c, tonic, ctx.pad_voicing, plan.pad_centre))
        add_note(ctx, part_pad, step, tail_steps, p, 0.75f, 0.8f);
    const int root = c.root >= 7 ? c.root - 12 : c.root;
    add_note(ctx, part_bass, step, tail_steps, tonic + 12 * plan.bass_octave + root, 0.9f, 0.7f);
    if (last.theme > 0 && melody_pitch != 0)
        add_note(ctx, part_lead, step, tail_steps, nearest_root(c, tonic, melody_pitch), 0.85f,
                 0.6f);
    const std::vector<int> bells = chord_ladder(c, tonic, plan.arp_base + 12, 1);
    for (size_t k = 0; k < bells.size(); ++k)
        add_note(ctx, part_bell, step + 0.5 * static_cast<double>(k), tail_steps, bells[k], 0.5f,
                 0.7f);
    if (last.drums != drum_style::none && last.energy >= 0.6f) {
        add_drum(ctx, step, drum_kind::crash, 0.9f);
        add_drum(ctx, step, drum_kind::kick, 0.9f);
    }
}

} // namespace

double song_seconds(const song_plan& plan) {
    if (plan.ending == song_end::ring) return plan.seconds;
    return bar_seconds(plan) * total_bars(plan);
}

song_score compose_song(const song_plan& plan) {
    song_score score;
    compose_ctx ctx;
    ctx.plan = &plan;
    ctx.score = &score;
    ctx.steps_per_bar = plan.beats_per_bar * 4;
    score.bar_seconds = bar_seconds(plan);
    score.bpm = plan.beats_per_bar * 60.0 / score.bar_seconds;
    ctx.step_seconds = score.bar_seconds / ctx.steps_per_bar;
    ctx.rng = make_lcg(hash_combine(plan.seed, 0x51a7u));

    theme themes[3];
    for (int k = 0; k < 3; ++k)
        themes[k] = make_theme(hash_combine(plan.seed, static_cast<std::uint32_t>(k + 1)),
                               ctx.steps_per_bar, plan.theme_density[static_cast<size_t>(k)],
                               plan.melody_low, plan.melody_high);

    int bar = 0;
    int melody = 0;
    for (size_t i = 0; i < plan.sections.size(); ++i) {
        const section_plan& s = plan.sections[i];
        const std::vector<chord_span> spans = chord_spans(s.chords, bar, s.bars, ctx.steps_per_bar);
        const bool last = i + 1 == plan.sections.size();
        write_theme(ctx, s, bar, spans, themes, melody, last && plan.ending == song_end::ring);
        write_pad(ctx, s, spans);
        write_bass(ctx, s, spans);
        write_arp(ctx, s, spans);
        write_bells(ctx, s, spans);
        write_counter(ctx, s, spans);
        write_drums(ctx, s, bar);
        write_riser(ctx, s, bar);
        bar += s.bars;
    }
    if (plan.ending == song_end::ring) {
        write_ending(ctx, plan.sections.back(), bar, melody);
        score.frames = std::lround(plan.seconds * audio_rate);
    } else {
        score.frames = std::lround(score.bar_seconds * bar * audio_rate);
    }
    return score;
}
