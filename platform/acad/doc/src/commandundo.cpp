// One undo group per command: an editor reactor opens a group on the current drawing when a
// command starts and closes it when the command ends, however it ends. Groups nest, so a
// command context that also opens them changes nothing.
#include <vector>

#include "aced.h"
#include "acdocman.h"
#include "zacad/undo.h"

namespace zacad {
namespace {

class CommandUndo : public AcEditorReactor {
 public:
  void commandWillStart(const ACHAR*) override {
    AcApDocument* doc = acDocManager->curDocument();
    AcDbDatabase* db = doc == nullptr ? nullptr : doc->database();
    BeginUndoGroup(db);
    open_.push_back(db);
  }
  void commandEnded(const ACHAR*) override { close(); }
  void commandCancelled(const ACHAR*) override { close(); }
  void commandFailed(const ACHAR*) override { close(); }

 private:
  // The group closes on the drawing it was opened on, even if the command switched drawings.
  // A drawing closed meanwhile is no longer open, so its group is simply dropped.
  void close() {
    if (open_.empty())
      return;
    AcDbDatabase* db = open_.back();
    open_.pop_back();
    if (db != nullptr && acDocManager->document(db) != nullptr)
      EndUndoGroup(db);
  }
  std::vector<AcDbDatabase*> open_;
};

}  // namespace

void StartCommandUndo() {
  static CommandUndo* reactor = nullptr;
  if (reactor != nullptr)
    return;
  AcEditor* editor = acedEditor;
  if (editor == nullptr)
    return;
  reactor = new CommandUndo;
  editor->addReactor(reactor);
}

}  // namespace zacad
