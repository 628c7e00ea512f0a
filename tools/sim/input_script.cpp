#include "input_script.h"

#include <sstream>

namespace {

bool key_named(const std::string& name, SDLKey& key) {
    static const struct {
        const char* name;
        SDLKey key;
    } keys[] = {{"up", SDLK_UP},       {"down", SDLK_DOWN},     {"left", SDLK_LEFT},
                {"right", SDLK_RIGHT}, {"g", SDLK_g},           {"f", SDLK_f},
                {"d", SDLK_d},         {"escape", SDLK_ESCAPE}, {"enter", SDLK_RETURN}};
    for (const auto& k : keys) {
        if (name == k.name) {
            key = k.key;
            return true;
        }
    }
    return false;
}

} // namespace

bool parse_input_script(const std::string& text, std::vector<script_event>& events,
                        std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frame_text, action_text, key_text, extra;
        if (!(words >> frame_text)) continue; // blank or comment
        words >> action_text >> key_text;
        char* end = nullptr;
        const long frame = std::strtol(frame_text.c_str(), &end, 10);
        script_event event{};
        if (*end != '\0' || frame < 0 || frame > 100000000) {
            error = "line " + std::to_string(number) + ": bad frame '" + frame_text + "'";
            return false;
        }
        event.frame = static_cast<int>(frame);
        if (action_text == "down")
            event.action = script_action::down;
        else if (action_text == "up")
            event.action = script_action::up;
        else if (action_text == "press")
            event.action = script_action::press;
        else {
            error = "line " + std::to_string(number) + ": unknown action '" + action_text + "'";
            return false;
        }
        if (!key_named(key_text, event.key)) {
            error = "line " + std::to_string(number) + ": unknown key '" + key_text + "'";
            return false;
        }
        if (words >> extra) {
            error = "line " + std::to_string(number) + ": unexpected '" + extra + "'";
            return false;
        }
        events.push_back(event);
    }
    return true;
}
