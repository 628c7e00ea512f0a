#include "shown_text.h"

#include <cstdio>

namespace {

bool continues(std::string_view text, std::size_t at, unsigned char low = 0x80,
               unsigned char high = 0xbf) {
    if (at >= text.size()) return false;
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 character at `at` (no overlong form,
// no surrogate, nothing past U+10FFFF), or 0 when the byte there starts none.
std::size_t character_length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) return continues(text, at + 1) ? 2 : 0;
    if (lead >= 0xe0 && lead <= 0xef) {
        const unsigned char low = lead == 0xe0 ? 0xa0 : 0x80;
        const unsigned char high = lead == 0xed ? 0x9f : 0xbf;
        return continues(text, at + 1, low, high) && continues(text, at + 2) ? 3 : 0;
    }
    if (lead >= 0xf0 && lead <= 0xf4) {
        const unsigned char low = lead == 0xf0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xf4 ? 0x8f : 0xbf;
        return continues(text, at + 1, low, high) && continues(text, at + 2) &&
                       continues(text, at + 3)
                   ? 4
                   : 0;
    }
    return 0;
}

// U+0080 to U+009F: control characters some terminals act on.
bool is_c1_control(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) == 0xc2 &&
           static_cast<unsigned char>(text[at + 1]) < 0xa0;
}

void append_code(std::string& out, unsigned char byte) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02x", byte);
    out += code;
}

} // namespace

std::string cut_word(std::string_view word, std::size_t most) {
    std::size_t at = 0;
    for (std::size_t shown = 0; shown < most && at < word.size(); ++shown) {
        const std::size_t length = character_length(word, at);
        at += length ? length : 1;
    }
    if (at >= word.size()) return std::string(word);
    return std::string(word.substr(0, at)) + "...";
}

std::string escaped(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = character_length(text, at);
        if (length == 0 || byte < 0x20 || byte == 0x7f ||
            (length == 2 && is_c1_control(text, at))) {
            for (std::size_t i = 0; i < (length ? length : 1); ++i)
                append_code(out, static_cast<unsigned char>(text[at + i]));
            at += length ? length : 1;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}
