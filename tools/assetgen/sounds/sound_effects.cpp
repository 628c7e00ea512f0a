// The twelve sound effects, built from tones, noise, crackle and notes of the
// music's instruments.
#include "sounds/sound_effects.h"

#include <cmath>

#include "audio/audio_dsp.h"
#include "audio/instruments.h"
#include "sounds/kit/sound_layers.h"

namespace effect {

// Player gun: a short downward "pew" over a tiny click. It repeats ten times a
// second, so it stays soft-edged and low in the ear.
std::vector<float> player_shot() {
    std::vector<float> s = silence(0.075f);
    add_tone(s, {0, 0.075f, 1250, 380, tone_shape::square, 0.6f, 0.001f, 0.03f, 0, 0, 3500});
    add_tone(s, {0, 0.075f, 625, 190, tone_shape::triangle, 0.5f, 0.001f, 0.035f});
    noise_layer click;
    click.length = 0.01f, click.from_hz = 5000, click.to_hz = 2500;
    click.filter = noise_filter::band, click.level = 0.5f, click.decay = 0.003f, click.seed = 238;
    add_noise(s, click);
    return s;
}

// Enemy shot: a soft tick, then a bright falling "tsiu" that swells in after
// it. Enemies fire as often as every other frame, each shot cutting the one
// before on its channel: dense fire is then a light patter of ticks and
// onsets, while a lone shot rings out in full.
std::vector<float> enemy_shot() {
    std::vector<float> s = silence(0.13f);
    add_tone(s, {0, 0.13f, 2100, 700, tone_shape::triangle, 0.8f, 0.035f, 0.035f});
    add_tone(s, {0, 0.1f, 1050, 520, tone_shape::square, 0.2f, 0.035f, 0.03f, 0, 0, 4000});
    noise_layer tick;
    tick.length = 0.006f, tick.from_hz = 6000, tick.to_hz = 4000;
    tick.filter = noise_filter::high, tick.level = 0.3f, tick.decay = 0.002f, tick.seed = 240;
    add_noise(s, tick);
    return s;
}

// The unused shot: a rising laser "zwip".
std::vector<float> spare_shot() {
    std::vector<float> s = silence(0.1f);
    add_tone(s, {0, 0.1f, 380, 1700, tone_shape::saw, 0.7f, 0.002f, 0.05f, 0, 0, 4500});
    add_tone(s, {0, 0.1f, 760, 3400, tone_shape::sine, 0.25f, 0.002f, 0.04f});
    return s;
}

// Super burst: a rising charge, then a wide blast sweeping down under a
// bright major shimmer.
std::vector<float> super_burst() {
    std::vector<float> s = silence(0.85f);
    add_tone(s, {0, 0.34f, 140, 560, tone_shape::saw, 0.35f, 0.25f, 10, 9, 0.3f, 2500});
    add_tone(s, {0, 0.34f, 210, 840, tone_shape::saw, 0.25f, 0.25f, 10, 9, 0.3f, 2500});
    noise_layer charge;
    charge.length = 0.34f, charge.from_hz = 500, charge.to_hz = 5000;
    charge.filter = noise_filter::band, charge.q = 1.5f, charge.level = 0.5f;
    charge.attack = 0.3f, charge.decay = 10, charge.seed = 2411;
    add_noise(s, charge);
    noise_layer blast;
    blast.start = 0.32f, blast.length = 0.53f, blast.from_hz = 9000, blast.to_hz = 250;
    blast.level = 1.0f, blast.attack = 0.004f, blast.decay = 0.16f, blast.seed = 2412;
    add_noise(s, blast);
    add_tone(s, {0.32f, 0.45f, 95, 32, tone_shape::sine, 0.9f, 0.003f, 0.12f});
    for (float hz : {880.0f, 1108.7f, 1318.5f})
        add_tone(s, {0.32f, 0.5f, hz, hz, tone_shape::triangle, 0.14f, 0.01f, 0.16f, 7, 0.15f});
    warm(s, 1.4f);
    return s;
}

// Confirm: two bright rising notes, over well before the outro sting cuts it.
std::vector<float> menu_confirm() {
    std::vector<float> s = silence(0.18f);
    add_tone(s,
             {0, 0.065f, 1318.5f, 1318.5f, tone_shape::square, 0.45f, 0.002f, 0.05f, 0, 0, 5000});
    add_tone(
        s, {0.06f, 0.12f, 1975.5f, 1975.5f, tone_shape::square, 0.45f, 0.002f, 0.045f, 0, 0, 5000});
    add_tone(s, {0.06f, 0.12f, 987.8f, 987.8f, tone_shape::sine, 0.3f, 0.002f, 0.05f});
    return s;
}

// Menu move: one short soft blip.
std::vector<float> menu_move() {
    std::vector<float> s = silence(0.1f);
    add_tone(s, {0, 0.1f, 820, 900, tone_shape::square, 0.5f, 0.002f, 0.03f, 0, 0, 2800});
    add_tone(s, {0, 0.1f, 410, 450, tone_shape::sine, 0.4f, 0.002f, 0.035f});
    return s;
}

// Player hit: a heavy blast with a deep thump, rumble and flying debris.
std::vector<float> big_explosion() {
    std::vector<float> s = silence(1.2f);
    noise_layer blast;
    blast.length = 1.2f, blast.from_hz = 7000, blast.to_hz = 180;
    blast.level = 1.0f, blast.attack = 0.003f, blast.decay = 0.3f, blast.seed = 2441;
    add_noise(s, blast);
    noise_layer rumble;
    rumble.length = 1.2f, rumble.from_hz = 260, rumble.to_hz = 90, rumble.brown = true;
    rumble.level = 1.6f, rumble.attack = 0.01f, rumble.decay = 0.45f, rumble.seed = 2442;
    add_noise(s, rumble);
    add_tone(s, {0, 0.9f, 110, 28, tone_shape::sine, 1.0f, 0.002f, 0.22f});
    add_crackle(s, 0.05f, 0.8f, 90, 2200, 0.5f, 2443);
    add_crackle(s, 0.15f, 0.5f, 40, 900, 0.6f, 2444);
    warm(s, 1.8f);
    return s;
}

// Enemy destroyed: a sharp crack, then the blast swelling in behind it. Kills
// come in bursts, each cutting the one before on its channel: a burst is then
// a crackle of onsets, while a lone kill booms out in full.
std::vector<float> small_explosion() {
    std::vector<float> s = silence(0.5f);
    noise_layer crack;
    crack.length = 0.03f, crack.from_hz = 7000, crack.to_hz = 3000;
    crack.filter = noise_filter::band, crack.level = 0.6f, crack.attack = 0.0005f;
    crack.decay = 0.008f, crack.seed = 2453;
    add_noise(s, crack);
    noise_layer burst;
    burst.length = 0.5f, burst.from_hz = 6000, burst.to_hz = 300;
    burst.level = 1.0f, burst.attack = 0.09f, burst.decay = 0.12f, burst.seed = 2451;
    add_noise(s, burst);
    add_tone(s, {0, 0.4f, 150, 40, tone_shape::sine, 0.8f, 0.09f, 0.1f});
    add_crackle(s, 0.08f, 0.35f, 70, 2600, 0.35f, 2452);
    warm(s, 1.5f);
    return s;
}

// The unused explosion: a gritty, bit-crushed variant.
std::vector<float> crunchy_explosion() {
    std::vector<float> s = silence(0.7f);
    noise_layer burst;
    burst.length = 0.7f, burst.from_hz = 4000, burst.to_hz = 250;
    burst.level = 1.0f, burst.attack = 0.002f, burst.decay = 0.16f, burst.seed = 2461;
    add_noise(s, burst);
    add_tone(s, {0, 0.5f, 130, 35, tone_shape::sine, 0.9f, 0.002f, 0.12f});
    warm(s, 1.6f);
    crush(s, 4, 48);
    // Smooth the steps a little so the grit does not turn into whistles.
    float lp = 0;
    const float a = one_pole_coeff(6000);
    for (float& x : s) x = lp += a * (x - lp);
    return s;
}

// Warning: a two-tone klaxon, twice, ending well inside the second before the
// next beep.
std::vector<float> warning_alarm() {
    std::vector<float> s = silence(0.84f);
    const float hi = 932.3f, lo = 698.5f;
    float t = 0;
    for (int k = 0; k < 4; ++k) {
        const float hz = k % 2 == 0 ? hi : lo;
        add_tone(s, {t, 0.2f, hz, hz, tone_shape::square, 0.4f, 0.008f, 3, 6, 0.12f, 3000});
        add_tone(
            s, {t, 0.2f, hz * 0.5f, hz * 0.5f, tone_shape::saw, 0.25f, 0.008f, 3, 6, 0.12f, 2000});
        t += 0.2f;
    }
    // Each tone ends on its own ramp: soften the joins so they don't click.
    for (int k = 1; k <= 4; ++k) {
        const int at = static_cast<int>(std::lround(0.2f * k * audio_rate));
        for (int i = -160; i < 160; ++i) {
            const int j = at + i;
            if (j < 0 || j >= static_cast<int>(s.size())) continue;
            s[static_cast<size_t>(j)] *= std::fabs(static_cast<float>(i)) / 160.0f;
        }
    }
    return s;
}

// The unused rattle: a fast ratchet that slows and drops.
std::vector<float> ratchet() {
    std::vector<float> s = silence(0.45f);
    float t = 0, gap = 0.022f;
    std::uint32_t seed = 2481;
    while (t < 0.4f) {
        noise_layer tick;
        tick.start = t, tick.length = 0.018f;
        tick.from_hz = 2600 - 3000 * t, tick.to_hz = 2000 - 2500 * t;
        tick.filter = noise_filter::band, tick.q = 3.0f;
        tick.level = 1.0f - 1.8f * t, tick.attack = 0.0005f, tick.decay = 0.005f,
        tick.seed = seed++;
        add_noise(s, tick);
        t += gap;
        gap *= 1.06f;
    }
    return s;
}

// Outro sting: a quick rising fanfare landing on a bright held chord.
std::vector<float> victory_jingle() {
    std::vector<float> s = silence(2.4f);
    voice_recipe lead = pulse_lead();
    voice_recipe brass = brass_lead();
    voice_recipe bell = fm_bell();
    voice_recipe bass = saw_bass();
    voice_recipe pad = warm_pad();
    pad.attack = 0.08f;
    const float step = 0.095f;
    // G4 C5 E5 G5, a short E5, then the long C6.
    const float pitches[] = {67, 72, 76, 79, 76};
    const float lengths[] = {1, 1, 1, 2, 1};
    float t = 0;
    std::uint32_t seed = 2490;
    for (int k = 0; k < 5; ++k) {
        add_voice(s, lead, t, pitches[k], step * lengths[k] * 0.9f, 0.8f, seed++);
        add_voice(s, brass, t, pitches[k] - 12, step * lengths[k] * 0.9f, 0.6f, seed++);
        t += step * lengths[k];
    }
    add_voice(s, lead, t, 84, 1.1f, 0.9f, seed++);
    add_voice(s, brass, t, 72, 1.1f, 0.7f, seed++);
    for (float p : {60.0f, 64.0f, 67.0f, 72.0f}) add_voice(s, pad, t, p, 1.0f, 0.8f, seed++);
    add_voice(s, bass, t, 36, 1.0f, 0.9f, seed++);
    for (int k = 0; k < 3; ++k)
        add_voice(s, bell, t + 0.05f * k,
                  84.0f + (k == 1   ? 4
                           : k == 2 ? 7
                                    : 0),
                  0.8f, 0.5f, seed++);
    add_room(s, 0.8f, 0.5f);
    // Let the chord ring, then bring it smoothly to nothing at the end.
    const size_t fade = static_cast<size_t>(0.6f * audio_rate);
    for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / fade;
    return s;
}

} // namespace effect
