// Sound: Web Audio playing SDL_mixer's mix. An audio worklet (worklet.js)
// plays what the page mixes a little ahead of it while the game waits between
// frames; where worklets are missing (a page served over plain HTTP from
// another machine), a script processor pulls the mix.
import { elements, graze, remember, remembered } from './state.js';
import { say } from './messages.js';

export const AudioContextClass = window.AudioContext || window.webkitAudioContext;
const aheadFrames = 4096;
let audio = null, gain = null;

function feedWorklet(node, clock) {
  // Frames written so far against frames the context has played.
  const played = Math.floor((audio.currentTime - clock.start) * audio.sampleRate);
  if (clock.written < played) clock.written = played;
  const wanted = Math.min(8192, played + aheadFrames - clock.written);
  if (wanted < 1024) return;
  const left = new Float32Array(wanted), right = new Float32Array(wanted);
  window.Module.grazeMix(left, right);
  node.port.postMessage([left, right], [left.buffer, right.buffer]);
  clock.written += wanted;
}

function startWorklet() {
  audio.audioWorklet.addModule(new URL('./worklet.js', import.meta.url)).then(() => {
    const node = new AudioWorkletNode(audio, 'graze-output', { outputChannelCount: [2] });
    node.connect(gain);
    node.port.onmessage = event => { graze.underruns = event.data; };
    const clock = { start: audio.currentTime, written: 0 };
    setInterval(() => {
      if (graze.state === 'playing' && !graze.hidden) feedWorklet(node, clock);
    }, 25);
    graze.audio = 'worklet';
  }).catch(error => {
    say('Sound could not start (' + error.message + '): the game plays silent.');
  });
}

// The game's audio device (platform_web.cpp): 1 when it opened.
export function openAudio(frequency) {
  if (!audio) return 0;
  try {
    if (audio.sampleRate !== frequency) return 0;
    gain = audio.createGain();
    gain.gain.value = graze.muted ? 0 : 1;
    gain.connect(audio.destination);
    if (audio.audioWorklet) {
      startWorklet();
      return 1;
    }
    const node = audio.createScriptProcessor(2048, 0, 2);
    node.onaudioprocess = event => {
      const output = event.outputBuffer;
      window.Module.grazeMix(output.getChannelData(0), output.getChannelData(1));
    };
    node.connect(gain);
    graze.audio = 'script processor';
    return 1;
  } catch (error) {
    say('Sound could not start (' + error.message + '): the game plays silent.');
    return 0;
  }
}

// A browser with no sound device keeps its audio suspended: say so, and try
// again at the next key press or tap.
function checkSound() {
  if (!audio || graze.state !== 'playing' || graze.hidden) return;
  graze.audioState = audio.state;
  if (audio.state === 'running') {
    if (graze.silent) say('');
    graze.silent = false;
  } else {
    graze.silent = true;
    say('No sound device answers in this browser: the game plays silent.');
  }
}

export function wakeSound() {
  if (audio && audio.state === 'suspended' && !graze.hidden && graze.state === 'playing')
    audio.resume().then(checkSound, () => {});
}

// Called from the key press or tap that starts the game, as browsers require.
export function startSound() {
  if (!AudioContextClass) return;
  try {
    audio = new AudioContextClass({ sampleRate: 44100 });
    audio.resume().then(checkSound, () => {});
    setTimeout(checkSound, 1500);
  } catch (error) {
    audio = null;
    say('Sound could not start (' + error.message + '): the game plays silent.');
  }
}

export function pauseSound(hidden) {
  if (!audio) return;
  if (hidden) audio.suspend().catch(() => {});
  else if (!graze.silent) audio.resume().catch(() => {});
}

export function stopSound() {
  if (audio) audio.close().catch(() => {});
}

export const audioState = () => audio ? audio.state : 'none';

export function setMuted(muted) {
  graze.muted = muted;
  elements.mute.textContent = muted ? 'Sound: off' : 'Sound: on';
  if (gain) gain.gain.value = muted ? 0 : 1;
  remember('graze-muted', muted ? '1' : '0');
}

export function setUpSound() {
  setMuted(remembered('graze-muted') === '1');
  elements.mute.onclick = () => setMuted(!graze.muted);
  if (!AudioContextClass) say('This browser has no Web Audio: the game plays silent.');
}
