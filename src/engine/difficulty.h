// The difficulties, one record each: what a run at that difficulty gives the
// player and how the menu shows it. The menu, the player's ship, the level-end
// panel, the level chain and the pilot all read this table.
#pragma once

#include <array>
#include <cstddef>

#include "engine/level_config.h"
#include "engine/level_interface.h"
#include "support/asset_slots.h"

struct difficulty_record {
    int value; // what the game hands every level (and the simulator takes)
    const char* name;
    int lives;          // the player's ship, unless the level fixes its own
    int last_level;     // the run ends after clearing this level
    int bonus_per_life; // the level-end bonus for each life left
    int menu_picture;   // the menu with this choice highlighted; no_slot: not on the menu
};

// The menu's choices first, in the order Left walks them (Right walks back):
// Hard, Normal, Easy, Practice. Then the cheat and the epilogue, which no
// menu offers.
// clang-format off
inline constexpr std::array<difficulty_record, 6> difficulties{{
    {difficulty_hard,     "hard",     6,    6, 100, slot_hard},
    {difficulty_normal,   "normal",   12,   5, 1,   slot_normal},
    {difficulty_easy,     "easy",     18,   4, 1,   slot_easy},
    {difficulty_practice, "practice", 24,   3, 1,   slot_practice},
    {difficulty_cheat,    "cheat",    6006, 6, 0,   no_slot},
    {difficulty_epilogue, "epilogue", 1206, 6, 0,   no_slot},
}};
// clang-format on

// Any other value: Hard's lives and levels, no bonus.
inline constexpr difficulty_record other_difficulty{-1, "other", 6, 6, 0, no_slot};

// The menu's choices: the records with a picture, at the head of the table.
inline constexpr std::size_t menu_choices = 4;
// The menu opens on Practice.
inline constexpr int menu_first_choice = difficulty_practice;

constexpr const difficulty_record& difficulty_of(int value) {
    for (const difficulty_record& d : difficulties)
        if (d.value == value) return d;
    return other_difficulty;
}

// Where the value stands among the menu's choices; a value that is not a
// choice (the menu's answer for Escape) stands just past the last.
constexpr std::size_t menu_place(int value) {
    for (std::size_t i = 0; i < menu_choices; ++i)
        if (difficulties[i].value == value) return i;
    return menu_choices;
}

// Right: one choice harder, from Hard round to Practice. Left: one easier,
// from Practice round to Hard. From a value past the last choice, Right
// lands on Practice and Left on Hard.
constexpr int menu_harder(int value) {
    const std::size_t at = menu_place(value);
    return difficulties[at == 0 ? menu_choices - 1 : at - 1].value;
}
constexpr int menu_easier(int value) {
    const std::size_t at = menu_place(value);
    return difficulties[at + 1 >= menu_choices ? 0 : at + 1].value;
}

// Presses of Right from the menu's first choice to reach the value; none for
// a value the menu does not offer.
constexpr int menu_rights_to(int value) {
    const std::size_t at = menu_place(value);
    if (at == menu_choices) return 0;
    return static_cast<int>(menu_place(menu_first_choice) - at);
}

static_assert(menu_harder(difficulty_hard) == difficulty_practice);
static_assert(menu_easier(difficulty_practice) == difficulty_hard);
static_assert(menu_rights_to(difficulty_hard) == 3);
