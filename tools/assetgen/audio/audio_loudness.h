// Loudness as a listener hears it, by the K-weighting and gating of
// ITU-R BS.1770, so the music and the effects are set to their levels by
// measurement rather than by their peaks.
#pragma once

#include <vector>

// Integrated (gated) loudness of interleaved stereo, in LUFS.
float integrated_lufs(const std::vector<float>& stereo);
// Loudness of the loudest 400 ms of a mono effect as the mixer plays it, on
// both sides, in LUFS.
float loudest_400ms_lufs(const std::vector<float>& mono);
