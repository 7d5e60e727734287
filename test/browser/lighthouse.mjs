// Lighthouse's audits of the page, served from 127.0.0.1, in Chromium on
// its mobile preset: accessibility, best practices and SEO must all score
// 100. Performance is a measurement, not a pass or a fail: bench/page puts
// it in docs/performance.md.
//
//   node test/browser/lighthouse.mjs WEB_FOLDER
//
// $CHROMIUM names the browser (/usr/bin/chromium).
import assert from 'node:assert/strict';
import process from 'node:process';
import {test} from 'node:test';
import {launch} from 'chrome-launcher';
import lighthouse from 'lighthouse';
import {chromiumFlags} from './browsers.mjs';
import {serveFolder} from './server.mjs';

// Lighthouse's scores for the page at `address`, from 0 to 100, in each of
// `categories`; with desktop: true, on its desktop preset.
export async function lighthouseScores(address, categories, {desktop = false} = {}) {
  const chrome = await launch({
    chromePath: process.env.CHROMIUM || '/usr/bin/chromium',
    chromeFlags: ['--headless=new', ...chromiumFlags],
  });
  try {
    const config = desktop ? (await import('lighthouse/core/config/desktop-config.js')).default : undefined;
    const {lhr} = await lighthouse(address, {port: chrome.port, onlyCategories: categories,
                                            logLevel: 'error'}, config);
    return Object.fromEntries(categories.map((name) => [name, Math.round(100 * lhr.categories[name].score)]));
  } finally {
    await chrome.kill();
  }
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const folder = process.argv[2];
  if (!folder) {
    console.error('usage: node lighthouse.mjs WEB_FOLDER');
    process.exit(2);
  }
  test('Lighthouse scores accessibility, best practices and SEO 100', async () => {
    const site = await serveFolder(folder);
    try {
      const categories = ['accessibility', 'best-practices', 'seo'];
      assert.deepEqual(await lighthouseScores(site.address, categories),
                       Object.fromEntries(categories.map((name) => [name, 100])));
      assert.deepEqual(site.reports, []);
    } finally {
      await site.stop();
    }
  });
}
