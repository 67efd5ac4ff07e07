// The registry through its API over real .reg files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "windows.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Utf16Le(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("win32_registry_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / "registry.reg";
    setenv("ZANT_REGISTRY", file_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ZANT_REGISTRY");
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  fs::path dir_, file_;
};

TEST_F(RegistryTest, WritesRegeditFormatAndReadsItBack) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Zant\\Test", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  std::u16string name = u"Zant \"x\" c:\\";
  ASSERT_EQ(RegSetValueExW(key, u"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                           static_cast<DWORD>((name.size() + 1) * 2)),
            ERROR_SUCCESS);
  DWORD count = 42;
  ASSERT_EQ(RegSetValueExW(key, u"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), 4),
            ERROR_SUCCESS);
  std::u16string path = u"%ProgramFiles%\\Zant\\Bin";
  ASSERT_EQ(
      RegSetValueExW(key, u"Path", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>((path.size() + 1) * 2)),
      ERROR_SUCCESS);
  // Stored through the A call from code page 1252: "é" is byte 0xE9.
  ASSERT_EQ(RegSetValueExA(key, "Langue", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>("fran\xE7"
                                                         "ais"),
                           9),
            ERROR_SUCCESS);
  // Without its terminator a string loses its last character on export, as on Windows.
  ASSERT_EQ(RegSetValueExW(key, u"Cut", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"abc"), 6),
            ERROR_SUCCESS);
  BYTE blob[] = {0xDE, 0xAD};
  ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_BINARY, blob, 2), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  const std::u16string expected =
      u"Windows Registry Editor Version 5.00\r\n"
      u"\r\n[HKEY_CURRENT_USER\\Software]\r\n"
      u"\r\n[HKEY_CURRENT_USER\\Software\\Zant]\r\n"
      u"\r\n[HKEY_CURRENT_USER\\Software\\Zant\\Test]\r\n"
      u"\"Name\"=\"Zant \\\"x\\\" c:\\\\\"\r\n"
      u"\"Count\"=dword:0000002a\r\n"
      u"\"Path\"=hex(2):25,00,50,00,72,00,6f,00,67,00,72,00,61,00,6d,00,46,00,69,00,6c,\\\r\n"
      u"  00,65,00,73,00,25,00,5c,00,5a,00,61,00,6e,00,74,00,5c,00,42,00,69,00,6e,00,\\\r\n"
      u"  00,00\r\n"
      u"\"Langue\"=\"français\"\r\n"
      u"\"Cut\"=\"ab\"\r\n"
      u"@=hex:de,ad\r\n"
      u"\r\n";
  EXPECT_EQ(ReadBytes(file_), Utf16Le(expected));

  // Another registry file, then back: everything is read from the file again.
  setenv("ZANT_REGISTRY", (dir_ / "other.reg").c_str(), 1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"software\\ZANT", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  setenv("ZANT_REGISTRY", file_.c_str(), 1);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"software\\ZANT\\test", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (name.size() + 1) * 2);
  WCHAR text[64];
  DWORD small = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &small),
            ERROR_MORE_DATA);
  EXPECT_EQ(small, size);
  ASSERT_EQ(RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(text), name);
  char ansi[16];
  size = sizeof ansi;
  ASSERT_EQ(RegQueryValueExA(key, "Langue", nullptr, &type, reinterpret_cast<BYTE*>(ansi), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 9u);
  EXPECT_STREQ(ansi,
               "fran\xE7"
               "ais");
  DWORD number = 0;
  size = 4;
  ASSERT_EQ(
      RegQueryValueExW(key, u"Count", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(number, 42u);
  EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  // Opened for reading only.
  EXPECT_EQ(RegSetValueExW(key, u"X", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_ACCESS_DENIED);

  WCHAR valueName[32];
  DWORD nameLength = 32;
  ASSERT_EQ(RegEnumValueW(key, 2, valueName, &nameLength, nullptr, &type, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(valueName), u"Path");
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  nameLength = 32;
  EXPECT_EQ(RegEnumValueW(key, 6, valueName, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, KeysEnumerateDeleteAndNotice) {
  HKEY zant = nullptr, sub = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zant", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &zant, nullptr),
            ERROR_SUCCESS);
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma"}) {
    DWORD disposition = 0;
    ASSERT_EQ(
        RegCreateKeyExW(zant, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(sub);
  }
  DWORD disposition = 0;
  ASSERT_EQ(
      RegCreateKeyExW(zant, u"ALPHA", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, &disposition),
      ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  std::u16string names;
  WCHAR name[16];
  for (DWORD i = 0;; ++i) {
    DWORD length = 16;
    LONG result = RegEnumKeyExW(zant, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS)
      break;
    ASSERT_EQ(result, ERROR_SUCCESS);
    names += std::u16string(name) + u";";
  }
  EXPECT_EQ(names, u"Alpha;beta;gamma;");

  HKEY child = nullptr;
  ASSERT_EQ(RegCreateKeyExW(sub, u"Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(zant, u"alpha"), ERROR_ACCESS_DENIED);  // has a subkey
  EXPECT_EQ(RegDeleteKeyW(zant, u"alpha\\child"), ERROR_SUCCESS);
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExW(child, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteKeyW(zant, u"Alpha"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(zant, u"Alpha"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, u"Software\\Zant"), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zant\\beta", 0, KEY_READ, &sub),
            ERROR_FILE_NOT_FOUND);
  for (HKEY h : {zant, sub, child})
    RegCloseKey(h);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Software", 0, KEY_READ, &sub),
            ERROR_BAD_PATHNAME);
}

// A value set again to what it holds leaves the file as it is (no rewrite, no flush to disk);
// a change, or a file another program rewrote meanwhile, is written.
TEST_F(RegistryTest, SettingTheSameValueAgainLeavesTheFileAlone) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Zant", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  auto set = [&](DWORD value) {
    return RegSetValueExW(key, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
  };
  auto fileId = [&] {
    struct stat st {};
    return stat(file_.c_str(), &st) == 0 ? st.st_ino : 0;
  };
  ASSERT_EQ(set(1), ERROR_SUCCESS);
  const auto written = fileId();
  ASSERT_NE(written, 0u);
  EXPECT_EQ(set(1), ERROR_SUCCESS);
  EXPECT_EQ(fileId(), written);  // a rewrite renames a new file over the old one
  ASSERT_EQ(set(2), ERROR_SUCCESS);
  EXPECT_NE(fileId(), written);
  EXPECT_NE(ReadBytes(file_).find(Utf16Le(u"dword:00000002").substr(2)), std::string::npos);

  // Another program writes the file: the same value set again is measured against that file.
  const std::string edited = Utf16Le(
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Zant]\r\n\"v\"=dword:00000001\r\n");
  {
    std::ofstream out(file_.string() + ".other", std::ios::binary);
    out << edited;
  }
  fs::rename(file_.string() + ".other", file_);
  const auto other = fileId();
  EXPECT_EQ(set(2), ERROR_SUCCESS);
  EXPECT_NE(fileId(), other);
  EXPECT_NE(ReadBytes(file_).find(Utf16Le(u"dword:00000002").substr(2)), std::string::npos);
  RegCloseKey(key);
}

TEST_F(RegistryTest, ReadOnlyFileRefusesChanges) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Zant", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::string before = ReadBytes(file_);
  fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExW(key, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_ACCESS_DENIED);
  HKEY sub = nullptr;
  EXPECT_EQ(RegCreateKeyExW(key, u"Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_ACCESS_DENIED);
  // Nothing changed, in the file or in memory.
  EXPECT_EQ(ReadBytes(file_), before);
  EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExW(key, u"Sub", 0, KEY_READ, &sub), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RegistryTest, ReadsHandWrittenFilesAndKeepsMalformedOnesUntouched) {
  // UTF-8, REGEDIT4, deletions, continued hex lines, comments.
  std::ofstream(file_, std::ios::binary)
      << "REGEDIT4\n\n; set by hand\n[HKEY_CURRENT_USER\\Software\\Zant]\n"
         "\"Langue\"=\"fran\xC3\xA7"
         "ais\"\n\"Bits\"=hex:01,02,\\\n  03\n\"Gone\"=dword:1\n"
         "\"Gone\"=-\n[HKEY_CURRENT_USER\\Software\\Old]\n[-HKEY_CURRENT_USER\\Software\\Old]\n";
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Zant", 0, KEY_READ, &key), ERROR_SUCCESS);
  WCHAR text[16];
  DWORD size = sizeof text;
  ASSERT_EQ(
      RegQueryValueExW(key, u"Langue", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(text), u"français");
  BYTE bits[4];
  size = sizeof bits;
  ASSERT_EQ(RegQueryValueExW(key, u"Bits", nullptr, nullptr, bits, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(bits[2], 3);
  EXPECT_EQ(RegQueryValueExW(key, u"Gone", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  HKEY old = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Old", 0, KEY_READ, &old),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);

  const std::string malformed =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Zant]\r\n"
      "\"Good\"=dword:00000001\r\n\"Bad\"=dword:xyz\r\n";
  std::ofstream(file_, std::ios::binary | std::ios::trunc) << malformed;
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Zant", 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find(file_.string() + ":5: bad dword data"), std::string::npos) << messages;
  DWORD value = 0;
  size = 4;
  EXPECT_EQ(
      RegQueryValueExW(key, u"Good", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, u"New", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadBytes(file_), malformed);
  RegCloseKey(key);
}

}  // namespace
