// The page as a person uses it: served from 127.0.0.1, opened in headless
// Chromium, readings typed on the keyboard. After every line the console on
// the page must show what a terminal shows at that point, line by line.
//
//   node test/browser/page_test.mjs WEB_FOLDER [--screenshot FILE]
//
// WEB_FOLDER holds the page, its script and fuel-economy.wasm (a WASI
// build's web/ folder). $CHROMIUM names the browser (/usr/bin/chromium).
import assert from 'node:assert/strict';
import {readFile} from 'node:fs/promises';
import {createServer} from 'node:http';
import {extname, join} from 'node:path';
import process from 'node:process';
import {after, before, test} from 'node:test';
import {chromium} from 'playwright-core';

const [folder, option, screenshot] = process.argv.slice(2);
if (!folder || (option && (option !== '--screenshot' || !screenshot))) {
  console.error('usage: node page_test.mjs WEB_FOLDER [--screenshot FILE]');
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

// What is typed (a line per Enter; null is Ctrl+D on an empty line) and the
// terminal's whole picture at the end.
const trips = [
  {name: 'the worked trip', typed: ['10', '1000', '1300'],
   screen: [gallons + '10', start + '1000', end + '1300', '', ...results('30', '12.7043')]},
  {name: 'fractional readings', typed: ['2.5', '12000.4', '12099.9'],
   screen: [gallons + '2.5', start + '12000.4', end + '12099.9', '', ...results('39.8', '16.8544')]},
  {name: 'a six-digit result', typed: ['7', '0', '1234567'],
   screen: [gallons + '7', start + '0', end + '1234567', '', ...results('176367', '74687.3')]},
  {name: 'all readings on one line', typed: ['12.5 45210 45600'],
   screen: [gallons + '12.5 45210 45600', start + end, ...results('31.2', '13.2125')]},
  {name: 'an end reading below the start', typed: ['10', '300', '200'],
   screen: [gallons + '10', start + '300', end + '200', '', ...invalid]},
  {name: 'a first reading that is no number', typed: ['ten'],
   screen: [gallons + 'ten', start + end, ...invalid]},
  {name: 'a reading with a comma', typed: ['1,5'],
   screen: [gallons + '1,5', start + end, ...invalid]},
  {name: 'the input ended at the second prompt', typed: ['10', null],
   screen: [gallons + '10', start + end, ...invalid]},
];

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};
const server = createServer(async (request, response) => {
  const path = new URL(request.url, 'http://127.0.0.1').pathname;
  const name = path === '/' ? 'index.html' : path.slice(1);
  try {
    if (name.includes('/') || name.includes('..')) throw new Error('outside the folder');
    const body = await readFile(join(folder, name));
    response.writeHead(200, {'content-type': types[extname(name)] ?? 'application/octet-stream'});
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});

let browser;
let page;
let loads = 0;

before(async () => {
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    // No sandbox, since CI runs as root; nothing of Google's to reach.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update',
           '--disable-sync'],
  });
  page = await browser.newPage({viewport: {width: 720, height: 480}});
  page.on('load', () => loads++);
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await settled();
  assert.deepEqual(problems, []);
});

after(async () => {
  await browser?.close();
  server.close();
});

// Waits until the program waits for a line or has ended, and says which.
async function settled() {
  await page.waitForFunction(() => ['waiting', 'ended', 'failed'].includes(document.body.dataset.state));
  return page.evaluate(() => document.body.dataset.state);
}

async function screenLines() {
  return (await page.locator('#screen').innerText()).split('\n');
}

// Each trip starts where the last one ended, with the button that starts
// the program again, so the page is loaded once for them all.
for (const [index, trip] of trips.entries()) {
  test(`the page shows ${trip.name} as a terminal does`, async () => {
    if (index > 0) {
      assert.equal(await settled(), 'ended');
      await page.keyboard.press('Enter');  // the focused button
    }
    assert.equal(await settled(), 'waiting');
    assert.deepEqual(await screenLines(), [gallons]);

    for (const typed of trip.typed) {
      assert.equal(await page.evaluate(() => document.activeElement.id), 'line');
      if (typed === null) {
        await page.keyboard.press('Control+D');
      } else {
        await page.keyboard.type(typed);
        await page.keyboard.press('Enter');
      }
      const state = await settled();
      const lines = await screenLines();
      if (state === 'waiting') {
        // A picture of the dialogue so far: every line but the last, which
        // ends on the prompt that waits.
        const shown = lines.length - 1;
        assert.deepEqual(lines.slice(0, shown), trip.screen.slice(0, shown));
        assert.ok(trip.screen[shown].startsWith(lines[shown]), `"${lines[shown]}" begins no line`);
      }
    }
    assert.equal(await settled(), 'ended');
    assert.deepEqual(await screenLines(), trip.screen);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
  });
}

test('every trip ran on the one load of the page', () => {
  assert.equal(loads, 1);
});

test('a screenshot, when asked for', {skip: !screenshot}, async () => {
  await page.keyboard.press('Enter');
  assert.equal(await settled(), 'waiting');
  for (const typed of ['10', '1000', '1300']) {
    await page.keyboard.type(typed);
    await page.keyboard.press('Enter');
    await settled();
  }
  await page.screenshot({path: screenshot});
});
