// One way to drive a page in each of the three browser engines that Debian
// packages, so that a test is written once for all of them:
//
//   chromium  Debian's chromium, headless, over the DevTools protocol
//   firefox   Debian's firefox-esr, headless, over WebDriver BiDi
//   webkit    WebKitGTK's MiniBrowser under Xvfb, through WebKitWebDriver
//             over plain WebDriver (the engine of every browser on iOS)
//
// puppeteer-core drives the first two; WebKitGTK's driver speaks only plain
// WebDriver, which needs no more than fetch. Each browser is the one
// installed here: $CHROMIUM, $FIREFOX and $WEBKIT_WEBDRIVER name others.
import {spawn} from 'node:child_process';
import {writeFile} from 'node:fs/promises';
import {createServer} from 'node:net';
import process from 'node:process';
import {setTimeout as sleep} from 'node:timers/promises';
import puppeteer from 'puppeteer-core';

export const engines = ['chromium', 'firefox', 'webkit'];

// How Chromium is started, by this driver and by Lighthouse: no sandbox,
// since CI runs as root, and nothing of Google's to reach.
export const chromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// A page: what a test does with it, the same in every engine.
//   goto(url)                  loads it and waits for the load event
//   reload()                   loads it again, and waits the same way
//   setSize(width, height, touch)
//                              the viewport, in CSS pixels; touch: a touch
//                              screen is the pointer (Chromium only)
//   type(text)                 keys typed as one burst; \n is Enter
//   press(key)                 'Enter' or 'Control+D'
//   evaluate(fn, ...args)      fn run in the page; its JSON result
//   addScript(source)          a script run in the page, above its policy
//   waitFor(fn, ...args)       until fn in the page returns a true value
//   hasAccessibleName(selector, name)
//                              whether a screen reader calls it that
//   screenshot(file)           a PNG of the viewport
//   problems()                 errors the page has met: uncaught, or logged
// and in Chromium alone, where the DevTools protocol can:
//   setColorScheme(scheme)     the colour scheme the page is told to prefer
//   installabilityErrors()     why Chromium would not install the page
export async function launch(engine) {
  if (engine === 'webkit') return launchWebKit();
  const browser = await puppeteer.launch(engine === 'firefox' ? {
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
  } : {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: chromiumFlags,
  });
  return {
    async newPage() {
      const page = await browser.newPage();
      const problems = [];
      page.on('pageerror', (error) => problems.push(error.message));
      page.on('console', (message) => {
        if (message.type() === 'error') problems.push(message.text());
      });
      return {
        goto: (url) => page.goto(url),
        reload: () => page.reload(),
        setSize: (width, height, touch = false) =>
          page.setViewport({width, height, ...(touch && {hasTouch: true, isMobile: true})}),
        type: (text) => page.keyboard.type(text),
        async press(key) {
          if (key === 'Control+D') {
            await page.keyboard.down('Control');
            await page.keyboard.press('d');
            await page.keyboard.up('Control');
          } else {
            await page.keyboard.press(key);
          }
        },
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        addScript: (source) => page.evaluate(source),
        waitFor: (fn, ...args) => page.waitForFunction(fn, {polling: 10}, ...args),
        // Over BiDi, an element's name can only be looked for, not read.
        async hasAccessibleName(selector, name) {
          const element = await page.$(selector);
          for (const named of await page.$$(`::-p-aria([name=${JSON.stringify(name)}])`)) {
            if (await page.evaluate((a, b) => a === b, named, element)) return true;
          }
          return false;
        },
        screenshot: (file) => page.screenshot({path: file}),
        problems: () => problems,
        setColorScheme: (scheme) =>
          page.emulateMediaFeatures([{name: 'prefers-color-scheme', value: scheme}]),
        async installabilityErrors() {
          const session = await page.createCDPSession();
          const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
          await session.detach();
          return installabilityErrors;
        },
        close: () => page.close(),
      };
    },
    close: () => browser.close(),
  };
}

async function freePort() {
  const server = createServer();
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const {port} = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

const webDriverKeys = {'\n': '\uE007', Enter: '\uE007', Control: '\uE009'};

async function launchWebKit() {
  const port = await freePort();
  // Its own process group, so that closing ends Xvfb and the browser too.
  const driver = spawn('xvfb-run', ['-a', process.env.WEBKIT_WEBDRIVER || 'WebKitWebDriver',
                                    `--port=${port}`], {detached: true, stdio: 'ignore'});
  const exited = new Promise((resolve) => driver.on('exit', resolve));
  const base = `http://127.0.0.1:${port}`;
  async function call(method, path, body) {
    const response = await fetch(base + path, {
      method, headers: {'content-type': 'application/json'},
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const {value} = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }
  for (let tries = 0; ; tries++) {
    try {
      if ((await call('GET', '/status')).ready) break;
    } catch (error) {
      if (tries === 200) throw error;
    }
    await sleep(50);
  }

  return {
    async newPage() {
      const {sessionId} = await call('POST', '/session', {capabilities: {}});
      const session = (method, path, body) => call(method, `/session/${sessionId}${path}`, body);
      const evaluate = (fn, ...args) =>
        session('POST', '/execute/sync', {script: `return (${fn}).apply(null, arguments);`, args});
      const element = async (selector) => Object.values(
          await session('POST', '/element', {using: 'css selector', value: selector}))[0];
      const keys = (...values) => session('POST', '/actions', {actions: [{
        type: 'key', id: 'keyboard',
        actions: values.flatMap(([kind, value]) => [{type: kind, value: webDriverKeys[value] || value}]),
      }]});
      return {
        goto: (url) => session('POST', '/url', {url}),
        reload: () => session('POST', '/refresh', {}),
        async setSize(width, height) {
          // The window's rectangle holds its frame too: grow it by the difference.
          await session('POST', '/window/rect', {width, height});
          const [innerWidth, innerHeight] = await evaluate(() => [window.innerWidth, window.innerHeight]);
          await session('POST', '/window/rect', {width: 2 * width - innerWidth, height: 2 * height - innerHeight});
        },
        type: (text) => keys(...[...text].flatMap((key) => [['keyDown', key], ['keyUp', key]])),
        press: (key) => (key === 'Control+D' ?
          keys(['keyDown', 'Control'], ['keyDown', 'd'], ['keyUp', 'd'], ['keyUp', 'Control']) :
          keys(['keyDown', key], ['keyUp', key])),
        evaluate,
        addScript: (source) => session('POST', '/execute/sync', {script: source, args: []}),
        async waitFor(fn, ...args) {
          for (let start = Date.now(); !(await evaluate(fn, ...args)); await sleep(10)) {
            if (Date.now() - start > 30000) throw new Error(`timed out waiting for ${fn}`);
          }
        },
        hasAccessibleName: async (selector, name) =>
          name === await session('GET', `/element/${await element(selector)}/computedlabel`),
        async screenshot(file) {
          await writeFile(file, Buffer.from(await session('GET', '/screenshot'), 'base64'));
        },
        // Plain WebDriver hears nothing of the page's errors; the page
        // shows its own failures, which the tests look for.
        problems: () => [],
        close: () => session('DELETE', ''),
      };
    },
    async close() {
      process.kill(-driver.pid, 'SIGTERM');
      await exited;
    },
  };
}
