#include "play_digest.h"

#include <algorithm>
#include <cstdio>

#include "engine/level_run.h"

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

std::uint64_t fold_ship(std::uint64_t digest, const ship& body) {
    digest = fold(digest, body.rect.x);
    digest = fold(digest, body.rect.y);
    digest = fold(digest, body.hit_points);
    digest = fold(digest, body.explosion_frame);
    for (int slot = 0; slot < body.shot_capacity; ++slot) {
        const shot* bullet = body.shots[slot];
        if (!bullet) continue;
        digest = fold(digest, slot);
        digest = fold(digest, bullet->rect.x);
        digest = fold(digest, bullet->rect.y);
        digest = fold(digest, bullet->kind);
    }
    return digest;
}

} // namespace

std::uint64_t fold_play_frame(std::uint64_t digest, const level_run& run) {
    const scene& world = *run.world;
    digest = fold(digest, world.score);
    digest = fold(digest, world.gauge_level);
    digest = fold_ship(digest, *world.player);
    const int slots = std::min(world.next_slot, world.enemy_capacity);
    for (int slot = 0; slot < slots; ++slot) {
        const enemy* foe = world.enemies[slot];
        if (!foe) continue;
        digest = fold(digest, slot);
        digest = fold_ship(digest, *foe->ship);
    }
    return digest;
}

std::string play_digest_text(std::uint64_t digest) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
    return text;
}
