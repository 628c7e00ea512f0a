// The twelve sound effects as mono buffers at the audio rate, before their
// levels are set. Some play notes on the music's instruments.
#pragma once

#include <vector>

namespace effect {

std::vector<float> player_shot();
std::vector<float> enemy_shot();
std::vector<float> spare_shot();
std::vector<float> super_burst();
std::vector<float> menu_confirm();
std::vector<float> menu_move();
std::vector<float> big_explosion();
std::vector<float> small_explosion();
std::vector<float> crunchy_explosion();
std::vector<float> warning_alarm();
std::vector<float> ratchet();
std::vector<float> victory_jingle();

} // namespace effect
