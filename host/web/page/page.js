// The host's page: the drawing on a canvas (click to give a point, right click for Enter, drag
// to pan, wheel to zoom) and the command line. Lines typed here go to the host as they would
// at its terminal; the host's output comes back and the unfinished last line is the prompt it
// waits at.
"use strict";

const canvas = document.getElementById("view");
const context = canvas.getContext("2d");
const log = document.getElementById("log");
const promptLabel = document.getElementById("prompt");
const input = document.getElementById("line");
const status = document.getElementById("status");

const kLogLines = 2000;
let drawing = { file: undefined, layers: [], entities: [] };
let layers = new Map();  // name -> { color, hidden }
let view = { x: 0, y: 0, scale: 1 };  // world point at the canvas centre, pixels per unit
let pending = "";  // output after the last line end: the prompt

// ---- colours ---------------------------------------------------------------------------------

// The host's colour index: 1-9 fixed, 10-249 hue by tens and shade by units, 250-255 greys.
function aciColour(index) {
  const fixed = ["#000000", "#ff0000", "#ffff00", "#00ff00", "#00ffff", "#0000ff", "#ff00ff",
                 "#ffffff", "#808080", "#c0c0c0"];
  if (index >= 0 && index <= 9) return fixed[index];
  if (index >= 250 && index <= 255) {
    const grey = Math.round(51 + (index - 250) * 40.8);
    return `rgb(${grey},${grey},${grey})`;
  }
  if (index < 10 || index > 255) return fixed[7];
  const hue = (Math.floor(index / 10) - 1) * 15;
  const shade = index % 10;
  const value = [1, 1, 0.8, 0.8, 0.6, 0.6, 0.5, 0.5, 0.3, 0.3][shade];
  const saturation = shade % 2 === 0 ? 1 : 0.5;
  return `hsl(${hue}, 100%, ${Math.round(value * (1 - saturation / 2) * 100)}%)`;
}

// The colour index an entity draws with. Inside a block, BYBLOCK and the layer "0" take the
// block reference's colour; outside one, BYBLOCK draws as 7 (white on a dark screen).
function colourIndex(entity) {
  if (entity.color === 0) return frame.colour;
  if (entity.color !== 256) return entity.color;
  if (entity.layer === "0" && frame.colour !== 7) return frame.colour;
  const layer = layers.get(entity.layer);
  return layer ? layer.color : 7;
}

// ---- view ------------------------------------------------------------------------------------

// Where the entities being drawn stand: the drawing itself, or a block shown by a block
// reference (its point mapping, its scale for radii and heights, its rotation, its colour).
let frame = { map: (x, y) => [x, y], scale: 1, rotation: 0, colour: 7 };

function toScreen(x, y) {
  return [(x - view.x) * view.scale + canvas.width / 2,
          canvas.height / 2 - (y - view.y) * view.scale];
}

// The screen point of a point of the frame being drawn.
function project(x, y) {
  return toScreen(...frame.map(x, y));
}

function toWorld(sx, sy) {
  return [(sx - canvas.width / 2) / view.scale + view.x,
          (canvas.height / 2 - sy) / view.scale + view.y];
}

function extentsOf(entity) {
  const points = [];
  const p = entity.points || [];
  if (entity.shape === "polyline") {
    for (let i = 0; i + 2 < p.length; i += 3) points.push([p[i], p[i + 1]]);
  } else if (entity.shape === "line" || entity.shape === "box") {
    points.push([p[0], p[1]], [p[2], p[3]]);
  } else if (entity.shape === "insert" && entity.box) {
    points.push([entity.box[0], entity.box[1]], [entity.box[2], entity.box[3]]);
  } else if (entity.shape === "circle" || entity.shape === "arc") {
    const [x, y] = entity.center;
    points.push([x - entity.radius, y - entity.radius], [x + entity.radius, y + entity.radius]);
  } else if (entity.shape === "text" || entity.shape === "mtext") {
    const [x, y] = entity.at;
    points.push([x, y], [x + entity.height * (entity.text || "").length * 0.6,
                         y + entity.height]);
  }
  return points.filter(([x, y]) => Number.isFinite(x) && Number.isFinite(y));
}

function zoomExtents() {
  let box = null;
  for (const entity of drawing.entities) {
    if (!visible(entity)) continue;
    for (const [x, y] of extentsOf(entity)) {
      if (!box) box = [x, y, x, y];
      box = [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y)];
    }
  }
  if (!box) return;
  const width = Math.max(box[2] - box[0], 1e-9), height = Math.max(box[3] - box[1], 1e-9);
  view.x = (box[0] + box[2]) / 2;
  view.y = (box[1] + box[3]) / 2;
  view.scale = 0.9 * Math.min(canvas.width / width, canvas.height / height);
  draw();
}

// ---- drawing ---------------------------------------------------------------------------------

function visible(entity) {
  const layer = layers.get(entity.layer);
  return !(layer && layer.hidden);
}

// A polyline segment with a bulge is an arc: the bulge is the tangent of a quarter of its
// angle, positive counter-clockwise.
function bulgeSegment(x1, y1, x2, y2, bulge) {
  const [sx2, sy2] = project(x2, y2);
  if (Math.abs(bulge) < 1e-9) {
    context.lineTo(sx2, sy2);
    return;
  }
  const dx = x2 - x1, dy = y2 - y1, chord = Math.hypot(dx, dy);
  if (chord === 0) return;
  const sagitta = Math.abs(bulge) * chord / 2;
  const radius = (chord * chord / 4 + sagitta * sagitta) / (2 * sagitta);
  const offset = Math.sign(bulge) * (radius - sagitta) / chord;
  const cx = (x1 + x2) / 2 - dy * offset, cy = (y1 + y2) / 2 + dx * offset;
  const start = Math.atan2(y1 - cy, x1 - cx) + frame.rotation;
  const sweep = 4 * Math.atan(bulge);
  const [scx, scy] = project(cx, cy);
  context.arc(scx, scy, radius * frame.scale * view.scale, -start, -(start + sweep), sweep > 0);
}

// Multiline text without its format codes: paragraphs become lines.
function plainMText(text) {
  return text.replace(/\\P/g, "\n").replace(/\\~/g, " ")
      .replace(/\\[ACFHQTWfcp][^;\\{}]*;/g, "").replace(/\\[LlOoKkNn]/g, "")
      .replace(/\\S([^;]*);/g, "$1").replace(/[{}]/g, "").replace(/\\\\/g, "\\");
}

function drawText(entity) {
  const size = entity.height * frame.scale * view.scale;
  if (!(size >= 2)) return;
  const [sx, sy] = project(entity.at[0], entity.at[1]);
  context.save();
  context.translate(sx, sy);
  context.rotate(-((entity.rotation || 0) + frame.rotation));
  context.font = `${size}px sans-serif`;
  if (entity.shape === "mtext") {
    const attachment = entity.attachment || 1;
    const column = (attachment - 1) % 3, row = Math.floor((attachment - 1) / 3);
    context.textAlign = ["left", "center", "right"][column];
    const lines = plainMText(entity.text).split("\n");
    const step = size * 5 / 3;
    const top = [0, -(lines.length - 1) * step / 2 - size / 2,
                 -(lines.length - 1) * step - size][row];
    lines.forEach((line, i) => context.fillText(line, 0, top + size + i * step));
  } else {
    context.fillText(entity.text, 0, 0);
  }
  context.restore();
}

// A block reference: its block's entities placed by its point, scale and rotation (attribute
// definitions stay in the block), then its attributes, which stand where they are.
const kDeepestBlock = 16;
function drawInsert(entity, depth) {
  const block = drawing.blocks && drawing.blocks[entity.block];
  const outer = frame;
  if (block && depth < kDeepestBlock) {
    const [bx, by] = block.base, [sx, sy] = entity.scale, [ax, ay] = entity.at;
    const cos = Math.cos(entity.rotation), sin = Math.sin(entity.rotation);
    frame = {
      map: (x, y) => {
        const lx = (x - bx) * sx, ly = (y - by) * sy;
        return outer.map(ax + lx * cos - ly * sin, ay + lx * sin + ly * cos);
      },
      scale: outer.scale * Math.abs(sx),
      rotation: outer.rotation + entity.rotation,
      colour: colourIndex(entity),
    };
    for (const child of block.entities) {
      if (child.kind !== "ATTDEF" && visible(child)) drawEntity(child, depth + 1);
    }
    frame = outer;
  }
  for (const attribute of entity.attributes || []) {
    drawEntity({ ...attribute, shape: "text", layer: entity.layer, color: entity.color }, depth);
  }
}

function drawEntity(entity, depth = 0) {
  if (entity.shape === "insert") {
    drawInsert(entity, depth);
    return;
  }
  const colour = aciColour(colourIndex(entity));
  context.strokeStyle = colour;
  context.fillStyle = colour;
  const p = entity.points;
  context.beginPath();
  switch (entity.shape) {
    case "line":
      context.moveTo(...project(p[0], p[1]));
      context.lineTo(...project(p[2], p[3]));
      break;
    case "box": {
      context.setLineDash([4, 3]);
      context.moveTo(...project(p[0], p[1]));
      context.lineTo(...project(p[2], p[1]));
      context.lineTo(...project(p[2], p[3]));
      context.lineTo(...project(p[0], p[3]));
      context.closePath();
      break;
    }
    case "polyline": {
      const count = Math.floor(p.length / 3);
      if (count === 0) return;
      context.moveTo(...project(p[0], p[1]));
      const segments = entity.closed ? count : count - 1;
      for (let i = 0; i < segments; ++i) {
        const j = (i + 1) % count;
        bulgeSegment(p[3 * i], p[3 * i + 1], p[3 * j], p[3 * j + 1], p[3 * i + 2]);
      }
      break;
    }
    case "circle": {
      const [cx, cy] = project(entity.center[0], entity.center[1]);
      context.arc(cx, cy, entity.radius * frame.scale * view.scale, 0, 2 * Math.PI);
      break;
    }
    case "arc": {
      const [cx, cy] = project(entity.center[0], entity.center[1]);
      context.arc(cx, cy, entity.radius * frame.scale * view.scale,
                  -(entity.start + frame.rotation), -(entity.end + frame.rotation), true);
      break;
    }
    case "text":
    case "mtext":
      drawText(entity);
      return;
    default:
      return;
  }
  context.stroke();
  context.setLineDash([]);
}

function draw() {
  context.setTransform(1, 0, 0, 1, 0, 0);
  context.clearRect(0, 0, canvas.width, canvas.height);
  context.lineWidth = 1;
  for (const entity of drawing.entities) {
    if (visible(entity)) drawEntity(entity);
  }
}

function fitCanvas() {
  const box = canvas.getBoundingClientRect();
  canvas.width = Math.max(1, Math.round(box.width));
  canvas.height = Math.max(1, Math.round(box.height));
  draw();
}

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

// ---- dialogs ---------------------------------------------------------------------------------

// A modal dialog the host waits on. Clicking a control types its id, as a drafter would at the
// host's "Dialog answer" prompt; an edit box sends "id=text" when Enter is pressed in it.
const dialogBox = document.getElementById("dialog");

// A label as shown: '&' marks an accelerator, "&&" is a '&'.
function label(text) {
  return text.replace(/&(.)/g, "$1");
}

// A picture button's bitmap: RGBA rows, top down.
function pictureCanvas(picture) {
  const canvas = document.createElement("canvas");
  canvas.width = picture.width;
  canvas.height = picture.height;
  const bytes = Uint8ClampedArray.from(atob(picture.rgba), (c) => c.charCodeAt(0));
  canvas.getContext("2d").putImageData(new ImageData(bytes, picture.width, picture.height), 0, 0);
  return canvas;
}

function dialogControl(control) {
  const answer = (text) => () => send("line " + text);
  let element;
  if (control.kind === "push" || control.kind === "picture") {
    element = document.createElement("button");
    if (control.picture) {
      element.append(pictureCanvas(control.picture));
      element.title = `[${control.id}]`;
    } else {
      element.textContent = label(control.label) || `[${control.id}]`;
    }
    element.classList.toggle("default", !!control.default);
    element.classList.toggle("pressed", !!control.pressed);
    element.addEventListener("click", answer(String(control.id)));
  } else if (control.kind === "check" || control.kind === "radio") {
    element = document.createElement("label");
    const box = document.createElement("input");
    box.type = control.kind === "check" ? "checkbox" : "radio";
    box.checked = !!control.checked;
    // The box shows the host's state: the host changes it when it has the click.
    box.addEventListener("click", (event) => {
      event.preventDefault();
      send("line " + control.id);
    });
    element.append(box, " " + label(control.label));
  } else if (control.kind === "edit") {
    element = document.createElement("input");
    element.type = "text";
    element.value = control.label;
    element.addEventListener("keydown", (event) => {
      if (event.key !== "Enter") return;
      event.preventDefault();
      send("line " + control.id + "=" + element.value);
    });
  } else {
    element = document.createElement("div");
    element.className = control.kind === "group" ? "group" : "text";
    element.textContent = label(control.label);
  }
  if (control.enabled === false && "disabled" in element) element.disabled = true;
  element.dataset.id = control.id;
  return element;
}

function showDialog(message) {
  dialogBox.hidden = !message.open;
  if (!message.open) return;
  document.getElementById("caption").textContent = message.caption;
  document.getElementById("controls").replaceChildren(...message.controls.map(dialogControl));
}

// ---- command line ----------------------------------------------------------------------------

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
socket.addEventListener("message", (event) => {
  const message = JSON.parse(event.data);
  if (message.type === "output") {
    showOutput(message.text);
  } else if (message.type === "dialog") {
    showDialog(message);
  } else if (message.type === "drawing") {
    // Another drawing is shown whole; the same one again keeps the view.
    const another = message.file !== drawing.file;
    drawing = message;
    layers = new Map(message.layers.map((l) => [l.name, { color: l.color,
                                                          hidden: l.frozen || l.off }]));
    document.getElementById("file").textContent = message.file || "No drawing";
    if (another) zoomExtents(); else draw();
  }
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
