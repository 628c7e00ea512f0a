// The instruments the songs and the sound effects choose from. Each returns a recipe the song may
// tweak further (brighter, darker, louder).
#pragma once

#include "audio/audio_voices.h"

voice_recipe pulse_lead();  // chiptune-like lead with vibrato
voice_recipe brass_lead();  // two detuned saws opening up: heroic
voice_recipe flute_lead();  // soft triangle with breath
voice_recipe square_lead(); // hollow, a bit darker than the pulse
voice_recipe string_line(); // bowed saw ensemble for counter lines
voice_recipe saw_bass();    // filtered saw with a sub octave
voice_recipe square_bass();
voice_recipe round_bass(); // soft triangle bass for quiet songs
voice_recipe pluck_bass(); // plucked string bass
voice_recipe warm_pad();   // slow detuned saws
voice_recipe choir_pad();  // breathy triangle ensemble
voice_recipe glass_pad();  // detuned pulses, airy
voice_recipe pluck_arp();  // plucked string (harp, guitar)
voice_recipe chip_arp();   // short square blips
voice_recipe fm_bell();    // bell from two-operator FM
voice_recipe electric_piano();
voice_recipe noise_riser(); // band-passed noise sweeping up
