// One zanthost serving one drawing to one page of Debian's Chromium (driven by playwright-core),
// in a temporary folder of its own, with the helpers the page tests share.
import { execFileSync, spawn } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";

import { chromium } from "playwright-core";

export const { ZANTHOST, CHROMIUM, SELECTION_DXF, EXAMPLE_DXF, ZANT_ARX, ZANT_REG_TOOL, ZANT_PROMPT_DB } =
    process.env;
// Long enough for a sanitizer build on a busy machine; a passing test never waits it out.
export const kTimeout = 120000;

// One host serving one drawing to one browser page, in a folder of its own.
export class Session {
  async start(drawing, args = [], prepare = () => {}) {
    this.folder = mkdtempSync(path.join(tmpdir(), "zant-page-"));
    this.env = { ...process.env, ZANT_REGISTRY: path.join(this.folder, "registry.reg") };
    prepare(this);
    const copy = path.join(this.folder, path.basename(drawing));
    copyFileSync(drawing, copy);
    this.host = spawn(ZANTHOST, ["--web", "--port", "0", ...args, copy],
                      { env: this.env, stdio: ["ignore", "pipe", "inherit"] });
    this.exit = new Promise((resolve) => this.host.on("exit", (code) => resolve(code)));
    const address = await new Promise((resolve, reject) => {
      let output = "";
      this.host.stdout.setEncoding("utf8");
      this.host.stdout.on("data", (chunk) => {
        output += chunk;
        const match = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
        if (match) resolve(match[0]);
      });
      this.host.on("exit", () => reject(new Error("zanthost ended: " + output)));
    });
    this.browser = await chromium.launch({ executablePath: CHROMIUM, args: ["--no-sandbox"] });
    this.page = await this.browser.newPage({ viewport: { width: 1000, height: 700 } });
    await this.page.goto(address);
    await this.page.waitForFunction(() => window.zanthostPage?.drawing().entities.length > 0,
                                    null, { timeout: kTimeout });
    await this.waitForOutput(0, /: $/);
  }

  async stop() {
    await this.browser?.close();
    if (this.host && this.host.exitCode === null) this.host.kill();
    rmSync(this.folder, { recursive: true, force: true });
  }

  logLength() {
    return this.page.evaluate(() => document.getElementById("log").textContent.length);
  }

  logSince(mark) {
    return this.page.evaluate((mark) => document.getElementById("log").textContent.slice(mark),
                              mark);
  }

  // Waits until the output since the log had `mark` characters, the prompt included,
  // matches `pattern`. Lines and clicks need no waiting between them: the host takes them in
  // the order they were sent.
  waitForOutput(mark, pattern) {
    return this.page.waitForFunction(
        ([mark, source]) => new RegExp(source).test(
            document.getElementById("log").textContent.slice(mark) +
            document.getElementById("prompt").textContent),
        [mark, pattern.source], { timeout: kTimeout });
  }

  async type(line) {
    await this.page.locator("#line").fill(line);
    await this.page.locator("#line").press("Enter");
  }

  async click(x, y, button = "left") {
    const box = await this.page.locator("#view").boundingBox();
    const [sx, sy] =
        await this.page.evaluate(([x, y]) => window.zanthostPage.toScreen(x, y), [x, y]);
    await this.page.mouse.click(box.x + sx, box.y + sy, { button });
  }

  // The canvas pixel's opacity at a drawing point.
  drawnAt(x, y) {
    return this.page.evaluate(([x, y]) => {
      const canvas = document.getElementById("view");
      const [sx, sy] = window.zanthostPage.toScreen(x, y);
      const pixels = canvas.getContext("2d").getImageData(Math.round(sx) - 1,
                                                          Math.round(sy) - 1, 3, 3).data;
      let alpha = 0;
      for (let i = 3; i < pixels.length; i += 4) alpha = Math.max(alpha, pixels[i]);
      return alpha;
    }, [x, y]);
  }
}

// The module finds its prompts in the product's data folder, which the registry names.
export function prepareProductData(session) {
  const data = path.join(session.folder, "Vorlane");
  mkdirSync(path.join(data, "Bin"), { recursive: true });
  copyFileSync(ZANT_PROMPT_DB, path.join(data, "Bin", "QrStrings.mdb"));
  execFileSync(ZANT_REG_TOOL, ["add", "HKLM\\SOFTWARE\\ZANT\\Vorlane", "/v", "DataPath", "/t",
                               "REG_SZ", "/d", "Z:" + data.replaceAll("/", "\\"), "/f"],
               { env: session.env });
}
