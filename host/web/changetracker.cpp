#include "changetracker.h"

#include <exception>
#include <string>

#include "aced.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "drawingmessage.h"
#include "json.h"
#include "webserver.h"

namespace zanthost::web {

class ChangeTracker::DatabaseWatch : public AcDbDatabaseReactor {
 public:
  explicit DatabaseWatch(ChangeTracker& tracker) : tracker_(tracker) {}
  void objectAppended(const AcDbDatabase*, const AcDbObject* object) override {
    tracker_.changed(object->objectId());
  }
  void objectModified(const AcDbDatabase*, const AcDbObject* object) override {
    tracker_.changed(object->objectId());
  }
  void objectErased(const AcDbDatabase*, const AcDbObject* object, Adesk::Boolean) override {
    tracker_.changed(object->objectId());
  }
  void goodbye(const AcDbDatabase* db) override { tracker_.forget(db); }

 private:
  ChangeTracker& tracker_;
};

class ChangeTracker::CommandWatch : public AcEditorReactor {
 public:
  explicit CommandWatch(ChangeTracker& tracker) : tracker_(tracker) {}
  void commandWillStart(const ACHAR*) override {
    tracker_.watch(acdbHostApplicationServices()->workingDatabase());
  }
  void commandEnded(const ACHAR*) override { tracker_.commandDone(); }
  void commandCancelled(const ACHAR*) override { tracker_.commandDone(); }
  void commandFailed(const ACHAR*) override { tracker_.commandDone(); }

 private:
  ChangeTracker& tracker_;
};

ChangeTracker::ChangeTracker(WebServer& server)
    : server_(server),
      databaseWatch_(std::make_unique<DatabaseWatch>(*this)),
      commandWatch_(std::make_unique<CommandWatch>(*this)) {
  if (AcEditor* editor = acedEditor)
    editor->addReactor(commandWatch_.get());
  watch(acdbHostApplicationServices()->workingDatabase());
}

ChangeTracker::~ChangeTracker() {
  if (AcEditor* editor = acedEditor)
    editor->removeReactor(commandWatch_.get());
  if (db_ != nullptr)
    db_->removeReactor(databaseWatch_.get());
}

void ChangeTracker::watch(AcDbDatabase* db) {
  if (db == db_)
    return;
  // Another drawing became current: the pages get it whole (PageSource), so what was noted
  // about the former one is of no use.
  if (db_ != nullptr)
    db_->removeReactor(databaseWatch_.get());
  changed_.clear();
  noted_.clear();
  db_ = db;
  if (db_ != nullptr) {
    db_->addReactor(databaseWatch_.get());
    modifiedShown_ = db_->isModified();
  }
}

void ChangeTracker::changed(AcDbObjectId id) {
  if (noted_.insert(id).second)
    changed_.push_back(id);
}

void ChangeTracker::forget(const AcDbDatabase* db) {
  if (db != db_)
    return;
  db_ = nullptr;
  changed_.clear();
  noted_.clear();
}

void ChangeTracker::commandDone() {
  if (db_ == nullptr || db_ != acdbHostApplicationServices()->workingDatabase())
    return;
  if (changed_.empty() && db_->isModified() == modifiedShown_)
    return;
  // Called from the host's command loop, where nothing above would catch: reading the drawing
  // must not end the host.
  std::string message;
  try {
    std::optional<std::string> entities = EntitiesMessage(changed_);
    message = entities ? std::move(*entities) : DrawingMessage();
  } catch (const std::exception& e) {
    message = "{\"type\":\"output\",\"text\":";
    AppendJsonString(message, std::string("\n** The changes could not be sent: ") + e.what() +
                                  " (Redraw reads the drawing again) **\n");
    message += '}';
  }
  changed_.clear();
  noted_.clear();
  modifiedShown_ = db_->isModified();
  server_.sendToAll(message);
}

}  // namespace zanthost::web
