// The command context: one modal command at a time, reactors told around it, and every
// exception stopped here so that a faulty application cannot bring the host down.
#include "zacad/commandcontext.h"

#include <dlfcn.h>

#include <bit>
#include <exception>
#include <stdexcept>
#include <string>

#include "accmd.h"
#include "acdocman.h"
#include "selectionsets.h"
#include "sysvars.h"
#include "zacad/commandline.h"
#include "zacad/editorevents.h"
#include "zwin32/utf.h"
#include "zacad/hostmessages.h"

namespace zacad {
namespace {

int gDepth = 0;

// Counts the command nesting for as long as a command runs, whatever way it leaves.
class Depth {
 public:
  Depth() { ++gDepth; }
  ~Depth() { --gDepth; }
};

// The lock the host takes on the current document for a command with these flags: shared write
// by default; none for a read-lock command, a session command or one that locks for itself;
// read for read + exclusive; exclusive write for exclusive alone.
AcAp::DocLockMode CommandLock(Adesk::Int32 flags) {
  if ((flags & (ACRX_CMD_SESSION | ACRX_CMD_NOINTERNALLOCK)) != 0)
    return AcAp::kNone;
  const bool read = (flags & ACRX_CMD_DOCREADLOCK) != 0;
  const bool exclusive = (flags & ACRX_CMD_DOCEXCLUSIVELOCK) != 0;
  if (read)
    return exclusive ? AcAp::kRead : AcAp::kNone;
  return exclusive ? AcAp::kXWrite : AcAp::kWrite;
}

// Holds the command's lock on the current document while it runs. A command that closes its
// document takes the lock with it.
class CommandLockScope {
 public:
  CommandLockScope(AcAp::DocLockMode mode, const ACHAR* globalName, const ACHAR* localName) {
    AcApDocument* doc = mode == AcAp::kNone ? nullptr : acDocManager->curDocument();
    if (doc == nullptr)
      return;
    status_ = acDocManager->lockDocument(doc, mode, globalName, localName, false);
    if (status_ == Acad::eOk)
      db_ = doc->database();
  }
  ~CommandLockScope() {
    AcApDocument* doc = db_ == nullptr ? nullptr : acDocManager->document(db_);
    if (doc != nullptr)
      acDocManager->unlockDocument(doc);
  }
  CommandLockScope(const CommandLockScope&) = delete;
  CommandLockScope& operator=(const CommandLockScope&) = delete;

  Acad::ErrorStatus status() const { return status_; }

 private:
  Acad::ErrorStatus status_ = Acad::eOk;
  AcDbDatabase* db_ = nullptr;
};

}  // namespace

bool InCommandContext() {
  return gDepth > 0;
}

CommandOutcome RunCommand(std::u16string_view globalName, const std::function<void()>& body,
                          bool transparent) {
  // A copy: the command may remove itself (and the name with it) while it runs.
  const std::u16string name(globalName);
  CommandLine& line = CommandLine::instance();
  if (InCommandContext() && !transparent) {
    line.write(Message(Msg::kNotTransparent));
    return CommandOutcome::kRefused;
  }
  const unsigned cancelsBefore = line.cancels();
  FireCommandEvent(CommandEvent::kWillStart, name);
  std::u16string error;
  {
    Depth depth;
    try {
      body();
    } catch (const std::exception& e) {
      error = zwin32::FromUtf8(e.what());
    } catch (...) {
      error = u"unknown exception";
    }
  }
  if (!error.empty()) {
    line.write(u"\n; error: " + error + u"\n");
    FireCommandEvent(CommandEvent::kFailed, name);
    return CommandOutcome::kFailed;
  }
  if (line.cancels() != cancelsBefore) {
    FireCommandEvent(CommandEvent::kCancelled, name);
    return CommandOutcome::kCancelled;
  }
  FireCommandEvent(CommandEvent::kEnded, name);
  return CommandOutcome::kEnded;
}

CommandOutcome RunRegisteredCommand(const AcEdCommand& command) {
  AcRxFunctionPtr function = command.functionAddr();
  const Adesk::Int32 flags = command.commandFlags();
  const bool transparent = (flags & ACRX_CMD_TRANSPARENT) != 0;
  // What was selected before the command reaches it only when it asks for it and PICKFIRST
  // allows it; any other modal command starts with nothing selected.
  const bool usesPickSet = (flags & ACRX_CMD_USEPICKSET) != 0 && IntVar(u"PICKFIRST") == 1;
  if (!transparent && !usesPickSet && !InCommandContext())
    PickFirst().clear();
  const Members given = PickFirst();
  // A transparent command runs inside another, under that command's lock.
  const bool nested = transparent && InCommandContext();
  CommandLockScope lock(nested ? AcAp::kNone : CommandLock(flags), command.globalName(),
                        command.localName());
  if (lock.status() != Acad::eOk) {
    CommandLine::instance().write(Message(Msg::kDocumentLocked));
    return CommandOutcome::kRefused;
  }
  CommandOutcome outcome = RunCommand(
      command.globalName(),
      [function] {
        // The application may have been unloaded without removing its commands.
        Dl_info info = {};
        if (dladdr(std::bit_cast<void*>(function), &info) == 0) {
          throw std::runtime_error("the application of this command is no longer loaded");
        }
        function();
      },
      transparent);
  // A command that used the pick-first set consumes it, unless it left a new one.
  if (usesPickSet && outcome != CommandOutcome::kRefused && PickFirst() == given)
    PickFirst().clear();
  return outcome;
}

}  // namespace zacad
