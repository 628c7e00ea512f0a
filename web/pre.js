// Runs inside the game's module, before it starts: what the page needs from
// its insides.

// SDL's only video driver here draws into memory; the backend copies each
// flipped screen to the page's canvas.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  ENV.SDL_VIDEODRIVER = 'dummy';
});

// Fills two channels of Web Audio output with SDL_mixer's next mix.
Module.grazeMix = function (left, right) {
  var frames = left.length;
  var at = _web_audio_mix(frames) >> 1;
  var samples = HEAP16;
  for (var i = 0; i < frames; i++) {
    left[i] = samples[at + 2 * i] / 32768;
    right[i] = samples[at + 2 * i + 1] / 32768;
  }
};
