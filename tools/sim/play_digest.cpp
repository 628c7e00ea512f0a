#include "play_digest.h"

#include <algorithm>
#include <cstdio>

#include "engine/level_run.h"
#include "objects/enemy.h"
#include "png_frames.h"

namespace {

constexpr std::uint64_t fnv_prime = 1099511628211ull;

// FNV-1a over the value's eight bytes, lowest first: the same on every host.
std::uint64_t fold(std::uint64_t digest, std::int64_t value) {
    for (int byte = 0; byte < 8; ++byte) {
        digest ^= static_cast<std::uint64_t>(value >> (8 * byte)) & 0xff;
        digest *= fnv_prime;
    }
    return digest;
}

std::uint64_t fold_rect(std::uint64_t digest, const SDL_Rect& rect) {
    digest = fold(digest, rect.x);
    digest = fold(digest, rect.y);
    digest = fold(digest, rect.w);
    return fold(digest, rect.h);
}

// A body and its shots in flight: where each stands, how big it is, how it
// animates, and the body's hit box, lives and states.
std::uint64_t fold_ship(std::uint64_t digest, const ship& body) {
    digest = fold_rect(digest, body.rect);
    digest = fold(digest, body.hit_points);
    digest = fold(digest, body.explosion_frame);
    digest = fold(digest, body.reach_x);
    digest = fold(digest, body.reach_y);
    digest = fold(digest, body.colour);
    digest = fold(digest, body.invulnerable);
    digest = fold(digest, body.graze);
    for (int slot = 0; slot < body.shot_capacity; ++slot) {
        const shot* bullet = body.shots[slot];
        if (!bullet) continue;
        digest = fold(digest, slot);
        digest = fold_rect(digest, bullet->rect);
        digest = fold(digest, bullet->kind);
        digest = fold(digest, bullet->anim_counter);
        digest = fold(digest, bullet->anim_switch);
        digest = fold(digest, bullet->anim_period);
    }
    return digest;
}

// An enemy: its body, then where it is on its paths, what it is worth and
// how it animates.
std::uint64_t fold_enemy(std::uint64_t digest, const enemy& foe) {
    digest = fold_ship(digest, *foe.ship);
    digest = fold(digest, foe.step_index);
    digest = fold(digest, foe.step_frame);
    digest = fold(digest, foe.on_entry);
    digest = fold(digest, foe.on_main);
    digest = fold(digest, foe.on_final);
    digest = fold(digest, foe.score_value);
    digest = fold(digest, foe.explosion_w);
    digest = fold(digest, foe.explosion_h);
    digest = fold(digest, foe.anim_counter);
    digest = fold(digest, foe.anim_switch);
    digest = fold(digest, foe.anim_period);
    return fold(digest, foe.flash);
}

// The level's own clock and screens: when play began, the scroll, the
// ship's flame, the warning and the boss's blink.
std::uint64_t fold_level_state(std::uint64_t digest, const level_run& run) {
    const level_state& st = run.state;
    digest = fold(digest, run.world->start_ms);
    digest = fold(digest, st.flame_counter);
    digest = fold(digest, st.boss_blink);
    digest = fold(digest, st.boss_phase);
    digest = fold(digest, st.respawning);
    digest = fold(digest, st.intro_y);
    digest = fold(digest, st.backdrop_frame);
    digest = fold(digest, st.step_counter);
    digest = fold(digest, st.warning_seen);
    if (st.main_layer) digest = fold_rect(digest, st.main_layer->rect);
    if (st.strip_layer) digest = fold_rect(digest, st.strip_layer->rect);
    return fold_rect(digest, st.strip_destination);
}

} // namespace

std::uint64_t fold_play_frame(std::uint64_t digest, const level_run& run) {
    const scene& world = *run.world;
    digest = fold(digest, world.score);
    digest = fold(digest, world.gauge_level);
    digest = fold(digest, world.gauge_colour);
    digest = fold_level_state(digest, run);
    digest = fold_ship(digest, *world.player);
    const int slots = std::min(world.next_slot, world.enemy_capacity);
    for (int slot = 0; slot < slots; ++slot) {
        const enemy* foe = world.enemies[slot];
        if (!foe) continue;
        digest = fold(digest, slot);
        digest = fold_enemy(digest, *foe);
    }
    return digest;
}

std::uint64_t fold_picture(std::uint64_t digest, SDL_Surface* screen) {
    SDL_LockSurface(screen);
    const SDL_PixelFormat& format = *screen->format;
    if (format.BytesPerPixel == 4 && format.Rloss == 0 && format.Gloss == 0 && format.Bloss == 0) {
        // The usual screen: the channels by their shifts, without a call a pixel.
        for (int y = 0; y < screen->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(screen->pixels) + y * screen->pitch);
            for (int x = 0; x < screen->w; ++x) {
                const Uint32 v = row[x];
                const Uint32 rgb = (((v & format.Rmask) >> format.Rshift) << 16) |
                                   (((v & format.Gmask) >> format.Gshift) << 8) |
                                   ((v & format.Bmask) >> format.Bshift);
                digest = (digest ^ rgb) * fnv_prime;
            }
        }
        SDL_UnlockSurface(screen);
        return digest;
    }
    for (int y = 0; y < screen->h; ++y) {
        const auto* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        for (int x = 0; x < screen->w; ++x) {
            // As 0xRRGGBB, whatever order the library keeps the channels in.
            Uint8 r, g, b;
            SDL_GetRGB(pixel_value(format, row, x), screen->format, &r, &g, &b);
            digest = (digest ^ ((Uint32{r} << 16) | (Uint32{g} << 8) | b)) * fnv_prime;
        }
    }
    SDL_UnlockSurface(screen);
    return digest;
}

std::string play_digest_text(std::uint64_t digest) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
    return text;
}
