// Editor reactors told around commands run in the command context.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "aced.h"
#include "zacad/commandcontext.h"
#include "zacad/commandline.h"
#include "zacad/editorevents.h"

namespace {

std::vector<std::u16string> gEvents;

class RecordingReactor : public AcEditorReactor {
 public:
  void commandWillStart(const ACHAR* name) override { add(u"start ", name); }
  void commandEnded(const ACHAR* name) override { add(u"ended ", name); }
  void commandCancelled(const ACHAR* name) override { add(u"cancelled ", name); }
  void commandFailed(const ACHAR* name) override { add(u"failed ", name); }
  void unknownCommand(const ACHAR* name, AcDbVoidPtrArray*) override { add(u"unknown ", name); }

 private:
  static void add(const char16_t* what, const ACHAR* name) {
    gEvents.push_back(what + std::u16string(name));
  }
};

// Detaches and deletes itself at the first command end, as a reactor of an application that
// unloads itself might.
class OneShotReactor : public AcEditorReactor {
 public:
  void commandEnded(const ACHAR*) override {
    acedEditor->removeReactor(this);
    delete this;
  }
};

void Registered() {
  acutPrintf(u"registered ran\n");
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gEvents.clear();
    line().setOutput([this](std::string_view text) { out_ += text; });
    acedEditor->addReactor(&reactor_);
    acedEditor->addReactor(&reactor_);  // attached once only
  }
  void TearDown() override {
    acedEditor->removeReactor(&reactor_);
    while (line().hasSource())
      line().popSource();
    line().clearFailure();
  }
  static zacad::CommandLine& line() { return zacad::CommandLine::instance(); }

  RecordingReactor reactor_;
  std::string out_;
};

TEST_F(EditorTest, ReactorsToldAroundEveryOutcome) {
  ASSERT_NE(acedEditor, nullptr);
  EXPECT_EQ(zacad::RunCommand(u"OK", [] {}), zacad::CommandOutcome::kEnded);

  EXPECT_EQ(zacad::RunCommand(u"THROWS", [] { throw std::runtime_error("disk on fire"); }),
            zacad::CommandOutcome::kFailed);
  EXPECT_NE(out_.find("; error: disk on fire\n"), std::string::npos);
  EXPECT_EQ(zacad::RunCommand(u"THROWSINT", [] { throw 42; }), zacad::CommandOutcome::kFailed);

  line().pushSource(zacad::MakeStringSource({u"^C"}));
  EXPECT_EQ(zacad::RunCommand(u"ESCAPED",
                              [] {
                                ACHAR buf[ACED_MAX_INPUT_LEN];
                                acedGetString(0, u"Name: ", buf);
                              }),
            zacad::CommandOutcome::kCancelled);

  // A modal command cannot start inside another; a transparent one can.
  zacad::CommandOutcome inner = zacad::CommandOutcome::kEnded;
  zacad::CommandOutcome innerTransparent = zacad::CommandOutcome::kRefused;
  EXPECT_EQ(zacad::RunCommand(u"OUTER",
                              [&] {
                                EXPECT_TRUE(zacad::InCommandContext());
                                inner = zacad::RunCommand(u"INNER", [] {});
                                innerTransparent = zacad::RunCommand(
                                    u"PEEK", [] {}, true);
                              }),
            zacad::CommandOutcome::kEnded);
  EXPECT_EQ(inner, zacad::CommandOutcome::kRefused);
  EXPECT_EQ(innerTransparent, zacad::CommandOutcome::kEnded);
  EXPECT_FALSE(zacad::InCommandContext());

  zacad::FireUnknownCommand(u"XYZ");
  EXPECT_EQ(gEvents,
            (std::vector<std::u16string>{
                u"start OK", u"ended OK", u"start THROWS", u"failed THROWS", u"start THROWSINT",
                u"failed THROWSINT", u"start ESCAPED", u"cancelled ESCAPED", u"start OUTER",
                u"start PEEK", u"ended PEEK", u"ended OUTER", u"unknown XYZ"}));

  acedEditor->removeReactor(&reactor_);
  gEvents.clear();
  zacad::RunCommand(u"UNHEARD", [] {});
  EXPECT_TRUE(gEvents.empty());
}

TEST_F(EditorTest, RegisteredCommandsAndSelfRemovingReactors) {
  acedEditor->addReactor(new OneShotReactor());
  ASSERT_EQ(
      acedRegCmds->addCommand(u"EDTEST", u"REGISTERED", u"enregistre", ACRX_CMD_MODAL, Registered),
      Acad::eOk);
  const AcEdCommand* command = acedRegCmds->lookupLocalCmd(u"ENREGISTRE");
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(zacad::RunRegisteredCommand(*command), zacad::CommandOutcome::kEnded);
  EXPECT_EQ(zacad::RunRegisteredCommand(*command), zacad::CommandOutcome::kEnded);
  EXPECT_EQ(out_, "registered ran\nregistered ran\n");
  // Reactors see the global name, whatever name started the command.
  EXPECT_EQ(gEvents, (std::vector<std::u16string>{u"start REGISTERED", u"ended REGISTERED",
                                                  u"start REGISTERED", u"ended REGISTERED"}));
  acedRegCmds->removeGroup(u"EDTEST");
}

}  // namespace
