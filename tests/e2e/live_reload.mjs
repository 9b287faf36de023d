// Live reload in a real browser: a page served by `velmora serve` shows the new text of a saved
// block without the test reloading it, shows the errors of a failed build over the page, and
// loses them with the next clean build.
// Usage: node live_reload.mjs URL BLOCK_FILE SCRIPT_FILE
import fs from 'node:fs';
import { chromium } from 'playwright-core';

const [url, blockFile, scriptFile] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run',
         '--disable-component-update', '--disable-sync', '--disable-quic'],
});
const problems = [];
try {
  const page = await browser.newPage();
  await page.goto(url, { waitUntil: 'load' });
  if (!(await page.textContent('body')).includes('Text before the save'))
    problems.push('the served page lacks the block text');
  // Only the page itself may reload: the test waits, it never navigates again.
  let started = Date.now();
  fs.writeFileSync(blockFile, '<p>Text after the save</p>\r\n');
  await page.waitForFunction(() => document.body && document.body.innerText.includes('Text after the save'),
                             null, { timeout: 10000 })
    .then(() => console.log(`new text shown ${Date.now() - started} ms after the save`))
    .catch(() => problems.push('the saved block did not show up in the open page'));

  const script = fs.readFileSync(scriptFile, 'latin1');
  fs.writeFileSync(scriptFile, script + '2,Broken,ZZ,broken.html\r\n', 'latin1');
  await page.waitForSelector('#velmora-errors', { state: 'visible', timeout: 10000 })
    .then(async () => {
      const text = await page.textContent('#velmora-errors');
      if (!text.includes('template: ZZ')) problems.push(`the overlay does not name the error: ${text}`);
    })
    .catch(() => problems.push('a build with errors showed no overlay'));

  fs.writeFileSync(scriptFile, script, 'latin1');
  await page.waitForSelector('#velmora-errors', { state: 'detached', timeout: 10000 })
    .catch(() => problems.push('the overlay stayed after a clean build'));
} finally {
  await browser.close();
}
for (const problem of problems) console.log(`PROBLEM: ${problem}`);
process.exit(problems.length ? 1 : 0);
