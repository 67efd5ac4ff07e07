// Editor reactor of the module: at the end of every host command it asks for the module's toolbar
// until one request succeeds, since the host may not be able to show it at load time.
#pragma once

#include "outside/host.h"

class ZANTZododAdadOviEditorReactor : public AcEditorReactor {
 public:
  explicit ZANTZododAdadOviEditorReactor(bool autoInitAndRelease);
  ~ZANTZododAdadOviEditorReactor() override;

  void commandEnded(const ACHAR* cmdStr) override;

 private:
  bool m_bAttached;      // registered with the host's editor
  bool m_bToolbarShown;  // the toolbar has been shown once since construction
};
