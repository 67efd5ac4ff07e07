// The dynamic linker loading and unloading the fixture applications (real modules built with
// arx_add_application): version handshake, lock, message order, names, exports.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "dbapserv.h"
#include "libloaderapi.h"
#include "rxdlinkr.h"
#include "winuser.h"
#include "zacad/applications.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace {

namespace fs = std::filesystem;

class CapturedDisplay : public AcDbHostApplicationServices {
 public:
  void displayString(const ACHAR* string, int) const override { text += string; }
  mutable std::u16string text;
};

std::u16string fixture(const char* fileName) {
  return zwin32::FromUtf8((fs::path(RX_FIXTURE_DIR) / fileName).string());
}

class DynamicLinker : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("rx_linker_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    log_ = folder_ / "messages.log";
    setenv("RX_FIXTURE_LOG", log_.c_str(), 1);
    acdbSetHostApplicationServices(&display_);
  }
  void TearDown() override {
    zacad::unloadAllApplications();
    acdbSetHostApplicationServices(nullptr);
    unsetenv("RX_FIXTURE_LOG");
    fs::remove_all(folder_);
  }

  std::string messages() const {
    std::ifstream in(log_);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  std::u16string shown() {
    std::u16string text = std::move(display_.text);
    display_.text.clear();
    return text;
  }

  AcRxDynamicLinker& linker() { return *acrxDynamicLinker; }

  CapturedDisplay display_;
  fs::path folder_;
  fs::path log_;
};

TEST_F(DynamicLinker, LoadsRunsAndUnloadsAnApplication) {
  ASSERT_TRUE(linker().loadModule(fixture("RxFixture.arx").c_str(), true));
  EXPECT_EQ(shown(), u"\nRxFixture.arx loaded.");
  EXPECT_EQ(messages(), "RxFixture init\n");

  const auto apps = zacad::loadedApplications();
  ASSERT_EQ(apps.size(), 1u);
  EXPECT_EQ(apps[0].name, u"RxFixture.arx");
  EXPECT_EQ(zwin32::HostPathFromWindows(apps[0].path), fs::path(RX_FIXTURE_DIR) / "RxFixture.arx");
  EXPECT_NE(apps[0].module, nullptr);
  EXPECT_FALSE(apps[0].locked);  // it unlocked itself
  EXPECT_TRUE(apps[0].mdiAware);
  EXPECT_EQ(linker().getModuleHandle(u"rxfixture"), apps[0].module);
  EXPECT_TRUE(linker().isAppMDIAware(u"RXFIXTURE.ARX"));

  // Its service leads to its exports.
  using Answer = int (*)();
  auto answer =
      reinterpret_cast<Answer>(linker().getSymbolAddress(u"RxFixtureService", u"fixtureAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(linker().getSymbolAddress(u"NoSuchService", u"fixtureAnswer"), nullptr);

  // Loading it again does nothing.
  EXPECT_TRUE(linker().loadModule(u"RxFixture", false));
  EXPECT_EQ(zacad::loadedApplications().size(), 1u);

  // Any case, with or without folder and extension.
  ASSERT_TRUE(linker().unloadModule(u"Z:\\elsewhere\\RXFIXTURE", true));
  EXPECT_EQ(shown(), u"\nRxFixture.arx unloaded.");
  EXPECT_EQ(messages(), "RxFixture init\nRxFixture unload\n");
  EXPECT_TRUE(zacad::loadedApplications().empty());
  EXPECT_EQ(acrxServiceIsRegistered(u"RxFixtureService"), 0);

  EXPECT_FALSE(linker().unloadModule(u"RxFixture"));
  EXPECT_EQ(shown(), u"\nRxFixture is not loaded.");
}

TEST_F(DynamicLinker, FindsABareNameInTheProgramFolderAndTakesWindowsPaths) {
  // The test program sits in the build folder beside the fixtures.
  ASSERT_TRUE(linker().loadModule(u"RxFixture", false));
  EXPECT_EQ(shown(), u"");
  ASSERT_TRUE(linker().unloadModule(u"RxFixture.arx"));

  const std::u16string windowsPath =
      zwin32::WindowsPathFromHost((fs::path(RX_FIXTURE_DIR) / "RxFixture.arx").string());
  ASSERT_EQ(windowsPath.substr(0, 3), u"Z:\\");
  EXPECT_TRUE(linker().loadModule(windowsPath.c_str(), false));
  EXPECT_EQ(zacad::loadedApplications().size(), 1u);
}

TEST_F(DynamicLinker, LockedApplicationCannotBeUnloadedUntilTheHostQuits) {
  ASSERT_TRUE(linker().loadModule(fixture("RxFixtureLocked.arx").c_str(), false));
  EXPECT_TRUE(linker().isApplicationLocked(u"rxfixturelocked"));
  EXPECT_FALSE(linker().unloadModule(u"RxFixtureLocked"));
  EXPECT_EQ(shown(), u"\nRxFixtureLocked.arx is locked and cannot be unloaded.");
  EXPECT_EQ(messages(), "RxFixtureLocked init\n");
  ASSERT_EQ(zacad::loadedApplications().size(), 1u);

  // The application's id unlocks and locks it.
  ASSERT_TRUE(linker().loadModule(fixture("RxFixture.arx").c_str(), false));
  EXPECT_FALSE(linker().unlockApplication(reinterpret_cast<void*>(0x1234)));  // unknown id

  // Quitting unloads everything, newest first, locked or not.
  zacad::unloadAllApplications();
  EXPECT_EQ(messages(),
            "RxFixtureLocked init\nRxFixture init\nRxFixture unload\n"
            "RxFixtureLocked unload\n");
  EXPECT_TRUE(zacad::loadedApplications().empty());
}

TEST_F(DynamicLinker, RefusedApplicationsAreUnmappedWithAClearMessage) {
  EXPECT_FALSE(linker().loadModule(fixture("RxFixtureRefuses.arx").c_str(), true));
  EXPECT_EQ(shown(), u"\nUnable to load RxFixtureRefuses.arx: its initialization failed.");
  EXPECT_EQ(messages(), "RxFixtureRefuses init\n");

  EXPECT_FALSE(linker().loadModule(fixture("RxFixtureFuture.arx").c_str(), true));
  EXPECT_EQ(shown(),
            u"\nUnable to load RxFixtureFuture.arx: it was built for ObjectARX 18.0; "
            u"this host runs ObjectARX 17.2.");

  EXPECT_FALSE(linker().loadModule(fixture("RxFixturePlain.arx").c_str(), true));
  EXPECT_EQ(shown(),
            u"\nUnable to load RxFixturePlain.arx: it does not export acrxGetApiVersion "
            u"(not an ObjectARX application).");

  EXPECT_FALSE(linker().loadModule(u"NoSuchApplication", true));
  EXPECT_EQ(shown(), u"\nUnable to load NoSuchApplication: file not found.");

  // A file that is not a module at all.
  const fs::path bogus = folder_ / "Bogus.arx";
  std::ofstream(bogus) << "not an ELF file";
  EXPECT_FALSE(linker().loadModule(zwin32::FromUtf8(bogus.string()).c_str(), true));
  EXPECT_EQ(shown().rfind(u"\nUnable to load Bogus.arx: ", 0), 0u);

  EXPECT_EQ(messages(), "RxFixtureRefuses init\n");  // no other entry point ran
  EXPECT_TRUE(zacad::loadedApplications().empty());
  for (const char16_t* name :
       {u"RxFixtureRefuses.arx", u"RxFixtureFuture.arx", u"RxFixturePlain.arx"}) {
    EXPECT_EQ(GetModuleHandleW(name), nullptr) << zwin32::ToUtf8(name);
  }
}

TEST_F(DynamicLinker, ApplicationExportsOnlyWhatItNames) {
  ASSERT_TRUE(linker().loadModule(fixture("RxFixture.arx").c_str(), false));
  HMODULE module = linker().getModuleHandle(u"RxFixture");
  EXPECT_NE(GetProcAddress(module, "acrxEntryPoint"), nullptr);
  EXPECT_NE(GetProcAddress(module, "acrxGetApiVersion"), nullptr);
  EXPECT_NE(GetProcAddress(module, "fixtureAnswer"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "fixtureUnlisted"), nullptr);

  // Its resources came along.
  ACHAR text[32] = {0};
  EXPECT_EQ(LoadStringW(module, 1, text, 32), 14);
  EXPECT_EQ(std::u16string(text), u"Fixture r\u00e9sum\u00e9");

  // The dynamic symbol table holds no other function or object of the module.
  const std::string command = std::string(RX_NM) + " -D --defined-only " +
                              (fs::path(RX_FIXTURE_DIR) / "RxFixture.arx").string();
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> functions;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    char type = 0;
    char name[400] = {0};
    if (std::sscanf(line, "%*s %c %399s", &type, name) == 2 &&
        (type == 'T' || type == 'D' || type == 'B' || type == 'R')) {
      functions.insert(name);
    }
  }
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(functions,
            (std::set<std::string>{"acrxEntryPoint", "acrxGetApiVersion", "fixtureAnswer"}));
}

}  // namespace
