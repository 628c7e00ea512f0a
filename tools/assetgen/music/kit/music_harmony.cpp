#include "music/kit/music_harmony.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::array<int, 7> major_steps = {0, 2, 4, 5, 7, 9, 11};

int pitch_class(int p) { return ((p % 12) + 12) % 12; }

int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

} // namespace

chord parse_chord(std::string_view t) {
    chord c;
    size_t i = 0;
    int accidental = 0;
    if (i < t.size() && t[i] == 'b')
        accidental = -1, ++i;
    else if (i < t.size() && t[i] == '#')
        accidental = 1, ++i;
    int value = 0, prev = 0;
    bool upper = false;
    // Roman numeral: I, V and their combinations up to VII.
    while (i < t.size() && std::strchr("IViv", t[i]) != nullptr) {
        const int v = (t[i] == 'I' || t[i] == 'i') ? 1 : 5;
        upper = t[i] == 'I' || t[i] == 'V';
        value += v;
        if (v > prev && prev != 0) value -= 2 * prev; // IV, VI-style subtraction
        prev = v;
        ++i;
    }
    value = std::clamp(value, 1, 7);
    c.root = pitch_class(major_steps[static_cast<size_t>(value - 1)] + accidental);
    c.tones = {0, upper ? 4 : 3, 7, 0};
    c.count = 3;
    const std::string_view rest = t.substr(i);
    auto has = [&](const char* s) { return rest.find(s) != std::string_view::npos; };
    if (has("dim")) c.tones[1] = 3, c.tones[2] = 6;
    if (has("+")) c.tones[1] = 4, c.tones[2] = 8;
    if (has("sus4")) c.tones[1] = 5;
    if (has("sus2")) c.tones[1] = 2;
    if (has("maj7"))
        c.tones[3] = 11, c.count = 4;
    else if (has("7"))
        c.tones[3] = has("dim7") ? 9 : 10, c.count = 4;
    if (has("6") && !has("dim")) c.tones[3] = 9, c.count = 4;
    if (has("add9")) c.tones[3] = 14, c.count = 4;
    return c;
}

std::vector<chord_span> chord_spans(const char* text, int first_bar, int bars, int steps_per_bar) {
    std::vector<std::string_view> tokens;
    std::string_view all(text);
    size_t pos = 0;
    while (pos < all.size()) {
        while (pos < all.size() && all[pos] == ' ') ++pos;
        size_t end = pos;
        while (end < all.size() && all[end] != ' ') ++end;
        if (end > pos) tokens.push_back(all.substr(pos, end - pos));
        pos = end;
    }
    if (tokens.empty()) tokens.push_back("I");
    std::vector<chord_span> spans;
    for (int b = 0; b < bars; ++b) {
        const std::string_view bar = tokens[static_cast<size_t>(b) % tokens.size()];
        std::vector<std::string_view> parts;
        size_t p = 0;
        while (p <= bar.size()) {
            size_t q = bar.find(',', p);
            if (q == std::string_view::npos) q = bar.size();
            parts.push_back(bar.substr(p, q - p));
            p = q + 1;
        }
        const int n = static_cast<int>(parts.size());
        for (int k = 0; k < n; ++k) {
            chord_span s;
            s.step = (first_bar + b) * steps_per_bar + k * steps_per_bar / n;
            s.steps = (k + 1) * steps_per_bar / n - k * steps_per_bar / n;
            s.c = parse_chord(parts[static_cast<size_t>(k)]);
            spans.push_back(s);
        }
    }
    return spans;
}

bool chord_has(const chord& c, int tonic, int pitch) {
    const int pc = pitch_class(pitch - tonic - c.root);
    for (int k = 0; k < c.count; ++k)
        if (pitch_class(c.tones[static_cast<size_t>(k)]) == pc) return true;
    return false;
}

int nearest_chord_tone(const chord& c, int tonic, int target, int bias) {
    for (int d = 0; d < 12; ++d) {
        const int first = bias >= 0 ? target + d : target - d;
        const int second = bias >= 0 ? target - d : target + d;
        if (chord_has(c, tonic, first)) return first;
        if (chord_has(c, tonic, second)) return second;
    }
    return target;
}

int nearest_root(const chord& c, int tonic, int target) {
    for (int d = 0; d < 7; ++d) {
        if (pitch_class(target - d - tonic - c.root) == 0) return target - d;
        if (pitch_class(target + d - tonic - c.root) == 0) return target + d;
    }
    return target;
}

scale7 local_scale(const scale7& mode, const chord& c) {
    scale7 s = mode;
    for (int k = 0; k < c.count; ++k) {
        const int pc = pitch_class(c.root + c.tones[static_cast<size_t>(k)]);
        bool present = false;
        for (int m : s) present = present || m == pc;
        if (present) continue;
        // A chord tone outside the mode displaces the mode step a semitone away.
        for (int& m : s)
            if (std::abs(m - pc) == 1 || std::abs(m - pc) == 11) {
                m = pc;
                break;
            }
    }
    std::sort(s.begin(), s.end());
    return s;
}

int degree_pitch(const scale7& scale, int tonic, int degree) {
    const int octave = floor_div(degree, 7);
    return tonic + 12 * octave + scale[static_cast<size_t>(degree - 7 * octave)];
}

int bass_root(const chord& c, int base) { return base + c.root; }

std::vector<int> voice_chord(const chord& c, int tonic, const std::vector<int>& previous,
                             int centre) {
    const int n = c.count;
    std::vector<int> best;
    float best_cost = 1e9f;
    for (int inversion = 0; inversion < n; ++inversion) {
        for (int base = centre - 12; base <= centre + 6; ++base) {
            // Lowest voice must be the inversion's tone.
            const int pc = pitch_class(tonic + c.root + c.tones[static_cast<size_t>(inversion)]);
            if (pitch_class(base) != pc) continue;
            std::vector<int> v;
            int last = base;
            v.push_back(base);
            for (int k = 1; k < n; ++k) {
                const int tone =
                    pitch_class(tonic + c.root + c.tones[static_cast<size_t>((inversion + k) % n)]);
                int p = last + 1;
                while (pitch_class(p) != tone) ++p;
                v.push_back(p);
                last = p;
            }
            float cost = 0;
            float mean = 0;
            for (int p : v) mean += static_cast<float>(p);
            mean /= static_cast<float>(n);
            if (previous.size() == v.size()) {
                for (size_t k = 0; k < v.size(); ++k)
                    cost += static_cast<float>(std::abs(v[k] - previous[k]));
                cost += 0.35f * std::abs(mean - static_cast<float>(centre));
            } else {
                cost = std::abs(mean - static_cast<float>(centre));
            }
            if (cost < best_cost) best_cost = cost, best = v;
        }
    }
    return best;
}

std::vector<int> chord_ladder(const chord& c, int tonic, int low, int octaves) {
    std::vector<int> out;
    for (int p = low; p < low + 12 * octaves; ++p)
        if (chord_has(c, tonic, p)) out.push_back(p);
    return out;
}
