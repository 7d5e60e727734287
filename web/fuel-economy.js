// Runs fuel-economy.wasm, the program itself built for WASI, as a console on
// this page: the prompts appear, the person types each reading and presses
// Enter, and the screen shows what a terminal shows.
//
// A browser cannot make the program wait in the middle of a read, so the
// page replays it instead: after each line typed, a worker (wasi.js) runs
// the program again from the start on everything typed so far, and stops
// it where it asks for more. The program's output depends on its input
// alone, so each run writes what the last one did and then some more, which
// is added to the screen. (A worker whose reads wait would need the page
// served with cross-origin isolation, which a plain static file server does
// not give.)
//
// Like a terminal, the page keeps every key typed while the program is busy
// (its type-ahead): lines ended meanwhile wait in a queue, shown where they
// were typed, and are handed over one a read, in order. The field is never
// hidden or blurred between readings, so a phone keeps its keyboard open.
// ECMAScript 2017, which every browser with WebAssembly runs.
'use strict';

const screen = document.getElementById('screen');
const transcript = document.getElementById('transcript');
const ahead = document.getElementById('ahead');
const line = document.getElementById('line');
const again = document.getElementById('again');
const encoder = new TextEncoder();

// A phone's decimal keypad has the separator of the phone's region, and the
// program reads a point only; where the region writes a comma, the full
// keyboard has the point.
if ((1.5).toLocaleString().indexOf('.') < 0) line.setAttribute('inputmode', 'text');

let state;
let chunks;  // what the program has been handed: a line, or null for the end
let shown;  // how much of the program's output is on the screen
// Lines ended while the program was busy, not yet handed to it: what the
// screen shows for each (its echo) and what a read returns (its chunk).
let typedAhead = [];

function setState(next) {
  if (next === 'waiting' && performance.getEntriesByName('first prompt').length === 0) {
    // The page is of use: bench/page measures to here, and only now is a
    // copy of the site kept for use offline.
    performance.mark('first prompt');
    keepForOffline();
  }
  state = next;
  document.body.dataset.state = next;
}

// New text goes on the screen as a text node of its own, so that a screen
// reader announces that text alone.
function show(text) {
  if (text !== '') transcript.append(document.createTextNode(text));
}

// The field runs from the cursor, where the screen's text ends, to the end
// of that line, as the rest of a terminal's line is the cursor's to fill.
function fitLine() {
  if (line.hidden) return;
  line.style.width = '1ch';
  const room = screen.getBoundingClientRect().right - line.getBoundingClientRect().left;
  line.style.width = `${Math.max(Math.floor(room) - 1, 8)}px`;
}

function showAhead() {
  ahead.textContent = typedAhead.map((typed) => typed.echo).join('');
  fitLine();
}

// The first line typed ahead goes to the program, as its next read.
function handOver() {
  const typed = typedAhead.shift();
  showAhead();
  show(typed.echo);
  chunks.push(typed.chunk);
  replay().catch(fail);
}

// The program runs in a worker, one run at a time: a replay starts only
// when the program waits or has ended, or the page has just loaded.
let worker;
let answer;
function startWorker() {
  const started = new Worker('wasi.js');
  started.addEventListener('message', (event) => answer(event.data));
  started.addEventListener('error', (event) => {
    event.preventDefault();
    fail(new Error(event.message || 'wasi.js did not start'));
  });
  return started;
}

async function replay() {
  setState('running');
  if (!worker) worker = startWorker();
  const result = await new Promise((resolve) => {
    answer = resolve;
    worker.postMessage({chunks});
  });
  if (result.error !== undefined) throw new Error(result.error);
  if (!result.output.startsWith(shown)) {
    throw new Error('the program wrote other text on the same input');
  }
  show(result.output.slice(shown.length));
  shown = result.output;
  if (result.waiting) {
    // Named by the prompt it answers, which the program wrote last; the
    // line ends before it on the screen may be the person's own.
    const prompt = result.lastWrite;
    line.setAttribute('aria-label', prompt.slice(prompt.lastIndexOf('\n') + 1).trim());
    if (typedAhead.length > 0) {
      handOver();
    } else {
      setState('waiting');
      fitLine();
    }
  } else {
    // As after a program on a terminal, what it did not read is gone.
    typedAhead = [];
    showAhead();
    again.hidden = false;
    setState('ended');
    again.focus();
    line.hidden = true;
  }
}

function type(echo, chunk) {
  line.value = '';
  typedAhead.push({echo, chunk});
  showAhead();
  if (state === 'waiting') handOver();
}

function start() {
  transcript.textContent = '';
  again.hidden = true;
  line.hidden = false;
  // Within the tap on "Start again", so that a phone opens its keyboard.
  line.focus();
  chunks = [];
  shown = '';
  replay().catch(fail);
}

function fail(error) {
  line.hidden = true;
  show(`\nThe program could not run here: ${error.message}\n`);
  setState('failed');
}

line.addEventListener('keydown', (event) => {
  if (event.key === 'Enter') {
    event.preventDefault();
    type(line.value + '\n', encoder.encode(line.value + '\n'));
  } else if (event.ctrlKey && (event.key === 'd' || event.key === 'D')) {
    // As on a terminal: what is typed goes without a line end, and on an
    // empty line the input ends.
    event.preventDefault();
    type(line.value, line.value === '' ? null : encoder.encode(line.value));
  }
});
// Anywhere on the console puts the cursor on the line being typed.
screen.addEventListener('click', () => {
  if (!line.hidden && window.getSelection().isCollapsed) line.focus();
});
again.addEventListener('click', start);
window.addEventListener('resize', fitLine);

// Keys typed while the program loads are kept too.
line.focus();
fitLine();
start();

// Kept for use with no network (service-worker.js), where the page is
// served; once the first prompt is up, so that keeping a copy of the site
// does not compete with the program's own download.
function keepForOffline() {
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('service-worker.js', {updateViaCache: 'none'}).catch(() => {});
  }
}
