// The server of the built page and Debian's headless Chromium, started before a test file's
// tests and ended after them.
import { after, before } from 'node:test';

import { launch, serve } from './browser.mjs';

export function session(site) {
  const running = {};
  before(async () => {
    running.server = await serve(site);
    running.browser = await launch();
  });
  after(async () => {
    await running.browser?.close();
    await running.server?.close();
  });
  return running;
}
