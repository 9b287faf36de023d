// Opens every page a site script names, as built, in headless chromium and fails when an image
// did not load, a local link or frame source names a missing file, or the console logged an error.
// Usage: node browser_check.mjs SITE_FOLDER SCREENSHOT.png (the script is SITE_FOLDER/script.txt)
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [siteDir, screenshot] = process.argv.slice(2);
const executablePath = process.env.CHROMIUM || '/usr/bin/chromium';

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
  if (screenshot && path.basename(file) === 'index.html' && path.dirname(file) === siteDir) {
    fs.mkdirSync(path.dirname(screenshot), { recursive: true });
    await page.screenshot({ path: screenshot, fullPage: true });
  }
  await page.close();
}
await browser.close();
for (const p of problems) console.log(p);
console.log(`${pages.length} pages opened, ${problems.length} problems`);
process.exit(problems.length === 0 && pages.length > 0 ? 0 : 1);
