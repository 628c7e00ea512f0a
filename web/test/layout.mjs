// The picture's size in windows of several sizes (the largest that fits, or
// whole steps only, remembered), fullscreen and Escape in it, the page's
// buttons reached with Tab during play, and the goodbye.
import { sleep, wait_for, press, box, overlap, centre, frame_of, pad_button } from './browser.mjs';
import { picture_hash } from './pictures.mjs';

const sizes = [[1280, 720], [1366, 768], [1920, 1080]];
const picture = page => page.evaluate(() => {
  const field = document.getElementById('field'), r = document.getElementById('screen').getBoundingClientRect();
  return { field: [field.clientWidth, field.clientHeight], canvas: [r.width, r.height], scale: graze.scale };
});

export async function window_sizes(t) {
  const { page, check, measure } = t;
  for (const [width, height] of sizes) {
    await page.setViewport({ width, height });
    await sleep(400);
    const p = await picture(page);
    const ratio = Math.min(p.field[0] / 640, p.field[1] / 480);
    const fills = Math.abs(p.canvas[0] - Math.floor(640 * ratio)) <= 1 && Math.abs(p.canvas[1] - Math.floor(480 * ratio)) <= 1;
    check(fills && (p.field[0] - p.canvas[0] <= 1 || p.field[1] - p.canvas[1] <= 1),
          `at ${width}x${height} the picture is the largest that fits the field`, JSON.stringify(p));
    measure(`picture at ${width}x${height}`, `${p.canvas[0]}x${p.canvas[1]} (field ${p.field[0]}x${p.field[1]}, ${p.scale.toFixed(3)}x)`);
    await t.shot(`window-${width}x${height}`);
  }
  // Whole steps only: 2x at 1920x1080 (the field is over 1280x960), remembered.
  const toggle = centre(await box(page, '#whole'));
  await page.mouse.click(toggle.x, toggle.y);
  await sleep(300);
  const p = await picture(page);
  const stored = await page.evaluate("localStorage.getItem('graze-whole-steps')");
  check(p.canvas[0] === 1280 && p.canvas[1] === 960 && stored === '1',
        '"Whole steps only" shows 2x at 1920x1080 and is remembered', `${JSON.stringify(p)}, stored ${stored}`);
  await t.shot('window-1920x1080-whole-steps');
  await page.mouse.click(toggle.x, toggle.y);
  await page.evaluate("document.getElementById('stage').focus()");
  await page.setViewport({ width: 1280, height: 800 });
}

// Tab reaches the page's buttons without the game seeing it; Enter presses
// the focused one and is not the game's; the game's keys still go to the game.
export async function keyboard_reach(t) {
  const { page, check } = t;
  await page.evaluate(`{
    const send = Module._web_key;
    graze.sent = [];
    Module._web_key = (sym, down) => { graze.sent.push(sym); return send(sym, down); };
  }`);
  await press(page, 'Tab');
  await press(page, 'Tab');
  const focused = await page.evaluate('document.activeElement.id');
  await press(page, 'Enter');
  const muted = await page.evaluate('graze.muted');
  await press(page, 'Enter');
  await press(page, 'ArrowUp');
  const sent = await page.evaluate('graze.sent');
  // Firefox over BiDi gives synthetic keys no default action (a focused
  // button is not pressed by them): there, Enter must only stay the page's.
  const pressed = !t.chromium || (muted === true && !(await page.evaluate('graze.muted')));
  check(focused === 'mute' && pressed && !sent.includes(9) && !sent.includes(13) && sent.includes(273),
        'Tab reaches the Sound button during play, Enter is the button\'s, and the game keeps its arrows',
        `focus on #${focused}, muted ${muted}, the game got ${JSON.stringify(sent)}`);
  await page.evaluate("document.getElementById('stage').focus()");
}

// Fullscreen at 1920x1080: the picture fills the height; Escape goes to the
// game where the browser lets the page keep it (Chromium's keyboard lock),
// and the page says what Escape does in this browser.
export async function fullscreen(t) {
  const { page, check } = t;
  await page.setViewport({ width: 1920, height: 1080 });
  const button = centre(await box(page, '#full'));
  await page.mouse.click(button.x, button.y);
  const full = await wait_for(page, 'graze.fullscreen', 5000, 'fullscreen').catch(() => false);
  await sleep(500);
  const canvas = await box(page, '#screen');
  const said = await page.evaluate("document.getElementById('fullscreen-keys').textContent");
  if (t.chromium) {
    const escape = await page.evaluate('graze.escapeInFullscreen');
    check(full && Math.round(canvas[2] - canvas[0]) === 1440 && Math.round(canvas[3] - canvas[1]) === 1080 && escape === 'game' &&
          /Escape goes to the game/.test(said),
          'fullscreen fills 1920x1080 (1440x1080) and keeps Escape for the game (keyboard lock)',
          `${JSON.stringify(canvas)}, Escape: ${escape}`);
  } else {
    check(/Escape leaves fullscreen in this browser/.test(said),
          'without keyboard lock the page says Escape leaves fullscreen', `fullscreen ${full}: ${said}`);
  }
  await t.shot('fullscreen-1920x1080');
  // The game's Escape in fullscreen leaves the level.
  await press(page, 'Escape');
  await sleep(300);
  const sent = await page.evaluate('graze.sent || []');
  const still = await page.evaluate('graze.fullscreen');
  if (t.chromium)
    check(sent.includes(27) && still, "in fullscreen the game's Escape goes to the game and fullscreen stays",
          `the game got ${JSON.stringify(sent.slice(-4))}, fullscreen ${still}`);
  await page.evaluate('document.fullscreenElement && document.exitFullscreen()');
  await sleep(300);
  await page.setViewport({ width: 1280, height: 800 });
}

// Back on the gamepad (or Escape) leaves the level; Escape on the title says goodbye.
export async function goodbye(t, expected) {
  const { page, check } = t;
  await pad_button(page, 8, true);
  await sleep(150);
  await pad_button(page, 8, false);
  await sleep(4000);
  for (let i = 0; i < 8 && (await page.evaluate('graze.state')) === 'playing'; i++) {
    await press(page, 'Escape');
    await sleep(1500);
  }
  await wait_for(page, "graze.state !== 'playing'", 10000, 'the goodbye').catch(() => {});
  const last = await frame_of(page);
  const canvas = await box(page, '#screen'), farewell = await box(page, '#farewell');
  check((await page.evaluate('graze.state')) === 'goodbye' && picture_hash(last) === expected.goodbye,
        "Escape on the title ends on the game's goodbye picture", await page.evaluate('graze.state + ": " + graze.message'));
  check(farewell && !overlap(canvas, farewell) && (await page.evaluate("document.getElementById('overlay').hidden")),
        "one goodbye: the page's farewell and Play again sit beside the game's picture, not over it",
        `${JSON.stringify(canvas)} ${JSON.stringify(farewell)}`);
  await t.shot('goodbye');
  // The page's accessible names and live regions.
  const named = await page.evaluate(`[document.getElementById('screen').getAttribute('aria-label') || '',
    document.getElementById('message').getAttribute('aria-live'), document.getElementById('note').getAttribute('aria-live')]`);
  check(/Graze/.test(named[0]) && named[1] === 'polite' && named[2] === 'polite',
        'the canvas has an accessible name; messages and notes are live regions', JSON.stringify(named));
  // "Whole steps only" is still on after a reload... once turned on.
  await page.evaluate("localStorage.setItem('graze-whole-steps', '1')");
  await page.reload();
  await wait_for(page, "window.graze && graze.state === 'ready'", 60000, 'the page after a reload');
  const kept = await page.evaluate("[graze.wholeSteps, document.getElementById('whole').checked, graze.scale]");
  check(kept[0] === true && kept[1] === true && Number.isInteger(kept[2]),
        '"Whole steps only" is remembered across visits', JSON.stringify(kept));
  await page.evaluate("localStorage.removeItem('graze-whole-steps')");
}
