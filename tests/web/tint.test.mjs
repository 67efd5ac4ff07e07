// The example template tinted on the page by the inspector's rules (zantinspect --tint-rules,
// given to zanthost --tint): a capture command typed on the page, the entities it marks drawn
// in their section's colour with the legend counting them, one entity's records shown when the
// mouse rests on it, U and REDO taking the tint away and back, and Save writing the records that
// ezdxf then reads in the file.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdirSync, writeFileSync } from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";

import { EXAMPLE_DXF, kTimeout, prepareProductData, Session, ZANT_ARX } from "./session.mjs";

const { PYTHON3, ZANT_TEST_ARTIFACTS, ZANTINSPECT } = process.env;
const HERE = path.dirname(new URL(import.meta.url).pathname);

function records(drawing) {
  return JSON.parse(execFileSync(PYTHON3, [path.join(HERE, "template_records.py"), drawing],
                                 { encoding: "utf8" }));
}

// "#rrggbb" as [r, g, b].
function rgb(colour) {
  return [1, 3, 5].map((i) => parseInt(colour.slice(i, i + 2), 16));
}

describe("the template's sections tinted on the page", () => {
  const session = new Session();
  let rules;

  // The inspector's rules, written in the session's folder before the host starts.
  const args = ["--load", ZANT_ARX, "--tint", ""];
  before(() => session.start(EXAMPLE_DXF, args, (s) => {
    prepareProductData(s);
    rules = execFileSync(ZANTINSPECT, ["--tint-rules"], { encoding: "utf8" });
    args[3] = path.join(s.folder, "rules.json");
    writeFileSync(args[3], rules);
  }));
  after(() => session.stop());

  // How many of the canvas pixels around a drawing point have this colour.
  function pixelsOf(colour, x, y) {
    return session.page.evaluate(([colour, x, y]) => {
      const canvas = document.getElementById("view");
      const [sx, sy] = window.zanthostPage.toScreen(x, y);
      const data = canvas.getContext("2d").getImageData(Math.round(sx) - 2, Math.round(sy) - 2,
                                                        5, 5).data;
      let count = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (Math.abs(data[i] - colour[0]) + Math.abs(data[i + 1] - colour[1]) +
                Math.abs(data[i + 2] - colour[2]) < 30 && data[i + 3] > 200)
          ++count;
      }
      return count;
    }, [colour, x, y]);
  }

  const tinted = () => session.page.evaluate(
      () => window.zanthostPage.drawing().entities.filter((e) => e.tint !== undefined));

  test("a capture command tints what it marks; hover, undo, redo and Save", async () => {
    const page = session.page;
    const header = JSON.parse(rules).rules.find((r) => r.label === "Header");
    assert.ok(header, rules);
    await page.locator("#legend").waitFor({ state: "visible", timeout: kTimeout });
    assert.deepEqual(await tinted(), []);
    const entities = await page.evaluate(() => window.zanthostPage.drawing().entities.length);

    // The header row by typed lines, as example/define-template.scr marks it.
    const mark = await session.logLength();
    await session.type("ZANTLHEADER");
    await session.type("W 0,100 200,120");
    await session.type("");
    await session.waitForOutput(mark, /\n1\d (found|trouvé\(s\))\n[^]*: $/);
    await page.waitForFunction(
        () => window.zanthostPage.drawing().entities.some((e) => e.tint !== undefined), null,
        { timeout: kTimeout });
    const marked = await tinted();
    assert.ok(marked.length > 10, JSON.stringify(marked));
    assert.equal(await page.evaluate(() => window.zanthostPage.drawing().entities.length),
                 entities, "the changed entities replace theirs, none is added");
    // A line of the header in the header's colour, in the middle of its length.
    const line = marked.find((e) => e.shape === "line" && Math.abs(e.points[1] - e.points[3]) < 1e-9
                                    && Math.abs(e.points[0] - e.points[2]) > 20);
    assert.ok(line, JSON.stringify(marked));
    const [mx, my] = [(line.points[0] + line.points[2]) / 2 + 3.3, line.points[1]];
    assert.ok(await pixelsOf(rgb(header.colour), mx, my) > 0, "the header line is tinted");
    assert.equal(await pixelsOf(rgb(header.colour), 100, -35), 0, "the page footer is not");
    const legend = await page.locator("#legend").innerText();
    assert.match(legend, new RegExp(`List template sections\\nHeader \\(${marked.length}\\)\\n` +
                                    "In no section"));

    // Resting the mouse on the line shows its records (or those of a header line drawn over it)
    // as LIST shows them.
    const box = await page.locator("#view").boundingBox();
    const [sx, sy] = await page.evaluate(([x, y]) => window.zanthostPage.toScreen(x, y), [mx, my]);
    await page.mouse.move(box.x + sx, box.y + sy);
    await page.locator("#hover").waitFor({ state: "visible", timeout: kTimeout });
    const listing = await page.locator("#hover").innerText();
    const listed = listing.match(/Handle = ([0-9a-f]+)\n/)?.[1];
    assert.ok(marked.some((e) => e.handle.toLowerCase() === listed), listing);
    assert.match(listing, /Registered Application Name: ZANT_LIST_TEMPLATE\n\* Code 1000, ASCII string: LIST_HEADER/);
    if (ZANT_TEST_ARTIFACTS) {
      mkdirSync(ZANT_TEST_ARTIFACTS, { recursive: true });
      await page.screenshot({ path: path.join(ZANT_TEST_ARTIFACTS, "page-tinted-template.png") });
    }

    // U takes the records back and the tint with them; REDO brings both back.
    await session.type("U");
    await page.waitForFunction(
        () => !window.zanthostPage.drawing().entities.some((e) => e.tint !== undefined), null,
        { timeout: kTimeout });
    assert.equal(await pixelsOf(rgb(header.colour), mx, my), 0, "the tint is gone after U");
    await session.type("REDO");
    await page.waitForFunction((count) => window.zanthostPage.drawing().entities.filter(
                                              (e) => e.tint !== undefined).length === count,
                               marked.length, { timeout: kTimeout });

    // Save: the button is lit while there are changes, and the file then holds the records.
    await page.mouse.move(box.x + 5, box.y + 5);
    assert.match(await page.locator("#save").getAttribute("class"), /modified/);
    await page.locator("#save").click();
    await page.waitForFunction(() => !document.getElementById("save").classList.contains(
                                   "modified"), null, { timeout: kTimeout });
    const saved = records(path.join(session.folder, path.basename(EXAMPLE_DXF)));
    assert.deepEqual(Object.keys(saved).sort(), marked.map((e) => e.handle).sort());
    for (const groups of Object.values(saved)) assert.deepEqual(groups[0], [1000, "LIST_HEADER"]);
  });
});
