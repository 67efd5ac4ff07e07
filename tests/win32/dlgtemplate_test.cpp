// Dialog templates as the resource compiler wrote them into the test module's .res file.
#include "zwin32/dlgtemplate.h"

#include <gtest/gtest.h>

#include "testmodule_ids.h"
#include "winres.h"
#include "zwin32/resources.h"

namespace {

const zwin32::ResourceEntry* Dialog(const zwin32::ResFile& file, WORD id) {
  const LANGID french = 0x040C;
  return zwin32::FindResourceEntry(file.entries, zwin32::ResId::FromOrdinal(5),
                                   zwin32::ResId::FromOrdinal(id), {&french, 1});
}

TEST(DialogTemplate, ReadsExtendedAndClassicTemplates) {
  std::string error;
  auto file = zwin32::ReadResFile(WIN32_TEST_RES_FILE, &error);
  ASSERT_NE(file, nullptr) << error;

  const zwin32::ResourceEntry* entry = Dialog(*file, IDD_SETTINGS);
  ASSERT_NE(entry, nullptr);
  auto dialog = zwin32::ParseDialogTemplate(entry->data, entry->size, &error);
  ASSERT_TRUE(dialog) << error;
  EXPECT_TRUE(dialog->extended);
  EXPECT_EQ(dialog->caption, u"Réglages");
  EXPECT_EQ(dialog->typeface, u"MS Shell Dlg");
  EXPECT_EQ(dialog->pointSize, 8);
  EXPECT_EQ(dialog->weight, 400);
  EXPECT_EQ(dialog->charset, 1);
  EXPECT_EQ(dialog->x, 10);
  EXPECT_EQ(dialog->cy, 100);
  EXPECT_TRUE(dialog->style & WS_CAPTION);
  ASSERT_EQ(dialog->items.size(), 5u);
  const zwin32::DialogItem& ok = dialog->items[0];
  EXPECT_EQ(ok.id, static_cast<DWORD>(IDOK));
  EXPECT_EQ(ok.className, u"Button");
  EXPECT_EQ(ok.text, u"OK");
  EXPECT_EQ(ok.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(ok.x, 140);
  EXPECT_EQ(ok.cx, 50);
  EXPECT_EQ(dialog->items[2].text, u"&Activer");
  EXPECT_EQ(dialog->items[2].style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
  EXPECT_EQ(dialog->items[3].className, u"Edit");
  EXPECT_EQ(dialog->items[3].id, static_cast<DWORD>(IDC_NAME));
  EXPECT_TRUE(dialog->items[3].style & ES_AUTOHSCROLL);
  EXPECT_EQ(dialog->items[4].className, u"Static");
  EXPECT_EQ(dialog->items[4].id, 0xFFFFFFFFu);
  EXPECT_EQ(dialog->items[4].text, u"Nom :");

  entry = Dialog(*file, IDD_CLASSIC);
  ASSERT_NE(entry, nullptr);
  dialog = zwin32::ParseDialogTemplate(entry->data, entry->size, &error);
  ASSERT_TRUE(dialog) << error;
  EXPECT_FALSE(dialog->extended);
  EXPECT_EQ(dialog->caption, u"Classique");
  EXPECT_EQ(dialog->typeface, u"Tahoma");
  EXPECT_EQ(dialog->pointSize, 9);
  ASSERT_EQ(dialog->items.size(), 1u);
  EXPECT_EQ(dialog->items[0].id, static_cast<DWORD>(IDCANCEL));
  EXPECT_EQ(dialog->items[0].text, u"Fermer");

  // Every cut of a template is refused with a message, never read past.
  for (size_t cut = 0; cut < entry->size - 1; ++cut) {
    EXPECT_FALSE(zwin32::ParseDialogTemplate(entry->data, cut, &error)) << cut;
  }
}

}  // namespace
