// Runs fuel-economy.wasm, the program itself built for WASI, as a console on
// this page: the prompts appear, the person types each reading and presses
// Enter, and the screen ends as a terminal's would.
//
// A browser cannot make the program wait in the middle of a read, so the
// page replays it instead: after each line typed, it runs the program again
// from the start on everything typed so far, and stops it where it asks for
// more. The program's output depends on its input alone, so each run writes
// what the last one did and then some more, which is added to the screen.
// (A worker whose reads wait would need the page served with cross-origin
// isolation, which a plain static file server does not give.)
//
// The program imports a handful of WASI functions; the small shim below
// answers them, and any other with ENOSYS. The script keeps to what every
// browser with WebAssembly runs (ECMAScript 2017).
'use strict';

const errnoBadf = 8;
const errnoNosys = 52;
const errnoSpipe = 70;
const filetypeCharacterDevice = 2;
const rightsFdRead = 1 << 1;
const rightsFdWrite = 1 << 6;

// Thrown through the program to end a run: at exit, or at a read that would
// wait for a line not yet typed.
class Exit {
  constructor(status) {
    this.status = status;
  }
}
const waiting = {};

// Runs `module` from the start. `chunks` are what each read of standard
// input returns, in order, as a terminal gives them: a line with its line
// end, text sent without one (Ctrl+D), or null for the end of input.
// Resolves to the output, and to the exit status or waiting: true.
async function run(module, chunks) {
  let memory;
  const view = () => new DataView(memory.buffer);
  const bytes = () => new Uint8Array(memory.buffer);
  // The memory that the i-th of the buffers at `iovs` describes.
  const buffer = (iovs, i) => {
    const base = view().getUint32(iovs + 8 * i, true);
    return bytes().subarray(base, base + view().getUint32(iovs + 8 * i + 4, true));
  };
  const decoder = new TextDecoder();
  let output = '';
  let next = 0;  // the chunk that the next read starts on
  let taken = 0;  // how much of it was read

  const system = {
    fd_write(fd, iovs, iovsLength, writtenOut) {
      if (fd !== 1 && fd !== 2) return errnoBadf;
      let written = 0;
      for (let i = 0; i < iovsLength; i++) {
        const part = buffer(iovs, i);
        output += decoder.decode(part, {stream: true});
        written += part.length;
      }
      view().setUint32(writtenOut, written, true);
      return 0;
    },
    fd_read(fd, iovs, iovsLength, readOut) {
      if (fd !== 0) return errnoBadf;
      if (next === chunks.length) throw waiting;
      const chunk = chunks[next];
      let read = 0;
      for (let i = 0; chunk !== null && i < iovsLength && taken < chunk.length; i++) {
        const target = buffer(iovs, i);
        const part = chunk.subarray(taken, taken + target.length);
        target.set(part);
        taken += part.length;
        read += part.length;
      }
      if (chunk === null || taken === chunk.length) {
        next++;
        taken = 0;
      }
      view().setUint32(readOut, read, true);
      return 0;
    },
    // Standard streams are a terminal's: character devices that cannot seek.
    fd_fdstat_get(fd, statOut) {
      if (fd > 2) return errnoBadf;
      for (let i = 0; i < 24; i++) view().setUint8(statOut + i, 0);
      view().setUint8(statOut, filetypeCharacterDevice);
      // The low half of the 64-bit rights: no right to seek or tell.
      view().setUint32(statOut + 8, fd === 0 ? rightsFdRead : rightsFdWrite, true);
      return 0;
    },
    fd_seek: () => errnoSpipe,
    fd_close: () => 0,
    environ_sizes_get(countOut, sizeOut) {
      view().setUint32(countOut, 0, true);
      view().setUint32(sizeOut, 0, true);
      return 0;
    },
    environ_get: () => 0,
    proc_exit(status) {
      throw new Exit(status);
    },
  };

  const imports = {};
  for (const {module: from, name, kind} of WebAssembly.Module.imports(module)) {
    if (kind === 'function') {
      if (!imports[from]) imports[from] = {};
      imports[from][name] = system[name] || (() => errnoNosys);
    }
  }
  const instance = await WebAssembly.instantiate(module, imports);
  memory = instance.exports.memory;
  try {
    instance.exports._start();
    return {output, status: 0};
  } catch (thrown) {
    if (thrown === waiting) return {output, waiting: true};
    if (thrown instanceof Exit) return {output, status: thrown.status};
    throw thrown;
  }
}

const screen = document.getElementById('screen');
const transcript = document.getElementById('transcript');
const line = document.getElementById('line');
const again = document.getElementById('again');
const encoder = new TextEncoder();

// A phone's decimal keypad has the separator of the phone's region, and the
// program reads a point only; where the region writes a comma, the full
// keyboard has the point.
if ((1.5).toLocaleString().indexOf('.') < 0) line.setAttribute('inputmode', 'text');

let module;
let chunks;
let shown;  // how much of the program's output is on the screen

// New text goes on the screen as a text node of its own, so that a screen
// reader announces that text alone.
function show(text) {
  if (text !== '') transcript.append(document.createTextNode(text));
}

function setState(state) {
  document.body.dataset.state = state;
}

async function replay() {
  setState('running');
  line.hidden = true;
  const result = await run(module, chunks);
  if (!result.output.startsWith(shown)) {
    throw new Error('the program wrote other text on the same input');
  }
  show(result.output.slice(shown.length));
  shown = result.output;
  if (result.waiting) {
    // The prompt is the last line on the screen.
    line.setAttribute('aria-label', shown.slice(shown.lastIndexOf('\n') + 1).trim());
    line.hidden = false;
    line.focus();
    setState('waiting');
  } else {
    again.hidden = false;
    again.focus();
    setState('ended');
  }
}

function send(text, chunk) {
  show(text);
  line.value = '';
  chunks.push(chunk);
  replay().catch(fail);
}

function start() {
  transcript.textContent = '';
  again.hidden = true;
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
    send(line.value + '\n', encoder.encode(line.value + '\n'));
  } else if (event.ctrlKey && (event.key === 'd' || event.key === 'D')) {
    // As on a terminal: what is typed goes without a line end, and on an
    // empty line the input ends.
    event.preventDefault();
    send(line.value, line.value === '' ? null : encoder.encode(line.value));
  }
});
// Anywhere on the console puts the cursor on the line being typed.
screen.addEventListener('click', () => {
  if (!line.hidden && window.getSelection().isCollapsed) line.focus();
});
again.addEventListener('click', start);

setState('loading');
fetch('fuel-economy.wasm')
  .then((response) => {
    if (!response.ok) throw new Error(`fuel-economy.wasm: ${response.status} ${response.statusText}`);
    return response.arrayBuffer();
  })
  .then((code) => WebAssembly.compile(code))
  .then((compiled) => {
    module = compiled;
    start();
  })
  .catch(fail);
