// Demand loading in the real zanthost: an application that recorded itself in one run is loaded
// by a later, fresh host when one of its listed commands is typed, at start-up, or on request.
#include <string>

#include "hostrun.h"

namespace {

using hosttest::Has;
using hosttest::HostRun;

const std::string kAppKey =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:40C\\Applications\\"
    "DemandFixture]\r\n";

// The fixture's path as a .reg string: backslashes doubled after mapping to drive Z:.
std::string RegPath(const std::string& hostPath) {
  std::string text = "Z:";
  for (char c : hostPath)
    text += c == '/' ? std::string("\\\\") : std::string(1, c);
  return text;
}

class DemandLoad : public hosttest::HostTest {
 protected:
  static std::string Fixture() { return std::string("'") + DEMAND_FIXTURE_PATH + "'"; }
};

TEST_F(DemandLoad, RecordedInOneRunLoadedByCommandInTheNext) {
  HostRun r = script("QUIT\n", "--load " + Fixture());
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "DemandFixture loaded (registration status 0).")) << r.out;
  const std::string registry = hosttest::RegistryText(registry_);
  // The host's entries and the application's own stand side by side under one key.
  EXPECT_TRUE(Has(registry, "\"LOADCTRLS\"=dword:0000000c")) << registry;
  EXPECT_TRUE(Has(registry, "\"LOADER\"=\"" + RegPath(DEMAND_FIXTURE_PATH) + "\"")) << registry;
  EXPECT_TRUE(Has(registry, "\"DESCRIPTION\"=\"DemandFixture\"")) << registry;
  EXPECT_TRUE(Has(registry, "\"DHELLO\"=\"dsalut\"")) << registry;

  // A fresh host without --load: the listed command loads the application and runs.
  r = script("DHELLO\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "Command: DHELLO\nDemandFixture loaded")) << r.out;
  EXPECT_TRUE(Has(r.out, "Hello on demand.")) << r.out;
  // By its local name and with the group, too; the second time it is simply there.
  r = script("dsalut\n.DEMANDFIX.DHELLO\n");
  EXPECT_TRUE(Has(r.out, "Command: dsalut\nDemandFixture loaded")) << r.out;
  EXPECT_TRUE(Has(r.out, "Command: .DEMANDFIX.DHELLO\nHello on demand.")) << r.out;

  // A command the application registers but does not list loads nothing.
  r = script("DSECRET\n_dsalut\n.OTHER.DHELLO\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "Unknown command \"DSECRET\".")) << r.out;
  EXPECT_TRUE(Has(r.out, "Unknown command \"_DSALUT\".")) << r.out;  // global names only
  EXPECT_TRUE(Has(r.out, "Unknown command \".OTHER.DHELLO\".")) << r.out;
  EXPECT_FALSE(Has(r.out, "DemandFixture loaded")) << r.out;
  EXPECT_FALSE(Has(r.out, "The secret command ran.")) << r.out;

  // On request by logical name (kOnLoadRequest is among its reasons).
  r = script("ARX Load DemandFixture\nDSECRET\n");
  EXPECT_TRUE(Has(r.out, "DemandFixture loaded")) << r.out;
  EXPECT_TRUE(Has(r.out, "The secret command ran.")) << r.out;
}

TEST_F(DemandLoad, StartupOlderLayoutAndMissingFiles) {
  // Hand-written entries: start-up loading from the older "Loader\MODULE" layout.
  writeRegistry(kAppKey + "\"LOADCTRLS\"=dword:00000002\r\n\r\n" +
                kAppKey.substr(0, kAppKey.size() - 3) + "\\Loader]\r\n\"MODULE\"=\"" +
                RegPath(DEMAND_FIXTURE_PATH) + "\"\r\n");
  HostRun r = script("DSECRET\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "DemandFixture loaded")) << r.out;
  EXPECT_LT(r.out.find("DemandFixture loaded"), r.out.find("Command: DSECRET")) << r.out;
  EXPECT_TRUE(Has(r.out, "The secret command ran.")) << r.out;

  // Disabled entries are left alone.
  writeRegistry(kAppKey + "\"LOADCTRLS\"=dword:00000016\r\n\"LOADER\"=\"" +
                RegPath(DEMAND_FIXTURE_PATH) + "\"\r\n\r\n" +
                kAppKey.substr(0, kAppKey.size() - 3) + "\\Commands]\r\n\"DHELLO\"=\"DHELLO\"\r\n");
  r = script("DHELLO\n");
  EXPECT_FALSE(Has(r.out, "DemandFixture loaded")) << r.out;
  EXPECT_TRUE(Has(r.out, "Unknown command \"DHELLO\".")) << r.out;

  // A LOADER file that is gone: the loader says why, then the command is unknown.
  writeRegistry(kAppKey +
                "\"LOADCTRLS\"=dword:00000004\r\n\"LOADER\"=\"Z:\\\\nowhere\\\\Gone.arx\"\r\n\r\n" +
                kAppKey.substr(0, kAppKey.size() - 3) + "\\Commands]\r\n\"DHELLO\"=\"DHELLO\"\r\n");
  r = script("DHELLO\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "Unable to load Gone.arx: file not found.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Unknown command \"DHELLO\".")) << r.out;
}

TEST_F(DemandLoad, ReadOnlyRegistryLoadsAndWritesNothing) {
  writeRegistry("");
  std::filesystem::permissions(registry_, std::filesystem::perms::owner_read);
  const std::string before = hosttest::Slurp(registry_);
  HostRun r = script("DHELLO\nDSECRET\n", "--load " + Fixture());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "DemandFixture loaded (registration status 8).")) << r.out;
  EXPECT_TRUE(Has(r.out, "Hello on demand.")) << r.out;
  EXPECT_TRUE(Has(r.out, "The secret command ran.")) << r.out;
  EXPECT_EQ(hosttest::Slurp(registry_), before);
}

}  // namespace
