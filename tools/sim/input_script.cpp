#include "input_script.h"

#include <string_view>

#include "shown_text.h"

namespace {

// The words of a line are separated as a stream reads them: by ASCII white
// space; any other byte, a NUL included, belongs to a word.
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The next word of `line` from `at` on (empty when none is left); `at` moves
// past it.
std::string_view next_word(std::string_view line, std::size_t& at) {
    while (at < line.size() && is_blank(line[at])) ++at;
    const std::size_t start = at;
    while (at < line.size() && !is_blank(line[at])) ++at;
    return line.substr(start, at - start);
}

bool key_named(std::string_view name, SDLKey& key) {
    static const struct {
        std::string_view name;
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

constexpr long last_frame = 100000000;

// A frame number as the C library reads a decimal one, up to the word's
// first NUL: an optional sign, then digits that end the text (an empty text
// reads as 0). False when the text is not that or the frame is out of range.
bool read_frame(std::string_view word, int& frame) {
    if (const std::size_t nul = word.find('\0'); nul != std::string_view::npos)
        word = word.substr(0, nul);
    if (word.empty()) {
        frame = 0;
        return true;
    }
    std::size_t at = 0;
    const bool negative = word[0] == '-';
    if (word[0] == '-' || word[0] == '+') ++at;
    if (at == word.size()) return false;
    long value = 0;
    for (; at < word.size(); ++at) {
        const char c = word[at];
        if (c < '0' || c > '9') return false;
        if (value <= last_frame) value = value * 10 + (c - '0'); // past it stays past it
    }
    if (negative && value != 0) return false;
    if (value > last_frame) return false;
    frame = static_cast<int>(value);
    return true;
}

// The word is cut, so a word of a whole line (a file that is no script)
// makes a message of one short line.
bool refuse(int number, const char* what, std::string_view word, std::string& error) {
    error = "line " + std::to_string(number) + ": " + what + " '" + cut_word(word) + "'";
    return false;
}

} // namespace

bool parse_input_script(const std::string& text, std::vector<script_event>& events,
                        std::string& error) {
    // One pass over the text in place: a line ends at a newline (the last one
    // may lack it), and a '#' starts a comment to its end.
    const std::string_view all(text);
    int number = 0;
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        std::size_t at = 0;
        const std::string_view frame_text = next_word(line, at);
        if (frame_text.empty()) continue; // blank or comment
        const std::string_view action_text = next_word(line, at);
        const std::string_view key_text = next_word(line, at);
        script_event event{};
        if (!read_frame(frame_text, event.frame))
            return refuse(number, "bad frame", frame_text, error);
        if (action_text == "down")
            event.action = script_action::down;
        else if (action_text == "up")
            event.action = script_action::up;
        else if (action_text == "press")
            event.action = script_action::press;
        else
            return refuse(number, "unknown action", action_text, error);
        if (!key_named(key_text, event.key)) return refuse(number, "unknown key", key_text, error);
        if (const std::string_view extra = next_word(line, at); !extra.empty())
            return refuse(number, "unexpected", extra, error);
        events.push_back(event);
    }
    return true;
}
