// Modal dialogs shown on the page as well: each time a dialog waits for the user, its caption
// and controls (kind, label, state) go to every page, which draws them as clickable controls.
// The answer itself still comes from the command line's dialog front end, which this one wraps:
// a click on the page is typed as the control's id, so a dialog is answered by one set of rules
// whether the answer was clicked, typed or scripted.
#pragma once

#include <string>

#include "zwin32/dialogfrontend.h"

namespace zanthost::web {

class WebServer;

class DialogMirror : public zwin32::DialogFrontEnd {
 public:
  // Installs itself in front of the dialog front end in place now.
  explicit DialogMirror(WebServer& server);
  // Puts the previous front end back.
  ~DialogMirror() override;
  DialogMirror(const DialogMirror&) = delete;
  DialogMirror& operator=(const DialogMirror&) = delete;

  zwin32::DialogInput NextInput(HWND dialog) override;

  // Called when the host waits for input: outside a dialog's own wait, a dialog shown before
  // has closed, and the pages are told so.
  void hostWaits();

  // The message of the dialog open now, for a page that connects while it waits; empty when
  // none is open.
  const std::string& shown() const { return shown_; }

 private:
  WebServer& server_;
  zwin32::DialogFrontEnd* previous_;
  std::string shown_;
  bool waiting_ = false;  // inside the wrapped front end's NextInput
};

}  // namespace zanthost::web
