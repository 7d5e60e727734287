// Measures the page in each browser engine that its tests use: what a first
// visit transfers, how long the page takes to show its first prompt, and
// how long from an Enter to the next prompt; and Lighthouse's performance
// score on its mobile preset, in Chromium. Run it by hand on a quiet
// machine, after the wasi workflow and `npm ci` in test/browser:
//
//   node bench/page.mjs [WEB_FOLDER]     # build/wasi/web by default
//
// It prints a Markdown table and writes it into docs/performance.md, in
// place of the section that it wrote there last.
import {readFile, writeFile} from 'node:fs/promises';
import process from 'node:process';
import {brotliCompressSync, constants, gzipSync} from 'node:zlib';
import {engines, launch} from '../test/browser/browsers.mjs';
import {lighthouseScores} from '../test/browser/lighthouse.mjs';
import {serveFolder} from '../test/browser/server.mjs';

const folder = process.argv[2] ?? 'build/wasi/web';
const loads = 10;  // warm loads, after the first
const trips = 10;  // two Enters a trip that each lead to a prompt
const lighthouseRuns = 3;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const settled = (page) => page.waitFor(() => ['waiting', 'ended'].includes(document.body.dataset.state));
const firstPrompt = (page) => page.evaluate(() => performance.getEntriesByName('first prompt')[0].startTime);

// Every size of the files a visit fetched: as they are, with gzip -9 and
// brotli at its best, and as the server sent them.
async function weigh(sent) {
  const files = sent.filter((file) => !file.unchanged);
  const sizes = {files: files.length, raw: 0, gzip: 0, brotli: 0};
  for (const {name} of files) {
    const file = await readFile(`${folder}/${name}`);
    sizes.raw += file.length;
    sizes.gzip += gzipSync(file, {level: 9}).length;
    sizes.brotli += brotliCompressSync(file, {
      params: {[constants.BROTLI_PARAM_QUALITY]: constants.BROTLI_MAX_QUALITY},
    }).length;
  }
  return sizes;
}

async function measure(engine, site) {
  const browser = await launch(engine);
  try {
    const page = await browser.newPage();
    await page.setSize(800, 600);
    site.sent.length = 0;
    await page.goto(site.address);
    await settled(page);
    const cold = await firstPrompt(page);
    const toPrompt = await weigh(site.sent);
    await page.waitFor(() => navigator.serviceWorker.controller !== null);
    const withCopy = await weigh(site.sent);

    const warm = [];
    for (let load = 0; load < loads; load++) {
      await page.goto(site.address);
      await settled(page);
      warm.push(await firstPrompt(page));
    }

    // From an Enter's key event to the program's next prompt on the page.
    await page.evaluate(() => {
      window.enters = [];
      window.answers = [];
      document.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') window.enters.push(event.timeStamp);
      }, true);
      new MutationObserver(() => {
        if (document.body.dataset.state === 'waiting') window.answers.push(performance.now());
      }).observe(document.body, {attributes: true, attributeFilter: ['data-state']});
    });
    for (let trip = 0; trip < trips; trip++) {
      for (const reading of ['10', '1000', '1300']) {
        await page.type(`${reading}\n`);
        await settled(page);
      }
      await page.press('Enter');  // "Start again"
      await settled(page);
    }
    const [enters, answers] = await page.evaluate(() => [window.enters, window.answers]);
    // A trip's first and second readings lead to a prompt; its third to the
    // end, and "Start again" to a new first prompt, which are left out.
    const steps = [];
    for (let trip = 0; trip < trips; trip++) {
      for (const step of [0, 1]) steps.push(answers[3 * trip + step] - enters[4 * trip + step]);
    }
    return {engine, toPrompt, withCopy, cold, warm: median(warm), enter: median(steps)};
  } finally {
    await browser.close();
  }
}

const site = await serveFolder(folder);
const rows = [];
try {
  for (const engine of engines) rows.push(await measure(engine, site));
  const scores = [];
  for (let run = 0; run < lighthouseRuns; run++) {
    scores.push((await lighthouseScores(site.address, ['performance'])).performance);
  }
  rows.lighthouse = scores;
} finally {
  await site.stop();
}

const kilobytes = (bytes) => (bytes / 1000).toFixed(1);
const ms = (value) => value.toFixed(1);
const table = [
  '## The page',
  '',
  'Measured by `bench/page.mjs` in each engine that the page\'s tests drive',
  `(docs/web.md), served from 127.0.0.1 by the tests' server (brotli or gzip,`,
  '`Cache-Control: no-cache`, tags). Sizes in kB (1000 bytes): the files to',
  'the first prompt, and all that a first visit fetches once its service',
  'worker has kept its offline copy (a file the browser has already, and',
  'the server answers 304, is not counted). Times in ms: the first prompt after a',
  `navigation, in a new browser (cold) and the median of ${loads} navigations after`,
  `it (warm), and the median of ${2 * trips} Enters to the next prompt.`,
  '',
  '| engine | first prompt: files | raw | gzip -9 | brotli | with offline copy: files | raw | brotli | first prompt, cold | warm | Enter to next prompt |',
  '|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|',
  ...rows.map(({engine, toPrompt, withCopy, cold, warm, enter}) =>
    `| ${engine} | ${toPrompt.files} | ${kilobytes(toPrompt.raw)} | ${kilobytes(toPrompt.gzip)} | ` +
    `${kilobytes(toPrompt.brotli)} | ${withCopy.files} | ${kilobytes(withCopy.raw)} | ` +
    `${kilobytes(withCopy.brotli)} | ${ms(cold)} | ${ms(warm)} | ${ms(enter)} |`),
  '',
  `Lighthouse 12.2.3 on its mobile preset, in Chromium: performance ${rows.lighthouse.join(', ')}`,
  `in ${lighthouseRuns} runs.`,
  '',
].join('\n');
console.log(table);

const documentPath = new URL('../docs/performance.md', import.meta.url);
const text = await readFile(documentPath, 'utf8');
const start = text.indexOf('## The page\n');
const end = start < 0 ? -1 : text.indexOf('\n## ', start + 1);
await writeFile(documentPath, start < 0 ? `${text.trimEnd()}\n\n${table}` :
  text.slice(0, start) + table + (end < 0 ? '' : text.slice(end)));
