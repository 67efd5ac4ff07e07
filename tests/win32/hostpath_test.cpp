// Path mapping and fault points, driven through the environment variables that configure them.
#include "zwin32/hostpath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "zwin32/faultpoint.h"

namespace {

TEST(HostPath, WindowsToHost) {
  unsetenv("WIN32_DRIVE_C");
  EXPECT_EQ(zwin32::HostPathFromWindows(u"Z:\\work\\x.dwg"), "/work/x.dwg");
  EXPECT_EQ(zwin32::HostPathFromWindows(u"z:\\"), "/");
  EXPECT_EQ(zwin32::HostPathFromWindows(u"\\\\?\\Z:\\a\\b"), "/a/b");
  EXPECT_EQ(zwin32::HostPathFromWindows(u"\\tmp\\é"), "/tmp/é");
  EXPECT_EQ(zwin32::HostPathFromWindows(u"/already/host"), "/already/host");
  EXPECT_EQ(zwin32::HostPathFromWindows(u"Bin\\Qr.mdb"), "Bin/Qr.mdb");
  EXPECT_FALSE(zwin32::HostPathFromWindows(u"C:\\Program Files"));
  EXPECT_FALSE(zwin32::HostPathFromWindows(u"\\\\server\\share\\f"));

  setenv("WIN32_DRIVE_C", "/srv/c/", 1);
  EXPECT_EQ(zwin32::HostPathFromWindows(u"c:\\Program Files\\A"), "/srv/c/Program Files/A");
  unsetenv("WIN32_DRIVE_C");
}

TEST(HostPath, HostToWindows) {
  unsetenv("WIN32_DRIVE_C");
  unsetenv("WIN32_DRIVE_D");
  EXPECT_EQ(zwin32::WindowsPathFromHost("/work/x"), u"Z:\\work\\x");
  EXPECT_EQ(zwin32::WindowsPathFromHost("/"), u"Z:\\");
  EXPECT_EQ(zwin32::WindowsPathFromHost("rel/a"), u"rel\\a");

  // The longest mapped folder wins, and a folder only matches whole path components.
  setenv("WIN32_DRIVE_C", "/srv", 1);
  setenv("WIN32_DRIVE_D", "/srv/d", 1);
  EXPECT_EQ(zwin32::WindowsPathFromHost("/srv/d/x"), u"D:\\x");
  EXPECT_EQ(zwin32::WindowsPathFromHost("/srv/dx"), u"C:\\dx");
  EXPECT_EQ(zwin32::WindowsPathFromHost("/srv"), u"C:\\");
  EXPECT_EQ(zwin32::HostPathFromWindows(zwin32::WindowsPathFromHost("/srv/d/é f")), "/srv/d/é f");
  unsetenv("WIN32_DRIVE_C");
  unsetenv("WIN32_DRIVE_D");
}

TEST(FaultPoint, ThrowsOnlyForListedNames) {
  unsetenv("ZANT_INJECT_FAULT");
  EXPECT_NO_THROW(zwin32::FaultPoint("RegOpenKeyExW"));
  setenv("ZANT_INJECT_FAULT", "LoadLibraryW, RegOpenKeyExW", 1);
  try {
    zwin32::FaultPoint("RegOpenKeyExW");
    FAIL() << "no fault injected";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "injected fault: RegOpenKeyExW");
  }
  EXPECT_THROW(zwin32::FaultPoint("LoadLibraryW"), std::runtime_error);
  EXPECT_NO_THROW(zwin32::FaultPoint("RegOpenKey"));
  unsetenv("ZANT_INJECT_FAULT");
}

}  // namespace
