// The page as a person uses it: served from 127.0.0.1 (server.mjs), opened
// in one browser engine, readings typed on the keyboard a line at a time and
// in bursts. The console must show what a terminal shows, keep the typing
// focus in its field from the first prompt to the end of a trip, and name
// the field by the prompt it answers; the page must keep to its policy,
// pass axe-core and, after one visit, run with no network.
//
//   node test/browser/page_test.mjs ENGINE WEB_FOLDER [--screenshots FOLDER]
//
// ENGINE is chromium, firefox or webkit (browsers.mjs). WEB_FOLDER holds the
// page, its scripts and fuel-economy.wasm (a WASI build's web/ folder).
// --screenshots writes the page after the worked trip on a phone (a touch
// screen 390 px wide, light) and on a computer (dark), for docs/ (Chromium
// only).
import assert from 'node:assert/strict';
import {readFile} from 'node:fs/promises';
import {join} from 'node:path';
import process from 'node:process';
import {after, before, test} from 'node:test';
import {engines, launch} from './browsers.mjs';
import {serveFolder} from './server.mjs';

const [engine, folder, option, screenshots] = process.argv.slice(2);
if (!engines.includes(engine) || !folder || (option && (option !== '--screenshots' || !screenshots))) {
  console.error(`usage: node page_test.mjs ${engines.join('|')} WEB_FOLDER [--screenshots FOLDER]`);
  process.exit(2);
}

const gallons = "Enter the amount of gasoline expended, in gallons: ";
const start = "Enter the odometer's initial mileage reading: ";
const end = "Enter the odometer's end mileage reading: ";
// Each path's text opens with a line end: after a reading typed with Enter,
// that makes an empty line; after a prompt, it ends the prompt's line.
const results = (milesPerGallon, kilometersPerLiter) => [
  `Miles traveled per gallon of gasoline: ${milesPerGallon}`,
  `Kilometers traveled per liter of gasoline: ${kilometersPerLiter}`,
  '',
  '',
];
const invalid = [
  'Some of the data provided is invalid.',
  'Please restart the program and correct any faults.',
  '',
  '',
];
const workedTrip = [gallons + '10', start + '1000', end + '1300', '', ...results('30', '12.7043')];

// What is typed (a line per Enter; null is Ctrl+D on an empty line) and the
// terminal's whole picture at the end.
const trips = [
  {name: 'the worked trip', typed: ['10', '1000', '1300'], screen: workedTrip},
  {name: 'fractional readings', typed: ['2.5', '12000.4', '12099.9'],
   screen: [gallons + '2.5', start + '12000.4', end + '12099.9', '', ...results('39.8', '16.8544')]},
  {name: 'a six-digit result', typed: ['7', '0', '1234567'],
   screen: [gallons + '7', start + '0', end + '1234567', '', ...results('176367', '74687.3')]},
  {name: 'all readings on one line', typed: ['12.5 45210 45600'],
   screen: [gallons + '12.5 45210 45600', start + end, ...results('31.2', '13.2125')]},
  {name: 'two readings on the first line', typed: ['1 0', '1'],
   screen: [gallons + '1 0', start + end + '1', '', ...results('1', '0.423478')]},
  {name: 'an end reading below the start', typed: ['10', '300', '200'],
   screen: [gallons + '10', start + '300', end + '200', '', ...invalid]},
  {name: 'a first reading that is no number', typed: ['ten'],
   screen: [gallons + 'ten', start + end, ...invalid]},
  {name: 'a reading with a comma', typed: ['1,5'],
   screen: [gallons + '1,5', start + end, ...invalid]},
  {name: 'the input ended at the second prompt', typed: ['10', null],
   screen: [gallons + '10', start + end, ...invalid]},
];

let site;
let browser;
let page;

// A site of its own, at an address (an origin) that no service worker has
// seen, for a test that needs what its server sends.
const sites = [];
async function newSite(options) {
  const made = await serveFolder(folder, options);
  sites.push(made);
  return made;
}

before(async () => {
  site = await newSite();
  browser = await launch(engine);
  page = await browser.newPage();
  await page.setSize(720, 480);
});

after(async () => {
  await browser?.close();
  for (const server of sites) await server.stop();
});

// A fresh load of the page (or a reload), which watches from then on where
// the typing focus goes while the program runs (the field may lose it only
// at the end, to "Start again"), errors and breaches of its policy.
async function load(how = 'navigate', at = site) {
  // WebKit's driver may answer before a page that its service worker sends
  // has replaced the last one: the new one is the one without this mark.
  await page.evaluate(() => {
    window.leaving = true;
  });
  await (how === 'reload' ? page.reload() : page.goto(at.address));
  await page.waitFor(() => !window.leaving && document.readyState === 'complete');
  await page.evaluate(() => {
    window.focusLost = [];
    window.errors = [];
    document.getElementById('line').addEventListener('focusout', () => {
      if (document.body.dataset.state !== 'ended') window.focusLost.push(document.body.dataset.state);
    });
    window.addEventListener('error', (event) => window.errors.push(event.message));
    document.addEventListener('securitypolicyviolation', (event) => {
      window.errors.push(`${event.violatedDirective} blocks ${event.blockedURI}`);
    });
  });
}

// Waits until the program waits for a line with nothing typed ahead, or has
// ended, and says which.
async function settled() {
  await page.waitFor(() => ['waiting', 'ended', 'failed'].includes(document.body.dataset.state));
  return page.evaluate(() => document.body.dataset.state);
}

async function screenLines() {
  return page.evaluate(() => document.getElementById('screen').innerText.split('\n'));
}

// What the page's own watchers saw, the driver's and the servers': nothing
// amiss.
async function expectNoTrouble() {
  assert.deepEqual(await page.evaluate(() => [window.focusLost, window.errors]), [[], []]);
  assert.deepEqual(page.problems(), []);
  for (const server of sites) assert.deepEqual(server.reports, []);
}

async function expectFocusOnField() {
  assert.equal(await page.evaluate(() => document.activeElement.id), 'line');
}

// At a prompt, the screen is the trip's picture so far: every line but the
// last, which ends on the prompt that waits. The field has the focus and
// that prompt, alone, for its name.
async function expectWaitingAt(screen) {
  const lines = await screenLines();
  const shown = lines.length - 1;
  assert.deepEqual(lines.slice(0, shown), screen.slice(0, shown));
  assert.ok(screen[shown].startsWith(lines[shown]), `"${lines[shown]}" begins no line`);
  await expectFocusOnField();
  const prompt = [gallons, start, end].find((text) => lines[shown].endsWith(text));
  assert.ok(await page.hasAccessibleName('#line', prompt.trim()),
            `the field is not named "${prompt.trim()}" alone`);
}

async function expectEndedWith(screen) {
  assert.equal(await settled(), 'ended');
  assert.deepEqual(await screenLines(), screen);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
  await expectNoTrouble();
}

// Types a line (null: Ctrl+D on an empty line) as a burst of keys.
async function typeLine(typed) {
  if (typed === null) {
    await page.press('Control+D');
  } else {
    await page.type(`${typed}\n`);
  }
}

// "Start again", as a person does it with the keyboard: the button has the
// focus, and Enter presses it.
async function startAgain() {
  assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
  await page.press('Enter');
}

// Lines typed while the program is busy wait their turn, shown where they
// were typed, and the field keeps the focus and what is being typed.
test('lines typed while the program loads and while it runs', async () => {
  const holding = await newSite();
  let release;
  holding.held = new Promise((resolve) => {
    release = resolve;
  });
  await load('navigate', holding);
  await page.type('10\n1000\n13');
  assert.equal(await page.evaluate(() => document.body.dataset.state), 'running');
  assert.deepEqual(await screenLines(), ['10', '1000', '']);
  await expectFocusOnField();
  release();
  await page.type('00\n');
  await expectEndedWith(workedTrip);

  // The program is held in the middle of its work: what the page sends
  // its worker waits for the test to let it go.
  await startAgain();
  assert.equal(await settled(), 'waiting');
  await page.evaluate(() => {
    const post = Worker.prototype.postMessage;
    window.held = new Promise((resolve) => {
      window.release = resolve;
    });
    Worker.prototype.postMessage = function(...message) {
      window.held.then(() => post.apply(this, message));
    };
  });
  await page.type('10\n1000\n1');
  assert.equal(await page.evaluate(() => document.body.dataset.state), 'running');
  assert.deepEqual(await screenLines(), [gallons + '10', '1000', '']);
  await expectFocusOnField();
  await page.evaluate(() => window.release());
  await page.type('300\n');
  await expectEndedWith(workedTrip);
});

// Each trip starts where the last one ended, with the button that starts
// the program again, so the page is loaded once for them all.
test('trips typed a line at a time, on one load of the page', async (t) => {
  await load();
  await page.evaluate(() => {
    window.sameLoad = true;
  });
  for (const [index, trip] of trips.entries()) {
    await t.test(trip.name, async () => {
      if (index > 0) await startAgain();
      assert.equal(await settled(), 'waiting');
      assert.deepEqual(await screenLines(), [gallons]);
      for (const typed of trip.typed) {
        await expectWaitingAt(trip.screen);
        await typeLine(typed);
        if (await settled() === 'waiting') await expectWaitingAt(trip.screen);
      }
      await expectEndedWith(trip.screen);
    });
  }
  assert.equal(await page.evaluate(() => window.sameLoad), true);
});

// A person who knows the dialogue types ahead: three readings as fast as the
// keys go, before the program has answered the first. On a terminal the
// program keeps up, so that is the picture.
test('the three readings typed as one burst, on ten fresh loads', async () => {
  for (let run = 0; run < 10; run++) {
    await load();
    // Half of them start typing as soon as the page has loaded, while the
    // program itself may still be on its way.
    if (run % 2 === 0) assert.equal(await settled(), 'waiting');
    await page.type('10\n1000\n1300\n');
    await expectEndedWith(workedTrip);
  }
});

// On a phone the field stays where a terminal's cursor would be: right after
// the prompt on its line, or at the start of the next line where the prompt
// fills its own.
test('at a phone\'s width, the field is where a terminal\'s cursor would be', async (t) => {
  for (const width of [320, 390, 430]) {
    await t.test(`${width} px wide`, async () => {
      await page.setSize(width, 700);
      await load();
      for (const typed of ['10', '1000', '1300']) {
        assert.equal(await settled(), 'waiting');
        const {blank, field, screen} = await page.evaluate(() => {
          const text = document.getElementById('transcript').lastChild;
          const range = document.createRange();
          range.setStart(text, text.length - 1);  // the blank that ends the prompt
          range.setEnd(text, text.length);
          const box = (rectangle) => ({top: rectangle.top, bottom: rectangle.bottom,
                                       left: rectangle.left, right: rectangle.right});
          return {blank: box(range.getBoundingClientRect()),
                  field: box(document.getElementById('line').getBoundingClientRect()),
                  screen: box(document.getElementById('screen').getBoundingClientRect())};
        });
        const middle = (box) => (box.top + box.bottom) / 2;
        const lineHeight = blank.bottom - blank.top;
        const room = screen.right - blank.right;
        if (room >= blank.right - blank.left) {
          assert.ok(Math.abs(middle(field) - middle(blank)) < lineHeight / 2, 'the field is not on the prompt\'s line');
          assert.ok(Math.abs(field.left - blank.right) < 2, 'the field does not follow the prompt');
        } else {
          assert.ok(Math.abs(middle(field) - middle(blank) - lineHeight) < lineHeight / 2,
                    'the field is not on the line after the prompt');
          assert.ok(Math.abs(field.left - screen.left) < 2, 'the field does not start its line');
        }
        assert.ok(field.right <= screen.right + 1, 'the field runs past the screen');
        await typeLine(typed);
      }
      await expectEndedWith(workedTrip);
    });
  }
  await page.setSize(720, 480);
});

// axe-core checks the page at each moment of a trip: at each prompt and at
// the end; in Chromium, which can be told which colour scheme to prefer, in
// both, and elsewhere in the one the browser starts with.
const axeSource = await readFile(new URL(import.meta.resolve('axe-core/axe.min.js')), 'utf8');
test('axe-core finds nothing at any moment of a trip', async (t) => {
  for (const scheme of engine === 'chromium' ? ['light', 'dark'] : ['as the browser starts']) {
    await t.test(scheme, async () => {
      if (engine === 'chromium') await page.setColorScheme(scheme);
      await load();
      await page.addScript(axeSource);
      for (const typed of ['10', '1000', '1300', null]) {
        await settled();
        const found = await page.evaluate(async () => (await window.axe.run()).violations
          .map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target).join(', ')}`));
        assert.deepEqual(found, []);
        if (typed !== null) await typeLine(typed);
      }
      await expectEndedWith(workedTrip);
    });
  }
});

if (engine === 'chromium') {
  test('Chromium would install the page as an app', async () => {
    await load();
    assert.equal(await settled(), 'waiting');
    assert.deepEqual(await page.installabilityErrors(), []);
  });
}

// Compiled from the whole file where the server does not say that it is
// WebAssembly, as compileStreaming asks.
test('the program runs from a server that does not know WebAssembly', async () => {
  await load('navigate', await newSite({wasmType: 'application/octet-stream'}));
  await page.type('10\n1000\n1300\n');
  await expectEndedWith(workedTrip);
});

// After one visit the page runs with no server at all, reloaded and
// navigated to afresh.
test('after one visit, the page runs with no network', async (t) => {
  const visited = await newSite();
  await load('navigate', visited);
  await page.waitFor(() => navigator.serviceWorker.controller !== null);
  await visited.stop();
  try {
    for (const how of ['reload', 'navigate']) {
      await t.test(how, async () => {
        await load(how, visited);
        assert.equal(await settled(), 'waiting');
        await page.type('10\n1000\n1300\n');
        await expectEndedWith(workedTrip);
      });
    }
  } finally {
    await visited.start();
  }
});

if (screenshots) {
  test('screenshots', async () => {
    for (const [width, height, touch, scheme, name] of [[390, 600, true, 'light', 'web-page-phone.png'],
                                                        [800, 420, false, 'dark', 'web-page.png']]) {
      await page.setSize(width, height, touch);
      await page.setColorScheme(scheme);
      await load();
      await page.type('10\n1000\n1300\n');
      await expectEndedWith(workedTrip);
      await page.screenshot(join(screenshots, name));
    }
  });
}
