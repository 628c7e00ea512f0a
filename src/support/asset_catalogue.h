// The asset catalogue: the 250 slots every screen and level names, in one
// table of their names, files, loaders and colour keys. Shared by the game's
// loader and by tools/assetgen, so the file names and colour keys live in
// exactly one place; the named constants of asset_slots.h are looked up here
// by name. A run of slots (the digits, the cave's frames, the level cards,
// the score panel's opening) is named by its stem and a number.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum class loader_kind : std::uint8_t { png, bmp, music, chunk };

struct key_colour {
    bool keyed;
    std::uint8_t r, g, b;
};

constexpr key_colour no_key{false, 0, 0, 0};
constexpr key_colour key_rgb(int r, int g, int b) {
    return {true, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b)};
}

struct catalogue_entry {
    std::string_view name;
    const char* path;
    loader_kind loader;
    key_colour key;
};

constexpr int asset_slot_count = 250;

// clang-format off
constexpr std::array<catalogue_entry, asset_slot_count> asset_catalogue{{
    {"titre", "./Images/Titre.png", loader_kind::png, no_key}, // 0
    {"titre1", "./Images/Titre1.png", loader_kind::png, no_key}, // 1
    {"keyboard", "./Images/Keyboard.png", loader_kind::png, no_key}, // 2
    {"programmer", "./Images/Programmer.png", loader_kind::png, no_key}, // 3
    {"resources", "./Images/Resources.png", loader_kind::png, no_key}, // 4
    {"level_end", "./Images/Level_End.png", loader_kind::png, no_key}, // 5
    {"level_end_vieux", "./Images/Level_End_Vieux.png", loader_kind::png, no_key}, // 6
    {"thanks", "./Images/Thanks.png", loader_kind::png, no_key}, // 7
    {"sojiro_bye", "./Images/Sojiro_Bye.png", loader_kind::png, no_key}, // 8
    {"cleared", "./Images/Cleared.png", loader_kind::png, no_key}, // 9
    {"end", "./Images/End.png", loader_kind::png, no_key}, // 10
    {"try_again", "./Images/Try_Again.png", loader_kind::png, no_key}, // 11
    {"coin", "./Images/Coin.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 12
    {"vaisseau1", "./Images/Vaisseau1.png", loader_kind::png, key_rgb(0, 0, 255)}, // 13
    {"vaisseau2", "./Images/Vaisseau2.png", loader_kind::png, key_rgb(0, 0, 255)}, // 14
    {"vaisseau_gauche", "./Images/Vaisseau_Gauche.png", loader_kind::png, key_rgb(0, 0, 255)}, // 15
    {"vaisseau_droite", "./Images/Vaisseau_Droite.png", loader_kind::png, key_rgb(0, 0, 255)}, // 16
    {"vaisseau_tir1", "./Images/Vaisseau_Tir1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 17
    {"vaisseau1a", "./Images/Vaisseau1a.png", loader_kind::png, key_rgb(0, 0, 255)}, // 18
    {"vaisseau2a", "./Images/Vaisseau2a.png", loader_kind::png, key_rgb(0, 0, 255)}, // 19
    {"vaisseau_gauchea", "./Images/Vaisseau_Gauchea.png", loader_kind::png, key_rgb(0, 0, 255)}, // 20
    {"vaisseau_droitea", "./Images/Vaisseau_Droitea.png", loader_kind::png, key_rgb(0, 0, 255)}, // 21
    {"vaisseau_tir2", "./Images/Vaisseau_Tir2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 22
    {"vaisseau_tir1a", "./Images/Vaisseau_Tir1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 23
    {"vaisseau_tir2a", "./Images/Vaisseau_Tir2a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 24
    {"super_coup1", "./Images/Super_Coup1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 25
    {"super_coup1a", "./Images/Super_Coup1a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 26
    {"super_coup2", "./Images/Super_Coup2.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 27
    {"super_coup2a", "./Images/Super_Coup2a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 28
    {"super_coup2_copy", "./Images/Super_Coup2.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 29
    {"super_coup3a", "./Images/Super_Coup3a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 30
    {"vie", "./Images/Vie.bmp", loader_kind::bmp, key_rgb(255, 255, 17)}, // 31
    {"1p", "./Images/1P.bmp", loader_kind::bmp, no_key}, // 32
    {"barre", "./Images/Barre.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 33
    {"barre1", "./Images/Barre1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 34
    {"barre_rouge", "./Images/Barre_Rouge.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 35
    {"barre_rouge1", "./Images/Barre_Rouge1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 36
    {"barre_bleu", "./Images/Barre_Bleu.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 37
    {"barre_bleu1", "./Images/Barre_Bleu1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 38
    {"barre_vert", "./Images/Barre_Vert.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 39
    {"barre_vert1", "./Images/Barre_Vert1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 40
    {"digit_0", "./Images/Zero.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 41
    {"digit_1", "./Images/Un.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 42
    {"digit_2", "./Images/Deux.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 43
    {"digit_3", "./Images/Trois.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 44
    {"digit_4", "./Images/Quatre.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 45
    {"digit_5", "./Images/Cinq.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 46
    {"digit_6", "./Images/Six.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 47
    {"digit_7", "./Images/Sept.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 48
    {"digit_8", "./Images/Huit.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 49
    {"digit_9", "./Images/Neuf.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 50
    {"cheat", "./Images/Cheat.bmp", loader_kind::bmp, no_key}, // 51
    {"barre_boss_vide", "./Images/Barre_Boss_vide.png", loader_kind::png, key_rgb(0, 0, 0)}, // 52
    {"barre_boss_vide1", "./Images/Barre_Boss_vide1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 53
    {"barre_boss_pleine", "./Images/Barre_Boss_pleine.png", loader_kind::png, key_rgb(0, 0, 0)}, // 54
    {"barre_boss_pleine1", "./Images/Barre_Boss_pleine1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 55
    {"boss_picture", "./Images/Boss_Picture.png", loader_kind::png, key_rgb(255, 0, 0)}, // 56
    {"boss_picture1", "./Images/Boss_Picture1.png", loader_kind::png, key_rgb(112, 0, 0)}, // 57
    {"contour1", "./Images/Contour1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 58
    {"contour2", "./Images/Contour2.png", loader_kind::png, key_rgb(255, 255, 0)}, // 59
    {"contour3", "./Images/Contour3.png", loader_kind::png, key_rgb(255, 255, 0)}, // 60
    {"continue1", "./Images/Continue1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 61
    {"continue2", "./Images/Continue2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 62
    {"noir", "./Images/Noir.png", loader_kind::png, no_key}, // 63
    {"blanc", "./Images/Blanc.png", loader_kind::png, no_key}, // 64
    {"ciel", "./Images/Ciel.png", loader_kind::png, no_key}, // 65
    {"ciel1", "./Images/Ciel1.png", loader_kind::png, no_key}, // 66
    {"ciel_vieux", "./Images/Ciel_Vieux.png", loader_kind::png, no_key}, // 67
    {"forest", "./Images/Forest.png", loader_kind::png, no_key}, // 68
    {"forest_copy", "./Images/Forest.png", loader_kind::png, no_key}, // 69
    {"forest_vieux", "./Images/Forest_vieux.png", loader_kind::png, no_key}, // 70
    {"cave_1", "./Images/Grotte1.png", loader_kind::png, no_key}, // 71
    {"cave_2", "./Images/Grotte2.png", loader_kind::png, no_key}, // 72
    {"cave_3", "./Images/Grotte3.png", loader_kind::png, no_key}, // 73
    {"cave_4", "./Images/Grotte4.png", loader_kind::png, no_key}, // 74
    {"cave_5", "./Images/Grotte5.png", loader_kind::png, no_key}, // 75
    {"cave_6", "./Images/Grotte6.png", loader_kind::png, no_key}, // 76
    {"cave_7", "./Images/Grotte7.png", loader_kind::png, no_key}, // 77
    {"cave_8", "./Images/Grotte8.png", loader_kind::png, no_key}, // 78
    {"cave_9", "./Images/Grotte9.png", loader_kind::png, no_key}, // 79
    {"cave_10", "./Images/Grotte10.png", loader_kind::png, no_key}, // 80
    {"cave_11", "./Images/Grotte11.png", loader_kind::png, no_key}, // 81
    {"cave_12", "./Images/Grotte12.png", loader_kind::png, no_key}, // 82
    {"cave_13", "./Images/Grotte13.png", loader_kind::png, no_key}, // 83
    {"cave_14", "./Images/Grotte14.png", loader_kind::png, no_key}, // 84
    {"cave_15", "./Images/Grotte15.png", loader_kind::png, no_key}, // 85
    {"cave_16", "./Images/Grotte16.png", loader_kind::png, no_key}, // 86
    {"cave_17", "./Images/Grotte17.png", loader_kind::png, no_key}, // 87
    {"cave_18", "./Images/Grotte18.png", loader_kind::png, no_key}, // 88
    {"cave_19", "./Images/Grotte19.png", loader_kind::png, no_key}, // 89
    {"cave_20", "./Images/Grotte20.png", loader_kind::png, no_key}, // 90
    {"cave_21", "./Images/Grotte21.png", loader_kind::png, no_key}, // 91
    {"cave_22", "./Images/Grotte22.png", loader_kind::png, no_key}, // 92
    {"cave_23", "./Images/Grotte23.png", loader_kind::png, no_key}, // 93
    {"cave_24", "./Images/Grotte24.png", loader_kind::png, no_key}, // 94
    {"cave_25", "./Images/Grotte25.png", loader_kind::png, no_key}, // 95
    {"cave_26", "./Images/Grotte26.png", loader_kind::png, no_key}, // 96
    {"cave_27", "./Images/Grotte27.png", loader_kind::png, no_key}, // 97
    {"cave_28", "./Images/Grotte28.png", loader_kind::png, no_key}, // 98
    {"cave_29", "./Images/Grotte29.png", loader_kind::png, no_key}, // 99
    {"cave_30", "./Images/Grotte30.png", loader_kind::png, no_key}, // 100
    {"lave", "./Images/Lave.png", loader_kind::png, no_key}, // 101
    {"lave_gris", "./Images/Lave_Gris.png", loader_kind::png, no_key}, // 102
    {"enterprise", "./Images/Enterprise.png", loader_kind::png, no_key}, // 103
    {"enterprise_gris", "./Images/Enterprise_Gris.png", loader_kind::png, no_key}, // 104
    {"enterprise_rouge", "./Images/Enterprise_Rouge.png", loader_kind::png, no_key}, // 105
    {"enterprise_bleu", "./Images/Enterprise_Bleu.png", loader_kind::png, no_key}, // 106
    {"enterprise_vert", "./Images/Enterprise_Vert.png", loader_kind::png, no_key}, // 107
    {"level_card_1", "./Images/Level1.png", loader_kind::png, no_key}, // 108
    {"level_card_2", "./Images/Level2.png", loader_kind::png, no_key}, // 109
    {"level_card_3", "./Images/Level3.png", loader_kind::png, no_key}, // 110
    {"level_card_4", "./Images/Level4.png", loader_kind::png, no_key}, // 111
    {"level_card_5", "./Images/Level5.png", loader_kind::png, no_key}, // 112
    {"level_card_6", "./Images/Level6.png", loader_kind::png, no_key}, // 113
    {"loading", "./Images/Loading.png", loader_kind::png, no_key}, // 114
    {"loading1", "./Images/Loading1.png", loader_kind::png, no_key}, // 115
    {"loading2", "./Images/Loading2.png", loader_kind::png, no_key}, // 116
    {"practice", "./Images/Practice.png", loader_kind::png, no_key}, // 117
    {"easy", "./Images/Easy.png", loader_kind::png, no_key}, // 118
    {"normal", "./Images/Normal.png", loader_kind::png, no_key}, // 119
    {"hard", "./Images/Hard.png", loader_kind::png, no_key}, // 120
    {"warning", "./Images/Warning.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 121
    {"game_over", "./Images/Game_over.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 122
    {"score", "./Images/Score.png", loader_kind::png, no_key}, // 123
    {"score_opening_1", "./Images/Score1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 124
    {"score_opening_2", "./Images/Score2.png", loader_kind::png, key_rgb(255, 255, 0)}, // 125
    {"score_opening_3", "./Images/Score3.png", loader_kind::png, key_rgb(255, 255, 0)}, // 126
    {"score_opening_4", "./Images/Score4.png", loader_kind::png, key_rgb(255, 255, 0)}, // 127
    {"explosion_vaisseau", "./Images/Explosion_Vaisseau.png", loader_kind::png, key_rgb(0, 2, 27)}, // 128
    {"explosion1", "./Images/Explosion1.png", loader_kind::png, key_rgb(0, 2, 2)}, // 129
    {"explosion2", "./Images/Explosion2.png", loader_kind::png, key_rgb(0, 2, 2)}, // 130
    {"explosion3", "./Images/Explosion3.png", loader_kind::png, key_rgb(0, 0, 0)}, // 131
    {"explosion4", "./Images/Explosion4.png", loader_kind::png, key_rgb(0, 0, 0)}, // 132
    {"explosion5", "./Images/Explosion5.png", loader_kind::png, key_rgb(0, 0, 0)}, // 133
    {"explosion6", "./Images/Explosion6.png", loader_kind::png, key_rgb(0, 0, 0)}, // 134
    {"explosion7", "./Images/Explosion7.png", loader_kind::png, key_rgb(0, 0, 0)}, // 135
    {"explosion8", "./Images/Explosion8.png", loader_kind::png, key_rgb(0, 0, 0)}, // 136
    {"explosion9", "./Images/Explosion9.png", loader_kind::png, key_rgb(0, 0, 0)}, // 137
    {"explosion_boss1", "./Images/Explosion_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 138
    {"tir0_bleu_ennemi", "./Images/Tir0_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 139
    {"tir0_rouge_ennemi", "./Images/Tir0_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 140
    {"tir0_vert_ennemi", "./Images/Tir0_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 141
    {"tir0a_bleu_ennemi", "./Images/Tir0a_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 142
    {"tir0a_rouge_ennemi", "./Images/Tir0a_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 143
    {"tir0a_vert_ennemi", "./Images/Tir0a_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 144
    {"tir1_bleu_ennemi", "./Images/Tir1_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 145
    {"tir1_rouge_ennemi", "./Images/Tir1_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 146
    {"tir1_vert_ennemi", "./Images/Tir1_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 147
    {"tir1a_bleu_ennemi", "./Images/Tir1a_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 148
    {"tir1a_rouge_ennemi", "./Images/Tir1a_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 149
    {"tir1a_vert_ennemi", "./Images/Tir1a_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 150
    {"avion_duo1", "./Images/Avion_Duo1.png", loader_kind::png, key_rgb(33, 101, 220)}, // 151
    {"avion_duo2", "./Images/Avion_Duo2.png", loader_kind::png, key_rgb(33, 101, 220)}, // 152
    {"avion_duo1_flash", "./Images/Avion_Duo1_Flash.png", loader_kind::png, key_rgb(74, 153, 255)}, // 153
    {"avion_duo2_flash", "./Images/Avion_Duo2_Flash.png", loader_kind::png, key_rgb(74, 153, 255)}, // 154
    {"dragon_bleu", "./Images/Dragon_Bleu.png", loader_kind::png, key_rgb(255, 255, 0)}, // 155
    {"fantominus", "./Images/Fantominus.png", loader_kind::png, key_rgb(255, 255, 0)}, // 156
    {"fantominus1", "./Images/Fantominus1.png", loader_kind::png, key_rgb(255, 167, 212)}, // 157
    {"fantominusb", "./Images/FantominusB.png", loader_kind::png, key_rgb(255, 255, 0)}, // 158
    {"fantominusb1", "./Images/FantominusB1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 159
    {"fee1", "./Images/Fee1.png", loader_kind::png, key_rgb(33, 101, 220)}, // 160
    {"fee2", "./Images/Fee2.png", loader_kind::png, key_rgb(33, 101, 220)}, // 161
    {"fee1_flash", "./Images/Fee1_Flash.png", loader_kind::png, key_rgb(75, 155, 255)}, // 162
    {"fee2_flash", "./Images/Fee2_Flash.png", loader_kind::png, key_rgb(75, 155, 255)}, // 163
    {"plane", "./Images/Plane.png", loader_kind::png, key_rgb(33, 101, 220)}, // 164
    {"boss_plane", "./Images/Boss_Plane.png", loader_kind::png, key_rgb(33, 101, 220)}, // 165
    {"boss_plane_flash", "./Images/Boss_Plane_Flash.png", loader_kind::png, key_rgb(98, 178, 255)}, // 166
    {"boss_plane1", "./Images/Boss_Plane1.png", loader_kind::png, key_rgb(35, 0, 7)}, // 167
    {"boss_plane1_flash", "./Images/Boss_Plane1_Flash.png", loader_kind::png, key_rgb(99, 58, 78)}, // 168
    {"sojiro1", "./Images/Sojiro1.png", loader_kind::png, key_rgb(255, 255, 255)}, // 169
    {"sojiro2", "./Images/Sojiro2.png", loader_kind::png, key_rgb(255, 255, 255)}, // 170
    {"sojiro_flash", "./Images/Sojiro_Flash.png", loader_kind::png, key_rgb(255, 255, 255)}, // 171
    {"forest_plane1", "./Images/Forest_Plane1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 172
    {"forest_plane2", "./Images/Forest_Plane2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 173
    {"forest_plane1a", "./Images/Forest_Plane1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 174
    {"forest_plane1c", "./Images/Forest_Plane1c.png", loader_kind::png, key_rgb(0, 0, 25)}, // 175
    {"forest_plane1b", "./Images/Forest_Plane1b.png", loader_kind::png, key_rgb(29, 29, 29)}, // 176
    {"forest_roue1", "./Images/Forest_Roue1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 177
    {"forest_roue1a", "./Images/Forest_Roue1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 178
    {"forest_roue1a1", "./Images/Forest_Roue1a1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 179
    {"forest_roue1b", "./Images/Forest_Roue1b.png", loader_kind::png, key_rgb(29, 29, 29)}, // 180
    {"forest_pince1", "./Images/Forest_Pince1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 181
    {"forest_pince", "./Images/Forest_Pince.png", loader_kind::png, key_rgb(255, 255, 0)}, // 182
    {"forest_pince_flash", "./Images/Forest_Pince_Flash.png", loader_kind::png, key_rgb(255, 255, 29)}, // 183
    {"forest_boss1", "./Images/Forest_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 184
    {"forest_boss1a", "./Images/Forest_Boss1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 185
    {"forest_boss1b", "./Images/Forest_Boss1b.png", loader_kind::png, key_rgb(29, 29, 29)}, // 186
    {"grotte_chauve1", "./Images/Grotte_Chauve1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 187
    {"grotte_chauve2", "./Images/Grotte_Chauve2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 188
    {"grotte_scarab", "./Images/Grotte_ScaraB.png", loader_kind::png, key_rgb(0, 0, 0)}, // 189
    {"grotte_scarah", "./Images/Grotte_ScaraH.png", loader_kind::png, key_rgb(0, 0, 0)}, // 190
    {"grotte_scarag", "./Images/Grotte_ScaraG.png", loader_kind::png, key_rgb(0, 0, 0)}, // 191
    {"grotte_scarad", "./Images/Grotte_ScaraD.png", loader_kind::png, key_rgb(0, 0, 0)}, // 192
    {"grotte_scarab1", "./Images/Grotte_ScaraB1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 193
    {"grotte_scarah1", "./Images/Grotte_ScaraH1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 194
    {"grotte_scarag1", "./Images/Grotte_ScaraG1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 195
    {"grotte_scarad1", "./Images/Grotte_ScaraD1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 196
    {"grotte_boss1", "./Images/Grotte_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 197
    {"grotte_boss1a", "./Images/Grotte_Boss1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 198
    {"grotte_boss1_flash", "./Images/Grotte_Boss1_Flash.png", loader_kind::png, key_rgb(86, 86, 86)}, // 199
    {"grotte_boss1a_flash", "./Images/Grotte_Boss1a_Flash.png", loader_kind::png, key_rgb(255, 255, 255)}, // 200
    {"lave_boule1", "./Images/Lave_Boule1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 201
    {"lave_boule2", "./Images/Lave_Boule2.png", loader_kind::png, key_rgb(0, 0, 25)}, // 202
    {"lave_boule3", "./Images/Lave_Boule3.png", loader_kind::png, key_rgb(0, 0, 2)}, // 203
    {"lave_boule_flash", "./Images/Lave_Boule_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 204
    {"lave_etoile1", "./Images/Lave_Etoile1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 205
    {"lave_etoile2", "./Images/Lave_Etoile2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 206
    {"lave_etoile_flash", "./Images/Lave_Etoile_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 207
    {"lave_fleche1", "./Images/Lave_Fleche1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 208
    {"lave_fleche2", "./Images/Lave_Fleche2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 209
    {"lave_bidule1", "./Images/Lave_bidule1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 210
    {"lave_bidule2", "./Images/Lave_bidule2.png", loader_kind::png, key_rgb(0, 0, 25)}, // 211
    {"lave_boss1", "./Images/Lave_Boss1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 212
    {"lave_boss2", "./Images/Lave_Boss2.png", loader_kind::png, key_rgb(0, 0, 25)}, // 213
    {"lave_boss_flash", "./Images/Lave_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 214
    {"enterprise_ange1", "./Images/Enterprise_Ange1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 215
    {"enterprise_ange2", "./Images/Enterprise_Ange2.png", loader_kind::png, key_rgb(255, 0, 0)}, // 216
    {"enterprise_ange_flash", "./Images/Enterprise_Ange_Flash.png", loader_kind::png, key_rgb(255, 255, 44)}, // 217
    {"enterprise_coucou1", "./Images/Enterprise_Coucou1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 218
    {"enterprise_coucou2", "./Images/Enterprise_Coucou2.png", loader_kind::png, key_rgb(0, 0, 2)}, // 219
    {"enterprise_coucou_flash", "./Images/Enterprise_Coucou_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 220
    {"enterprise_boss1", "./Images/Enterprise_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 221
    {"enterprise_boss2", "./Images/Enterprise_Boss2.png", loader_kind::png, key_rgb(0, 0, 2)}, // 222
    {"enterprise_boss_flash", "./Images/Enterprise_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 223
    {"last_boss1", "./Images/Last_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 224
    {"last_boss2", "./Images/Last_Boss2.png", loader_kind::png, key_rgb(0, 0, 2)}, // 225
    {"last_boss_flash", "./Images/Last_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 226
    {"music_introduction", "Sound/Introduction.ogg", loader_kind::music, no_key}, // 227
    {"music_free", "Sound/Free.ogg", loader_kind::music, no_key}, // 228
    {"music_prayer", "Sound/Prayer.ogg", loader_kind::music, no_key}, // 229
    {"music_boss", "Sound/Boss.ogg", loader_kind::music, no_key}, // 230
    {"music_forest", "Sound/Forest.ogg", loader_kind::music, no_key}, // 231
    {"music_grotte", "Sound/Grotte.ogg", loader_kind::music, no_key}, // 232
    {"music_volcan", "Sound/Volcan.ogg", loader_kind::music, no_key}, // 233
    {"music_boss4_5", "Sound/Boss4-5.ogg", loader_kind::music, no_key}, // 234
    {"music_enterprise", "Sound/Enterprise.ogg", loader_kind::music, no_key}, // 235
    {"music_boss6", "Sound/Boss6.ogg", loader_kind::music, no_key}, // 236
    {"music_bye", "Sound/Bye.ogg", loader_kind::music, no_key}, // 237
    {"sound_shot1", "Sound/Shot1.wav", loader_kind::chunk, no_key}, // 238
    {"sound_shot3", "Sound/Shot3.wav", loader_kind::chunk, no_key}, // 239
    {"sound_shot4", "Sound/Shot4.wav", loader_kind::chunk, no_key}, // 240
    {"sound_super", "Sound/Super.wav", loader_kind::chunk, no_key}, // 241
    {"sound_cold1", "Sound/Cold1.wav", loader_kind::chunk, no_key}, // 242
    {"sound_cold4", "Sound/Cold4.wav", loader_kind::chunk, no_key}, // 243
    {"sound_explosion1", "Sound/explosion1.wav", loader_kind::chunk, no_key}, // 244
    {"sound_explosion2", "Sound/explosion2.wav", loader_kind::chunk, no_key}, // 245
    {"sound_explosion3", "Sound/explosion3.wav", loader_kind::chunk, no_key}, // 246
    {"sound_warning", "Sound/Warning.wav", loader_kind::chunk, no_key}, // 247
    {"sound_trxrr3", "Sound/trxrr3.wav", loader_kind::chunk, no_key}, // 248
    {"sound_exit_windows", "Sound/exit_windows.wav", loader_kind::chunk, no_key}, // 249
}};
// clang-format on

// The first slot of that loader (the slot count when none has it).
constexpr int first_slot_of(loader_kind kind) {
    int slot = 0;
    while (slot < asset_slot_count && asset_catalogue[slot].loader != kind) ++slot;
    return slot;
}
constexpr int first_music_slot = first_slot_of(loader_kind::music);
constexpr int first_chunk_slot = first_slot_of(loader_kind::chunk);
constexpr int picture_slot_count = first_music_slot;
static_assert(first_music_slot == 227 && first_chunk_slot == 238,
              "227 pictures, 11 music tracks, 12 sound effects");

constexpr bool catalogue_is_well_formed() {
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        const loader_kind kind = asset_catalogue[slot].loader;
        const bool picture = kind == loader_kind::png || kind == loader_kind::bmp;
        if (slot < first_music_slot && !picture) return false;
        if (slot >= first_music_slot && slot < first_chunk_slot && kind != loader_kind::music)
            return false;
        if (slot >= first_chunk_slot && kind != loader_kind::chunk) return false;
    }
    return true;
}
static_assert(catalogue_is_well_formed(), "pictures, then music, then sound effects");

// Never defined: reached only by slot_named below, where calling it stops
// the compilation at the name that is not in the catalogue.
void no_slot_has_this_name();

// The slot of that name in the catalogue, at compile time.
consteval int slot_named(std::string_view name) {
    for (int slot = 0; slot < asset_slot_count; ++slot)
        if (asset_catalogue[slot].name == name) return slot;
    no_slot_has_this_name();
    return -1;
}

// Whether the count slots from first are named stem followed by the numbers
// from `from` on (a run such as digit_0 to digit_9).
constexpr bool is_slot_run(int first, std::string_view stem, int from, int count) {
    for (int k = 0; k < count; ++k) {
        const std::string_view name = asset_catalogue[first + k].name;
        if (!name.starts_with(stem)) return false;
        int number = 0;
        for (char digit : name.substr(stem.size())) {
            if (digit < '0' || digit > '9') return false;
            number = number * 10 + (digit - '0');
        }
        if (number != from + k) return false;
    }
    return true;
}
