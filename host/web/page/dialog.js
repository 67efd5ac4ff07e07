// A modal dialog the host waits on, drawn over the drawing as Windows lays it out: a frame of
// the dialog's client size under a title bar, each control at its rectangle (pixels the host
// computed from the template's dialog units and font). Clicking a control types what the
// host's "Dialog answer" prompt takes for it: a button's id, "id=text" when Enter is pressed
// in an edit box, "id:n" for a click on item n of a list and "id::n" for a double click.
"use strict";

const dialogBox = document.getElementById("dialog");
const dialogControls = document.getElementById("controls");

// A label as shown: '&' marks an accelerator, "&&" is a '&'.
function label(text) {
  return text.replace(/&(.)/g, "$1");
}

const answer = (text) => () => send("line " + text);

// A picture button's bitmap: RGBA rows, top down.
function pictureCanvas(picture) {
  const canvas = document.createElement("canvas");
  canvas.width = picture.width;
  canvas.height = picture.height;
  const bytes = Uint8ClampedArray.from(atob(picture.rgba), (c) => c.charCodeAt(0));
  canvas.getContext("2d").putImageData(new ImageData(bytes, picture.width, picture.height), 0, 0);
  return canvas;
}

function buttonElement(control) {
  const element = document.createElement("button");
  if (control.picture) {
    element.append(pictureCanvas(control.picture));
    element.title = `[${control.id}]`;
  } else {
    element.textContent = label(control.label) || `[${control.id}]`;
  }
  element.classList.toggle("default", !!control.default);
  element.classList.toggle("pressed", !!control.pressed || !!control.checked);
  element.addEventListener("click", answer(String(control.id)));
  return element;
}

function checkElement(control) {
  const element = document.createElement("label");
  const box = document.createElement("input");
  box.type = control.kind === "check" ? "checkbox" : "radio";
  box.checked = !!control.checked;
  box.disabled = control.enabled === false;
  // The box shows the host's state: the host changes it when it has the click.
  element.addEventListener("click", (event) => {
    event.preventDefault();
    if (control.enabled !== false) send("line " + control.id);
  });
  element.append(box, label(control.label));
  return element;
}

function editElement(control) {
  const element = document.createElement("input");
  element.type = "text";
  element.value = control.label;
  element.addEventListener("keydown", (event) => {
    if (event.key !== "Enter") return;
    event.preventDefault();
    send("line " + control.id + "=" + element.value);
  });
  return element;
}

// A list keeps its element from one message to the next, so that its scroll position stays and
// the second click of a double click lands on the item the first one selected.
const lists = new Map();

function listElement(control) {
  let element = lists.get(control.id);
  if (!element) {
    element = document.createElement("div");
    element.className = "list";
    element.addEventListener("click", (event) => {
      const item = event.target.closest(".item");
      if (!item || element.classList.contains("disabled")) return;
      // The second click of a double click is the double click itself.
      send(`line ${control.id}${event.detail >= 2 ? "::" : ":"}${item.dataset.index}`);
    });
  }
  // Items are changed in place, never taken out and put back, for the same reason.
  control.items.forEach((text, index) => {
    let item = element.children[index];
    if (!item) {
      item = document.createElement("div");
      item.className = "item";
      item.dataset.index = index;
      element.append(item);
    }
    if (item.textContent !== text) item.textContent = text;
    item.classList.toggle("selected", index === control.selected);
  });
  while (element.children.length > control.items.length) element.lastElementChild.remove();
  element.classList.toggle("disabled", control.enabled === false);
  return element;
}

function controlElement(control) {
  let element;
  if (control.kind === "push" || control.kind === "picture") {
    element = buttonElement(control);
  } else if (control.kind === "check" || control.kind === "radio") {
    element = checkElement(control);
  } else if (control.kind === "edit") {
    element = editElement(control);
  } else if (control.kind === "list") {
    element = listElement(control);
  } else if (control.kind === "group") {
    element = document.createElement("fieldset");
    element.className = "group";
    const legend = document.createElement("legend");
    legend.textContent = label(control.label);
    element.append(legend);
  } else {
    element = document.createElement("div");
    element.className = "text";
    element.textContent = label(control.label);
  }
  if (control.enabled === false && "disabled" in element) element.disabled = true;
  element.classList.add("control");
  element.dataset.id = control.id;
  if (control.rect) {
    const [x, y, width, height] = control.rect;
    Object.assign(element.style,
                  { left: `${x}px`, top: `${y}px`, width: `${width}px`, height: `${height}px` });
  }
  return element;
}

function showDialog(message) {
  dialogBox.hidden = !message.open;
  if (!message.open) {
    lists.clear();
    return;
  }
  document.getElementById("caption").textContent = message.caption;
  // The client area at the host's size; text in the dialog font's size (MS Sans Serif 8 has
  // characters 13 pixels high for an 11-pixel em).
  // A list's lines are as high as the font's characters, as Windows draws them.
  const lineHeight = message.font?.height ?? 13;
  dialogControls.style.width = `${message.width}px`;
  dialogControls.style.height = `${message.height}px`;
  dialogControls.style.fontSize = `${Math.round(lineHeight * 11 / 13)}px`;
  dialogControls.style.setProperty("--line", `${lineHeight}px`);
  const scrolled = new Map([...lists].map(([id, element]) => [id, element.scrollTop]));
  const shown = message.controls.map(controlElement);
  lists.clear();
  message.controls.forEach((control, index) => {
    if (control.kind === "list") lists.set(control.id, shown[index]);
  });
  // Controls are put in place around those kept (lists), which never leave the page: a list
  // taken out and put back would lose the click count of a double click under way.
  const kept = new Set(shown);
  for (const child of [...dialogControls.children]) {
    if (!kept.has(child)) child.remove();
  }
  shown.forEach((element, index) => {
    const current = dialogControls.children[index];
    if (current !== element) dialogControls.insertBefore(element, current ?? null);
  });
  for (const [id, top] of scrolled) {
    if (lists.has(id)) lists.get(id).scrollTop = top;
  }
}
