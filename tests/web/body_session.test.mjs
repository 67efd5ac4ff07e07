// A drafter's session on the page, mouse only: the body command started from its toolbar
// button, the body and the repeated row picked by window drags, the dialog answered by clicks,
// the distance shown by two clicks and the condition text picked by one click, then QSAVE. The
// saved drawing must hold exactly the template records that the same answers, typed as
// coordinates in a script, give at the terminal.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { after, before, describe, test } from "node:test";

import { EXAMPLE_DXF, kTimeout, prepareProductData, Session, ZANT_ARX, ZANTHOST } from
    "./session.mjs";

const { PYTHON3, ZANT_TEST_ARTIFACTS, ZANTINSPECT } = process.env;
const HERE = path.dirname(new URL(import.meta.url).pathname);

// The template records of a drawing, by handle, as ezdxf reads the file.
function records(drawing) {
  return JSON.parse(execFileSync(PYTHON3, [path.join(HERE, "template_records.py"), drawing],
                                 { encoding: "utf8" }));
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

describe("the body command by mouse on tests' copy of example/template.dxf", () => {
  const session = new Session();
  const prompts = [];  // the "prompt" messages the page received, in order
  const sent = [];     // what the page sent, in order
  let rulesFolder;

  before(async () => {
    // The page tints the template's sections as the inspector colours them, so that the
    // screenshot shows what the session marked.
    rulesFolder = mkdtempSync(path.join(tmpdir(), "zant-tint-"));
    const rules = path.join(rulesFolder, "tint.json");
    writeFileSync(rules, execFileSync(ZANTINSPECT, ["--tint-rules"], { encoding: "utf8" }));
    await session.start(EXAMPLE_DXF, ["--load", ZANT_ARX, "--tint", rules], prepareProductData);
    // The page's conversation with the host, from a fresh connection on.
    session.page.on("websocket", (socket) => {
      socket.on("framesent", (frame) => sent.push(frame.payload));
      socket.on("framereceived", (frame) => {
        const message = JSON.parse(frame.payload);
        if (message.type === "prompt") prompts.push(message);
      });
    });
    await session.page.reload();
    await session.page.waitForFunction(() => window.zanthostPage?.drawing().entities.length > 0,
                                       null, { timeout: kTimeout });
  });
  after(async () => {
    await session.stop();
    rmSync(rulesFolder, { recursive: true, force: true });
  });

  // Waits until the host, after prompt number `from`, waits for `kind` (having first asked
  // for `via` when given).
  async function waitFor(from, kind, via) {
    const deadline = Date.now() + kTimeout;
    for (;;) {
      const since = prompts.slice(from);
      if (since.length > 0 && since.at(-1).kind === kind &&
          (!via || since.some((p) => p.kind === via))) {
        return since.at(-1);
      }
      if (Date.now() > deadline) {
        throw new Error(`no ${kind} prompt; since ${from}: ${JSON.stringify(since)}\n` +
                        await session.logSince(0));
      }
      await sleep(20);
    }
  }

  async function screen(x, y) {
    const box = await session.page.locator("#view").boundingBox();
    const [sx, sy] =
        await session.page.evaluate(([x, y]) => window.zanthostPage.toScreen(x, y), [x, y]);
    return [box.x + sx, box.y + sy];
  }

  // A left drag from one drawing point to another, in steps as a hand moves.
  async function drag(from, to) {
    const mouse = session.page.mouse;
    await mouse.move(...await screen(...from));
    await mouse.down();
    await mouse.move(...await screen(...to), { steps: 8 });
    await mouse.up();
  }

  // The page as a person would see it, kept for one to look at.
  async function shoot(name) {
    if (!ZANT_TEST_ARTIFACTS) return;
    mkdirSync(ZANT_TEST_ARTIFACTS, { recursive: true });
    await session.page.screenshot({ path: path.join(ZANT_TEST_ARTIFACTS, name) });
  }

  test("runs by toolbar, drags, clicks and the dialog, and saves what typing saves", async () => {
    const page = session.page;
    const button = page.locator("#toolbars button", { hasText: /^ZANTLBODY$/ });
    await button.waitFor({ timeout: kTimeout });
    const firstSent = sent.length;

    let mark = prompts.length;
    await button.click();
    await waitFor(mark, "selection");

    // The body row: a window from left to right around it, drawn solid while dragging.
    mark = prompts.length;
    await drag([-3, 77], [203, 103]);
    await waitFor(mark, "selection", "corner");
    const body = await page.evaluate(() => window.zanthostPage.highlighted());
    assert.ok(body.includes("48") && body.includes("3F") && body.includes("79"), body.join());
    assert.ok(!body.includes("57"), "the repeated row is not in the body");
    await session.click(230, 150, "right");

    // The distribution dialog: the pattern picture, the condition check box, Ok.
    await page.locator("#dialog").waitFor({ state: "visible", timeout: kTimeout });
    await page.locator('#controls button[data-id="1213"]').click();
    await page.locator('#controls button[data-id="1213"].pressed')
        .waitFor({ timeout: kTimeout });
    await page.locator('#controls [data-id="1214"] input').click();
    await page.waitForFunction(
        () => document.querySelector('#controls [data-id="1214"] input')?.checked, null,
        { timeout: kTimeout });
    mark = prompts.length;
    await page.locator('#controls button[data-id="1"]').click();

    // The repeated row, by another window.
    await waitFor(mark, "selection");
    mark = prompts.length;
    await drag([-3, 57], [203, 82]);
    await waitFor(mark, "selection", "corner");
    const repeated = await page.evaluate(() => window.zanthostPage.highlighted());
    assert.ok(repeated.includes("57") && repeated.includes("7B"), repeated.join());
    await shoot("page-selecting-repeated.png");
    mark = prompts.length;
    await session.click(230, 150, "right");

    // The distance: two clicks, a rubber band from the first to the cursor in between.
    await waitFor(mark, "distance");
    mark = prompts.length;
    await session.click(0, 0);
    const second = await waitFor(mark, "distance");
    assert.ok(Math.hypot(second.base[0], second.base[1]) < 1, JSON.stringify(second));
    assert.equal(await session.drawnAt(-20, 5), 0, "nothing left of the drawing");
    await page.mouse.move(...await screen(-40, 10));
    assert.ok(await session.drawnAt(-20, 5) > 0, "the rubber band's middle");
    mark = prompts.length;
    await session.click(0, 20);

    // The condition: one click on the text "IsBar" (handle 87).
    await waitFor(mark, "selection");
    mark = prompts.length;
    await session.click(5, 51.5);
    await waitFor(mark, "command");
    assert.deepEqual(await page.evaluate(() => window.zanthostPage.highlighted()), [],
                     "the highlight ends with the prompt");
    assert.equal(await session.drawnAt(-20, 5), 0, "no rubber band after the distance");

    await shoot("page-marked-template.png");

    mark = prompts.length;
    await session.type("QSAVE");
    await waitFor(mark, "command");
    const answers = sent.slice(firstSent).filter((m) => m.startsWith("line "))
                        .map((m) => m.slice(5));
    await session.type("QUIT");
    assert.equal(await session.exit, 0);

    // The same answers typed in a script: a window's two corners after W, as scripts do not
    // open windows by picking empty space.
    assert.equal(answers.length, 13, answers.join(" | "));
    const [a, b, end1, picture, check, ok, c, d, end2, p1, p2, pick, save] = answers;
    const windowOf = (from, to) =>
        `${Number(to.split(",")[0]) < Number(from.split(",")[0]) ? "C" : "W"} ${from} ${to}`;
    const script = ["_ZANTLBODY", windowOf(a, b), end1, picture, check, ok, windowOf(c, d), end2,
                    p1, p2, pick, save, ""].join("\n");
    const typedFolder = path.join(session.folder, "typed");
    mkdirSync(typedFolder);
    const typed = path.join(typedFolder, "template.dxf");
    copyFileSync(EXAMPLE_DXF, typed);
    writeFileSync(path.join(typedFolder, "session.scr"), script);
    execFileSync(ZANTHOST, ["--load", ZANT_ARX, "--script", path.join(typedFolder, "session.scr"),
                            typed], { env: session.env, stdio: "ignore" });

    const clicked = records(path.join(session.folder, "template.dxf"));
    const expected = records(typed);
    assert.deepEqual(clicked, expected);
    // And they are the body command's records: the body, the repeated row at the distance
    // shown (20 units, within a pixel or so), the condition on "IsBar".
    const keys = (handle) => clicked[handle]?.filter(([code]) => code === 1000).map(([, v]) => v);
    assert.deepEqual(keys("48"), ["LIST_BODY"]);
    assert.deepEqual(keys("57"), ["LIST_PATTERN_BODY"]);
    assert.deepEqual(keys("87"), ["LIST_BODY", "LIST_PATTERN_CONDITION"]);
    const distance = clicked["57"].find(([code]) => code === 1040)[1];
    assert.ok(Math.abs(distance - 20) < 1.5, String(distance));
    assert.equal(keys("39"), undefined, "the header row is not marked");
  });
});
