// The drawing tinted by the host's tint rules (zanthost --tint): each entity whose extended data
// a rule matches is drawn in that rule's colour, the others in the rules' colour for the rest,
// and a legend names the colours with how many entities show each.
"use strict";

const legend = document.getElementById("legend");

function tintColour(entity) {
  const tint = drawing.tint;
  if (!tint) return undefined;
  if (entity.tint !== undefined) return tint.rules[entity.tint]?.colour;
  return tint.others?.colour;
}
colourRules.push(tintColour);

// Tinted entities are drawn again over the rest, so that what is drawn after them (the box of a
// hatch behind a row) does not hide their colour; those another rule colours (the selection
// being built) are left to it.
overlays.push(() => {
  if (!drawing.tint) return;
  for (const entity of drawing.entities) {
    if (entity.tint === undefined || !visible(entity)) continue;
    const colour = tintColour(entity);
    const first = colourRules.map((rule) => rule(entity)).find((c) => c);
    if (!colour || first !== colour) continue;
    ruleColour = colour;
    drawEntity(entity);
  }
  ruleColour = undefined;
});

// One row per colour and label that some entity shows, in the rules' order (rules of the same
// colour and label make one row), then the rest, as the template inspector's picture lists them.
function showLegend() {
  const tint = drawing.tint;
  legend.hidden = !tint;
  if (!tint) return;
  const counts = new Map();
  for (const entity of drawing.entities) {
    const rule = tint.rules[entity.tint];
    if (!rule) continue;
    const key = rule.colour + " " + rule.label;
    counts.set(key, (counts.get(key) ?? 0) + 1);
  }
  const rows = [];
  const shown = new Set();
  for (const rule of tint.rules) {
    const key = rule.colour + " " + rule.label;
    if (!counts.has(key) || shown.has(key)) continue;
    shown.add(key);
    rows.push([rule.colour, `${rule.label} (${counts.get(key)})`]);
  }
  if (tint.others) rows.push([tint.others.colour, tint.others.label]);
  const title = document.createElement("div");
  title.className = "title";
  title.textContent = tint.title;
  legend.replaceChildren(title, ...rows.map(([colour, text]) => {
    const row = document.createElement("div");
    const swatch = document.createElement("span");
    swatch.className = "swatch";
    swatch.style.background = colour;
    row.append(swatch, text);
    return row;
  }));
}

for (const type of ["drawing", "entities"]) {
  const handle = messageHandlers[type];
  messageHandlers[type] = (message) => {
    handle(message);
    showLegend();
  };
}
