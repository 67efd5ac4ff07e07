// The document lock a registered command runs under, taken from its flags and released however
// the command ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "accmd.h"
#include "acdocman.h"
#include "rxregsvc.h"
#include "zacad/commandcontext.h"
#include "zacad/commandline.h"
#include "zacad/documents.h"
#include "zwin32/utf.h"

namespace {

int gSeen = -1;  // the lock mode the last command saw

void Look() {
  gSeen = acDocManager->curDocument()->myLockMode();
}

void LookAndThrow() {
  Look();
  throw std::runtime_error("command failure");
}

TEST(CommandLock, FromTheCommandFlags) {
  zacad::CommandLine::instance().setOutput([](std::string_view) {});
  std::u16string error;
  AcApDocument* doc = zacad::OpenDocument(zwin32::FromUtf8(SELECTION_DXF), error);
  ASSERT_NE(doc, nullptr) << zwin32::ToUtf8(error);
  AcEdCommandStack* stack = acedRegCmds;
  struct Case {
    const ACHAR* name;
    Adesk::Int32 flags;
    int seen;
  };
  const Case cases[] = {
      {u"LOCKWRITE", ACRX_CMD_MODAL, AcAp::kWrite},
      {u"LOCKPICK", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW, AcAp::kWrite},
      {u"LOCKNONE", ACRX_CMD_DOCREADLOCK, AcAp::kNone},
      {u"LOCKREAD", ACRX_CMD_DOCREADLOCK | ACRX_CMD_DOCEXCLUSIVELOCK, AcAp::kRead},
      {u"LOCKX", ACRX_CMD_DOCEXCLUSIVELOCK, AcAp::kXWrite},
      {u"LOCKSESSION", ACRX_CMD_SESSION, AcAp::kNone},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(stack->addCommand(u"LOCKTEST", c.name, c.name, c.flags, Look), Acad::eOk);
    gSeen = -1;
    EXPECT_EQ(zacad::RunRegisteredCommand(*stack->lookupGlobalCmd(c.name)),
              zacad::CommandOutcome::kEnded);
    EXPECT_EQ(gSeen, c.seen) << zwin32::ToUtf8(c.name);
    EXPECT_EQ(doc->myLockMode(), AcAp::kNone);  // released after the command
  }
  // A failing command releases its lock too.
  ASSERT_EQ(stack->addCommand(u"LOCKTEST", u"LOCKFAIL", u"LOCKFAIL", 0, LookAndThrow), Acad::eOk);
  EXPECT_EQ(zacad::RunRegisteredCommand(*stack->lookupGlobalCmd(u"LOCKFAIL")),
            zacad::CommandOutcome::kFailed);
  EXPECT_EQ(gSeen, AcAp::kWrite);
  EXPECT_EQ(doc->myLockMode(), AcAp::kNone);
  // An exclusive lock held elsewhere refuses a command that needs the document.
  ASSERT_EQ(acDocManager->lockDocument(doc, AcAp::kXWrite), Acad::eOk);
  gSeen = -1;
  EXPECT_EQ(zacad::RunRegisteredCommand(*stack->lookupGlobalCmd(u"LOCKWRITE")),
            zacad::CommandOutcome::kRefused);
  EXPECT_EQ(gSeen, -1);
  EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
  stack->removeGroup(u"LOCKTEST");
  zacad::CloseDocument(doc);
}

}  // namespace
