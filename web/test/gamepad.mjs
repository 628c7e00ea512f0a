// Level 1 with the synthetic gamepad (browser.mjs's fake_gamepad, installed
// by open_level): its A button fires, its d-pad and stick steer.
import { sleep, pad_button, pad_axis } from './browser.mjs';
import { ship_now, steer, score_now } from './play.mjs';

// The gamepad's A button fires while the first waves come, swept across the field.
export async function gamepad_fires(t) {
  const { page, check } = t;
  const before_pad = await score_now(t);
  await pad_button(page, 0, true);
  await sleep(300);
  const pad_held = await page.evaluate('graze.heldKeys()');
  let after_pad = before_pad;
  for (let i = 0; i < 40 && after_pad <= before_pad; i++) {
    if (i % 3 === 0) await pad_axis(page, 0, (i / 3) % 2 ? 0.9 : -0.9);
    await sleep(500);
    after_pad = await score_now(t);
  }
  await pad_axis(page, 0, 0);
  await pad_button(page, 0, false);
  check(before_pad >= 0 && after_pad > before_pad && pad_held.includes(103), "the gamepad's A button fires",
        `held ${JSON.stringify(pad_held)}, score ${before_pad} -> ${after_pad}`);
}

// The synthetic gamepad's d-pad and stick steer.
export async function gamepad_steers(t) {
  const { page, check } = t;
  const from = await ship_now(t);
  const left = await steer(t, () => pad_button(page, 14, true), () => pad_button(page, 14, false),
                           at => from && at.x < from.x - 40);
  const right = await steer(t, () => pad_axis(page, 0, 0.9), () => pad_axis(page, 0, 0),
                            at => left.at && at.x > left.at.x + 40);
  const ok = from && left.at && right.at && left.at.x < from.x - 40 && right.at.x > left.at.x + 40;
  check(ok, "the gamepad's d-pad and left stick steer the ship", `x ${from?.x} -> ${left.at?.x} -> ${right.at?.x}`);
  if (!ok) await t.shot('gamepad-steering');
}
