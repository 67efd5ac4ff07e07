// The host's page in a real browser: Debian's Chromium, driven by playwright-core, on the real
// zanthost serving tests/data/selection/selection.dxf. The page must draw what is shown and
// hide what is frozen or off, and its clicks, right click, typed lines and Escape must reach
// the host's command line as a drafter's would.
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { copyFileSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { after, before, test } from "node:test";

import { chromium } from "playwright-core";

const { ZANTHOST, CHROMIUM, SELECTION_DXF } = process.env;
const kTimeout = 20000;

let folder;
let host;
let hostExit;
let browser;
let page;

// Starts zanthost --web on a copy of the drawing, with a registry of its own; resolves with the
// page's address once the host prints it.
function startHost(drawing) {
  host = spawn(ZANTHOST, ["--web", "--port", "0", drawing], {
    env: { ...process.env, ZANT_REGISTRY: path.join(folder, "registry.reg") },
    stdio: ["ignore", "pipe", "inherit"],
  });
  hostExit = new Promise((resolve) => host.on("exit", (code) => resolve(code)));
  return new Promise((resolve, reject) => {
    let output = "";
    host.stdout.setEncoding("utf8");
    host.stdout.on("data", (chunk) => {
      output += chunk;
      const match = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (match) resolve(match[0]);
    });
    host.on("exit", () => reject(new Error("zanthost ended: " + output)));
  });
}

// Waits until the host shows a new prompt after the log has `mark` characters.
async function waitForPrompt(mark) {
  await page.waitForFunction(
      (mark) => document.getElementById("log").textContent.length > mark &&
          document.getElementById("prompt").textContent.endsWith(": "),
      mark, { timeout: kTimeout });
}

const logLength = () => page.evaluate(() => document.getElementById("log").textContent.length);
const logSince = (mark) =>
    page.evaluate((mark) => document.getElementById("log").textContent.slice(mark), mark);

// Where a drawing point is on the screen, for the mouse.
async function screenPoint(x, y) {
  const box = await page.locator("#view").boundingBox();
  const [sx, sy] = await page.evaluate(([x, y]) => window.zanthostPage.toScreen(x, y), [x, y]);
  return [box.x + sx, box.y + sy];
}

async function click(x, y, button = "left") {
  const [sx, sy] = await screenPoint(x, y);
  await page.mouse.click(sx, sy, { button });
}

// The canvas pixel's opacity at a drawing point.
function drawnAt(x, y) {
  return page.evaluate(([x, y]) => {
    const canvas = document.getElementById("view");
    const [sx, sy] = window.zanthostPage.toScreen(x, y);
    const pixels = canvas.getContext("2d").getImageData(Math.round(sx) - 1, Math.round(sy) - 1,
                                                        3, 3).data;
    let alpha = 0;
    for (let i = 3; i < pixels.length; i += 4) alpha = Math.max(alpha, pixels[i]);
    return alpha;
  }, [x, y]);
}

before(async () => {
  folder = mkdtempSync(path.join(tmpdir(), "zant-page-"));
  const drawing = path.join(folder, "selection.dxf");
  copyFileSync(SELECTION_DXF, drawing);
  const address = await startHost(drawing);
  browser = await chromium.launch({ executablePath: CHROMIUM, args: ["--no-sandbox"] });
  page = await browser.newPage({ viewport: { width: 1000, height: 700 } });
  await page.goto(address);
  await page.waitForFunction(() => window.zanthostPage?.drawing().entities.length > 0,
                             null, { timeout: kTimeout });
  await waitForPrompt(0);
});

after(async () => {
  await browser?.close();
  if (host && host.exitCode === null) host.kill();
  rmSync(folder, { recursive: true, force: true });
});

test("the page draws shown layers and hides frozen and off ones", async () => {
  const drawing = await page.evaluate(() => window.zanthostPage.drawing());
  assert.equal(drawing.entities.length, 9);
  assert.ok(await drawnAt(5, 0) > 0, "the line on layer 0");
  assert.ok(await drawnAt(5, 5) > 0, "the line on layer Walls");
  assert.ok(await drawnAt(5, 40) > 0, "the line on a locked layer");
  assert.equal(await drawnAt(5, 30), 0, "the line on the frozen layer");
  assert.equal(await drawnAt(4, 22), 0, "the circle on the layer that is off");
});

test("clicks make a window, a right click ends the selection", async () => {
  let mark = await logLength();
  await page.locator("#line").fill("LIST");
  await page.locator("#line").press("Enter");
  await waitForPrompt(mark);
  // Two clicks in empty places: an implied window from left to right around two lines.
  mark = await logLength();
  await click(-6, 10);
  await waitForPrompt(mark);
  mark = await logLength();
  await click(12, -1);
  await waitForPrompt(mark);
  mark = await logLength();
  await click(30, 30, "right");
  await waitForPrompt(mark);
  const log = await logSince(0);
  assert.match(log, /\n2 (found|trouvé\(s\))\n/);
  assert.match(log, /Handle = 34\n[^]*Handle = 35\n/);
  assert.doesNotMatch(log, /Handle = 36/);
});

test("Escape cancels the prompt and QUIT ends the host", async () => {
  let mark = await logLength();
  await page.locator("#line").fill("LIST");
  await page.locator("#line").press("Enter");
  await waitForPrompt(mark);
  mark = await logLength();
  await page.keyboard.press("Escape");
  await waitForPrompt(mark);
  assert.match(await logSince(mark), /\*(Cancel|Annuler)\*/);
  await page.locator("#line").fill("QUIT");
  await page.locator("#line").press("Enter");
  assert.equal(await hostExit, 0);
  await page.waitForFunction(() => document.getElementById("line").disabled, null,
                             { timeout: kTimeout });
});
