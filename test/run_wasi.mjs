// Runs a program built for WASI under Node's own WASI, as the emulator of
// the WebAssembly build's tests (cmake/toolchain.cmake):
//
//   node --no-warnings test/run_wasi.mjs PROGRAM.wasm [ARGUMENT...]
//
// The program gets this process's standard streams, arguments and
// environment, and the file system from / (the corpus replays read files by
// their absolute paths); its exit status becomes this process's. A trap
// ends this process with Node's report of it and status 1.
import { readFileSync } from 'node:fs';
import process from 'node:process';
import { WASI } from 'node:wasi';

const [program, ...args] = process.argv.slice(2);
const wasi = new WASI({
  version: 'preview1',
  args: [program, ...args],
  env: process.env,
  preopens: { '/': '/' },
  returnOnExit: true,
});
const imports = wasi.getImportObject();

// Node makes a terminal's descriptors non-blocking as it starts a module, so
// that a read finds no line yet (EAGAIN) where the program should wait for
// one; a write to a full terminal likewise. Both wait and try again.
const again = 6;  // WASI's EAGAIN
const pause = new Int32Array(new SharedArrayBuffer(4));
const system = imports.wasi_snapshot_preview1;
for (const name of ['fd_read', 'fd_write']) {
  const call = system[name];
  system[name] = (...callArgs) => {
    let result;
    while ((result = call(...callArgs)) === again) Atomics.wait(pause, 0, 0, 10);
    return result;
  };
}

const module = await WebAssembly.compile(readFileSync(program));
const instance = await WebAssembly.instantiate(module, imports);
process.exitCode = wasi.start(instance) ?? 0;
