// The game reads every asset by a path relative to the folder it starts in
// (./Images/ and Sound/), so it must start in its data folder.
#pragma once

#include <string>

// True when the working folder holds ./Images/. Otherwise says on standard
// error where the game looked and how to start it, and returns false.
bool game_data_here();

// The data folder that goes with the binary at that path: a build's assets
// beside a built binary, or the installed data folder of an installed one;
// empty when neither holds Images/.
std::string data_folder_beside(const std::string& binary);
