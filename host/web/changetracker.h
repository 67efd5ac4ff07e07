// Keeps the pages' drawing current without sending it whole: a database reactor on the working
// drawing notes the objects a command changes, adds or erases, and when the command ends (or is
// cancelled, or fails; U, UNDO and REDO are commands too) every page gets those entities.
#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

#include "dbid.h"

class AcDbDatabase;

namespace zanthost::web {

class WebServer;

class ChangeTracker {
 public:
  // Watches the working drawing, and whichever is working when a command starts.
  explicit ChangeTracker(WebServer& server);
  ~ChangeTracker();
  ChangeTracker(const ChangeTracker&) = delete;
  ChangeTracker& operator=(const ChangeTracker&) = delete;

 private:
  class DatabaseWatch;
  class CommandWatch;

  void watch(AcDbDatabase* db);
  void changed(AcDbObjectId id);
  void forget(const AcDbDatabase* db);
  // A command is over: the pages get what it changed, if anything (its saving included, which
  // the pages show as the drawing being unmodified).
  void commandDone();

  WebServer& server_;
  std::unique_ptr<DatabaseWatch> databaseWatch_;
  std::unique_ptr<CommandWatch> commandWatch_;
  AcDbDatabase* db_ = nullptr;
  bool modifiedShown_ = false;
  std::vector<AcDbObjectId> changed_;  // in the order first changed
  std::unordered_set<AcDbObjectId> noted_;
};

}  // namespace zanthost::web
