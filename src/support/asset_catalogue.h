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
    {"titre", "./Images/Titre.png", loader_kind::png, no_key},
    {"titre1", "./Images/Titre1.png", loader_kind::png, no_key},
    {"keyboard", "./Images/Keyboard.png", loader_kind::png, no_key},
    {"programmer", "./Images/Programmer.png", loader_kind::png, no_key},
    {"resources", "./Images/Resources.png", loader_kind::png, no_key},
    {"level_end", "./Images/Level_End.png", loader_kind::png, no_key},
    {"level_end_vieux", "./Images/Level_End_Vieux.png", loader_kind::png, no_key},
    {"thanks", "./Images/Thanks.png", loader_kind::png, no_key},
    {"sojiro_bye", "./Images/Sojiro_Bye.png", loader_kind::png, no_key},
    {"cleared", "./Images/Cleared.png", loader_kind::png, no_key},
    {"end", "./Images/End.png", loader_kind::png, no_key},
    {"try_again", "./Images/Try_Again.png", loader_kind::png, no_key},
    {"coin", "./Images/Coin.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"vaisseau1", "./Images/Vaisseau1.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau2", "./Images/Vaisseau2.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau_gauche", "./Images/Vaisseau_Gauche.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau_droite", "./Images/Vaisseau_Droite.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau_tir1", "./Images/Vaisseau_Tir1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"vaisseau1a", "./Images/Vaisseau1a.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau2a", "./Images/Vaisseau2a.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau_gauchea", "./Images/Vaisseau_Gauchea.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau_droitea", "./Images/Vaisseau_Droitea.png", loader_kind::png, key_rgb(0, 0, 255)},
    {"vaisseau_tir2", "./Images/Vaisseau_Tir2.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"vaisseau_tir1a", "./Images/Vaisseau_Tir1a.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"vaisseau_tir2a", "./Images/Vaisseau_Tir2a.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"super_coup1", "./Images/Super_Coup1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"super_coup1a", "./Images/Super_Coup1a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"super_coup2", "./Images/Super_Coup2.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"super_coup2a", "./Images/Super_Coup2a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"super_coup2_copy", "./Images/Super_Coup2.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"super_coup3a", "./Images/Super_Coup3a.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"vie", "./Images/Vie.bmp", loader_kind::bmp, key_rgb(255, 255, 17)},
    {"1p", "./Images/1P.bmp", loader_kind::bmp, no_key},
    {"barre", "./Images/Barre.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre1", "./Images/Barre1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre_rouge", "./Images/Barre_Rouge.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre_rouge1", "./Images/Barre_Rouge1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre_bleu", "./Images/Barre_Bleu.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre_bleu1", "./Images/Barre_Bleu1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre_vert", "./Images/Barre_Vert.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"barre_vert1", "./Images/Barre_Vert1.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_0", "./Images/Zero.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_1", "./Images/Un.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_2", "./Images/Deux.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_3", "./Images/Trois.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_4", "./Images/Quatre.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_5", "./Images/Cinq.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_6", "./Images/Six.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_7", "./Images/Sept.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_8", "./Images/Huit.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"digit_9", "./Images/Neuf.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"cheat", "./Images/Cheat.bmp", loader_kind::bmp, no_key},
    {"barre_boss_vide", "./Images/Barre_Boss_vide.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"barre_boss_vide1", "./Images/Barre_Boss_vide1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"barre_boss_pleine", "./Images/Barre_Boss_pleine.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"barre_boss_pleine1", "./Images/Barre_Boss_pleine1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"boss_picture", "./Images/Boss_Picture.png", loader_kind::png, key_rgb(255, 0, 0)},
    {"boss_picture1", "./Images/Boss_Picture1.png", loader_kind::png, key_rgb(112, 0, 0)},
    {"contour1", "./Images/Contour1.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"contour2", "./Images/Contour2.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"contour3", "./Images/Contour3.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"continue1", "./Images/Continue1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"continue2", "./Images/Continue2.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"noir", "./Images/Noir.png", loader_kind::png, no_key},
    {"blanc", "./Images/Blanc.png", loader_kind::png, no_key},
    {"ciel", "./Images/Ciel.png", loader_kind::png, no_key},
    {"ciel1", "./Images/Ciel1.png", loader_kind::png, no_key},
    {"ciel_vieux", "./Images/Ciel_Vieux.png", loader_kind::png, no_key},
    {"forest", "./Images/Forest.png", loader_kind::png, no_key},
    {"forest_copy", "./Images/Forest.png", loader_kind::png, no_key},
    {"forest_vieux", "./Images/Forest_vieux.png", loader_kind::png, no_key},
    {"cave_1", "./Images/Grotte1.png", loader_kind::png, no_key},
    {"cave_2", "./Images/Grotte2.png", loader_kind::png, no_key},
    {"cave_3", "./Images/Grotte3.png", loader_kind::png, no_key},
    {"cave_4", "./Images/Grotte4.png", loader_kind::png, no_key},
    {"cave_5", "./Images/Grotte5.png", loader_kind::png, no_key},
    {"cave_6", "./Images/Grotte6.png", loader_kind::png, no_key},
    {"cave_7", "./Images/Grotte7.png", loader_kind::png, no_key},
    {"cave_8", "./Images/Grotte8.png", loader_kind::png, no_key},
    {"cave_9", "./Images/Grotte9.png", loader_kind::png, no_key},
    {"cave_10", "./Images/Grotte10.png", loader_kind::png, no_key},
    {"cave_11", "./Images/Grotte11.png", loader_kind::png, no_key},
    {"cave_12", "./Images/Grotte12.png", loader_kind::png, no_key},
    {"cave_13", "./Images/Grotte13.png", loader_kind::png, no_key},
    {"cave_14", "./Images/Grotte14.png", loader_kind::png, no_key},
    {"cave_15", "./Images/Grotte15.png", loader_kind::png, no_key},
    {"cave_16", "./Images/Grotte16.png", loader_kind::png, no_key},
    {"cave_17", "./Images/Grotte17.png", loader_kind::png, no_key},
    {"cave_18", "./Images/Grotte18.png", loader_kind::png, no_key},
    {"cave_19", "./Images/Grotte19.png", loader_kind::png, no_key},
    {"cave_20", "./Images/Grotte20.png", loader_kind::png, no_key},
    {"cave_21", "./Images/Grotte21.png", loader_kind::png, no_key},
    {"cave_22", "./Images/Grotte22.png", loader_kind::png, no_key},
    {"cave_23", "./Images/Grotte23.png", loader_kind::png, no_key},
    {"cave_24", "./Images/Grotte24.png", loader_kind::png, no_key},
    {"cave_25", "./Images/Grotte25.png", loader_kind::png, no_key},
    {"cave_26", "./Images/Grotte26.png", loader_kind::png, no_key},
    {"cave_27", "./Images/Grotte27.png", loader_kind::png, no_key},
    {"cave_28", "./Images/Grotte28.png", loader_kind::png, no_key},
    {"cave_29", "./Images/Grotte29.png", loader_kind::png, no_key},
    {"cave_30", "./Images/Grotte30.png", loader_kind::png, no_key},
    {"lave", "./Images/Lave.png", loader_kind::png, no_key},
    {"lave_gris", "./Images/Lave_Gris.png", loader_kind::png, no_key},
    {"enterprise", "./Images/Enterprise.png", loader_kind::png, no_key},
    {"enterprise_gris", "./Images/Enterprise_Gris.png", loader_kind::png, no_key},
    {"enterprise_rouge", "./Images/Enterprise_Rouge.png", loader_kind::png, no_key},
    {"enterprise_bleu", "./Images/Enterprise_Bleu.png", loader_kind::png, no_key},
    {"enterprise_vert", "./Images/Enterprise_Vert.png", loader_kind::png, no_key},
    {"level_card_1", "./Images/Level1.png", loader_kind::png, no_key},
    {"level_card_2", "./Images/Level2.png", loader_kind::png, no_key},
    {"level_card_3", "./Images/Level3.png", loader_kind::png, no_key},
    {"level_card_4", "./Images/Level4.png", loader_kind::png, no_key},
    {"level_card_5", "./Images/Level5.png", loader_kind::png, no_key},
    {"level_card_6", "./Images/Level6.png", loader_kind::png, no_key},
    {"loading", "./Images/Loading.png", loader_kind::png, no_key},
    {"loading1", "./Images/Loading1.png", loader_kind::png, no_key},
    {"loading2", "./Images/Loading2.png", loader_kind::png, no_key},
    {"practice", "./Images/Practice.png", loader_kind::png, no_key},
    {"easy", "./Images/Easy.png", loader_kind::png, no_key},
    {"normal", "./Images/Normal.png", loader_kind::png, no_key},
    {"hard", "./Images/Hard.png", loader_kind::png, no_key},
    {"warning", "./Images/Warning.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"game_over", "./Images/Game_over.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"score", "./Images/Score.png", loader_kind::png, no_key},
    {"score_opening_1", "./Images/Score1.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"score_opening_2", "./Images/Score2.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"score_opening_3", "./Images/Score3.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"score_opening_4", "./Images/Score4.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"explosion_vaisseau", "./Images/Explosion_Vaisseau.png", loader_kind::png, key_rgb(0, 2, 27)},
    {"explosion1", "./Images/Explosion1.png", loader_kind::png, key_rgb(0, 2, 2)},
    {"explosion2", "./Images/Explosion2.png", loader_kind::png, key_rgb(0, 2, 2)},
    {"explosion3", "./Images/Explosion3.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion4", "./Images/Explosion4.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion5", "./Images/Explosion5.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion6", "./Images/Explosion6.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion7", "./Images/Explosion7.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion8", "./Images/Explosion8.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion9", "./Images/Explosion9.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"explosion_boss1", "./Images/Explosion_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"tir0_bleu_ennemi", "./Images/Tir0_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir0_rouge_ennemi", "./Images/Tir0_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir0_vert_ennemi", "./Images/Tir0_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir0a_bleu_ennemi", "./Images/Tir0a_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir0a_rouge_ennemi", "./Images/Tir0a_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir0a_vert_ennemi", "./Images/Tir0a_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir1_bleu_ennemi", "./Images/Tir1_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir1_rouge_ennemi", "./Images/Tir1_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir1_vert_ennemi", "./Images/Tir1_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir1a_bleu_ennemi", "./Images/Tir1a_Bleu_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir1a_rouge_ennemi", "./Images/Tir1a_Rouge_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"tir1a_vert_ennemi", "./Images/Tir1a_Vert_Ennemi.bmp", loader_kind::bmp, key_rgb(0, 0, 0)},
    {"avion_duo1", "./Images/Avion_Duo1.png", loader_kind::png, key_rgb(33, 101, 220)},
    {"avion_duo2", "./Images/Avion_Duo2.png", loader_kind::png, key_rgb(33, 101, 220)},
    {"avion_duo1_flash", "./Images/Avion_Duo1_Flash.png", loader_kind::png, key_rgb(74, 153, 255)},
    {"avion_duo2_flash", "./Images/Avion_Duo2_Flash.png", loader_kind::png, key_rgb(74, 153, 255)},
    {"dragon_bleu", "./Images/Dragon_Bleu.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"fantominus", "./Images/Fantominus.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"fantominus1", "./Images/Fantominus1.png", loader_kind::png, key_rgb(255, 167, 212)},
    {"fantominusb", "./Images/FantominusB.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"fantominusb1", "./Images/FantominusB1.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"fee1", "./Images/Fee1.png", loader_kind::png, key_rgb(33, 101, 220)},
    {"fee2", "./Images/Fee2.png", loader_kind::png, key_rgb(33, 101, 220)},
    {"fee1_flash", "./Images/Fee1_Flash.png", loader_kind::png, key_rgb(75, 155, 255)},
    {"fee2_flash", "./Images/Fee2_Flash.png", loader_kind::png, key_rgb(75, 155, 255)},
    {"plane", "./Images/Plane.png", loader_kind::png, key_rgb(33, 101, 220)},
    {"boss_plane", "./Images/Boss_Plane.png", loader_kind::png, key_rgb(33, 101, 220)},
    {"boss_plane_flash", "./Images/Boss_Plane_Flash.png", loader_kind::png, key_rgb(98, 178, 255)},
    {"boss_plane1", "./Images/Boss_Plane1.png", loader_kind::png, key_rgb(35, 0, 7)},
    {"boss_plane1_flash", "./Images/Boss_Plane1_Flash.png", loader_kind::png, key_rgb(99, 58, 78)},
    {"sojiro1", "./Images/Sojiro1.png", loader_kind::png, key_rgb(255, 255, 255)},
    {"sojiro2", "./Images/Sojiro2.png", loader_kind::png, key_rgb(255, 255, 255)},
    {"sojiro_flash", "./Images/Sojiro_Flash.png", loader_kind::png, key_rgb(255, 255, 255)},
    {"forest_plane1", "./Images/Forest_Plane1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_plane2", "./Images/Forest_Plane2.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_plane1a", "./Images/Forest_Plane1a.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_plane1c", "./Images/Forest_Plane1c.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"forest_plane1b", "./Images/Forest_Plane1b.png", loader_kind::png, key_rgb(29, 29, 29)},
    {"forest_roue1", "./Images/Forest_Roue1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_roue1a", "./Images/Forest_Roue1a.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_roue1a1", "./Images/Forest_Roue1a1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_roue1b", "./Images/Forest_Roue1b.png", loader_kind::png, key_rgb(29, 29, 29)},
    {"forest_pince1", "./Images/Forest_Pince1.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"forest_pince", "./Images/Forest_Pince.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"forest_pince_flash", "./Images/Forest_Pince_Flash.png", loader_kind::png, key_rgb(255, 255, 29)},
    {"forest_boss1", "./Images/Forest_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_boss1a", "./Images/Forest_Boss1a.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"forest_boss1b", "./Images/Forest_Boss1b.png", loader_kind::png, key_rgb(29, 29, 29)},
    {"grotte_chauve1", "./Images/Grotte_Chauve1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_chauve2", "./Images/Grotte_Chauve2.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_scarab", "./Images/Grotte_ScaraB.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_scarah", "./Images/Grotte_ScaraH.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_scarag", "./Images/Grotte_ScaraG.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_scarad", "./Images/Grotte_ScaraD.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_scarab1", "./Images/Grotte_ScaraB1.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"grotte_scarah1", "./Images/Grotte_ScaraH1.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"grotte_scarag1", "./Images/Grotte_ScaraG1.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"grotte_scarad1", "./Images/Grotte_ScaraD1.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"grotte_boss1", "./Images/Grotte_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_boss1a", "./Images/Grotte_Boss1a.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"grotte_boss1_flash", "./Images/Grotte_Boss1_Flash.png", loader_kind::png, key_rgb(86, 86, 86)},
    {"grotte_boss1a_flash", "./Images/Grotte_Boss1a_Flash.png", loader_kind::png, key_rgb(255, 255, 255)},
    {"lave_boule1", "./Images/Lave_Boule1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"lave_boule2", "./Images/Lave_Boule2.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"lave_boule3", "./Images/Lave_Boule3.png", loader_kind::png, key_rgb(0, 0, 2)},
    {"lave_boule_flash", "./Images/Lave_Boule_Flash.png", loader_kind::png, key_rgb(44, 44, 44)},
    {"lave_etoile1", "./Images/Lave_Etoile1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"lave_etoile2", "./Images/Lave_Etoile2.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"lave_etoile_flash", "./Images/Lave_Etoile_Flash.png", loader_kind::png, key_rgb(44, 44, 44)},
    {"lave_fleche1", "./Images/Lave_Fleche1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"lave_fleche2", "./Images/Lave_Fleche2.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"lave_bidule1", "./Images/Lave_bidule1.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"lave_bidule2", "./Images/Lave_bidule2.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"lave_boss1", "./Images/Lave_Boss1.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"lave_boss2", "./Images/Lave_Boss2.png", loader_kind::png, key_rgb(0, 0, 25)},
    {"lave_boss_flash", "./Images/Lave_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)},
    {"enterprise_ange1", "./Images/Enterprise_Ange1.png", loader_kind::png, key_rgb(255, 255, 0)},
    {"enterprise_ange2", "./Images/Enterprise_Ange2.png", loader_kind::png, key_rgb(255, 0, 0)},
    {"enterprise_ange_flash", "./Images/Enterprise_Ange_Flash.png", loader_kind::png, key_rgb(255, 255, 44)},
    {"enterprise_coucou1", "./Images/Enterprise_Coucou1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"enterprise_coucou2", "./Images/Enterprise_Coucou2.png", loader_kind::png, key_rgb(0, 0, 2)},
    {"enterprise_coucou_flash", "./Images/Enterprise_Coucou_Flash.png", loader_kind::png, key_rgb(44, 44, 44)},
    {"enterprise_boss1", "./Images/Enterprise_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"enterprise_boss2", "./Images/Enterprise_Boss2.png", loader_kind::png, key_rgb(0, 0, 2)},
    {"enterprise_boss_flash", "./Images/Enterprise_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)},
    {"last_boss1", "./Images/Last_Boss1.png", loader_kind::png, key_rgb(0, 0, 0)},
    {"last_boss2", "./Images/Last_Boss2.png", loader_kind::png, key_rgb(0, 0, 2)},
    {"last_boss_flash", "./Images/Last_Boss_Flash.png", loader_kind::png, key_rgb(44, 44, 44)},
    {"music_introduction", "Sound/Introduction.ogg", loader_kind::music, no_key},
    {"music_free", "Sound/Free.ogg", loader_kind::music, no_key},
    {"music_prayer", "Sound/Prayer.ogg", loader_kind::music, no_key},
    {"music_boss", "Sound/Boss.ogg", loader_kind::music, no_key},
    {"music_forest", "Sound/Forest.ogg", loader_kind::music, no_key},
    {"music_grotte", "Sound/Grotte.ogg", loader_kind::music, no_key},
    {"music_volcan", "Sound/Volcan.ogg", loader_kind::music, no_key},
    {"music_boss4_5", "Sound/Boss4-5.ogg", loader_kind::music, no_key},
    {"music_enterprise", "Sound/Enterprise.ogg", loader_kind::music, no_key},
    {"music_boss6", "Sound/Boss6.ogg", loader_kind::music, no_key},
    {"music_bye", "Sound/Bye.ogg", loader_kind::music, no_key},
    {"sound_shot1", "Sound/Shot1.wav", loader_kind::chunk, no_key},
    {"sound_shot3", "Sound/Shot3.wav", loader_kind::chunk, no_key},
    {"sound_shot4", "Sound/Shot4.wav", loader_kind::chunk, no_key},
    {"sound_super", "Sound/Super.wav", loader_kind::chunk, no_key},
    {"sound_cold1", "Sound/Cold1.wav", loader_kind::chunk, no_key},
    {"sound_cold4", "Sound/Cold4.wav", loader_kind::chunk, no_key},
    {"sound_explosion1", "Sound/explosion1.wav", loader_kind::chunk, no_key},
    {"sound_explosion2", "Sound/explosion2.wav", loader_kind::chunk, no_key},
    {"sound_explosion3", "Sound/explosion3.wav", loader_kind::chunk, no_key},
    {"sound_warning", "Sound/Warning.wav", loader_kind::chunk, no_key},
    {"sound_trxrr3", "Sound/trxrr3.wav", loader_kind::chunk, no_key},
    {"sound_exit_windows", "Sound/exit_windows.wav", loader_kind::chunk, no_key},
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
