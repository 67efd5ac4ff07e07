// The product's registry settings, read from a real registry file named by ZANT_REGISTRY.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <windows.h>

#include "ZANTRegistryTools.h"
#include "zwin32/utf.h"

namespace fs = std::filesystem;

namespace {

std::string Utf8(const CString& text) {
  return zwin32::ToUtf8((LPCTSTR)text);
}

void SetValue(LPCTSTR name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, _T("SOFTWARE\\ZANT\\Vorlane"), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace

TEST(RegistryTools, ReadsTheProductKeyWithDefaults) {
  const fs::path dir = fs::temp_directory_path() / ("znregistry-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path file = dir / "registry.reg";
  // Written by hand, as a user would, in UTF-8.
  std::ofstream(file, std::ios::binary) << "Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZANT\\Vorlane]\r\n"
                                           "\"DataPath\"=\"Z:\\\\data\\\\Vorlane d\xC3\xA9mo\"\r\n"
                                           "\"LanguageUI\"=dword:00000409\r\n";
  ::setenv("ZANT_REGISTRY", file.c_str(), 1);

  CString path;
  ZANTRegistryTools::GetPathRegistryApp(path);
  EXPECT_EQ(Utf8(path), "SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:40C");
  EXPECT_EQ(ZANTRegistryTools::GetRegistryLanguageUI(), 0x0409u);
  CString data = _T("stale");
  EXPECT_NE(ZANTRegistryTools::GetVorlaneDataPath(data), 0);
  EXPECT_EQ(Utf8(data), "Z:\\data\\Vorlane d\xC3\xA9mo");

  // Values of the wrong type count as absent.
  SetValue(_T("LanguageUI"), REG_SZ, u"1033", 10);
  const DWORD number = 7;
  SetValue(_T("DataPath"), REG_DWORD, &number, sizeof number);
  EXPECT_EQ(ZANTRegistryTools::GetRegistryLanguageUI(), 0x040Cu);
  EXPECT_EQ(ZANTRegistryTools::GetVorlaneDataPath(data), 0);
  EXPECT_TRUE(data.IsEmpty());

  // A string stored without its terminator still reads whole; a wide language id keeps its bits.
  SetValue(_T("DataPath"), REG_SZ, u"Z:\\x", 8);
  const DWORD wide = 0x7FFF0409;
  SetValue(_T("LanguageUI"), REG_DWORD, &wide, sizeof wide);
  EXPECT_NE(ZANTRegistryTools::GetVorlaneDataPath(data), 0);
  EXPECT_EQ(Utf8(data), "Z:\\x");
  EXPECT_EQ(ZANTRegistryTools::GetRegistryLanguageUI(), 0x7FFF0409u);

  // No product key at all.
  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, _T("SOFTWARE\\ZANT"), 0, KEY_ALL_ACCESS, &software),
            ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(software, _T("Vorlane")), ERROR_SUCCESS);
  RegCloseKey(software);
  EXPECT_EQ(ZANTRegistryTools::GetRegistryLanguageUI(), 0x040Cu);
  EXPECT_EQ(ZANTRegistryTools::GetVorlaneDataPath(data), 0);

  ::unsetenv("ZANT_REGISTRY");
  fs::remove_all(dir);
}
