// The undo log: one group of steps per command, taken back newest first.
#include "dbdata.h"
#include "reactors.h"
#include "zacad/undo.h"

namespace zacad {

void UndoLog::begin() {
  if (depth_++ == 0)
    closeOpenGroup();
}

void UndoLog::end() {
  if (depth_ > 0 && --depth_ == 0)
    closeOpenGroup();
}

void UndoLog::closeOpenGroup() {
  if (open_.steps.empty())
    return;
  done_.push_back(std::move(open_));
  open_ = UndoGroup();
}

void UndoLog::record(UndoStep step, std::string snapshot) {
  if (step.kind == UndoStep::Kind::kTags) {
    step.what = static_cast<std::uint32_t>(open_.snapshots.size());
    open_.snapshots.push_back(std::move(snapshot));
  }
  open_.steps.push_back(step);
  redo_.clear();
}

UndoGroup UndoLog::apply(DatabaseData& db, UndoGroup group) {
  UndoGroup inverse;
  zdxf::Document& doc = *db.doc;
  // Each step taken back is undone by the tags the object has now.
  auto keepTags = [&](UndoStep& back) {
    back.kind = UndoStep::Kind::kTags;
    back.what = static_cast<std::uint32_t>(inverse.snapshots.size());
    inverse.snapshots.push_back(doc.snapshot(back.stub->object));
  };
  for (auto step = group.steps.rbegin(); step != group.steps.rend(); ++step) {
    UndoStep back;
    back.stub = step->stub;
    switch (step->kind) {
      case UndoStep::Kind::kTags:
        keepTags(back);
        doc.restore(step->stub->object, group.snapshots[step->what]);
        break;
      case UndoStep::Kind::kDropXdata:
        keepTags(back);
        doc.set_xdata(step->stub->object, db.applicationNames[step->what], {});
        break;
      case UndoStep::Kind::kErased:
        back.kind = UndoStep::Kind::kErased;
        back.erased = step->stub->erased;
        step->stub->erased = step->erased;
        db.anyErased = db.anyErased || step->erased;
        break;
    }
    inverse.steps.push_back(std::move(back));
  }
  db.modified = true;
  db.tablesChanged();
  if (!db.reactors.empty())
    NotifyUndone(db, inverse);
  return inverse;
}

bool UndoLog::undo(DatabaseData& db) {
  if (depth_ == 0)
    closeOpenGroup();
  if (done_.empty())
    return false;
  UndoGroup group = std::move(done_.back());
  done_.pop_back();
  redo_.push_back(apply(db, std::move(group)));
  return true;
}

bool UndoLog::redo(DatabaseData& db) {
  if (redo_.empty())
    return false;
  UndoGroup group = std::move(redo_.back());
  redo_.pop_back();
  done_.push_back(apply(db, std::move(group)));
  return true;
}

void UndoLog::clear() {
  done_.clear();
  redo_.clear();
  open_ = UndoGroup();
}

}  // namespace zacad

void zacad::BeginUndoGroup(AcDbDatabase* db) {
  if (db != nullptr)
    db->data().undo.begin();
}

void zacad::EndUndoGroup(AcDbDatabase* db) {
  if (db != nullptr)
    db->data().undo.end();
}

bool zacad::UndoLastGroup(AcDbDatabase* db) {
  return db != nullptr && db->data().doc && db->data().undo.undo(db->data());
}

bool zacad::RedoLastGroup(AcDbDatabase* db) {
  return db != nullptr && db->data().doc && db->data().undo.redo(db->data());
}
