// The entity under the mouse, listed as the host's LIST lists it (kind, layer, handle and its
// extended data) once the mouse rests on it. The page finds the entity from the geometry it
// draws; the listing comes from the host, which alone reads the database.
"use strict";

const hoverBox = document.getElementById("hover");
const kHoverPixels = 5;  // how near the cursor an entity's line must pass
const kRestMs = 250;
let hoverTimer;
let hovered = null;  // { handle, x, y }: the entity asked about and where the mouse was

function segmentDistance(px, py, x1, y1, x2, y2) {
  const dx = x2 - x1, dy = y2 - y1;
  const length = dx * dx + dy * dy;
  const t = length === 0 ? 0 : Math.max(0, Math.min(1, ((px - x1) * dx + (py - y1) * dy) / length));
  return Math.hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

function insideBox(px, py, [x1, y1, x2, y2]) {
  return px >= Math.min(x1, x2) && px <= Math.max(x1, x2) &&
         py >= Math.min(y1, y2) && py <= Math.max(y1, y2);
}

// How far a drawing point is from what the entity draws; the inside of a text's or a block
// reference's box counts as near, but not as near as a line passing through the point, and the
// box standing for a kind not drawn yet (a hatch behind a row) yields to what is drawn.
function distanceTo(entity, px, py, near) {
  const p = entity.points || [];
  switch (entity.shape) {
    case "line":
      return segmentDistance(px, py, p[0], p[1], p[2], p[3]);
    case "box":
      return near * 0.5 + Math.min(segmentDistance(px, py, p[0], p[1], p[2], p[1]),
                                   segmentDistance(px, py, p[2], p[1], p[2], p[3]),
                                   segmentDistance(px, py, p[2], p[3], p[0], p[3]),
                                   segmentDistance(px, py, p[0], p[3], p[0], p[1]));
    case "polyline": {
      // Arcs of bulged segments are taken as their chords: near enough to find the entity.
      const count = Math.floor(p.length / 3);
      let best = Infinity;
      const segments = entity.closed ? count : count - 1;
      for (let i = 0; i < segments; ++i) {
        const j = (i + 1) % count;
        best = Math.min(best, segmentDistance(px, py, p[3 * i], p[3 * i + 1], p[3 * j],
                                              p[3 * j + 1]));
      }
      return count === 1 ? Math.hypot(px - p[0], py - p[1]) : best;
    }
    case "paths": {
      // A hatch's boundary, its arcs taken as chords; it yields to what lies on it.
      let best = Infinity;
      for (const piece of entity.paths) {
        for (let i = 0; i + 5 < piece.length; i += 3) {
          best = Math.min(best, segmentDistance(px, py, piece[i], piece[i + 1], piece[i + 3],
                                                piece[i + 4]));
        }
      }
      return near * 0.5 + best;
    }
    case "circle":
      return Math.abs(Math.hypot(px - entity.center[0], py - entity.center[1]) - entity.radius);
    case "arc": {
      const [cx, cy] = entity.center;
      const angle = Math.atan2(py - cy, px - cx);
      const sweep = (entity.end - entity.start + 4 * Math.PI) % (2 * Math.PI);
      const at = (angle - entity.start + 4 * Math.PI) % (2 * Math.PI);
      if (at <= sweep) return Math.abs(Math.hypot(px - cx, py - cy) - entity.radius);
      const end = (a) => [cx + entity.radius * Math.cos(a), cy + entity.radius * Math.sin(a)];
      return Math.min(Math.hypot(px - end(entity.start)[0], py - end(entity.start)[1]),
                      Math.hypot(px - end(entity.end)[0], py - end(entity.end)[1]));
    }
    case "text":
    case "mtext": {
      const corners = extentsOf(entity);
      return corners.length === 2 && insideBox(px, py, [...corners[0], ...corners[1]])
                 ? near * 0.8 : Infinity;
    }
    case "insert":
      return entity.box && insideBox(px, py, entity.box) ? near * 0.9 : Infinity;
    default:
      return Infinity;
  }
}

// The shown entity nearest the point, within the hover distance; the topmost of equals.
function entityAt(px, py) {
  const near = kHoverPixels / view.scale;
  let found = null, best = near;
  for (const entity of drawing.entities) {
    if (!visible(entity)) continue;
    const distance = distanceTo(entity, px, py, near);
    if (distance <= best) {
      best = distance;
      found = entity;
    }
  }
  return found;
}

function hideHover() {
  clearTimeout(hoverTimer);
  hovered = null;
  hoverBox.hidden = true;
}

canvas.addEventListener("mousemove", (event) => {
  clearTimeout(hoverTimer);
  const x = event.offsetX, y = event.offsetY;
  hoverTimer = setTimeout(() => {
    const entity = entityAt(...toWorld(x, y));
    if (!entity) {
      hideHover();
      return;
    }
    if (hovered?.handle !== entity.handle) send("list " + entity.handle);
    hovered = { handle: entity.handle, x, y };
    if (!hoverBox.hidden) placeHover();
  }, kRestMs);
});
canvas.addEventListener("mouseleave", hideHover);
canvas.addEventListener("mousedown", hideHover);

function placeHover() {
  const room = canvas.getBoundingClientRect();
  const left = Math.min(hovered.x + 16, room.width - hoverBox.offsetWidth - 4);
  const top = hovered.y + 16 + hoverBox.offsetHeight < room.height
                  ? hovered.y + 16 : Math.max(0, hovered.y - 16 - hoverBox.offsetHeight);
  hoverBox.style.left = `${Math.max(0, left)}px`;
  hoverBox.style.top = `${top}px`;
}

messageHandlers.listing = (message) => {
  if (hovered?.handle !== message.handle || !message.text) return;
  // LIST's lines start with a line end; the first one is left out.
  hoverBox.textContent = message.text.replace(/^\n/, "");
  hoverBox.hidden = false;
  placeHover();
};
