// The asset catalogue: the 250 slots every screen and level names by number.
// Shared by the game's loader and by tools/assetgen, so the file names and
// colour keys live in exactly one place.
#pragma once

#include <array>
#include <cstdint>

#include "support/asset_slots.h"

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
    const char* path;
    loader_kind loader;
    key_colour key;
};

constexpr int picture_slot_count = first_music_slot;

// clang-format off
constexpr std::array<catalogue_entry, asset_slot_count> asset_catalogue{{
    {"./Images/Titre.png", loader_kind::png, no_key}, // 0
    {"./Images/Titre1.png", loader_kind::png, no_key}, // 1
    {"./Images/Keyboard.png", loader_kind::png, no_key}, // 2
    {"./Images/Programmer.png", loader_kind::png, no_key}, // 3
    {"./Images/Resources.png", loader_kind::png, no_key}, // 4
    {"./Images/Level_End.png", loader_kind::png, no_key}, // 5
    {"./Images/Level_End_Vieux.png", loader_kind::png, no_key}, // 6
    {"./Images/Thanks.png", loader_kind::png, no_key}, // 7
    {"./Images/Sojiro_Bye.png", loader_kind::png, no_key}, // 8
    {"./Images/Cleared.png", loader_kind::png, no_key}, // 9
    {"./Images/End.png", loader_kind::png, no_key}, // 10
    {"./Images/Try_Again.png", loader_kind::png, no_key}, // 11
    {"./Images/Coin.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 12
    {"./Images/Vaisseau1.png", loader_kind::png, key_rgb(0, 0, 255)}, // 13
    {"./Images/Vaisseau2.png", loader_kind::png, key_rgb(0, 0, 255)}, // 14
    {"./Images/Vaisseau_Gauche.png", loader_kind::png, key_rgb(0, 0, 255)}, // 15
    {"./Images/Vaisseau_Droite.png", loader_kind::png, key_rgb(0, 0, 255)}, // 16
    {"./Images/Vaisseau_Tir1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 17
    {"./Images/Vaisseau1a.png", loader_kind::png, key_rgb(0, 0, 255)}, // 18
    {"./Images/Vaisseau2a.png", loader_kind::png, key_rgb(0, 0, 255)}, // 19
    {"./Images/Vaisseau_Gauchea.png", loader_kind::png, key_rgb(0, 0, 255)}, // 20
    {"./Images/Vaisseau_Droitea.png", loader_kind::png, key_rgb(0, 0, 255)}, // 21
    {"./Images/Vaisseau_Tir2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 22
    {"./Images/Vaisseau_Tir1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 23
    {"./Images/Vaisseau_Tir2a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 24
    {"./Images/Super_Coup1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 25
    {"./Images/Super_Coup1a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 26
    {"./Images/Super_Coup2.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 27
    {"./Images/Super_Coup2a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 28
    {"./Images/Super_Coup2.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 29
    {"./Images/Super_Coup3a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 30
    {"./Images/Vie.bmp", loader_kind::bmp, key_rgb(255, 255, 17)}, // 31
    {"./Images/1P.bmp", loader_kind::bmp, no_key}, // 32
    {"./Images/Barre.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 33
    {"./Images/Barre1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 34
    {"./Images/Barre_Rouge.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 35
    {"./Images/Barre_Rouge1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 36
    {"./Images/Barre_Bleu.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 37
    {"./Images/Barre_Bleu1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 38
    {"./Images/Barre_Vert.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 39
    {"./Images/Barre_Vert1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 40
    {"./Images/Zero.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 41
    {"./Images/Un.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 42
    {"./Images/Deux.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 43
    {"./Images/Trois.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 44
    {"./Images/Quatre.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 45
    {"./Images/Cinq.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 46
    {"./Images/Six.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 47
    {"./Images/Sept.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 48
    {"./Images/Huit.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 49
    {"./Images/Neuf.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 50
    {"./Images/Cheat.bmp", loader_kind::bmp, no_key}, // 51
    {"./Images/Barre_Boss_vide.png", loader_kind::png, key_rgb(0, 0, 0)}, // 52
    {"./Images/Barre_Boss_vide1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 53
    {"./Images/Barre_Boss_pleine.png", loader_kind::png, key_rgb(0, 0, 0)}, // 54
    {"./Images/Barre_Boss_pleine1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 55
    {"./Images/Boss_Picture.png", loader_kind::png, key_rgb(255, 0, 0)}, // 56
    {"./Images/Boss_Picture1.png", loader_kind::png, key_rgb(112, 0, 0)}, // 57
    {"./Images/Contour1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 58
    {"./Images/Contour2.png", loader_kind::png, key_rgb(255, 255, 0)}, // 59
    {"./Images/Contour3.png", loader_kind::png, key_rgb(255, 255, 0)}, // 60
    {"./Images/Continue1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 61
    {"./Images/Continue2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 62
    {"./Images/Noir.png", loader_kind::png, no_key}, // 63
    {"./Images/Blanc.png", loader_kind::png, no_key}, // 64
    {"./Images/Ciel.png", loader_kind::png, no_key}, // 65
    {"./Images/Ciel1.png", loader_kind::png, no_key}, // 66
    {"./Images/Ciel_Vieux.png", loader_kind::png, no_key}, // 67
    {"./Images/Forest.png", loader_kind::png, no_key}, // 68
    {"./Images/Forest.png", loader_kind::png, no_key}, // 69
    {"./Images/Forest_vieux.png", loader_kind::png, no_key}, // 70
    {"./Images/Grotte1.png", loader_kind::png, no_key}, // 71
    {"./Images/Grotte2.png", loader_kind::png, no_key}, // 72
    {"./Images/Grotte3.png", loader_kind::png, no_key}, // 73
    {"./Images/Grotte4.png", loader_kind::png, no_key}, // 74
    {"./Images/Grotte5.png", loader_kind::png, no_key}, // 75
    {"./Images/Grotte6.png", loader_kind::png, no_key}, // 76
    {"./Images/Grotte7.png", loader_kind::png, no_key}, // 77
    {"./Images/Grotte8.png", loader_kind::png, no_key}, // 78
    {"./Images/Grotte9.png", loader_kind::png, no_key}, // 79
    {"./Images/Grotte10.png", loader_kind::png, no_key}, // 80
    {"./Images/Grotte11.png", loader_kind::png, no_key}, // 81
    {"./Images/Grotte12.png", loader_kind::png, no_key}, // 82
    {"./Images/Grotte13.png", loader_kind::png, no_key}, // 83
    {"./Images/Grotte14.png", loader_kind::png, no_key}, // 84
    {"./Images/Grotte15.png", loader_kind::png, no_key}, // 85
    {"./Images/Grotte16.png", loader_kind::png, no_key}, // 86
    {"./Images/Grotte17.png", loader_kind::png, no_key}, // 87
    {"./Images/Grotte18.png", loader_kind::png, no_key}, // 88
    {"./Images/Grotte19.png", loader_kind::png, no_key}, // 89
    {"./Images/Grotte20.png", loader_kind::png, no_key}, // 90
    {"./Images/Grotte21.png", loader_kind::png, no_key}, // 91
    {"./Images/Grotte22.png", loader_kind::png, no_key}, // 92
    {"./Images/Grotte23.png", loader_kind::png, no_key}, // 93
    {"./Images/Grotte24.png", loader_kind::png, no_key}, // 94
    {"./Images/Grotte25.png", loader_kind::png, no_key}, // 95
    {"./Images/Grotte26.png", loader_kind::png, no_key}, // 96
    {"./Images/Grotte27.png", loader_kind::png, no_key}, // 97
    {"./Images/Grotte28.png", loader_kind::png, no_key}, // 98
    {"./Images/Grotte29.png", loader_kind::png, no_key}, // 99
    {"./Images/Grotte30.png", loader_kind::png, no_key}, // 100
    {"./Images/Lave.png", loader_kind::png, no_key}, // 101
    {"./Images/Lave_Gris.png", loader_kind::png, no_key}, // 102
    {"./Images/Enterprise.png", loader_kind::png, no_key}, // 103
    {"./Images/Enterprise_Gris.png", loader_kind::png, no_key}, // 104
    {"./Images/Enterprise_Rouge.png", loader_kind::png, no_key}, // 105
    {"./Images/Enterprise_Bleu.png", loader_kind::png, no_key}, // 106
    {"./Images/Enterprise_Vert.png", loader_kind::png, no_key}, // 107
    {"./Images/Level1.png", loader_kind::png, no_key}, // 108
    {"./Images/Level2.png", loader_kind::png, no_key}, // 109
    {"./Images/Level3.png", loader_kind::png, no_key}, // 110
    {"./Images/Level4.png", loader_kind::png, no_key}, // 111
    {"./Images/Level5.png", loader_kind::png, no_key}, // 112
    {"./Images/Level6.png", loader_kind::png, no_key}, // 113
    {"./Images/Loading.png", loader_kind::png, no_key}, // 114
    {"./Images/Loading1.png", loader_kind::png, no_key}, // 115
    {"./Images/Loading2.png", loader_kind::png, no_key}, // 116
    {"./Images/Practice.png", loader_kind::png, no_key}, // 117
    {"./Images/Easy.png", loader_kind::png, no_key}, // 118
    {"./Images/Normal.png", loader_kind::png, no_key}, // 119
    {"./Images/Hard.png", loader_kind::png, no_key}, // 120
    {"./Images/Warning.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 121
    {"./Images/Game_over.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 122
    {"./Images/Score.png", loader_kind::png, no_key}, // 123
    {"./Images/Score1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 124
    {"./Images/Score2.png", loader_kind::png, key_rgb(255, 255, 0)}, // 125
    {"./Images/Score3.png", loader_kind::png, key_rgb(255, 255, 0)}, // 126
    {"./Images/Score4.png", loader_kind::png, key_rgb(255, 255, 0)}, // 127
    {"./Images/Explosion_Vaisseau.png", loader_kind::png, key_rgb(0, 2, 27)}, // 128
    {"./Images/Explosion1.png", loader_kind::png, key_rgb(0, 2, 2)}, // 129
    {"./Images/Explosion2.png", loader_kind::png, key_rgb(0, 2, 2)}, // 130
    {"./Images/Explosion3.png", loader_kind::png, key_rgb(0, 0, 0)}, // 131
    {"./Images/Explosion4.png", loader_kind::png, key_rgb(0, 0, 0)}, // 132
    {"./Images/Explosion5.png", loader_kind::png, key_rgb(0, 0, 0)}, // 133
    {"./Images/Explosion6.png", loader_kind::png, key_rgb(0, 0, 0)}, // 134
    {"./Images/Explosion7.png", loader_kind::png, key_rgb(0, 0, 0)}, // 135
    {"./Images/Explosion8.png", loader_kind::png, key_rgb(0, 0, 0)}, // 136
    {"./Images/Explosion9.png", loader_kind::png, key_rgb(0, 0, 0)}, // 137
    {"./Images/Explosion_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 138
    {"./Images/Tir0_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 139
    {"./Images/Tir0_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 140
    {"./Images/Tir0_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 141
    {"./Images/Tir0a_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 142
    {"./Images/Tir0a_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 143
    {"./Images/Tir0a_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 144
    {"./Images/Tir1_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 145
    {"./Images/Tir1_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 146
    {"./Images/Tir1_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 147
    {"./Images/Tir1a_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 148
    {"./Images/Tir1a_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 149
    {"./Images/Tir1a_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)}, // 150
    {"./Images/Avion_Duo1.png", loader_kind::png, key_rgb(33, 101, 220)}, // 151
    {"./Images/Avion_Duo2.png", loader_kind::png, key_rgb(33, 101, 220)}, // 152
    {"./Images/Avion_Duo1_Flash.png", loader_kind::png, key_rgb(74, 153, 255)}, // 153
    {"./Images/Avion_Duo2_Flash.png", loader_kind::png, key_rgb(74, 153, 255)}, // 154
    {"./Images/Dragon_Bleu.png", loader_kind::png, key_rgb(255, 255, 0)}, // 155
    {"./Images/Fantominus.png", loader_kind::png, key_rgb(255, 255, 0)}, // 156
    {"./Images/Fantominus1.png", loader_kind::png, key_rgb(255, 167, 212)}, // 157
    {"./Images/FantominusB.png", loader_kind::png, key_rgb(255, 255, 0)}, // 158
    {"./Images/FantominusB1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 159
    {"./Images/Fee1.png", loader_kind::png, key_rgb(33, 101, 220)}, // 160
    {"./Images/Fee2.png", loader_kind::png, key_rgb(33, 101, 220)}, // 161
    {"./Images/Fee1_Flash.png", loader_kind::png, key_rgb(75, 155, 255)}, // 162
    {"./Images/Fee2_Flash.png", loader_kind::png, key_rgb(75, 155, 255)}, // 163
    {"./Images/Plane.png", loader_kind::png, key_rgb(33, 101, 220)}, // 164
    {"./Images/Boss_Plane.png", loader_kind::png, key_rgb(33, 101, 220)}, // 165
    {"./Images/Boss_Plane_Flash.png", loader_kind::png, key_rgb(98, 178, 255)}, // 166
    {"./Images/Boss_Plane1.png", loader_kind::png, key_rgb(35, 0, 7)}, // 167
    {"./Images/Boss_Plane1_Flash.png", loader_kind::png, key_rgb(99, 58, 78)}, // 168
    {"./Images/Sojiro1.png", loader_kind::png, key_rgb(255, 255, 255)}, // 169
    {"./Images/Sojiro2.png", loader_kind::png, key_rgb(255, 255, 255)}, // 170
    {"./Images/Sojiro_Flash.png", loader_kind::png, key_rgb(255, 255, 255)}, // 171
    {"./Images/Forest_Plane1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 172
    {"./Images/Forest_Plane2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 173
    {"./Images/Forest_Plane1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 174
    {"./Images/Forest_Plane1c.png", loader_kind::png, key_rgb(0, 0, 25)}, // 175
    {"./Images/Forest_Plane1b.png", loader_kind::png, key_rgb(29, 29, 29)}, // 176
    {"./Images/Forest_Roue1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 177
    {"./Images/Forest_Roue1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 178
    {"./Images/Forest_Roue1a1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 179
    {"./Images/Forest_Roue1b.png", loader_kind::png, key_rgb(29, 29, 29)}, // 180
    {"./Images/Forest_Pince1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 181
    {"./Images/Forest_Pince.png", loader_kind::png, key_rgb(255, 255, 0)}, // 182
    {"./Images/Forest_Pince_Flash.png", loader_kind::png, key_rgb(255, 255, 29)}, // 183
    {"./Images/Forest_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 184
    {"./Images/Forest_Boss1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 185
    {"./Images/Forest_Boss1b.png", loader_kind::png, key_rgb(29, 29, 29)}, // 186
    {"./Images/Grotte_Chauve1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 187
    {"./Images/Grotte_Chauve2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 188
    {"./Images/Grotte_ScaraB.png", loader_kind::png, key_rgb(0, 0, 0)}, // 189
    {"./Images/Grotte_ScaraH.png", loader_kind::png, key_rgb(0, 0, 0)}, // 190
    {"./Images/Grotte_ScaraG.png", loader_kind::png, key_rgb(0, 0, 0)}, // 191
    {"./Images/Grotte_ScaraD.png", loader_kind::png, key_rgb(0, 0, 0)}, // 192
    {"./Images/Grotte_ScaraB1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 193
    {"./Images/Grotte_ScaraH1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 194
    {"./Images/Grotte_ScaraG1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 195
    {"./Images/Grotte_ScaraD1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 196
    {"./Images/Grotte_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 197
    {"./Images/Grotte_Boss1a.png", loader_kind::png, key_rgb(0, 0, 0)}, // 198
    {"./Images/Grotte_Boss1_Flash.png", loader_kind::png, key_rgb(86, 86, 86)}, // 199
    {"./Images/Grotte_Boss1a_Flash.png", loader_kind::png, key_rgb(255, 255, 255)}, // 200
    {"./Images/Lave_Boule1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 201
    {"./Images/Lave_Boule2.png", loader_kind::png, key_rgb(0, 0, 25)}, // 202
    {"./Images/Lave_Boule3.png", loader_kind::png, key_rgb(0, 0, 2)}, // 203
    {"./Images/Lave_Boule_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 204
    {"./Images/Lave_Etoile1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 205
    {"./Images/Lave_Etoile2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 206
    {"./Images/Lave_Etoile_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 207
    {"./Images/Lave_Fleche1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 208
    {"./Images/Lave_Fleche2.png", loader_kind::png, key_rgb(0, 0, 0)}, // 209
    {"./Images/Lave_bidule1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 210
    {"./Images/Lave_bidule2.png", loader_kind::png, key_rgb(0, 0, 25)}, // 211
    {"./Images/Lave_Boss1.png", loader_kind::png, key_rgb(0, 0, 25)}, // 212
    {"./Images/Lave_Boss2.png", loader_kind::png, key_rgb(0, 0, 25)}, // 213
    {"./Images/Lave_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 214
    {"./Images/Enterprise_Ange1.png", loader_kind::png, key_rgb(255, 255, 0)}, // 215
    {"./Images/Enterprise_Ange2.png", loader_kind::png, key_rgb(255, 0, 0)}, // 216
    {"./Images/Enterprise_Ange_Flash.png", loader_kind::png, key_rgb(255, 255, 44)}, // 217
    {"./Images/Enterprise_Coucou1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 218
    {"./Images/Enterprise_Coucou2.png", loader_kind::png, key_rgb(0, 0, 2)}, // 219
    {"./Images/Enterprise_Coucou_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 220
    {"./Images/Enterprise_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 221
    {"./Images/Enterprise_Boss2.png", loader_kind::png, key_rgb(0, 0, 2)}, // 222
    {"./Images/Enterprise_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 223
    {"./Images/Last_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)}, // 224
    {"./Images/Last_Boss2.png", loader_kind::png, key_rgb(0, 0, 2)}, // 225
    {"./Images/Last_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)}, // 226
    {"Sound/Introduction.ogg", loader_kind::music, no_key}, // 227
    {"Sound/Free.ogg", loader_kind::music, no_key}, // 228
    {"Sound/Prayer.ogg", loader_kind::music, no_key}, // 229
    {"Sound/Boss.ogg", loader_kind::music, no_key}, // 230
    {"Sound/Forest.ogg", loader_kind::music, no_key}, // 231
    {"Sound/Grotte.ogg", loader_kind::music, no_key}, // 232
    {"Sound/Volcan.ogg", loader_kind::music, no_key}, // 233
    {"Sound/Boss4-5.ogg", loader_kind::music, no_key}, // 234
    {"Sound/Enterprise.ogg", loader_kind::music, no_key}, // 235
    {"Sound/Boss6.ogg", loader_kind::music, no_key}, // 236
    {"Sound/Bye.ogg", loader_kind::music, no_key}, // 237
    {"Sound/Shot1.wav", loader_kind::chunk, no_key}, // 238
    {"Sound/Shot3.wav", loader_kind::chunk, no_key}, // 239
    {"Sound/Shot4.wav", loader_kind::chunk, no_key}, // 240
    {"Sound/Super.wav", loader_kind::chunk, no_key}, // 241
    {"Sound/Cold1.wav", loader_kind::chunk, no_key}, // 242
    {"Sound/Cold4.wav", loader_kind::chunk, no_key}, // 243
    {"Sound/explosion1.wav", loader_kind::chunk, no_key}, // 244
    {"Sound/explosion2.wav", loader_kind::chunk, no_key}, // 245
    {"Sound/explosion3.wav", loader_kind::chunk, no_key}, // 246
    {"Sound/Warning.wav", loader_kind::chunk, no_key}, // 247
    {"Sound/trxrr3.wav", loader_kind::chunk, no_key}, // 248
    {"Sound/exit_windows.wav", loader_kind::chunk, no_key}, // 249
}};
// clang-format on

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
