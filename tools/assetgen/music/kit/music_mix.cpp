#include "music/kit/music_mix.h"

std::array<part_mix, part_count> default_mix() {
    std::array<part_mix, part_count> m{};
    m[part_lead] = {0.55f, 0.0f, 0.22f, 0.18f};
    m[part_counter] = {0.38f, -0.25f, 0.3f, 0.0f};
    m[part_bass] = {0.7f, 0.0f, 0.04f, 0.0f};
    m[part_pad] = {0.35f, 0.0f, 0.35f, 0.0f};
    m[part_arp] = {0.32f, 0.3f, 0.2f, 0.22f};
    m[part_bell] = {0.3f, -0.3f, 0.4f, 0.25f};
    m[part_fx] = {0.15f, 0.0f, 0.45f, 0.0f};
    return m;
}
