// Exits 0 when the system's chromium starts headless and offers WebGL2; otherwise
// prints why and exits 1.
import { launch } from './page-driver.mjs';

let browser = null;
try {
  browser = await launch(undefined);
  const page = await browser.newPage();
  const webgl2 = await page.evaluate(() => document.createElement('canvas').getContext('webgl2') !== null);
  if (!webgl2) {
    console.log('chromium offers no WebGL2 here');
    process.exitCode = 1;
  }
} catch (error) {
  console.log(`chromium cannot start: ${error.message.split('\n')[0]}`);
  process.exitCode = 1;
} finally {
  if (browser) await browser.close();
}
