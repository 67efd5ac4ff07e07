// What the page lays over the drawing while the host asks: the members of the selection being
// built, dashed in a bright colour until the prompt ends; the window dragged at "Select
// objects" (solid blue from left to right, a window; dashed green from right to left, a
// crossing); and the rubber band from a prompt's base point to the cursor.
"use strict";

const kHighlight = "#ffd166";
const kWindowColour = "#4c8dff";
const kCrossingColour = "#40c070";
let highlighted = new Set();  // handles

messageHandlers.selection = (message) => {
  highlighted = new Set(message.handles);
  draw();
};

// Highlighted entities are left out of the plain drawing and drawn dashed on top of it.
colourRules.unshift((entity) => highlighted.has(entity.handle) ? "transparent" : undefined);
overlays.push(() => {
  if (highlighted.size === 0) return;
  context.save();
  context.lineWidth = 2;
  for (const entity of drawing.entities) {
    if (!highlighted.has(entity.handle) || !visible(entity)) continue;
    ruleColour = kHighlight;
    context.setLineDash([6, 4]);
    drawEntity(entity);
  }
  ruleColour = undefined;
  context.restore();
});

// A window or crossing between two canvas points, by their direction.
function selectionBox(x0, y0, x1, y1) {
  const crossing = x1 < x0;
  const colour = crossing ? kCrossingColour : kWindowColour;
  context.save();
  context.strokeStyle = colour;
  context.fillStyle = colour;
  context.lineWidth = 1;
  context.setLineDash(crossing ? [6, 4] : []);
  context.globalAlpha = 0.15;
  context.fillRect(x0, y0, x1 - x0, y1 - y0);
  context.globalAlpha = 1;
  context.strokeRect(x0 + 0.5, y0 + 0.5, x1 - x0, y1 - y0);
  context.restore();
}

overlays.push(() => {
  if (dragWindow) {
    selectionBox(dragWindow.x0, dragWindow.y0, dragWindow.x1, dragWindow.y1);
    return;
  }
  if (!waitingFor.base || !cursor) return;
  const [bx, by] = toScreen(waitingFor.base[0], waitingFor.base[1]);
  if (waitingFor.kind === "corner") {
    selectionBox(bx, by, cursor.x, cursor.y);
    return;
  }
  context.save();
  context.strokeStyle = "#e5e9f0";
  context.lineWidth = 1;
  context.beginPath();
  context.moveTo(bx, by);
  context.lineTo(cursor.x, cursor.y);
  context.stroke();
  context.restore();
});

// For scripted browsers: the handles shown as selected.
window.zanthostPage.highlighted = () => [...highlighted];
