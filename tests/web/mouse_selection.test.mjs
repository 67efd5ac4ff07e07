// Selection with the mouse over tests/data/selection/selection.dxf, as drafters know it: a drag
// to the left is a crossing drawn dashed green, to the right a window drawn blue; Shift with a
// click removes (typed as R, the pick, A); picked entities are drawn highlighted until the
// prompt ends; panning takes the middle button, or the left one when nothing is asked.
import assert from "node:assert/strict";
import { after, before, describe, test } from "node:test";

import { kTimeout, SELECTION_DXF, Session } from "./session.mjs";

const kHighlight = [0xff, 0xd1, 0x66];

describe("selection by mouse on the page", () => {
  const session = new Session();
  before(() => session.start(SELECTION_DXF));
  after(() => session.stop());

  const waitingFor = (kind) => session.page.waitForFunction(
      (kind) => window.zanthostPage.waitingFor().kind === kind, kind, { timeout: kTimeout });

  async function screen(x, y) {
    const box = await session.page.locator("#view").boundingBox();
    const [sx, sy] =
        await session.page.evaluate(([x, y]) => window.zanthostPage.toScreen(x, y), [x, y]);
    return [box.x + sx, box.y + sy];
  }

  // The canvas pixel's colour at a drawing point.
  function colourAt(x, y) {
    return session.page.evaluate(([x, y]) => {
      const canvas = document.getElementById("view");
      const [sx, sy] = window.zanthostPage.toScreen(x, y);
      return [...canvas.getContext("2d").getImageData(Math.round(sx), Math.round(sy), 1, 1).data];
    }, [x, y]);
  }

  // Whether some pixel along a horizontal drawing segment has the highlight's colour.
  async function highlightedAlong(y, x0, x1) {
    for (let x = x0; x <= x1; x += 0.25) {
      for (const dy of [-0.05, 0, 0.05]) {
        const [r, g, b] = await colourAt(x, y + dy);
        if (Math.abs(r - kHighlight[0]) + Math.abs(g - kHighlight[1]) +
            Math.abs(b - kHighlight[2]) < 40) {
          return true;
        }
      }
    }
    return false;
  }

  test("crossing, window, Shift to remove, and the highlight", async () => {
    const page = session.page;
    const start = await session.logLength();
    await session.type("LIST");
    await waitingFor("selection");

    // Right to left: a crossing, tinted green while dragging, takes both lines it touches.
    await page.mouse.move(...await screen(12, 6));
    await page.mouse.down();
    await page.mouse.move(...await screen(5, -1), { steps: 6 });
    const [r, g, b, a] = await colourAt(11, 2.5);
    assert.ok(a > 0 && g > r && g > b, `crossing tint ${[r, g, b, a]}`);
    await page.mouse.up();
    await page.waitForFunction(() => window.zanthostPage.highlighted().length === 2, null,
                               { timeout: kTimeout });
    assert.deepEqual(await page.evaluate(() => window.zanthostPage.highlighted()), ["34", "35"]);
    assert.ok(await highlightedAlong(5, 1, 9), "the line 35 drawn highlighted");

    // Shift and a click on the line 34: removed, typed as a drafter would.
    await page.keyboard.down("Shift");
    await session.click(5, 0);
    await page.keyboard.up("Shift");
    await page.waitForFunction(() => window.zanthostPage.highlighted().length === 1, null,
                               { timeout: kTimeout });
    assert.deepEqual(await page.evaluate(() => window.zanthostPage.highlighted()), ["35"]);
    assert.match(await session.logSince(start), /: R\n[^]*: A\n/);
    assert.equal(await highlightedAlong(0, 1, 9), false, "the line 34 no longer highlighted");

    // Left to right, a window: tinted blue while dragging; it takes the text inside it only.
    await page.mouse.move(...await screen(18, -2));
    await page.mouse.down();
    await page.mouse.move(...await screen(33, 4), { steps: 6 });
    const [wr, wg, wb, wa] = await colourAt(31, 3);
    assert.ok(wa > 0 && wb > wr && wb > wg, `window tint ${[wr, wg, wb, wa]}`);
    await page.mouse.up();
    await page.waitForFunction(() => window.zanthostPage.highlighted().length === 2, null,
                               { timeout: kTimeout });
    assert.deepEqual(await page.evaluate(() => window.zanthostPage.highlighted()), ["35", "36"]);

    // Enter ends the selection (the command line kept the keyboard through the clicks): LIST
    // shows what was highlighted, and the highlight goes.
    await page.keyboard.press("Enter");
    await waitingFor("command");
    const log = await session.logSince(start);
    assert.match(log, /Handle = 35\n[^]*Handle = 36\n/);
    assert.doesNotMatch(log, /Handle = 34\n/);
    assert.deepEqual(await page.evaluate(() => window.zanthostPage.highlighted()), []);
  });

  test("the middle button pans anywhere, the left one where nothing is asked", async () => {
    const page = session.page;
    const before = await screen(0, 0);
    const mark = await session.logLength();
    await page.mouse.move(500, 300);
    await page.mouse.down({ button: "middle" });
    await page.mouse.move(540, 300, { steps: 4 });
    await page.mouse.up({ button: "middle" });
    const panned = await screen(0, 0);
    assert.ok(Math.abs(panned[0] - before[0] - 40) < 1, `${before} -> ${panned}`);
    await page.mouse.down();
    await page.mouse.move(500, 320, { steps: 4 });
    await page.mouse.up();
    const again = await screen(0, 0);
    assert.ok(Math.abs(again[0] - before[0]) < 1 && Math.abs(again[1] - before[1] - 20) < 1,
              `${before} -> ${again}`);
    // Nothing went to the host.
    assert.equal(await session.logSince(mark), "");
  });

  test("a point typed after zooming picks with the pick box of the view shown", async () => {
    const page = session.page;
    // Ten times fewer pixels a unit: the pick box (3 pixels) reaches 2 units off a line.
    const scale = await page.evaluate(() => view.scale);
    await page.mouse.move(500, 300);
    await page.mouse.wheel(0, Math.log(10) / 0.0015);
    const zoomed = await page.evaluate(() => view.scale);
    assert.ok(Math.abs(zoomed * 10 / scale - 1) < 0.01, `${scale} -> ${zoomed}`);
    await session.type("LIST");
    await waitingFor("selection");
    await session.type("5,2");
    await page.waitForFunction(() => window.zanthostPage.highlighted().length === 1, null,
                               { timeout: kTimeout });
    assert.deepEqual(await page.evaluate(() => window.zanthostPage.highlighted()), ["34"]);
    await page.keyboard.press("Escape");
    await waitingFor("command");
  });
});
