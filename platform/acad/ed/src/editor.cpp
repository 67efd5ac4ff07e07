// The editor and its reactors: default notifications that do nothing, and the host's firing
// of command events to the attached editor reactors.
#include <algorithm>
#include <string>
#include <vector>

#include "aced.h"
#include "edservices.h"
#include "rxclass.h"
#include "zacad/editorevents.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxEventReactor, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcRxEvent, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcEditorReactor, AcRxEventReactor);
ACRX_NO_CONS_DEFINE_MEMBERS(AcEditor, AcRxEvent);

AcRxEventReactor::AcRxEventReactor() = default;
AcRxEventReactor::~AcRxEventReactor() = default;
void AcRxEventReactor::dwgFileOpened(AcDbDatabase*, ACHAR*) {}
void AcRxEventReactor::initialDwgFileOpenComplete(AcDbDatabase*) {}
void AcRxEventReactor::databaseConstructed(AcDbDatabase*) {}
void AcRxEventReactor::databaseToBeDestroyed(AcDbDatabase*) {}
void AcRxEventReactor::beginSave(AcDbDatabase*, const ACHAR*) {}
void AcRxEventReactor::saveComplete(AcDbDatabase*, const ACHAR*) {}
void AcRxEventReactor::abortSave(AcDbDatabase*) {}
void AcRxEventReactor::beginDxfIn(AcDbDatabase*) {}
void AcRxEventReactor::abortDxfIn(AcDbDatabase*) {}
void AcRxEventReactor::dxfInComplete(AcDbDatabase*) {}
void AcRxEventReactor::beginDxfOut(AcDbDatabase*) {}
void AcRxEventReactor::abortDxfOut(AcDbDatabase*) {}
void AcRxEventReactor::dxfOutComplete(AcDbDatabase*) {}

AcRxEvent::AcRxEvent() = default;
AcRxEvent::~AcRxEvent() = default;

AcEditorReactor::AcEditorReactor() = default;
AcEditorReactor::~AcEditorReactor() = default;
void AcEditorReactor::unknownCommand(const ACHAR*, AcDbVoidPtrArray*) {}
void AcEditorReactor::commandWillStart(const ACHAR*) {}
void AcEditorReactor::commandEnded(const ACHAR*) {}
void AcEditorReactor::commandCancelled(const ACHAR*) {}
void AcEditorReactor::commandFailed(const ACHAR*) {}
void AcEditorReactor::lispWillStart(const ACHAR*) {}
void AcEditorReactor::lispEnded() {}
void AcEditorReactor::lispCancelled() {}
void AcEditorReactor::beginClose(AcDbDatabase*) {}

AcEditor::AcEditor() = default;
AcEditor::~AcEditor() = default;

namespace zacad {
namespace {

class Editor : public AcEditor {
 public:
  void addReactor(AcRxEventReactor* newObj) override {
    if (newObj != nullptr && !attached(newObj))
      reactors_.push_back(newObj);
  }
  void removeReactor(AcRxEventReactor* delObj) override {
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), delObj), reactors_.end());
  }

  bool attached(const AcRxEventReactor* reactor) const {
    return std::find(reactors_.begin(), reactors_.end(), reactor) != reactors_.end();
  }

  // Calls `notify` on each editor reactor attached now, skipping any that an earlier one
  // detached (and perhaps deleted) meanwhile.
  template <typename Notify>
  void forEachEditorReactor(Notify notify) {
    const std::vector<AcRxEventReactor*> snapshot = reactors_;
    for (AcRxEventReactor* reactor : snapshot) {
      if (!attached(reactor))
        continue;
      if (AcEditorReactor* editorReactor = AcEditorReactor::cast(reactor))
        notify(editorReactor);
    }
  }

 private:
  std::vector<AcRxEventReactor*> reactors_;
};

Editor* gEditor = nullptr;

}  // namespace

AcEditor* NewEditor() {
  gEditor = new Editor();
  return gEditor;
}

void FireCommandEvent(CommandEvent event, std::u16string_view globalName) {
  if (gEditor == nullptr)
    return;
  const std::u16string name(globalName);
  gEditor->forEachEditorReactor([&](AcEditorReactor* reactor) {
    switch (event) {
      case CommandEvent::kWillStart:
        reactor->commandWillStart(name.c_str());
        break;
      case CommandEvent::kEnded:
        reactor->commandEnded(name.c_str());
        break;
      case CommandEvent::kCancelled:
        reactor->commandCancelled(name.c_str());
        break;
      case CommandEvent::kFailed:
        reactor->commandFailed(name.c_str());
        break;
    }
  });
}

void FireUnknownCommand(std::u16string_view name) {
  if (gEditor == nullptr)
    return;
  const std::u16string text(name);
  gEditor->forEachEditorReactor(
      [&](AcEditorReactor* reactor) { reactor->unknownCommand(text.c_str(), nullptr); });
}

}  // namespace zacad
