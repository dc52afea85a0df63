// Drives the web build in headless Chromium over the DevTools protocol
// (Node 20's own WebSocket, behind --experimental-websocket; no package needed).
//
//   node --experimental-websocket web/drive.mjs menu   <build-web> <screenshot.png>   the page reaches the menu, no console error
//   node --experimental-websocket web/drive.mjs replay <build-web> <file.journal>     replays a journal; exit code as sorca --replay
//   node --experimental-websocket web/drive.mjs play   <build-web> <screenshot.png> <steps.json>  clicks and keys, then a picture
//
// Every run prints what the page printed and the figures it measured.
import { spawn } from 'node:child_process';
import { copyFileSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { serve } from './serve.mjs';

const [mode, folderArg, target, stepsFile] = process.argv.slice(2);
if (!['menu', 'replay', 'play'].includes(mode) || !folderArg || !target) {
  console.error('usage: node --experimental-websocket web/drive.mjs menu|replay|play <build-web> <png-or-journal> [steps.json]');
  process.exit(2);
}
const folder = resolve(folderArg);
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

function launchChromium(profile) {
  const chromium = spawn(process.env.CHROMIUM ?? 'chromium', [
    '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--autoplay-policy=no-user-gesture-required', '--no-first-run', '--no-default-browser-check',
    '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
    '--disable-backgrounding-occluded-windows', '--no-sandbox', '--window-size=800,700',
    `--user-data-dir=${profile}`, '--remote-debugging-port=0', 'about:blank',
  ], { stdio: ['ignore', 'ignore', 'pipe'] });
  return new Promise((found, failed) => {
    let said = '';
    chromium.stderr.on('data', (chunk) => {
      said += chunk;
      const match = said.match(/DevTools listening on (ws:\/\/\S+)/);
      if (match) found({ chromium, endpoint: match[1] });
    });
    chromium.on('exit', (code) => failed(new Error(`chromium ended (${code}) before it listened:\n${said}`)));
  });
}

class DevTools {
  constructor(socket) {
    this.socket = socket;
    this.next = 1;
    this.waiting = new Map();
    this.listeners = [];
    socket.addEventListener('message', (event) => {
      const message = JSON.parse(event.data);
      if (message.id && this.waiting.has(message.id)) {
        const { done, failed } = this.waiting.get(message.id);
        this.waiting.delete(message.id);
        if (message.error) failed(new Error(JSON.stringify(message.error))); else done(message.result);
      } else if (message.method) {
        for (const listen of this.listeners) listen(message);
      }
    });
  }
  static open(url) {
    const socket = new WebSocket(url);
    return new Promise((done, failed) => {
      socket.addEventListener('open', () => done(new DevTools(socket)));
      socket.addEventListener('error', () => failed(new Error(`cannot reach ${url}`)));
    });
  }
  send(method, params = {}, sessionId) {
    const id = this.next++;
    this.socket.send(JSON.stringify({ id, method, params, sessionId }));
    return new Promise((done, failed) => this.waiting.set(id, { done, failed }));
  }
}

async function openPage(tools, url) {
  const { targetId } = await tools.send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await tools.send('Target.attachToTarget', { targetId, flatten: true });
  const page = (method, params) => tools.send(method, params, sessionId);
  const problems = [];
  tools.listeners.push((message) => {
    if (message.sessionId !== sessionId) return;
    if (message.method === 'Runtime.consoleAPICalled') {
      const text = message.params.args.map((arg) => arg.value ?? arg.description ?? '').join(' ');
      if (message.params.type === 'error') problems.push(`console error: ${text}`);
      if (process.env.SORCA_WEB_VERBOSE) console.log(`  [page] ${text}`);
    } else if (message.method === 'Runtime.exceptionThrown') {
      const details = message.params.exceptionDetails;
      problems.push(`exception: ${details.exception?.description ?? details.text}`);
    } else if (message.method === 'Log.entryAdded' && message.params.entry.level === 'error') {
      problems.push(`browser error: ${message.params.entry.text} ${message.params.entry.url ?? ''}`);
    }
  });
  await page('Runtime.enable');
  await page('Log.enable');
  await page('Page.enable');
  await page('Emulation.setDeviceMetricsOverride', { width: 800, height: 640, deviceScaleFactor: 1, mobile: false });
  await page('Page.navigate', { url });
  const evaluate = async (expression) =>
    (await page('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true })).result.value;
  return { page, evaluate, problems };
}

async function waitFor(evaluate, expression, seconds) {
  const deadline = Date.now() + seconds * 1000;
  while (Date.now() < deadline) {
    if (await evaluate(expression)) return true;
    await sleep(250);
  }
  return false;
}

async function screenshot(page, file) {
  // The canvas alone, at its own 800 x 600 pixels.
  const { data } = await page('Page.captureScreenshot', { format: 'png', captureBeyondViewport: false,
    clip: { x: 0, y: 0, width: 800, height: 600, scale: 1 }, fromSurface: true });
  writeFileSync(file, Buffer.from(data, 'base64'));
}

async function key(page, code, keyName, keyCode) {
  for (const type of ['keyDown', 'keyUp']) {
    await page('Input.dispatchKeyEvent', { type, code, key: keyName, windowsVirtualKeyCode: keyCode });
    await sleep(60);
  }
}

async function click(page, x, y) {
  await page('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
  await sleep(60);
  for (const type of ['mousePressed', 'mouseReleased']) {
    await page('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    await sleep(80);
  }
}

// The canvas fills a page of 800 x 640 as 800 x 600 at the top, so page
// pixels are game window pixels.
async function playSteps(page, evaluate, steps) {
  for (const step of steps) {
    if (step.move) await page('Input.dispatchMouseEvent', { type: 'mouseMoved', x: step.move[0], y: step.move[1] });
    if (step.click) await click(page, step.click[0], step.click[1]);
    if (step.key) await key(page, step.key.code, step.key.key, step.key.keyCode);
    if (step.frames) {
      const until = (await evaluate('sorca.frames')) + step.frames;
      await waitFor(evaluate, `sorca.frames >= ${until}`, 120);
    }
  }
}

async function main() {
  const profile = mkdtempSync(join(tmpdir(), 'sorca-chromium-'));
  let server, chromium;
  const results = {};
  try {
    if (mode === 'replay') copyFileSync(target, join(folder, 'session.journal'));
    const port = await new Promise((done) => { server = serve(folder, done); });
    const launched = await launchChromium(profile);
    chromium = launched.chromium;
    const tools = await DevTools.open(launched.endpoint);
    const query = mode === 'replay' ? '?replay=session.journal&speed=0' : '';
    const started = Date.now();
    const { page, evaluate, problems } = await openPage(tools, `http://127.0.0.1:${port}/${query}`);
    const menuReached = await waitFor(evaluate, 'window.sorca && sorca.frames >= 30', 180);
    results.firstFrameMs = await evaluate('window.sorca && sorca.firstFrameMs');
    let code = 0;
    if (!menuReached) {
      problems.push('the game drew no 30 frames within three minutes');
    } else if (mode === 'menu') {
      // As the desktop's menu picture is taken: the logo skipped, the
      // buttons faded in, the pointer over Start.
      await playSteps(page, evaluate, [{ key: { code: 'Space', key: ' ', keyCode: 32 } }, { frames: 120 },
        { move: [400, 250] }, { frames: 30 }]);
      await screenshot(page, target);
    } else if (mode === 'play') {
      await playSteps(page, evaluate, JSON.parse(readFileSync(stepsFile, 'utf8')));
      await screenshot(page, target);
    } else {
      const ended = await waitFor(evaluate, 'sorca.exitCode !== null', Number(process.env.SORCA_WEB_REPLAY_SECONDS ?? 1500));
      results.seconds = (Date.now() - started) / 1000;
      results.frames = await evaluate('sorca.frames');
      results.exitCode = ended ? await evaluate('sorca.exitCode') : 'none (timed out)';
      code = results.exitCode === 0 ? 0 : 1;
    }
    const lines = await evaluate('window.sorca ? sorca.lines : []');
    for (const line of lines ?? []) console.log(`  sorca> ${line}`);
    for (const problem of problems) console.log(`  PROBLEM: ${problem}`);
    console.log(JSON.stringify(results));
    if (problems.length > 0 && code === 0) code = 1;
    process.exitCode = code;
  } finally {
    if (chromium && chromium.exitCode === null) {
      const ended = new Promise((done) => chromium.once('exit', done));
      chromium.kill();
      await Promise.race([ended, sleep(5000)]);
    }
    server?.close();
    if (mode === 'replay') rmSync(join(folder, 'session.journal'), { force: true });
    rmSync(profile, { recursive: true, force: true, maxRetries: 5, retryDelay: 200 });
  }
}

main().catch((error) => { console.error(`drive.mjs: ${error.message}`); process.exit(2); });
