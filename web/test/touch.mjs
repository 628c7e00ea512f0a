// A phone (Chromium's emulation): before the start, the title and the
// controls with "Tap to start"; touch targets of at least 44x44 CSS pixels;
// a tap starts, the pad's Enter goes through the menus, two fingers steer and
// fire at once, Esc leaves the level.
import { sleep, wait_for, box, overlap, centre, frame_of } from './browser.mjs';
import { ship_now, steer } from './play.mjs';

const phone = (width, height) => ({ width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
const targets = ['#pad-right button[data-sym="27"]', '#pad-right button[data-sym="13"]',
                 '#pad-right button[data-sym="103"]', '#mute', '#full', '#whole'];

async function tap(page, selector) {
  const at = centre(await box(page, selector));
  const finger = await page.touchscreen.touchStart(at.x, at.y);
  await sleep(80);
  await finger.end();
}

// On a page of its own: a page whose viewport turns to a phone's is reloaded.
export async function touch_visit(t) {
  const desktop = t.page;
  const page = t.page = await t.browser.newPage();
  try {
    await phone_visit(t, page);
  } finally {
    t.page = desktop;
    await page.close();
  }
}

async function phone_visit(t, page) {
  const { server, check, measure } = t;
  await page.setViewport(phone(412, 915));
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'ready'", 60000, 'the page on a phone');
  const welcome = await box(page, '#welcome h1');
  const how = await page.evaluate("[...document.querySelectorAll('#welcome p')].filter(p => p.getClientRects().length).map(p => p.textContent).join(' ')");
  check(welcome && /Tap/.test(await page.evaluate('graze.message')) && /FIRE/.test(how),
        'a phone in portrait shows the title and the touch controls with "Tap to start"', how);
  await t.shot('phone-portrait-ready');
  const sizes = [];
  for (const selector of targets) {
    const b = await box(page, selector === '#whole' ? 'label[title*="whole steps"]' : selector);
    sizes.push(b ? [Math.round(b[2] - b[0]), Math.round(b[3] - b[1])] : null);
  }
  check(sizes.every(s => s && s[0] >= 44 && s[1] >= 44), 'touch targets are at least 44x44 CSS pixels',
        JSON.stringify(sizes));
  await tap(page, '#screen');
  await wait_for(page, 'graze.frames > 0', 30000, 'the first picture after a tap').catch(() => {});
  check((await page.evaluate('graze.state')) === 'playing', 'a tap starts the game');
  for (let i = 0; i < 6; i++) {
    await sleep(1000);
    await tap(page, '#pad-right button[data-sym="13"]');
  }
  await sleep(4500);
  for (const [shape, width, height] of [['portrait', 412, 915], ['landscape', 915, 412]]) {
    await page.setViewport(phone(width, height));
    await sleep(400);
    const canvas = await box(page, '#screen'), dpad = await box(page, '#dpad'), buttons = await box(page, '#pad-right');
    const inside = canvas && canvas[0] >= 0 && canvas[1] >= 0 && canvas[2] <= width && canvas[3] <= height;
    check(inside && !overlap(canvas, dpad) && !overlap(canvas, buttons),
          `in ${shape} the picture fits the phone beside the pad`,
          `canvas ${JSON.stringify(canvas.map(Math.round))}, d-pad ${JSON.stringify(dpad.map(Math.round))}`);
    measure(`picture on a phone in ${shape} (${width}x${height} CSS pixels, 2 device pixels each)`,
            `${Math.round(canvas[2] - canvas[0])}x${Math.round(canvas[3] - canvas[1])} CSS pixels`);
    await t.shot(`phone-${shape}`);
  }
  // Two fingers: FIRE held, and the d-pad's left arrow.
  const start = await ship_now(t);
  const score_before = t.pictures.read_score(await frame_of(page));
  const fire = centre(await box(page, '#pad-right button[data-sym="103"]'));
  const left = centre(await box(page, '#dpad .left'));
  const fingers = [];
  const moved = await steer(t, async () => {
    fingers.push(await page.touchscreen.touchStart(fire.x, fire.y));
    fingers.push(await page.touchscreen.touchStart(left.x, left.y));
  }, async () => {}, at => start && at.x < start.x - 40);
  await sleep(1500);
  const score_after = t.pictures.read_score(await frame_of(page));
  const held = await page.evaluate('graze.heldKeys()');
  for (const finger of fingers) await finger.end();
  check(start && moved.at && moved.at.x < start.x - 40 && score_after > score_before && held.includes(103) && held.includes(276),
        'two fingers on the pad steer and fire at once',
        `x ${start?.x} -> ${moved.at?.x}, score ${score_before} -> ${score_after}, held ${JSON.stringify(held)}`);
  const before_leaving = await page.evaluate('graze.frames');
  await tap(page, '#pad-right button[data-sym="27"]');
  await sleep(3000);
  check(t.pictures.find_ship(await frame_of(page)) === null && (await page.evaluate('graze.frames')) > before_leaving,
        'Esc on the pad leaves the level');
}
