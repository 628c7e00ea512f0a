// The simulator's input script: one key event per line, by frame of play.
//   FRAME down KEY    key pressed and held
//   FRAME up KEY      key released
//   FRAME press KEY   key pressed for that one frame
// KEY: up down left right g f d escape enter. '#' starts a comment.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

enum class script_action { down, up, press };

struct script_event {
    int frame;
    script_action action;
    SDLKey key;
};

// Parses the text; on an error, returns false with a message naming the line.
bool parse_input_script(const std::string& text, std::vector<script_event>& events,
                        std::string& error);
