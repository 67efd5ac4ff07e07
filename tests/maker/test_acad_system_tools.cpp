// The host tools' menu calls over the host's real menu groups: a real menu file, a registry
// file of the test's own that remembers where the menu was found.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <windows.h>

#include "ZANTAcadSystemTools.h"
#include "zwin32/hostpath.h"

namespace fs = std::filesystem;

TEST(AcadSystemTools, LoadsMenusOnceAndShowsToolbars) {
  const fs::path dir = fs::temp_directory_path() / ("znmenus-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  ::setenv("ZANT_REGISTRY", (dir / "registry.reg").c_str(), 1);
  fs::copy_file(fs::path(MENU_FIXTURE_DIR) / "ZANTTEST.cui", dir / "Kept.cui");
  const LPCTSTR key = _T("SOFTWARE\\ZANT\\MenuTest");

  EXPECT_TRUE(ZANTAcadSystemTools::isAcad2007OrLater());
  EXPECT_FALSE(ZANTAcadSystemTools::ShowToolbar(_T("TESTBAR"), true, _T("ZANTTEST")));
  // Not on the support path and nothing remembered yet.
  EXPECT_EQ(ZANTAcadSystemTools::loadMenu(_T("ZANTTEST"), _T("Kept.cui"), key, 1), 0);

  const std::u16string fullPath = zwin32::WindowsPathFromHost((dir / "Kept.cui").string());
  EXPECT_NE(ZANTAcadSystemTools::loadMenu(_T("ZANTTEST"), fullPath.c_str(), key, 1), 0);
  EXPECT_FALSE(ZANTAcadSystemTools::ShowToolbar(_T("NOBAR"), true, _T("ZANTTEST")));
  EXPECT_FALSE(ZANTAcadSystemTools::ShowToolbar(_T("TESTBAR"), true, _T("OTHER")));
  EXPECT_TRUE(ZANTAcadSystemTools::ShowToolbar(_T("TESTBAR"), true, _T("ZANTTEST")));
  EXPECT_TRUE(ZANTAcadSystemTools::ShowToolbar(_T("TESTBAR"), false, _T("ZANTTEST")));
  // Already loaded: success without reading anything.
  EXPECT_NE(ZANTAcadSystemTools::loadMenu(_T("ZANTTEST"), _T("Absent.cui"), key, 1), 0);

  // The file was remembered under the key.
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened), ERROR_SUCCESS);
  WCHAR text[1024] = {};
  DWORD size = sizeof text;
  ASSERT_EQ(RegQueryValueExW(opened, _T("MenuFile"), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  RegCloseKey(opened);
  EXPECT_EQ(std::u16string(text), fullPath);
  fs::remove_all(dir);
}
