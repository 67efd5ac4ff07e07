// Runs the real zanthost executable in a temporary folder of its own, with ZANT_REGISTRY
// pointing at a registry file there, and captures what it prints.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hosttest {

namespace fs = std::filesystem;

struct HostRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A registry file's text: the host saves UTF-16LE with a byte-order mark; the entries the
// tests look for are ASCII, so the high bytes are dropped.
inline std::string RegistryText(const fs::path& path) {
  const std::string bytes = Slurp(path);
  if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE')
    return bytes;
  std::string text;
  for (size_t i = 2; i < bytes.size(); i += 2)
    text += bytes[i];
  return text;
}

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zanthost_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    registry_ = dir_ / "registry.reg";
    setenv("ZANT_REGISTRY", registry_.c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);  // the host's messages in English
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(registry_, fs::perms::owner_all, ignored);
    fs::remove_all(dir_);
  }

  // Runs zanthost with `args` from dir_, its standard input read from `input` (a file in dir_).
  HostRun host(const std::string& args, const std::string& input) {
    const std::string command = "cd '" + dir_.string() + "' && '" + ZANTHOST_PATH + "' " + args +
                                " <" + input + " >out 2>err";
    HostRun result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = Slurp(dir_ / "out");
    result.err = Slurp(dir_ / "err");
    return result;
  }

  // Runs zanthost with `args` on the script `text` (written to a .scr file).
  HostRun script(const std::string& text, const std::string& args = "") {
    std::ofstream(dir_ / "test.scr", std::ios::binary) << text;
    return host(args + " --script test.scr", "/dev/null");
  }

  // The same lines typed at the terminal (piped to its standard input).
  HostRun typed(const std::string& text, const std::string& args = "") {
    std::ofstream(dir_ / "typed.txt", std::ios::binary) << text;
    return host(args, "typed.txt");
  }

  // Writes the registry file by hand, as a user would: UTF-8 .reg text after the header.
  void writeRegistry(const std::string& body) {
    std::ofstream(registry_, std::ios::binary) << "Windows Registry Editor Version 5.00\r\n\r\n"
                                               << body;
  }

  fs::path dir_;
  fs::path registry_;
};

}  // namespace hosttest
