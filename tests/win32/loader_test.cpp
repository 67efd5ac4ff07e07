// The loader and resources, driven through a real module built with win32_add_resources and
// loaded with LoadLibraryW.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "psapi.h"
#include "testmodule_ids.h"
#include "windows.h"
#include "zwin32/loader.h"
#include "zwin32/resources.h"

namespace {

namespace fs = std::filesystem;

std::u16string WindowsPath(const std::string& hostPath) {
  std::u16string path = u"Z:";
  for (char c : hostPath)
    path += c == '/' ? u'\\' : static_cast<char16_t>(c);
  return path;
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = fs::temp_directory_path() / ("win32_dllmain_" + std::to_string(getpid()) + ".log");
    fs::remove(log_);
    setenv("WIN32_TEST_DLLMAIN_LOG", log_.c_str(), 1);
    unsetenv("WIN32_TEST_DLLMAIN_FAIL");
  }
  void TearDown() override {
    unsetenv("WIN32_TEST_DLLMAIN_LOG");
    unsetenv("WIN32_TEST_DLLMAIN_FAIL");
    SetThreadUILanguage(0);
    fs::remove(log_);
  }
  std::string Log() const {
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::string Line(const char* what, HMODULE module) {
    char line[64];
    std::snprintf(line, sizeof line, "%s %p\n", what, static_cast<void*>(module));
    return line;
  }
  fs::path log_;
};

TEST_F(LoaderTest, LoadsRunsDllMainAndUnloads) {
  HMODULE module = LoadLibraryW(WindowsPath(WIN32_TEST_MODULE).c_str());
  ASSERT_NE(module, nullptr) << zwin32::LoaderDiagnostic();
  EXPECT_EQ(Log(), Line("attach", module));
  // The handle is where the file is mapped: its first bytes are the ELF header.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(module) + 1, 3), "ELF");

  auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "TestModuleAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

  EXPECT_EQ(GetModuleHandleW(u"WIN32_TESTMODULE.ARX"), module);
  EXPECT_EQ(GetModuleHandleA(WIN32_TEST_MODULE), module);
  EXPECT_NE(GetModuleHandleW(nullptr), module);

  DWORD needed = 0;
  ASSERT_TRUE(EnumProcessModules(GetCurrentProcess(), nullptr, 0, &needed));
  std::vector<HMODULE> modules(needed / sizeof(HMODULE));
  ASSERT_TRUE(EnumProcessModules(GetCurrentProcess(), modules.data(), needed, &needed));
  EXPECT_EQ(modules.front(), GetModuleHandleW(nullptr));
  EXPECT_NE(std::find(modules.begin(), modules.end(), module), modules.end());

  // Loading again takes a reference and does not run DllMain again.
  EXPECT_EQ(LoadLibraryA(WIN32_TEST_MODULE), module);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(Log(), Line("attach", module));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(Log(), Line("attach", module) + Line("detach", module));
  EXPECT_EQ(GetModuleHandleW(u"win32_testmodule.arx"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(LoaderTest, ModuleFileNameAndTruncation) {
  HMODULE module = LoadLibraryW(WindowsPath(WIN32_TEST_MODULE).c_str());
  ASSERT_NE(module, nullptr);
  const std::string expected = "Z:" + std::string(WIN32_TEST_MODULE);
  std::string windows = expected;
  for (char& c : windows)
    c = c == '/' ? '\\' : c;

  char buffer[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameA(module, buffer, MAX_PATH), windows.size());
  EXPECT_EQ(std::string(buffer), windows);

  // A buffer with room for the name but not its NUL truncates and returns the buffer size.
  DWORD exact = static_cast<DWORD>(windows.size());
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(module, buffer, exact), exact);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(buffer), windows.substr(0, exact - 1));
  EXPECT_EQ(GetModuleFileNameA(module, buffer, exact + 1), exact);
  EXPECT_EQ(GetModuleFileNameA(module, buffer, 4), 4u);
  EXPECT_STREQ(buffer, "Z:\\");

  WCHAR wide[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameW(module, wide, MAX_PATH), windows.size());
  EXPECT_EQ(std::u16string(wide), WindowsPath(WIN32_TEST_MODULE));
  EXPECT_GT(GetModuleFileNameW(nullptr, wide, MAX_PATH), 0u);
  EXPECT_TRUE(std::u16string(wide).ends_with(u"\\win32_tests"));

  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(buffer), buffer, MAX_PATH), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LoaderTest, DllMainFalseFailsTheLoad) {
  setenv("WIN32_TEST_DLLMAIN_FAIL", "1", 1);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(WindowsPath(WIN32_TEST_MODULE).c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  // Windows detaches a module whose attach failed, then unmaps it.
  std::string log = Log();
  EXPECT_TRUE(log.starts_with("attach ")) << log;
  EXPECT_NE(log.find("\ndetach "), std::string::npos) << log;
  EXPECT_EQ(dlopen(WIN32_TEST_MODULE, RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(LoaderTest, MissingModules) {
  EXPECT_EQ(LoadLibraryW(u"Z:\\no\\such\\module.arx"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  unsetenv("WIN32_DRIVE_Q");
  EXPECT_EQ(LoadLibraryW(u"Q:\\module.arx"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  // A file that is not a module: the loader's reason is kept for the host to show.
  EXPECT_EQ(LoadLibraryA(WIN32_TEST_RES_FILE), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_FALSE(zwin32::LoaderDiagnostic().empty());
  EXPECT_TRUE(Log().empty());
}

TEST_F(LoaderTest, StringsPerLanguage) {
  HMODULE module = LoadLibraryW(WindowsPath(WIN32_TEST_MODULE).c_str());
  ASSERT_NE(module, nullptr);
  WCHAR buffer[64];
  EXPECT_EQ(GetThreadUILanguage(), 0x040C);
  EXPECT_EQ(LoadStringW(module, IDS_HELLO, buffer, 64), 12);
  EXPECT_EQ(std::u16string(buffer), u"Bonjour, été");
  EXPECT_EQ(LoadStringW(module, IDS_IN_SECOND_BLOCK, buffer, 64), 8);
  EXPECT_EQ(std::u16string(buffer), u"Dix-sept");

  // Truncation keeps room for the NUL; size 0 hands out a pointer into the resource.
  EXPECT_EQ(LoadStringW(module, IDS_HELLO, buffer, 5), 4);
  EXPECT_EQ(std::u16string(buffer), u"Bonj");
  const WCHAR* inPlace = nullptr;
  EXPECT_EQ(LoadStringW(module, IDS_HELLO, reinterpret_cast<LPWSTR>(&inPlace), 0), 12);
  EXPECT_EQ(std::u16string(inPlace, 12), u"Bonjour, été");

  EXPECT_EQ(SetThreadUILanguage(0x0409), 0x0409);
  EXPECT_EQ(LoadStringW(module, IDS_HELLO, buffer, 64), 13);
  EXPECT_EQ(std::u16string(buffer), u"Hello, summer");
  // The English block exists, so a string only the French block has is missing, as on Windows.
  EXPECT_EQ(LoadStringW(module, IDS_ONLY_FRENCH, buffer, 64), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(LoadStringW(module, IDS_ENGLISH_ONLY, buffer, 64), 12);

  // A language without strings falls back to the lowest language the module has.
  SetThreadUILanguage(0x0407);
  EXPECT_EQ(LoadStringW(module, IDS_HELLO, buffer, 64), 13);
  EXPECT_EQ(LoadStringW(module, 999, buffer, 64), 0);
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LoaderTest, FindsDialogsAndBitmaps) {
  HMODULE module = LoadLibraryW(WindowsPath(WIN32_TEST_MODULE).c_str());
  ASSERT_NE(module, nullptr);
  HRSRC dialog = FindResourceW(module, MAKEINTRESOURCE(IDD_SETTINGS), RT_DIALOG);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FindResourceW(module, u"#100", RT_DIALOG), dialog);
  EXPECT_EQ(FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCE(IDD_SETTINGS), 0x0409), dialog);
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, dialog)));
  ASSERT_NE(bytes, nullptr);
  EXPECT_GT(SizeofResource(module, dialog), 24u);
  // DLGTEMPLATEEX: version 1, signature 0xFFFF.
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[2], 0xFF);
  EXPECT_EQ(bytes[3], 0xFF);

  HRSRC bitmap = FindResourceW(module, MAKEINTRESOURCE(IDB_LOGO), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  // A bitmap resource is the file without its 14-byte file header.
  std::ifstream bmp(std::string(WIN32_TEST_SOURCE_DIR) + "/testmodule/logo.bmp", std::ios::binary);
  std::string file((std::istreambuf_iterator<char>(bmp)), std::istreambuf_iterator<char>());
  ASSERT_GT(file.size(), 14u);
  EXPECT_EQ(SizeofResource(module, bitmap), file.size() - 14);
  EXPECT_EQ(
      std::memcmp(LockResource(LoadResource(module, bitmap)), file.data() + 14, file.size() - 14),
      0);

  // The same resource as a GDI bitmap: two rows of a red and a green pixel, read back as
  // 32-bit pixels in either row order.
  HBITMAP gdiBitmap = LoadBitmapW(module, MAKEINTRESOURCE(IDB_LOGO));
  ASSERT_NE(gdiBitmap, nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectW(gdiBitmap, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 2);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 24);
  BITMAPINFO request{};
  request.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD pixels[4] = {};
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDIBits(screen, gdiBitmap, 0, 2, pixels, &request, DIB_RGB_COLORS), 2);
  EXPECT_EQ(pixels[0], 0xFF0000u);  // red, as 0x00RRGGBB
  EXPECT_EQ(pixels[1], 0x00FF00u);
  EXPECT_EQ(pixels[3], 0x00FF00u);
  request.bmiHeader.biHeight = 2;  // bottom-up: scan line 1 is the top row
  EXPECT_EQ(GetDIBits(screen, gdiBitmap, 1, 5, pixels, &request, DIB_RGB_COLORS), 1);
  EXPECT_EQ(GetDIBits(screen, gdiBitmap, 2, 1, pixels, &request, DIB_RGB_COLORS), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(LoadImageW(module, MAKEINTRESOURCE(IDD_SETTINGS), IMAGE_BITMAP, 0, 0, 0), nullptr);
  EXPECT_TRUE(DeleteObject(gdiBitmap));
  EXPECT_FALSE(DeleteObject(gdiBitmap));
  EXPECT_EQ(GetObjectW(gdiBitmap, sizeof info, &info), 0);

  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(999), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(IDD_SETTINGS), RT_MENU), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  // The test program itself has no resources.
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCE(IDD_SETTINGS), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(IDD_SETTINGS), RT_DIALOG), nullptr);
}

TEST(ResFile, ReadsTheCompiledFileFromDisk) {
  std::string error;
  auto file = zwin32::ReadResFile(WIN32_TEST_RES_FILE, &error);
  ASSERT_NE(file, nullptr) << error;
  auto french = zwin32::StringTable(file->entries, 0x040C);
  EXPECT_EQ(french.size(), 3u);
  // The script is UTF-8: é must arrive as U+00E9.
  EXPECT_EQ(french[IDS_HELLO], u"Bonjour, \u00e9t\u00e9");
  EXPECT_EQ(french[IDS_IN_SECOND_BLOCK], u"Dix-sept");
  auto english = zwin32::StringTable(file->entries, 0x0409);
  EXPECT_EQ(english[IDS_ENGLISH_ONLY], u"English only");

  EXPECT_EQ(zwin32::ReadResFile("/no/such/file.res", &error), nullptr);
  EXPECT_NE(error.find("/no/such/file.res"), std::string::npos);
  // A truncated image is refused with a message, never read past its end.
  for (size_t cut : {size_t{7}, size_t{40}, file->bytes.size() - 3}) {
    EXPECT_FALSE(zwin32::ParseResources(file->bytes.data(), cut, &error)) << cut;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
