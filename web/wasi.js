// A worker that runs fuel-economy.wasm for the console on the page
// (fuel-economy.js), off the page's main thread, which stays free for the
// person typing: the program's first run compiles much of it, and every run
// starts it anew.
//
// It fetches and compiles the program while it downloads, then answers
// each message {chunks} with what runWasi resolves to for them, and any
// failure with {error}.
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
const wouldWait = {};

// Runs `module` from the start. `chunks` are what each read of standard
// input returns, in order, as a terminal gives them: a line with its line
// end, text sent without one (Ctrl+D), or null for the end of input.
// Resolves to the output, and to the exit status or, where a read found no
// chunk left, waiting: true with lastWrite, the text of the last write
// before that read (the prompt the program waits on, since it flushes each
// before it reads).
async function runWasi(module, chunks) {
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
  let lastWrite = 0;  // where the last write's text starts in output
  let next = 0;  // the chunk that the next read starts on
  let taken = 0;  // how much of it was read

  const system = {
    fd_write(fd, iovs, iovsLength, writtenOut) {
      if (fd !== 1 && fd !== 2) return errnoBadf;
      lastWrite = output.length;
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
      if (next === chunks.length) throw wouldWait;
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
    if (thrown === wouldWait) return {output, waiting: true, lastWrite: output.slice(lastWrite)};
    if (thrown instanceof Exit) return {output, status: thrown.status};
    throw thrown;
  }
}

// Compiled while it downloads, where the server says what it is.
const compiled = fetch('fuel-economy.wasm').then((response) => {
  if (!response.ok) throw new Error(`fuel-economy.wasm: ${response.status} ${response.statusText}`);
  const type = (response.headers.get('content-type') || '').split(';')[0].trim();
  if (WebAssembly.compileStreaming && type === 'application/wasm') {
    return WebAssembly.compileStreaming(response);
  }
  return response.arrayBuffer().then((code) => WebAssembly.compile(code));
});
compiled.catch(() => {});  // told to the page in answer to its first message

self.addEventListener('message', (event) => {
  compiled
    .then((module) => runWasi(module, event.data.chunks))
    .then((result) => self.postMessage(result), (error) => self.postMessage({error: error.message}));
});
