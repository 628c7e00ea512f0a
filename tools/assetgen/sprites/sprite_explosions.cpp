// The explosion strips. Each frame is a moment of one or more blasts: a hot
// ball that swells and flashes, cools through orange and red, breaks up into
// drifting smoke and is gone by the last frame, while sparks and chunks fly
// out. Temperatures are painted through a few colour bands so the fire keeps
// the crisp pixel-art look; the gauge-charging kinds burn in their gauge
// colour and throw a shock ring so a player sees which colour was charged.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "core/draw.h"
#include "sprites/sprite_parts.h"
#include "support/asset_slots.h"

namespace {

struct fire_palette {
    rgb flash, hot, warm, body, deep, ember; // hottest to coolest
    rgb smoke_light, smoke_mid, smoke_dark;
    rgb ring;
    bool has_ring;
};

const fire_palette orange_fire{
    {255, 255, 236}, {255, 240, 150}, {255, 196, 60}, {246, 120, 32},  {200, 52, 28}, {120, 32, 30},
    {156, 146, 140}, {108, 100, 100}, {70, 64, 70},   {255, 230, 160}, false};
const fire_palette red_fire{
    {255, 246, 246}, {255, 200, 210}, {255, 120, 140}, {236, 44, 80},  {168, 20, 64}, {96, 14, 48},
    {156, 122, 140}, {114, 82, 104},  {72, 50, 72},    {255, 96, 124}, true};
const fire_palette blue_fire{{246, 252, 255},
                             {196, 236, 255},
                             {110, 190, 255},
                             {50, 110, 245},
                             {36, 52, 180},
                             {28, 26, 110},
                             {128, 136, 166},
                             {90, 96, 130},
                             {58, 60, 94},
                             {130, 214, 255},
                             true};
const fire_palette green_fire{
    {248, 255, 240}, {210, 255, 190}, {130, 240, 110}, {44, 190, 70},   {20, 122, 56}, {14, 72, 44},
    {124, 150, 128}, {86, 110, 94},   {56, 74, 64},    {160, 255, 140}, true};

// One blast: where, how big, and when it lives within the strip's time (0..1).
struct blast {
    double x, y, radius;
    double start, life;
    std::uint32_t seed;
    int sparks;
    bool ring;
};

struct explosion_kind {
    int frame_w, frame_h, frames;
    fire_palette palette;
    std::vector<blast> blasts;
    bool ship_debris; // the player's ship throws hull pieces
};

double smoothstep(double a, double b, double v) {
    const double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Heat and smoke of one blast at one pixel, for its own time u (0..1).
struct blast_sample {
    double heat = -1, smoke = -1, smoke_shade = 0;
};

blast_sample sample_blast(const blast& b, double u, double x, double y) {
    blast_sample s;
    const double grown = 1.0 - std::pow(1.0 - u, 3.0);
    const double r = b.radius * (0.3 + 0.7 * grown);
    // Smoke rises a little as it cools.
    const double lift = b.radius * 0.25 * u * u;
    const double dx = x - b.x, dy = y - b.y + lift;
    // Noise features scale with the blast but never shrink to single pixels.
    const double scale_n = std::min(4.0 / b.radius, 0.2);
    const double warp = fractal_noise(x * scale_n + 50, y * scale_n + 50, 64, 64, 2, b.seed);
    const double d = std::hypot(dx, dy) / r * (0.8 + 0.45 * warp);
    if (d >= 1.15) return s;
    const double churn =
        fractal_noise(x * scale_n * 1.6, (y + lift * 2) * scale_n * 1.6, 64, 64, 2, b.seed + 7);
    // The core cools over the blast's life; a flash lifts the first frames.
    const double core = 1.4 * std::pow(1.0 - u, 1.4) + (u < 0.14 ? 0.35 : 0.0);
    if (d < 1.0) s.heat = core * (1.0 - d * d) + (churn - 0.5) * 0.45 * std::min(1.0, core * 3);
    // Smoke thickens once the fire is past its peak and thins out to nothing.
    const double thickness = (1.0 - d / 1.15) * 1.4 + (churn - 0.5) * 1.1;
    const double appears = smoothstep(0.36, 0.62, u);
    const double thins = 0.05 + 2.1 * std::pow(u, 4.0);
    s.smoke = thickness * appears - thins;
    // Lit from the top left: the side towards the light is paler.
    s.smoke_shade = churn - (dx + dy) / (r * 2.2);
    return s;
}

rgb heat_colour(const fire_palette& p, double heat) {
    if (heat > 0.95) return p.flash;
    if (heat > 0.78) return p.hot;
    if (heat > 0.6) return p.warm;
    if (heat > 0.43) return p.body;
    if (heat > 0.29) return p.deep;
    return p.ember;
}

// A thin ring racing outwards, broken up as it fades.
void paint_ring(picture& frame, const blast& b, double u, rgb colour) {
    if (u <= 0.02 || u >= 0.55) return;
    const double radius = b.radius * (0.35 + 1.1 * std::pow(u, 0.6));
    const double gaps = 0.15 + u * 1.3;
    for (int y = 0; y < frame.h; ++y)
        for (int x = 0; x < frame.w; ++x) {
            const double dx = x + 0.5 - b.x, dy = y + 0.5 - b.y;
            const double d = std::hypot(dx, dy);
            if (std::abs(d - radius) > 0.9) continue;
            const double around = std::atan2(dy, dx) / (2 * std::numbers::pi) + 0.5;
            if (value_noise(around * 24, u * 3, 24, 64, b.seed + 3) < gaps * 0.8) continue;
            put(frame, x, y, colour);
        }
}

// Sparks streak outwards and cool; chunks tumble out and fall.
void paint_debris(picture& frame, const blast& b, double u, const fire_palette& p,
                  bool ship_debris) {
    for (int k = 0; k < b.sparks; ++k) {
        const double angle = hash_noise(k, 1, b.seed) * 2 * std::numbers::pi;
        const double speed = 0.55 + 0.75 * hash_noise(k, 2, b.seed);
        const double dies = 0.45 + 0.45 * hash_noise(k, 3, b.seed);
        if (u < 0.04 || u > dies) continue;
        const double travel = b.radius * speed * 1.25 * (1.0 - std::pow(1.0 - u, 2.0));
        const double fall = b.radius * 0.35 * u * u;
        const double x = b.x + std::cos(angle) * travel, y = b.y + std::sin(angle) * travel + fall;
        const double age = u / dies;
        const bool chunk = hash_noise(k, 4, b.seed) < (ship_debris ? 0.45 : 0.25);
        // Debris only shows once it is clear of the fireball.
        if (travel < b.radius * (0.3 + 0.7 * (1.0 - std::pow(1.0 - u, 3.0))) * 0.85) continue;
        const int px = static_cast<int>(std::floor(x)), py = static_cast<int>(std::floor(y));
        if (chunk) {
            // A small lump, lit on its top-left pixel.
            const rgb base = ship_debris ? rgb{150, 158, 182} : p.smoke_dark;
            const rgb lit = ship_debris ? rgb{236, 240, 250} : p.smoke_light;
            put(frame, px, py, lit);
            put(frame, px + 1, py, base);
            put(frame, px, py + 1, base);
            put(frame, px + 1, py + 1, scale(base, 0.7));
            continue;
        }
        const rgb head = age < 0.3 ? p.flash : age < 0.55 ? p.hot : age < 0.8 ? p.warm : p.body;
        const rgb tail = age < 0.3 ? p.warm : age < 0.55 ? p.body : p.deep;
        put(frame, px, py, head);
        // Sparks of a great blast are fatter so they still read at its size.
        if (b.radius > 40) {
            put(frame, px + 1, py, head);
            put(frame, px, py + 1, tail);
            put(frame, px + 1, py + 1, tail);
        }
        const double back = std::min(b.radius > 40 ? 5.0 : 2.5, travel * 0.25);
        for (double t = 1; t <= back; t += 1)
            put(frame, static_cast<int>(std::floor(x - std::cos(angle) * t)),
                static_cast<int>(std::floor(y - std::sin(angle) * t)), tail);
    }
}

picture explosion_frame(const explosion_kind& kind, double t) {
    picture frame = make_picture(kind.frame_w, kind.frame_h);
    const fire_palette& p = kind.palette;
    for (const blast& b : kind.blasts) {
        const double u = (t - b.start) / b.life;
        if (u >= 0 && u <= 1 && b.ring) paint_ring(frame, b, u, p.ring);
    }
    for (int y = 0; y < frame.h; ++y)
        for (int x = 0; x < frame.w; ++x) {
            double heat = -1, smoke = -1, shade = 0;
            for (const blast& b : kind.blasts) {
                const double u = (t - b.start) / b.life;
                if (u < 0 || u > 1) continue;
                if (std::abs(x - b.x) > b.radius * 1.3 || std::abs(y - b.y) > b.radius * 1.6)
                    continue;
                const blast_sample s = sample_blast(b, u, x + 0.5, y + 0.5);
                heat = std::max(heat, s.heat);
                if (s.smoke > smoke) {
                    smoke = s.smoke;
                    shade = s.smoke_shade;
                }
            }
            // Smoke hides the coolest fire, leaving hot pockets inside it.
            if (heat > 0.29 || (heat > 0.16 && smoke <= 0))
                put(frame, x, y, heat_colour(p, heat));
            else if (smoke > 0)
                put(frame, x, y,
                    shade > 0.62  ? p.smoke_light
                    : shade > 0.4 ? p.smoke_mid
                                  : p.smoke_dark);
        }
    for (const blast& b : kind.blasts) {
        const double u = (t - b.start) / b.life;
        if (u >= 0 && u <= 1) paint_debris(frame, b, u, p, kind.ship_debris);
    }
    return frame;
}

picture explosion_strip(const explosion_kind& kind) {
    picture strip = make_picture(kind.frame_w * kind.frames, kind.frame_h);
    for (int i = 0; i < kind.frames; ++i) {
        const double t = static_cast<double>(i) / (kind.frames - 1);
        paste(strip, explosion_frame(kind, t), i * kind.frame_w, 0);
    }
    return strip;
}

// One blast centred in a square frame, filling most of it at its widest.
explosion_kind single(int size, const fire_palette& p, std::uint32_t seed) {
    const double r = size * 0.44;
    return {size,
            size,
            16,
            p,
            {{size / 2.0, size / 2.0, r, 0, 1, seed, size > 40 ? 16 : 9, p.has_ring}},
            false};
}

// The player's ship: it is drawn at the ship's top-left, so the blast sits
// where the ship's body was.
explosion_kind ship_explosion() {
    return {32, 30, 13, orange_fire, {{17, 15, 13, 0, 1, 901, 14, false}}, true};
}

// The bosses go up in a chain of blasts around the body, then one last
// great blast with a shock ring swallows them all.
explosion_kind boss_explosion() {
    explosion_kind kind{192, 192, 16, orange_fire, {}, false};
    for (int k = 0; k < 7; ++k) {
        // Golden-angle steps spread the blasts evenly around the body.
        const double angle = k * 2.39996 + hash_noise(k, 11, 1701) * 0.5;
        const double away = 28 + 30 * hash_noise(k, 12, 1701);
        kind.blasts.push_back({96 + std::cos(angle) * away, 96 + std::sin(angle) * away,
                               28 + 14 * hash_noise(k, 13, 1701), 0.05 * k, 0.42,
                               1710u + static_cast<std::uint32_t>(k), 10, false});
    }
    kind.blasts.push_back({96, 96, 92, 0.36, 0.64, 1777, 40, true});
    return kind;
}

} // namespace

void generate_explosion_sprites(asset_sink& sink) {
    emit_picture(sink, slot_explosion_vaisseau, explosion_strip(ship_explosion()));
    emit_picture(sink, slot_explosion1, explosion_strip(single(64, orange_fire, 101)));
    emit_picture(sink, slot_explosion2, explosion_strip(single(32, orange_fire, 202)));
    emit_picture(sink, slot_explosion3, explosion_strip(single(32, orange_fire, 303)));
    emit_picture(sink, slot_explosion4, explosion_strip(single(32, green_fire, 404)));
    emit_picture(sink, slot_explosion5, explosion_strip(single(32, red_fire, 505)));
    emit_picture(sink, slot_explosion6, explosion_strip(single(32, blue_fire, 606)));
    emit_picture(sink, slot_explosion7, explosion_strip(single(64, red_fire, 707)));
    emit_picture(sink, slot_explosion8, explosion_strip(single(64, blue_fire, 808)));
    emit_picture(sink, slot_explosion9, explosion_strip(single(64, green_fire, 909)));
    emit_picture(sink, slot_explosion_boss1, explosion_strip(boss_explosion()));
}
