// Modal dialogs on the page, drawn from their templates and answered by clicks. Where a control
// must be is worked out here from Windows' rule, not taken from the host: a dialog unit is a
// quarter of the font's average character width across and an eighth of its height down, and
// the module's dialogs are in MS Sans Serif 8, whose characters are 6 by 13 pixels; each side
// is rounded to the nearest pixel.
import assert from "node:assert/strict";
import { mkdirSync } from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";

import { EXAMPLE_DXF, kTimeout, prepareProductData, Session, ZANT_ARX } from "./session.mjs";

// A rectangle of dialog units [x, y, width, height] in pixels.
function pixels([x, y, width, height]) {
  const across = (units) => Math.round(units * 6 / 4);
  const down = (units) => Math.round(units * 13 / 8);
  return [across(x), down(y), across(x + width) - across(x), down(y + height) - down(y)];
}

// Where the page draws a control: its box in the dialog's client area.
async function drawnAt(page, id) {
  const area = await page.locator("#controls").boundingBox();
  const box = await page.locator(`#controls [data-id="${id}"]`).boundingBox();
  return [box.x - area.x, box.y - area.y, box.width, box.height].map(Math.round);
}

// Keeps a picture of the dialog for whoever looks at the test's results.
async function keepPicture(page, name) {
  const folder = process.env.ZANT_TEST_ARTIFACTS;
  if (!folder) return;
  mkdirSync(folder, { recursive: true });
  await page.locator("#dialog").screenshot({ path: path.join(folder, name) });
}

describe("dialogs drawn from their templates", () => {
  const session = new Session();
  before(() => session.start(EXAMPLE_DXF, ["--load", ZANT_ARX], prepareProductData));
  after(() => session.stop());

  test("the body command's distribution dialog", async () => {
    const page = session.page;
    await session.type("ZANTLBODY");
    await session.type("W 0,80 200,100");
    await session.type("");
    await page.locator("#dialog").waitFor({ state: "visible", timeout: kTimeout });
    assert.match(await page.locator("#caption").textContent(), /distribution/);

    // The template's 235 by 166 units, and its controls where its lines put them.
    const area = await page.locator("#controls").boundingBox();
    assert.deepEqual([Math.round(area.width), Math.round(area.height)], [353, 270]);
    assert.deepEqual(await drawnAt(page, 1), pixels([59, 145, 50, 14]));
    assert.deepEqual(await drawnAt(page, 2), pixels([119, 145, 50, 14]));
    assert.deepEqual(await drawnAt(page, 1214), pixels([7, 121, 221, 16]));
    // The two picture buttons side by side, each with its bitmap.
    const regular = await drawnAt(page, 1212);
    const pattern = await drawnAt(page, 1213);
    assert.deepEqual(regular, pixels([15, 7, 96, 103]));
    assert.deepEqual(pattern, pixels([124, 7, 96, 103]));
    assert.ok(regular[0] + regular[2] < pattern[0] && regular[1] === pattern[1]);
    for (const id of [1212, 1213]) {
      const canvas = page.locator(`#controls [data-id="${id}"] canvas`);
      assert.equal(await canvas.count(), 1);
      assert.ok(await canvas.evaluate((c) => c.width > 0 && c.height > 0));
    }
    await keepPicture(page, "dialog-distribution.png");

    // A click on the condition's box checks it: the page shows the host's state.
    const check = page.locator('#controls [data-id="1214"] input');
    assert.equal(await check.isChecked(), false);
    const mark = await session.logLength();
    await page.locator('#controls [data-id="1214"]').click();
    await page.waitForFunction(
        () => document.querySelector('#controls [data-id="1214"] input').checked, null,
        { timeout: kTimeout });
    assert.match(await session.logSince(mark), /: 1214\n/);

    // Ok closes the dialog; the command goes on to its next question, which Escape cancels.
    await page.locator('#controls button[data-id="1"]').click();
    await page.locator("#dialog").waitFor({ state: "hidden", timeout: kTimeout });
    const asked = await session.logLength();
    await page.keyboard.press("Escape");
    await session.waitForOutput(asked, /\*(Cancel|Annuler)\*\n[^]*: $/);
  });

  test("the variables command's expression dialog", async () => {
    const page = session.page;
    await session.type("ZANTLVARIABLE");
    await page.locator("#dialog").waitFor({ state: "visible", timeout: kTimeout });
    assert.equal(await page.locator("#caption").textContent(), "Expression");
    const items = page.locator('#controls [data-id="30104"] .item');
    assert.equal(await items.count(), 45);
    assert.match(await items.nth(0).textContent(), /^0\* PositionNum: /);
    assert.match(await items.nth(44).textContent(), /^44 IsBended: /);
    assert.deepEqual(await drawnAt(page, 30104), pixels([7, 39, 306, 138]));
    assert.deepEqual(await drawnAt(page, 1), pixels([203, 183, 50, 14]));

    // The expression typed so far, then a click that only selects a variable.
    const edit = page.locator('#controls input[type=text]');
    await edit.fill("Weight/");
    await edit.press("Enter");
    await items.nth(4).click();
    await page.waitForFunction(
        () => document.querySelectorAll('#controls [data-id="30104"] .item')[4]
                  .classList.contains("selected"),
        null, { timeout: kTimeout });
    assert.equal(await edit.inputValue(), "Weight/");

    // A double click puts the variable's name where the typing stopped; the list keeps its
    // place while the host answers.
    await items.nth(5).scrollIntoViewIfNeeded();
    await items.nth(5).dblclick();
    await page.waitForFunction(
        () => document.querySelector('#controls input[type=text]').value === "Weight/Length", null,
        { timeout: kTimeout });
    assert.ok(await items.nth(5).evaluate((item) => item.classList.contains("selected")));
    await items.nth(41).scrollIntoViewIfNeeded();
    const scrolled = await page.locator('#controls [data-id="30104"]').evaluate((l) => l.scrollTop);
    assert.ok(scrolled > 0);
    await items.nth(41).dblclick();
    await page.waitForFunction(
        () => document.querySelector('#controls input[type=text]').value ===
              "Weight/LengthSegmentLength[0]",
        null, { timeout: kTimeout });
    assert.equal(
        await page.locator('#controls [data-id="30104"]').evaluate((l) => l.scrollTop), scrolled);
    await keepPicture(page, "dialog-expression.png");

    // Cancel closes it, and the command ends without asking for texts.
    const mark = await session.logLength();
    await page.locator('#controls button[data-id="2"]').click();
    await page.locator("#dialog").waitFor({ state: "hidden", timeout: kTimeout });
    await session.waitForOutput(mark, /\n[^\n]*: $/);
    await session.type("QUIT");
    assert.equal(await session.exit, 0);
  });
});
