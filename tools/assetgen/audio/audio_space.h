// The room the music plays in: a small stereo reverb and a ping-pong echo,
// both fed from mono send buffers and added into an interleaved stereo mix.
#pragma once

#include <vector>

struct reverb_params {
    float room = 0.78f; // comb feedback: bigger sounds longer
    float damp = 0.35f; // high-frequency loss per pass
    float level = 0.5f; // wet level added to the mix
};

// When wrap is true the send is run through once beforehand so the tail of
// the end is already ringing at the start: a loop then joins seamlessly.
void add_reverb(const std::vector<float>& send, std::vector<float>& stereo, const reverb_params& p,
                bool wrap);

// Ping-pong echo of delay_frames with the given feedback; wet added to the
// mix at level, and the same echoes also added to reverb_send when given.
void add_echo(const std::vector<float>& send, std::vector<float>& stereo, int delay_frames,
              float feedback, float level, bool wrap, std::vector<float>* reverb_send);
