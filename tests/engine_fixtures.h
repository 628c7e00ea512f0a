// A level engine test bench: SDL on the dummy driver, an asset table of
// plain pictures with the sizes the rules depend on (ship, shots, bullets,
// the player's explosion strip), dummy sounds and music with known lengths,
// and the digit pictures the scene loads by name.
#pragma once

#include "object_fixtures.h"

#include <array>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "objects/blit.h"
#include "support/asset_table.h"

inline bool in_slots(int slot, int first, int last) { return slot >= first && slot <= last; }

inline void picture_size(int slot, int& w, int& h) {
    w = h = 8;
    if (in_slots(slot, slot_vaisseau1, slot_vaisseau_droite) ||
        in_slots(slot, slot_vaisseau1a, slot_vaisseau_droitea))
        w = 37, h = 32;
    else if (slot == slot_vaisseau_tir1 || slot == slot_vaisseau_tir2)
        w = 9, h = 25;
    else if (slot == slot_vaisseau_tir1a || slot == slot_vaisseau_tir2a)
        w = 14, h = 15;
    else if (in_slots(slot, slot_super_coup1, slot_super_coup3a) ||
             in_slots(slot, slot_tir1_bleu_ennemi, slot_tir1a_vert_ennemi))
        w = h = 16;
    else if (slot == slot_explosion_vaisseau)
        w = 416, h = 30;
    else if (in_slots(slot, slot_barre_boss_vide, slot_barre_boss_pleine1))
        w = 83, h = 19;
    else if (in_slots(slot, slot_blanc, slot_ciel_vieux)) // Level 1's flash and skies
        w = 640, h = 480;
}

struct engine_test : object_test {
    asset_table assets{};
    std::array<int, asset_slot_count> audio_tokens{};
    game_result result{0, 0};

    void SetUp() override {
        object_test::SetUp();
        for (int slot = 0; slot < first_music_slot; ++slot) {
            int w, h;
            picture_size(slot, w, h);
            assets.slots[slot] = picture(w, h, {slot % 200 + 20, 90, 160});
        }
        // Music and sounds are only ever logged by the simulated backend.
        for (int slot = first_music_slot; slot < asset_slot_count; ++slot)
            assets.slots[slot] = &audio_tokens[slot];
        sim_register_assets(assets.slots.data(), asset_slot_count);
        set_drawing(true);
    }
    void TearDown() override {
        set_level_observer(nullptr);
        set_scene_observer(nullptr);
        object_test::TearDown();
    }
    Mix_Music* music(int slot) { return static_cast<Mix_Music*>(assets.slots[slot]); }

    int sounds_on(int slot) {
        int n = 0;
        for (const auto& e : sim_sound_log())
            if (e.slot == slot && e.call == sim_call::chunk) ++n;
        return n;
    }
};
