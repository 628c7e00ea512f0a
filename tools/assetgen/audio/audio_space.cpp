#include "audio/audio_space.h"

#include <algorithm>
#include <array>

#include "audio/audio_dsp.h"

namespace {

// Freeverb-style parallel combs then series all-passes, one set per side
// with slightly different lengths so the two sides decorrelate.
constexpr std::array<int, 4> comb_lengths = {1116, 1277, 1422, 1557};
constexpr std::array<int, 2> allpass_lengths = {556, 341};
constexpr int side_spread = 23;

struct comb {
    std::vector<float> line;
    int pos = 0;
    float store = 0;
};
struct allpass {
    std::vector<float> line;
    int pos = 0;
};

struct reverb_side {
    std::array<comb, 4> combs;
    std::array<allpass, 2> passes;
};

reverb_side make_side(int spread) {
    reverb_side s;
    for (size_t i = 0; i < comb_lengths.size(); ++i)
        s.combs[i].line.assign(static_cast<size_t>(comb_lengths[i] + spread), 0.0f);
    for (size_t i = 0; i < allpass_lengths.size(); ++i)
        s.passes[i].line.assign(static_cast<size_t>(allpass_lengths[i] + spread), 0.0f);
    return s;
}

inline float side_step(reverb_side& s, float in, float feedback, float damp) {
    float out = 0;
    for (comb& c : s.combs) {
        const float y = c.line[static_cast<size_t>(c.pos)];
        c.store = y * (1 - damp) + c.store * damp;
        c.line[static_cast<size_t>(c.pos)] = in + c.store * feedback;
        if (++c.pos == static_cast<int>(c.line.size())) c.pos = 0;
        out += y;
    }
    for (allpass& a : s.passes) {
        const float b = a.line[static_cast<size_t>(a.pos)];
        a.line[static_cast<size_t>(a.pos)] = out + b * 0.5f;
        if (++a.pos == static_cast<int>(a.line.size())) a.pos = 0;
        out = b - out;
    }
    return out;
}

} // namespace

void add_reverb(const std::vector<float>& send, std::vector<float>& stereo, const reverb_params& p,
                bool wrap) {
    reverb_side l = make_side(0), r = make_side(side_spread);
    const float feedback = std::clamp(p.room, 0.0f, 0.95f);
    const float in_gain = 0.06f; // the combs sum four paths and ring a long time
    const size_t n = send.size();
    if (wrap)
        for (size_t i = 0; i < n; ++i) {
            side_step(l, send[i] * in_gain, feedback, p.damp);
            side_step(r, send[i] * in_gain, feedback, p.damp);
        }
    for (size_t i = 0; i < n; ++i) {
        stereo[2 * i] += p.level * side_step(l, send[i] * in_gain, feedback, p.damp);
        stereo[2 * i + 1] += p.level * side_step(r, send[i] * in_gain, feedback, p.damp);
    }
}

void add_echo(const std::vector<float>& send, std::vector<float>& stereo, int delay_frames,
              float feedback, float level, bool wrap, std::vector<float>* reverb_send) {
    if (delay_frames <= 0) return;
    const size_t d = static_cast<size_t>(delay_frames);
    std::vector<float> line_l(d, 0.0f), line_r(d, 0.0f);
    size_t pos = 0;
    float tone_l = 0, tone_r = 0;
    const float tone = one_pole_coeff(3500.0f); // each repeat a little darker
    const size_t n = send.size();
    auto step = [&](size_t i, bool emit) {
        const float out_l = line_l[pos], out_r = line_r[pos];
        tone_l += tone * (out_l - tone_l);
        tone_r += tone * (out_r - tone_r);
        line_l[pos] = send[i] + tone_r * feedback; // the left side takes fresh input
        line_r[pos] = tone_l * feedback;           // and bounces to the right
        if (++pos == d) pos = 0;
        if (emit) {
            stereo[2 * i] += level * out_l;
            stereo[2 * i + 1] += level * out_r;
            if (reverb_send) (*reverb_send)[i] += 0.5f * level * (out_l + out_r);
        }
    };
    if (wrap)
        for (size_t i = 0; i < n; ++i) step(i, false);
    for (size_t i = 0; i < n; ++i) step(i, true);
}
