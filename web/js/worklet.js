// The audio worklet's processor: plays what the page mixed a little ahead of
// it from a ring of 32768 frames, and counts the times it ran short.
const size = 32768;

class GrazeOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.left = new Float32Array(size);
    this.right = new Float32Array(size);
    this.read = 0;
    this.write = 0;
    this.underruns = 0;
    this.port.onmessage = event => {
      const [left, right] = event.data;
      for (let i = 0; i < left.length; i++) {
        this.left[this.write & (size - 1)] = left[i];
        this.right[this.write & (size - 1)] = right[i];
        this.write++;
      }
    };
  }

  process(inputs, outputs) {
    const [left, right] = outputs[0];
    let short = false;
    for (let i = 0; i < left.length; i++) {
      if (this.read < this.write) {
        left[i] = this.left[this.read & (size - 1)];
        right[i] = this.right[this.read & (size - 1)];
        this.read++;
      } else {
        left[i] = right[i] = 0;
        short = true;
      }
    }
    if (short && this.write > 0) this.port.postMessage(++this.underruns);
    return true;
  }
}
registerProcessor('graze-output', GrazeOutput);
