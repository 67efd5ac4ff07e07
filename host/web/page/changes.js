// What a command changed, merged into the drawing the page shows: the host sends the changed,
// added and erased entities when a command ends (U, UNDO and REDO too), not the whole drawing.
// Also the Save button (QSAVE in the host), lit while the drawing has unsaved changes, and the
// host's short notices.
"use strict";

const saveButton = document.getElementById("save");
const notice = document.getElementById("notice");
let noticeTimer;

function showModified() {
  saveButton.classList.toggle("modified", Boolean(drawing.modified));
  saveButton.title = drawing.modified ? "Save the changes (QSAVE)" : "Save the drawing (QSAVE)";
}

messageHandlers.entities = (message) => {
  const erased = new Set(message.erased);
  const changed = new Map(message.entities.map((e) => [e.handle, e]));
  // Changed entities keep their place in the drawing order; added ones go last.
  const entities = [];
  for (const entity of drawing.entities) {
    if (erased.has(entity.handle)) continue;
    const now = changed.get(entity.handle);
    entities.push(now ?? entity);
    changed.delete(entity.handle);
  }
  entities.push(...changed.values());
  drawing.entities = entities;
  drawing.blocks = { ...drawing.blocks, ...message.blocks };
  drawing.modified = message.modified;
  showModified();
  draw();
};

const showWholeDrawing = messageHandlers.drawing;
messageHandlers.drawing = (message) => {
  showWholeDrawing(message);
  showModified();
};

messageHandlers.notice = (message) => {
  notice.textContent = message.text;
  clearTimeout(noticeTimer);
  noticeTimer = setTimeout(() => { notice.textContent = ""; }, 5000);
};

saveButton.addEventListener("click", () => send("save"));
