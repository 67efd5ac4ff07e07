// Prompt lookups through a database that mkprompts generated from real compiled resources and a
// translation file, and the string-table fallbacks through real loaded modules.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <windows.h>

#include "ZnPrompts.h"
#include "ZnToolsResOverride.h"
#include "data/prompts_test.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace fs = std::filesystem;

namespace {

constexpr WORD kFrench = 0x040C;
constexpr WORD kEnglish = 0x0409;
constexpr LPCTSTR kProject = _T("PromptsTest");

std::u16string WindowsPath(const fs::path& path) {
  return zwin32::WindowsPathFromHost(path.string());
}

std::string Utf8(const CString& text) {
  return zwin32::ToUtf8((LPCTSTR)text);
}

std::string Prompt(UINT id, LPCTSTR project = kProject) {
  return Utf8(ZnPrompts::getPrompt(id, project, 0));
}

class PromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("znprompts-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    ::testing::internal::CaptureStderr();
    ZnPrompts::initResDatabase(_T(""), kFrench);  // close the database between tests
    ::testing::internal::GetCapturedStderr();
    fs::remove_all(dir_);
  }
  bool Open(const fs::path& db, WORD language) {
    return ZnPrompts::initResDatabase(WindowsPath(db).c_str(), language) != FALSE;
  }
  fs::path dir_;
};

}  // namespace

TEST_F(PromptTest, DatabaseAnswersInTheChosenLanguage) {
  ASSERT_TRUE(Open(PROMPT_DB_PATH, kFrench));
  EXPECT_EQ(Prompt(IDS_GREETING), "Bonjour, \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(Prompt(IDS_GREETING, _T("PROMPTSTEST")), "Bonjour, \xC3\xA9t\xC3\xA9");

  ASSERT_TRUE(Open(PROMPT_DB_PATH, kEnglish));
  EXPECT_EQ(Prompt(IDS_GREETING), "Hello, summer");  // the translation file wins
  EXPECT_EQ(Prompt(IDS_RESOURCE_PAIR), "Text from the resources");

  CString text = _T("stale");
  EXPECT_EQ(ZnPrompts::getPrompt(text, IDS_GREETING, kProject, 0), 1);
  EXPECT_EQ(Utf8(text), "Hello, summer");
  // No English text, and neither the executable nor any module owning the project has it.
  EXPECT_EQ(ZnPrompts::getPrompt(text, IDS_ONLY_FRENCH, kProject, 0), 0);
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(Prompt(IDS_GREETING, _T("OtherProject")), "");
}

TEST_F(PromptTest, BufferFormCutsLongTexts) {
  ASSERT_TRUE(Open(PROMPT_DB_PATH, kEnglish));
  TCHAR buffer[ZN_PROMPT_BUFFER_SIZE + 8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_NE(ZnPrompts::getPrompt(buffer, IDS_LONG, kProject, 0), 0);
  EXPECT_EQ(zwin32::ToUtf8(buffer),
            std::string("This text is longer than the seventy-one characters of a prompt buffer, "
                        "so it is cut.")
                .substr(0, ZN_PROMPT_BUFFER_SIZE - 1));
  EXPECT_EQ(buffer[ZN_PROMPT_BUFFER_SIZE], u'#');  // nothing written past the documented size

  // The cut falls inside a surrogate pair: the whole pair goes.
  ASSERT_TRUE(Open(PROMPT_DB_PATH, kFrench));
  EXPECT_NE(ZnPrompts::getPrompt(buffer, IDS_SURROGATE, kProject, 0), 0);
  EXPECT_EQ(std::u16string(buffer).size(), 70u);

  EXPECT_EQ(ZnPrompts::getPrompt(buffer, 9999, kProject, 0), 0);
  EXPECT_EQ(buffer[0], u'\0');
}

TEST_F(PromptTest, DialogTextsAreStoredPerLanguage) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(PROMPT_DB_PATH, &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* rows = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db,
                               "SELECT language, control, text FROM dialog_texts WHERE "
                               "dialog = 200 ORDER BY language, control",
                               -1, &rows, nullptr),
            SQLITE_OK);
  std::string all;
  while (sqlite3_step(rows) == SQLITE_ROW) {
    all += std::to_string(sqlite3_column_int(rows, 0)) + " " +
           std::to_string(sqlite3_column_int(rows, 1)) + " " +
           reinterpret_cast<const char*>(sqlite3_column_text(rows, 2)) + "\n";
  }
  sqlite3_finalize(rows);
  sqlite3_close(db);
  // The caption is control -1; the control without an id of its own is not stored.
  EXPECT_EQ(all,
            "1033 -1 Sample\n"
            "1033 1 OK\tnow\n"
            "1033 1002 Name:\n"
            "1036 -1 Exemple\n"
            "1036 1 Valider\n"
            "1036 2 Annuler\n"
            "1036 1002 Nom :\n");
}

TEST_F(PromptTest, FallsBackToResourceModuleThenToOwningModule) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(Open(dir_ / "missing.mdb", kEnglish));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("missing.mdb"), std::string::npos);

  // Not loaded yet: nobody owns the project.
  EXPECT_EQ(Prompt(IDS_OWNER, _T("ownerproject")), "");

  HMODULE owner = LoadLibraryW(WindowsPath(OWNER_MODULE_PATH).c_str());
  ASSERT_NE(owner, nullptr);
  const HINSTANCE before = AfxGetResourceHandle();
  {
    CZnToolsResOverride scope(owner);
    EXPECT_EQ(AfxGetResourceHandle(), owner);
    // The current resource module answers for any project.
    EXPECT_EQ(Prompt(IDS_OWNER, _T("Unrelated")), "Texte du module propri\xC3\xA9taire");
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(Prompt(IDS_OWNER, _T("Unrelated")), "");
  // The owning module answers for its own project, named in any case.
  EXPECT_EQ(Prompt(IDS_OWNER, _T("ownerproject")), "Texte du module propri\xC3\xA9taire");
  FreeLibrary(owner);
}

TEST_F(PromptTest, RefusesFilesThatAreNotPromptDatabases) {
  const fs::path text = dir_ / "text.mdb";
  std::ofstream(text) << "not a database at all, just some words in a file\n";
  const fs::path plain = dir_ / "plain.mdb";
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(plain.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE prompts(project, id, language, text)", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  sqlite3_close(db);

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(Open(text, kFrench));
  EXPECT_FALSE(Open(plain, kFrench));
  EXPECT_FALSE(ZnPrompts::initResDatabase(_T("Q:\\nowhere\\QrStrings.mdb"), kFrench));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("text.mdb"), std::string::npos) << err;
  EXPECT_NE(err.find("plain.mdb: not a prompt database"), std::string::npos) << err;
  EXPECT_NE(err.find("Q:\\nowhere"), std::string::npos) << err;
  EXPECT_EQ(Prompt(IDS_GREETING), "");
}

namespace {

INT_PTR CALLBACK PassiveDialog(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

std::string WindowText(HWND window) {
  TCHAR text[128] = {};
  GetWindowTextW(window, text, 128);
  return zwin32::ToUtf8(text);
}

}  // namespace

TEST_F(PromptTest, OpenDialogTakesTheTextsOfTheLanguage) {
  HMODULE resources = LoadLibraryW(WindowsPath(PROMPT_RESOURCES_MODULE_PATH).c_str());
  ASSERT_NE(resources, nullptr);
  HWND window =
      CreateDialogParamW(resources, MAKEINTRESOURCEW(IDD_SAMPLE), nullptr, PassiveDialog, 0);
  ASSERT_NE(window, nullptr);
  CWnd* dialog = CWnd::FromHandle(window);
  auto texts = [&] {
    return WindowText(window) + "|" + WindowText(GetDlgItem(window, IDC_LABEL)) + "|" +
           WindowText(GetDlgItem(window, IDOK)) + "|" + WindowText(GetDlgItem(window, IDCANCEL));
  };
  ASSERT_EQ(texts(), "Exemple|Nom :|Valider|Annuler");

  // Without a database the template's texts stay.
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(Open(dir_ / "missing.mdb", kEnglish));
  ::testing::internal::GetCapturedStderr();
  ZnPrompts::setDialogAndControlText(dialog, IDD_SAMPLE, kProject);
  EXPECT_EQ(texts(), "Exemple|Nom :|Valider|Annuler");

  // English: what the translation gives; the cancel button has no English text and keeps its own.
  ASSERT_TRUE(Open(PROMPT_DB_PATH, kEnglish));
  ZnPrompts::setDialogAndControlText(dialog, IDD_SAMPLE, kProject);
  EXPECT_EQ(texts(), "Sample|Name:|OK\tnow|Annuler");
  ZnPrompts::setDialogAndControlText(dialog, IDD_SAMPLE, _T("OtherProject"));
  EXPECT_EQ(texts(), "Sample|Name:|OK\tnow|Annuler");

  ASSERT_TRUE(Open(PROMPT_DB_PATH, kFrench));
  ZnPrompts::setDialogAndControlText(dialog, IDD_SAMPLE, kProject);
  EXPECT_EQ(texts(), "Exemple|Nom :|Valider|Annuler");

  DestroyWindow(window);
  ZnPrompts::setDialogAndControlText(dialog, IDD_SAMPLE, kProject);  // closed: nothing to do
  FreeLibrary(resources);
}

TEST_F(PromptTest, InjectedFaultReachesTheCaller) {
  ::setenv("ZANT_INJECT_FAULT", "ZnPrompts::getPrompt", 1);
  EXPECT_THROW(ZnPrompts::getPrompt(IDS_GREETING, kProject, 0), std::runtime_error);
  ::unsetenv("ZANT_INJECT_FAULT");
}
