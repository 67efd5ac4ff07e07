// List boxes and edit selections: the messages a dialog sends them, and the clicks a front end
// makes on a list's items, which its owner hears as LBN_ notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogmodule_ids.h"
#include "scripted_frontend.h"
#include "windows.h"

namespace {

std::u16string ItemText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR)
    return u"<none>";
  std::u16string text(static_cast<size_t>(length) + 1, u'?');
  EXPECT_EQ(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())), length);
  EXPECT_EQ(text.back(), u'\0');
  text.pop_back();
  return text;
}

std::vector<std::u16string> Items(HWND list) {
  std::vector<std::u16string> items;
  for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i)
    items.push_back(ItemText(list, i));
  return items;
}

LRESULT Add(HWND list, const char16_t* text) {
  return SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

std::u16string TextOf(HWND hwnd) {
  char16_t buffer[256] = {};
  GetWindowTextW(hwnd, buffer, 256);
  return buffer;
}

TEST(ListBoxTest, ItemsSelectionAndData) {
  HWND parent = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
  HWND list = CreateWindowExW(0, u"LISTBOX", u"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(Add(list, u"Length"), 0);
  EXPECT_EQ(Add(list, u"Weight"), 1);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"Quantity")), 0);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, -1, reinterpret_cast<LPARAM>(u"Label")), 3);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"x")), LB_ERR);
  EXPECT_EQ(Items(list),
            (std::vector<std::u16string>{u"Quantity", u"Length", u"Weight", u"Label"}));
  EXPECT_EQ(ItemText(list, 4), u"<none>");

  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  // The selection follows its item when items come and go before it.
  SendMessageW(list, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(ItemText(list, 1), u"Weight");
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 7, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);

  EXPECT_EQ(SendMessageW(list, LB_SETITEMDATA, 1, 4), LB_OKAY);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 1, 0), 4);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 3, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(u"LABEL")), 2);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(u"Lab")), LB_ERR);

  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);

  // LBS_SORT keeps the items in case-blind order.
  HWND sorted = CreateWindowExW(0, u"ListBox", u"", WS_CHILD | LBS_SORT, 0, 0, 100, 100, parent,
                                nullptr, nullptr, nullptr);
  for (const char16_t* text : {u"weight", u"Length", u"quantity", u"Angle"})
    Add(sorted, text);
  EXPECT_EQ(Items(sorted),
            (std::vector<std::u16string>{u"Angle", u"Length", u"quantity", u"weight"}));
  DestroyWindow(parent);
}

TEST(EditTest, TheCaretTakesWhatIsReplacedAndTheOwnerHearsIt) {
  HWND parent = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
  HWND edit = CreateWindowExW(0, u"Edit", u"Quantity * ", WS_CHILD, 0, 0, 100, 20, parent, nullptr,
                              nullptr, nullptr);
  DWORD start = 9, end = 9;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);  // new text leaves the caret at its start
  EXPECT_EQ(end, 0u);
  SendMessageW(edit, EM_SETSEL, 11, 11);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"Length"));
  EXPECT_EQ(TextOf(edit), u"Quantity * Length");
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELONG(17, 17));
  // A selection is replaced; -1 as the end means the end of the text.
  SendMessageW(edit, EM_SETSEL, 0, 8);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"Weight"));
  EXPECT_EQ(TextOf(edit), u"Weight * Length");
  SendMessageW(edit, EM_SETSEL, 9, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"2"));
  EXPECT_EQ(TextOf(edit), u"Weight * 2");
  DestroyWindow(parent);
}

// Remembers the list's and the edit's notifications and, on a double click, puts the item's
// text into the edit line at its caret, as a dialog offering words to insert does.
struct Heard {
  std::vector<std::string> codes;
};

INT_PTR CALLBACK InsertingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    HWND list = GetDlgItem(dialog, IDC_LIST);
    for (const char16_t* text : {u"PositionNum", u"Quantity", u"Length"}) {
      Add(list, text);
      Add(GetDlgItem(dialog, IDC_SORTED_LIST), text);
    }
    return TRUE;
  }
  if (msg != WM_COMMAND)
    return FALSE;
  auto* heard = reinterpret_cast<Heard*>(GetWindowLongPtrW(dialog, DWLP_USER));
  const int id = LOWORD(wParam);
  heard->codes.push_back(std::to_string(id) + ":" + std::to_string(HIWORD(wParam)));
  if (id == IDC_LIST && HIWORD(wParam) == LBN_DBLCLK) {
    HWND list = reinterpret_cast<HWND>(lParam);
    const std::u16string text =
        ItemText(list, static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)));
    SendDlgItemMessageW(dialog, IDC_LIST_EDIT, EM_REPLACESEL, TRUE,
                        reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (id == IDOK || id == IDCANCEL)
    EndDialog(dialog, id);
  return TRUE;
}

TEST(ListBoxTest, ClickedItemsReachTheDialogAsNotifications) {
  std::u16string modulePath = u"Z:";
  for (char c : std::string(WIN32_DIALOG_MODULE))
    modulePath += c == '/' ? u'\\' : static_cast<char16_t>(c);
  HMODULE module = LoadLibraryW(modulePath.c_str());
  ASSERT_NE(module, nullptr);
  ScriptedFrontEnd frontEnd;
  std::u16string edited;
  int selected = -2;
  std::u16string sortedSelection;
  // A click selects; a second click on the selected item says nothing; a double click on
  // another item selects it and is heard; typing puts the caret at the end of the text.
  frontEnd.ClickItem(IDC_LIST, 1).ClickItem(IDC_LIST, 1).ClickItem(IDC_LIST, 7);
  frontEnd.Type(IDC_LIST_EDIT, u"10 * ").ClickItem(IDC_LIST, 2, true);
  // The sorted list does not notify: its owner hears nothing, yet the item is selected.
  frontEnd.ClickItem(IDC_SORTED_LIST, 0, true);
  frontEnd.Then([&](HWND dialog) {
    edited = TextOf(GetDlgItem(dialog, IDC_LIST_EDIT));
    selected = static_cast<int>(SendDlgItemMessageW(dialog, IDC_LIST, LB_GETCURSEL, 0, 0));
    HWND sorted = GetDlgItem(dialog, IDC_SORTED_LIST);
    sortedSelection = ItemText(sorted, static_cast<int>(SendMessageW(sorted, LB_GETCURSEL, 0, 0)));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEnter, nullptr, {}};
  });
  Heard heard;
  EXPECT_EQ(DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_LIST), nullptr, InsertingDialogProc,
                            reinterpret_cast<LPARAM>(&heard)),
            IDOK);
  EXPECT_TRUE(frontEnd.finished());
  EXPECT_EQ(edited, u"10 * Length");
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(sortedSelection, u"Length");
  const std::vector<std::string> codes = {"1202:1", "1201:768", "1202:1",
                                          "1202:2", "1201:768", "1:0"};
  EXPECT_EQ(heard.codes, codes);
  FreeLibrary(module);
}

}  // namespace
