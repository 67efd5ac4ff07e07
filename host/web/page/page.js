// The host's page: the drawing on a canvas (click to give a point or pick, drag a selection
// window, right click for Enter, drag to pan, wheel to zoom) and the command line. Lines typed
// here go to the host as they would at its terminal; the host's output comes back and the
// unfinished last line is the prompt it waits at.
"use strict";

// ---- mouse: points, selections, Enter, pan and zoom ------------------------------------------

// What the host waits for (the last "prompt" message): a point, corner, distance or angle
// prompt takes a click as its point; "Select objects" also takes a drag as a window, left to
// right, or a crossing, right to left, sent as the two corners that two clicks would give;
// Shift removes from the selection. Elsewhere a left drag pans, as the middle button does
// everywhere. A right click is Enter.
const kDragPixels = 4;
const kPointKinds = new Set(["point", "corner", "distance", "angle"]);
let waitingFor = { kind: "command", keywords: [] };
let press = null;       // { x, y, button, pan, moved, shift }
let cursor = null;      // the mouse over the canvas, in canvas pixels
let dragWindow = null;  // a selection window being dragged: { x0, y0, x1, y1 } in pixels

function picking() {
  return kPointKinds.has(waitingFor.kind) || waitingFor.kind === "selection";
}

// Enough decimals to tell neighbouring pixels apart, and no more.
function formatPoint(x, y) {
  const decimals = Math.min(8, Math.max(0, Math.ceil(Math.log10(view.scale)) + 1));
  const number = (v) => String(Number(v.toFixed(decimals)));
  return number(x) + "," + number(y);
}

function send(message) {
  if (socket?.readyState === WebSocket.OPEN) socket.send(message);
}

// A line for the host, as typed. The host measures its pick box in the page's pixels, so it
// hears their size first whenever the view has changed since it last did: a point typed after
// zooming picks as one clicked does.
let pixelSent;
function sendLine(text) {
  const pixel = 1 / view.scale;
  if (pixel !== pixelSent) {
    send("pixel " + pixel);
    pixelSent = pixel;
  }
  send("line " + text);
}

function sendPoint(sx, sy) {
  sendLine(formatPoint(...toWorld(sx, sy)));
}

// Answers at "Select objects" that take entities out instead go between Remove and Add, so the
// command line shows what a drafter would type.
function sendPick(points, removing) {
  if (removing) sendLine("R");
  for (const [sx, sy] of points) sendPoint(sx, sy);
  if (removing) sendLine("A");
}

canvas.addEventListener("mousedown", (event) => {
  const pan = event.button === 1 || (event.button === 0 && !picking());
  press = { x: event.offsetX, y: event.offsetY, button: event.button, pan, moved: false,
            shift: event.shiftKey };
  // The command line keeps the keyboard, so Enter ends a selection and typing goes on after a
  // click; the middle button does not scroll.
  event.preventDefault();
});
const cursorLabel = document.getElementById("cursor");
canvas.addEventListener("mousemove", (event) => {
  cursor = { x: event.offsetX, y: event.offsetY };
  cursorLabel.textContent = formatPoint(...toWorld(event.offsetX, event.offsetY));
  if (press && !press.moved &&
      Math.hypot(event.offsetX - press.x, event.offsetY - press.y) >= kDragPixels) {
    press.moved = true;
    if (press.pan) canvas.classList.add("panning");
  }
  if (press && press.moved && press.pan) {
    view.x -= (event.offsetX - press.x) / view.scale;
    view.y += (event.offsetY - press.y) / view.scale;
    press.x = event.offsetX;
    press.y = event.offsetY;
    draw();
    return;
  }
  const windowing = press && press.moved && press.button === 0 && waitingFor.kind === "selection";
  dragWindow = windowing ? { x0: press.x, y0: press.y, x1: cursor.x, y1: cursor.y } : null;
  // Rubber bands follow the cursor.
  if (dragWindow || waitingFor.base) draw();
});
canvas.addEventListener("mouseup", (event) => {
  if (press && press.button === event.button && !press.pan) {
    if (event.button === 2 && !press.moved) {
      sendLine("");
    } else if (event.button === 0 && waitingFor.kind === "selection") {
      const removing = press.shift || event.shiftKey;
      sendPick(press.moved ? [[press.x, press.y], [event.offsetX, event.offsetY]]
                           : [[event.offsetX, event.offsetY]], removing);
    } else if (event.button === 0) {
      sendPoint(event.offsetX, event.offsetY);
    }
  }
  press = null;
  dragWindow = null;
  canvas.classList.remove("panning");
  draw();
});
canvas.addEventListener("mouseleave", () => {
  cursorLabel.textContent = "";
  cursor = null;
  press = null;
  dragWindow = null;
  canvas.classList.remove("panning");
  draw();
});
canvas.addEventListener("contextmenu", (event) => event.preventDefault());
canvas.addEventListener("wheel", (event) => {
  event.preventDefault();
  // The point under the cursor stays where it is.
  const [wx, wy] = toWorld(event.offsetX, event.offsetY);
  view.scale *= Math.exp(-event.deltaY * 0.0015);
  const [nx, ny] = toWorld(event.offsetX, event.offsetY);
  view.x += wx - nx;
  view.y += wy - ny;
  draw();
}, { passive: false });
window.addEventListener("resize", fitCanvas);
document.getElementById("extents").addEventListener("click", zoomExtents);

// ---- command line ----------------------------------------------------------------------------

const log = document.getElementById("log");
const promptLabel = document.getElementById("prompt");
const input = document.getElementById("line");
const status = document.getElementById("status");
const kLogLines = 2000;
let pending = "";  // output after the last line end: the prompt

// The prompt's keywords as buttons beside it, as the host's dynamic prompt offers them; a click
// types the keyword. "Select objects" keeps its modes to the mouse.
const keywordBar = document.getElementById("keywords");
function showKeywords(request) {
  const keywords = request.kind === "selection" ? [] : request.keywords;
  keywordBar.replaceChildren(...keywords.map((keyword) => {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = keyword;
    button.addEventListener("click", () => {
      sendLine(keyword);
      input.focus();
    });
    return button;
  }));
}

// Lines typed before, brought back with the arrow keys as at the host's own command line.
const history = [];
let historyAt = 0;  // history.length: the line being typed
input.addEventListener("keydown", (event) => {
  if (event.key !== "ArrowUp" && event.key !== "ArrowDown") return;
  event.preventDefault();
  historyAt = Math.max(0, Math.min(history.length,
                                   historyAt + (event.key === "ArrowUp" ? -1 : 1)));
  input.value = history[historyAt] ?? "";
});
function remember(line) {
  if (line.trim() !== "" && history[history.length - 1] !== line) history.push(line);
  historyAt = history.length;
}

function showOutput(text) {
  const lines = (pending + text).split("\n");
  pending = lines.pop();
  if (lines.length > 0) {
    log.append(lines.join("\n") + "\n");
    while (log.childNodes.length > kLogLines) log.firstChild.remove();
    log.scrollTop = log.scrollHeight;
  }
  promptLabel.textContent = pending;
}

// What the host sends, by its `type`; each part of the page handles its own messages.
const messageHandlers = {
  output: (message) => showOutput(message.text),
  prompt: (message) => {
    waitingFor = message;
    showKeywords(message);
    draw();
  },
  dialog: showDialog,
  drawing: (message) => {
    // Another drawing is shown whole; the same one again keeps the view.
    const another = message.file !== drawing.file;
    drawing = message;
    layers = new Map(message.layers.map((l) => [l.name, { color: l.color,
                                                          hidden: l.frozen || l.off }]));
    document.getElementById("file").textContent = message.file || "No drawing";
    if (another) zoomExtents(); else draw();
  },
};
// The host is reached once every part of the page has added its handlers: a script still
// loading when the first messages come (the toolbars, the prompt) would miss them.
let socket = null;
function connect() {
  socket = new WebSocket(`ws://${location.host}/`, "zanthost");
  socket.addEventListener("open", () => { status.textContent = "Connected"; });
  socket.addEventListener("close", () => {
    status.textContent = "The host has ended";
    status.classList.add("closed");
    input.disabled = true;
  });
  socket.addEventListener("message", (event) => {
    const message = JSON.parse(event.data);
    messageHandlers[message.type]?.(message);
  });
}
document.addEventListener("DOMContentLoaded", connect);

document.getElementById("command").addEventListener("submit", (event) => {
  event.preventDefault();
  remember(input.value);
  sendLine(input.value);
  input.value = "";
});
// Escape cancels wherever the focus is, as in the host.
document.addEventListener("keydown", (event) => {
  if (event.key === "Escape") {
    send("cancel");
    input.value = "";
  }
});
document.getElementById("reload").addEventListener("click", () => send("drawing"));

// For scripted browsers: where a drawing point is on the canvas and back, what was drawn, and
// what the host waits for.
window.zanthostPage = { toScreen, toWorld, drawing: () => drawing,
                        waitingFor: () => waitingFor };

fitCanvas();
