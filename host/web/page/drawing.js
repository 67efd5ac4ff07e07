// The drawing on the page's canvas: the view (pan and zoom), layer colours, and every kind of
// entity the host sends, block references drawn from their blocks.
"use strict";

const canvas = document.getElementById("view");
const context = canvas.getContext("2d");
let drawing = { file: undefined, layers: [], entities: [] };
let layers = new Map();  // name -> { color, hidden }
let view = { x: 0, y: 0, scale: 1 };  // world point at the canvas centre, pixels per unit

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
  } else if (entity.shape === "paths") {
    for (const piece of entity.paths) {
      for (let i = 0; i + 2 < piece.length; i += 3) points.push([piece[i], piece[i + 1]]);
    }
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
  const colour = ruleColour ?? aciColour(colourIndex(entity));
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
    case "paths":
      // A hatch's boundary: each piece an open polyline.
      for (const piece of entity.paths) {
        if (piece.length < 6) continue;
        context.moveTo(...project(piece[0], piece[1]));
        for (let i = 0; i + 5 < piece.length; i += 3) {
          bulgeSegment(piece[i], piece[i + 1], piece[i + 3], piece[i + 4], piece[i + 2]);
        }
      }
      break;
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

// What other parts of the page lay over the drawing: colour rules for whole entities (a block
// reference's contents included), the first that gives a colour winning, and painters called
// after the entities, in screen pixels (a selection window, a rubber band).
const colourRules = [];  // (entity) => CSS colour or undefined
const overlays = [];     // () => void, drawing on `context`
let ruleColour;          // the colour a rule gave the top-level entity being drawn

function draw() {
  context.setTransform(1, 0, 0, 1, 0, 0);
  context.clearRect(0, 0, canvas.width, canvas.height);
  context.lineWidth = 1;
  for (const entity of drawing.entities) {
    if (!visible(entity)) continue;
    ruleColour = undefined;
    for (const rule of colourRules) {
      ruleColour = rule(entity);
      if (ruleColour) break;
    }
    drawEntity(entity);
  }
  ruleColour = undefined;
  for (const overlay of overlays) overlay();
}

function fitCanvas() {
  const box = canvas.getBoundingClientRect();
  canvas.width = Math.max(1, Math.round(box.width));
  canvas.height = Math.max(1, Math.round(box.height));
  draw();
}
