// Opens every page a site script names, as built, in headless chromium and fails when an image
// did not load, a local link or frame source names a missing file, or the console logged an error.
// With --accessibility it also runs axe-core on every page, in the light and the dark scheme and at
// phone width, and fails on a violation of impact serious or critical, or on a page that must be
// scrolled sideways at phone width; with --shots DIR it writes screenshots of the home page and
// the first page below it at desktop and phone size.
// Usage: node browser_check.mjs SITE_FOLDER [SCREENSHOT.png] [--accessibility] [--shots DIR]
// (the script is SITE_FOLDER/script.txt)
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const args = process.argv.slice(2);
let accessibility = false;
let shotsDir = null;
const positional = [];
for (let i = 0; i < args.length; ++i) {
  if (args[i] === '--accessibility') accessibility = true;
  else if (args[i] === '--shots') shotsDir = args[++i];
  else positional.push(args[i]);
}
const [siteDir, screenshot] = positional;
const executablePath = process.env.CHROMIUM || '/usr/bin/chromium';
const axeSource = accessibility
  ? fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8')
  : '';

const desktop = { width: 1280, height: 900 };
const phone = { width: 390, height: 844 };

// Page lines are "level,name,type,location,...": the location is the page's file in the site.
function scriptPages(dir) {
  const script = fs.readFileSync(path.join(dir, 'script.txt'), 'latin1');
  return script.split('\r\n')
    .map((line) => line.trim().split(','))
    .filter((fields) => /^\d+$/.test(fields[0]) && fields.length >= 4 && fields[3].includes('.'))
    .map((fields) => path.join(dir, ...fields[3].trim().split('\\')));
}

function localTarget(url) {
  if (!url.startsWith('file:')) return null;
  const u = new URL(url);
  u.hash = '';
  u.search = '';
  return fileURLToPath(u);
}

const browser = await chromium.launch({
  executablePath,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run',
         '--disable-component-update', '--disable-sync', '--disable-quic'],
});
const problems = [];
const pages = scriptPages(siteDir);

// Links, frames and images of a page as the browser loaded them.
async function checkLoaded(page, name) {
  for (const frame of page.frames()) {
    const found = await frame.evaluate(() => ({
      images: [...document.images].map((i) => ({ src: i.currentSrc || i.src, width: i.naturalWidth })),
      links: [...document.querySelectorAll('a[href]')].map((a) => a.href),
      frames: [...document.querySelectorAll('frame[src], iframe[src]')].map((f) => f.src),
    }));
    for (const image of found.images) {
      if (!(image.width > 0)) problems.push(`${name}: image not loaded: ${image.src}`);
    }
    for (const url of [...found.links, ...found.frames]) {
      const target = localTarget(url);
      if (target && !fs.existsSync(target)) problems.push(`${name}: missing target: ${url}`);
    }
  }
}

// axe-core's violations that keep someone from using the page; moderate and minor ones are
// matters of taste and not counted.
async function checkAccessibility(file, name) {
  const views = [
    { label: 'desktop light', viewport: desktop, colorScheme: 'light' },
    { label: 'desktop dark', viewport: desktop, colorScheme: 'dark' },
    { label: 'phone light', viewport: phone, colorScheme: 'light' },
  ];
  for (const view of views) {
    const page = await browser.newPage({ viewport: view.viewport, colorScheme: view.colorScheme });
    await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });
    await page.addScriptTag({ content: axeSource });
    const violations = await page.evaluate(async () => {
      const result = await globalThis.axe.run(document, { resultTypes: ['violations'] });
      return result.violations.map((v) => ({
        id: v.id, impact: v.impact, help: v.help, targets: v.nodes.map((n) => n.target.join(' ')),
      }));
    });
    for (const v of violations) {
      if (v.impact === 'serious' || v.impact === 'critical') {
        problems.push(`${name} (${view.label}): axe ${v.impact} ${v.id}: ${v.help} at ${v.targets.join(', ')}`);
      }
    }
    if (view.viewport === phone) {
      const wide = await page.evaluate(() => document.documentElement.scrollWidth);
      if (wide > phone.width) problems.push(`${name}: ${wide} pixels wide at phone width ${phone.width}`);
    }
    await page.close();
  }
}

async function shoot(file, stem) {
  for (const [size, viewport, colorScheme] of [['1280x900', desktop, 'light'], ['390x844', phone, 'light'],
                                               ['1280x900-dark', desktop, 'dark']]) {
    const page = await browser.newPage({ viewport, colorScheme });
    await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });
    await page.screenshot({ path: path.join(shotsDir, `${stem}-${size}.png`) });
    await page.close();
  }
}

for (const file of pages) {
  const page = await browser.newPage();
  if (!fs.existsSync(file)) {
    problems.push(`${path.relative(siteDir, file)}: page not written`);
    continue;
  }
  const name = path.relative(siteDir, file);
  page.on('console', (msg) => {
    if (msg.type() === 'error') problems.push(`${name}: console error: ${msg.text()}`);
  });
  page.on('pageerror', (err) => problems.push(`${name}: page error: ${err.message}`));
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });
  await checkLoaded(page, name);
  if (screenshot && path.basename(file) === 'index.html' && path.dirname(file) === siteDir) {
    fs.mkdirSync(path.dirname(screenshot), { recursive: true });
    await page.screenshot({ path: screenshot, fullPage: true });
  }
  await page.close();
  if (accessibility) await checkAccessibility(file, name);
}
if (shotsDir && pages.length > 2) {
  fs.mkdirSync(shotsDir, { recursive: true });
  await shoot(pages[0], 'home');
  await shoot(pages[2], 'page');
}
await browser.close();
for (const p of problems) console.log(p);
console.log(`${pages.length} pages opened, ${problems.length} problems`);
process.exit(problems.length === 0 && pages.length > 0 ? 0 : 1);
