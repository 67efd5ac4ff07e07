// acrxRegisterApp and the demand-load entries read back through the registry functions, on a
// registry file of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "rxregsvc.h"
#include "windows.h"
#include "zacad/demandload.h"
#include "zwin32/hostpath.h"

namespace {

namespace fs = std::filesystem;

const std::u16string kApps = u"SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:40C\\Applications";

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

class AppRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("rx_appreg_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    registry_ = folder_ / "registry.reg";
    setenv("ZANT_REGISTRY", registry_.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(registry_, fs::perms::owner_all, ignored);
    fs::remove_all(folder_);
  }

  static std::u16string Text(HKEY key, const ACHAR* name, DWORD* typeOut = nullptr) {
    WCHAR buffer[1024] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != 0)
      return u"<missing>";
    if (typeOut != nullptr)
      *typeOut = type;
    return buffer;
  }

  fs::path folder_;
  fs::path registry_;
};

TEST_F(AppRegistration, WritesTheHostsEntriesBesideTheApplications) {
  EXPECT_EQ(std::u16string(acrxProductKey()), u"SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:40C");
  // The application's own entries come first; the host's must not disturb them.
  HKEY app = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kApps + u"\\MyApp\\Commands").c_str(), 0, nullptr,
                            0, KEY_WRITE, nullptr, &app, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(app, "MYCMD", 0, REG_SZ, reinterpret_cast<const BYTE*>("mycmd"), 6),
            ERROR_SUCCESS);
  RegCloseKey(app);

  EXPECT_EQ(acrxRegisterApp(AcadApp::LoadReasons(0x0C), u"MyApp"), AcadApp::eOk);
  EXPECT_EQ(acrxRegisterApp(AcadApp::kOnAutoCADStartup, u""), AcadApp::eInvalidKey);

  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kApps + u"\\MyApp").c_str(), 0, KEY_READ, &app),
            ERROR_SUCCESS);
  DWORD reasons = 0, size = sizeof reasons, type = 0;
  ASSERT_EQ(
      RegQueryValueExW(app, u"LOADCTRLS", nullptr, &type, reinterpret_cast<BYTE*>(&reasons), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(reasons, 0x0Cu);
  // The caller's module: this test program, by its Windows path.
  EXPECT_EQ(Text(app, u"LOADER", &type),
            zwin32::WindowsPathFromHost(fs::canonical("/proc/self/exe").string()));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(Text(app, u"DESCRIPTION"), u"MyApp");
  RegCloseKey(app);

  // Read back as the host's demand loading sees it; registering again changes nothing more.
  EXPECT_EQ(acrxRegisterApp(AcadApp::LoadReasons(0x0C), u"MyApp"), AcadApp::eOk);
  const auto entries = zacad::demandLoadEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, u"MyApp");
  EXPECT_EQ(entries[0].reasons, 0x0Cu);
  ASSERT_EQ(entries[0].commands.size(), 1u);
  EXPECT_EQ(entries[0].commands[0].first, u"MYCMD");
  EXPECT_EQ(entries[0].commands[0].second, u"mycmd");
}

TEST_F(AppRegistration, ReadOnlyRegistryIsRefusedAndUntouched) {
  std::ofstream(registry_, std::ios::binary) << "Windows Registry Editor Version 5.00\r\n\r\n";
  fs::permissions(registry_, fs::perms::owner_read);
  const std::string before = Bytes(registry_);
  EXPECT_EQ(acrxRegisterApp(AcadApp::kOnCommandInvocation, u"MyApp"), AcadApp::eRegAccessDenied);
  EXPECT_EQ(Bytes(registry_), before);
  EXPECT_TRUE(zacad::demandLoadEntries().empty());
  // A fault inside the registration is a status, never an exception.
  setenv("ZANT_INJECT_FAULT", "acrxRegisterApp", 1);
  EXPECT_EQ(acrxRegisterApp(AcadApp::kOnCommandInvocation, u"MyApp"), AcadApp::eUnknownError);
  unsetenv("ZANT_INJECT_FAULT");
}

}  // namespace
