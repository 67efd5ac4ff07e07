// The command stack as applications reach it: through the system registry and acedRegCmds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accmd.h"
#include "rxregsvc.h"

namespace {

void First() {}
void Second() {}

TEST(CommandStack, RegisteredAndFoundByEitherName) {
  AcEdCommandStack* stack = acedRegCmds;
  ASSERT_NE(stack, nullptr);
  ASSERT_TRUE(stack->isKindOf(AcRxObject::desc()));

  AcEdCommand* made = nullptr;
  EXPECT_EQ(stack->addCommand(u"TEST_A", u"GLOBALONE", u"localun", ACRX_CMD_USEPICKSET, First,
                              nullptr, 7, nullptr, &made),
            Acad::eOk);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->commandFlags(), ACRX_CMD_USEPICKSET);
  EXPECT_EQ(made->functionCode(), 7);
  EXPECT_EQ(made->functionAddr(), &First);
  // The application that registered it is this test program.
  EXPECT_NE(made->commandApp(), nullptr);

  EXPECT_EQ(stack->lookupGlobalCmd(u"globalONE"), made);
  EXPECT_EQ(stack->lookupLocalCmd(u"LOCALUN"), made);
  EXPECT_EQ(stack->lookupLocalCmd(u"GLOBALONE"), nullptr);
  EXPECT_EQ(stack->lookupCmd(u"localun", false), made);

  // One name per group: global against global, local against local.
  EXPECT_EQ(stack->addCommand(u"test_a", u"GlobalOne", u"other", 0, Second), Acad::eDuplicateKey);
  EXPECT_EQ(stack->addCommand(u"TEST_A", u"OTHER", u"LOCALUN", 0, Second), Acad::eDuplicateKey);
  EXPECT_EQ(stack->addCommand(u"TEST_A", u"bad name", u"x", 0, Second), Acad::eInvalidInput);
  EXPECT_EQ(stack->addCommand(u"TEST_A", std::u16string(65, u'N').c_str(), u"x", 0, Second),
            Acad::eInvalidInput);
  EXPECT_EQ(stack->addCommand(u"TEST_A", u"NOFUNC", u"x", 0, nullptr), Acad::eInvalidInput);

  // The same name in another group: the group made last is searched first, until another
  // group is popped to the top.
  EXPECT_EQ(stack->addCommand(u"TEST_B", u"GLOBALONE", u"localdeux", 0, Second), Acad::eOk);
  EXPECT_EQ(stack->lookupGlobalCmd(u"GLOBALONE")->functionAddr(), &Second);
  EXPECT_EQ(stack->lookupCmd(u"localun", false, false), nullptr);  // top group only
  EXPECT_EQ(stack->popGroupToTop(u"test_a"), Acad::eOk);
  EXPECT_EQ(stack->lookupGlobalCmd(u"GLOBALONE")->functionAddr(), &First);
  EXPECT_EQ(stack->popGroupToTop(u"NOGROUP"), Acad::eKeyNotFound);

  std::vector<std::u16string> seen;
  AcEdCommandIterator* it = stack->iterator();
  for (; !it->done(); it->next()) {
    seen.push_back(std::u16string(it->commandGroup()) + u"." + it->command()->globalName());
  }
  delete it;
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"TEST_A.GLOBALONE", u"TEST_B.GLOBALONE"}));

  EXPECT_EQ(stack->removeCmd(u"TEST_B", u"nothere"), Acad::eKeyNotFound);
  EXPECT_EQ(stack->removeCmd(u"TEST_B", u"globalone"), Acad::eOk);
  EXPECT_EQ(stack->removeCmd(u"TEST_B", u"GLOBALONE"), Acad::eKeyNotFound);
  EXPECT_EQ(stack->removeGroup(u"Test_A"), Acad::eOk);
  EXPECT_EQ(stack->removeGroup(u"TEST_A"), Acad::eKeyNotFound);
  EXPECT_EQ(stack->lookupGlobalCmd(u"GLOBALONE"), nullptr);
  EXPECT_EQ(stack->lookupLocalCmd(u"localun"), nullptr);
}

}  // namespace
