// The host's page in a real browser: Debian's Chromium, driven by playwright-core, on the real
// zanthost. The page must draw what is shown and hide what is frozen or off, and its clicks,
// right click, typed lines and Escape must reach the host's command line as a drafter's answers
// would. Dialogs on the page are dialog.test.mjs's.
import assert from "node:assert/strict";
import { after, before, describe, test } from "node:test";

import { EXAMPLE_DXF, kTimeout, prepareProductData, SELECTION_DXF, Session, ZANT_ARX } from
    "./session.mjs";

describe("the page over tests/data/selection/selection.dxf", () => {
  const session = new Session();
  before(() => session.start(SELECTION_DXF));
  after(() => session.stop());

  test("it draws shown layers and hides frozen and off ones", async () => {
    const drawing = await session.page.evaluate(() => window.zanthostPage.drawing());
    assert.equal(drawing.entities.length, 9);
    assert.ok(await session.drawnAt(5, 0) > 0, "the line on layer 0");
    assert.ok(await session.drawnAt(5, 5) > 0, "the line on layer Walls");
    assert.ok(await session.drawnAt(5, 40) > 0, "the line on a locked layer");
    assert.equal(await session.drawnAt(5, 30), 0, "the line on the frozen layer");
    assert.equal(await session.drawnAt(4, 22), 0, "the circle on the layer that is off");
  });

  test("clicks make a window, a right click ends the selection", async () => {
    const start = await session.logLength();
    await session.type("LIST");
    // Two clicks in empty places: an implied window from left to right around two lines.
    await session.click(-6, 10);
    await session.click(12, -1);
    const shown = await session.page.locator("#cursor").textContent();
    await session.click(30, 30, "right");
    await session.waitForOutput(start, /Handle = 35\n[^]*: $/);
    const log = await session.logSince(start);
    assert.match(log, /\n2 (found|trouvé\(s\))\n/);
    // The points typed are those the header shows under the cursor.
    const [typedX, typedY] = log.match(/: (-?[\d.]+),(-?[\d.]+)\n[^]*: (-?[\d.]+),(-?[\d.]+)\n/)
                                 .slice(3).map(Number);
    assert.ok(Math.abs(typedX - 12) < 0.5 && Math.abs(typedY + 1) < 0.5, log);
    assert.equal(shown, `${typedX},${typedY}`);
    assert.match(log, /Handle = 34\n[^]*Handle = 35\n/);
    assert.doesNotMatch(log, /Handle = 36/);
  });

  test("a prompt's keywords are buttons, and typed lines come back with the arrow keys",
       async () => {
    const page = session.page;
    const start = await session.logLength();
    await session.type("ARX");
    await page.locator("#keywords button", { hasText: "Commands" })
        .waitFor({ timeout: kTimeout });
    assert.deepEqual(await page.locator("#keywords button").allTextContents(),
                     ["?", "Load", "Unload", "Commands", "Options"]);
    await page.locator("#keywords button", { hasText: "Commands" }).click();
    await session.waitForOutput(start, /Options\]: Commands\n[^]*: $/);
    await page.waitForFunction(() => document.getElementById("keywords").childElementCount === 0,
                               null, { timeout: kTimeout });
    // The Command prompt again: the line typed before is one arrow up, the empty line one down.
    await page.locator("#line").press("ArrowUp");
    assert.equal(await page.locator("#line").inputValue(), "ARX");
    await page.locator("#line").press("ArrowDown");
    assert.equal(await page.locator("#line").inputValue(), "");
  });

  test("Escape cancels the prompt and QUIT ends the host", async () => {
    const start = await session.logLength();
    await session.type("LIST");
    await session.page.keyboard.press("Escape");
    await session.waitForOutput(start, /\*(Cancel|Annuler)\*\n.*: $/);
    await session.type("QUIT");
    assert.equal(await session.exit, 0);
    await session.page.waitForFunction(() => document.getElementById("line").disabled, null,
                                       { timeout: kTimeout });
  });
});

describe("the example template with the module loaded", () => {
  const session = new Session();
  before(() => session.start(EXAMPLE_DXF, ["--load", ZANT_ARX], prepareProductData));
  after(() => session.stop());

  test("the title block is drawn from its block", async () => {
    // The block reference at (120,172) shows its block's frame, 80 by 13.
    assert.ok(await session.drawnAt(160, 172) > 0, "the frame's bottom side");
    assert.ok(await session.drawnAt(200, 178) > 0, "the frame's right side");
    assert.equal(await session.drawnAt(160, 178), 0, "inside the frame, between its texts");
  });
});
