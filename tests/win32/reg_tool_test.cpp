// The reg tool end to end: run as a program on a temporary registry file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct ToolRun {
  int status;
  std::string output;
};

ToolRun Reg(const std::string& arguments) {
  std::string command = std::string(WIN32_REG_TOOL) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
    output.append(buffer, n);
  int status = pclose(pipe);
  return {WEXITSTATUS(status), output};
}

TEST(RegTool, AddQueryDelete) {
  auto file = std::filesystem::temp_directory_path() /
              ("win32_regtool_" + std::to_string(getpid()) + ".reg");
  std::filesystem::remove(file);
  setenv("ZANT_REGISTRY", file.c_str(), 1);

  ToolRun run = Reg("add 'HKLM\\Software\\Zant' /v DataPath /d 'Z:\\data\\é' /f");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "The operation completed successfully.\n");
  EXPECT_EQ(Reg("add HKCU\\\\Software\\\\Zant /v Lang /t REG_DWORD /d 0x40c /f").status, 0);
  run = Reg("query 'HKLM\\Software\\Zant'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            "\nHKEY_LOCAL_MACHINE\\Software\\Zant\n    DataPath    REG_SZ    Z:\\data\\é\n\n");
  run = Reg("query HKEY_CURRENT_USER\\\\Software\\\\Zant /v lang");
  EXPECT_EQ(run.output, "\nHKEY_CURRENT_USER\\Software\\Zant\n    lang    REG_DWORD    0x40c\n\n");

  // Bad data changes nothing; unknown keys and values fail with reg.exe's message.
  run = Reg("add HKLM\\\\New /v X /t REG_DWORD /d nope /f");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "ERROR: Invalid syntax.\nType \"REG ADD /?\" for usage.\n");
  EXPECT_EQ(Reg("query HKLM\\\\New").status, 1);
  run = Reg("query HKLM\\\\Software\\\\Zant /v Missing");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            "ERROR: The system was unable to find the specified registry key or value.\n");
  EXPECT_EQ(Reg("add NOPE\\\\x /f").output,
            "ERROR: Invalid key name.\nType \"REG ADD /?\" for usage.\n");

  // Without /f a delete asks first.
  EXPECT_EQ(
      Reg("delete HKLM\\\\Software\\\\Zant /v DataPath < /dev/null").output,
      "Delete the registry value DataPath (Yes/No)? The operation was cancelled by the user.\n");
  EXPECT_EQ(Reg("query HKLM\\\\Software\\\\Zant /v DataPath").status, 0);
  EXPECT_EQ(Reg("delete HKLM\\\\Software /f").status, 0);
  EXPECT_EQ(Reg("query HKLM\\\\Software\\\\Zant").status, 1);
  EXPECT_EQ(Reg("query HKCU\\\\Software\\\\Zant /v Lang").status, 0);
  unsetenv("ZANT_REGISTRY");
  std::filesystem::remove(file);
}

}  // namespace
