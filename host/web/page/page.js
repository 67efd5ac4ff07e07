// The host's page: the drawing on a canvas (click to give a point, right click for Enter, drag
// to pan, wheel to zoom) and the command line. Lines typed here go to the host as they would
// at its terminal; the host's output comes back and the unfinished last line is the prompt it
// waits at.
"use strict";

// ---- mouse: points, Enter, pan and zoom ------------------------------------------------------

// A click types its point, as a drafter's click answers whatever the host asks (a pick, a
// window's corner, a distance's point); a right click is Enter. Dragging pans.
const kDragPixels = 4;
let press = null;  // { x, y, button, panning }

// Enough decimals to tell neighbouring pixels apart, and no more.
function formatPoint(x, y) {
  const decimals = Math.min(8, Math.max(0, Math.ceil(Math.log10(view.scale)) + 1));
  const number = (v) => String(Number(v.toFixed(decimals)));
  return number(x) + "," + number(y);
}

function send(message) {
  if (socket.readyState === WebSocket.OPEN) socket.send(message);
}

canvas.addEventListener("mousedown", (event) => {
  press = { x: event.offsetX, y: event.offsetY, button: event.button, panning: false };
});
const cursorLabel = document.getElementById("cursor");
canvas.addEventListener("mousemove", (event) => {
  cursorLabel.textContent = formatPoint(...toWorld(event.offsetX, event.offsetY));
  if (!press) return;
  if (!press.panning &&
      Math.hypot(event.offsetX - press.x, event.offsetY - press.y) < kDragPixels) return;
  if (!press.panning) canvas.classList.add("panning");
  view.x -= (event.offsetX - press.x) / view.scale;
  view.y += (event.offsetY - press.y) / view.scale;
  press = { ...press, x: event.offsetX, y: event.offsetY, panning: true };
  draw();
});
canvas.addEventListener("mouseup", (event) => {
  if (press && !press.panning) {
    if (event.button === 0) {
      send("line " + formatPoint(...toWorld(event.offsetX, event.offsetY)));
    } else if (event.button === 2) {
      send("line ");
    }
  }
  press = null;
  canvas.classList.remove("panning");
});
canvas.addEventListener("mouseleave", () => {
  cursorLabel.textContent = "";
  press = null;
  canvas.classList.remove("panning");
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

const socket = new WebSocket(`ws://${location.host}/`, "zanthost");
socket.addEventListener("open", () => { status.textContent = "Connected"; });
socket.addEventListener("close", () => {
  status.textContent = "The host has ended";
  status.classList.add("closed");
  input.disabled = true;
});
// What the host sends, by its `type`; each part of the page handles its own messages.
const messageHandlers = {
  output: (message) => showOutput(message.text),
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
socket.addEventListener("message", (event) => {
  const message = JSON.parse(event.data);
  messageHandlers[message.type]?.(message);
});

document.getElementById("command").addEventListener("submit", (event) => {
  event.preventDefault();
  send("line " + input.value);
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

// For scripted browsers: where a drawing point is on the canvas and back, and what was drawn.
window.zanthostPage = { toScreen, toWorld, drawing: () => drawing };

fitCanvas();
