// A modal dialog the host waits on, drawn over the drawing. Clicking a control types its id, as
// a drafter would at the host's "Dialog answer" prompt; an edit box sends "id=text" when Enter is
// pressed in it.
"use strict";

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
