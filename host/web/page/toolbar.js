// The toolbars of the host's loaded menu groups, as rows of buttons above the drawing. A click
// names the button to the host, which runs its macro as its own toolbars do ("^C^C" first
// cancels whatever is going on).
"use strict";

const toolbarsBar = document.getElementById("toolbars");

messageHandlers.toolbars = (message) => {
  toolbarsBar.replaceChildren();
  for (const toolbar of message.toolbars) {
    const row = document.createElement("div");
    row.className = "toolbar";
    row.title = toolbar.name;
    toolbar.buttons.forEach((button, index) => {
      const element = document.createElement("button");
      element.textContent = button.label;
      element.title = button.tooltip || button.label;
      element.dataset.toolbar = toolbar.name;
      element.dataset.index = String(index);
      element.addEventListener("click", () => send(`button ${index} ${toolbar.name}`));
      // The command line keeps the keyboard.
      element.addEventListener("mousedown", (event) => event.preventDefault());
      row.append(element);
    });
    toolbarsBar.append(row);
  }
  toolbarsBar.hidden = message.toolbars.length === 0;
  fitCanvas();
};
