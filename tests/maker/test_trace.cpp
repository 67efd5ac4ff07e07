// Trace scopes and crash reports, read back from a real log file named by ZN_TRACE.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "ZnCrashHandler.h"
#include "ZnLogEntry.h"

namespace fs = std::filesystem;

namespace {

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zntrace-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    log_ = dir_ / "trace.log";
  }
  void TearDown() override {
    ::unsetenv("ZN_TRACE");
    fs::remove_all(dir_);
  }
  std::string ReadLog() const {
    std::ifstream in(log_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  fs::path dir_;
  fs::path log_;
};

void ThrowInScope(bool standard) {
  CZnLogEntry scope(_T("Thrower::run"));
  if (standard) {
    throw std::runtime_error("disk full \xC3\xA9");
  }
  throw 42;
}

}  // namespace

TEST_F(TraceTest, NestedScopesAppendIndentedLines) {
  std::ofstream(log_) << "earlier run\n";
  ::setenv("ZN_TRACE", log_.c_str(), 1);
  {
    CZnLogEntry outer(_T("acrxEntryPoint"));
    { CZnLogEntry inner(_T("ZANTDlg::OnInitDialog \u00e9t\u00e9")); }
    CZnLogEntry second(_T("AddCommand"));
  }
  EXPECT_EQ(ReadLog(),
            "earlier run\n"
            "> acrxEntryPoint\n"
            "  > ZANTDlg::OnInitDialog \xC3\xA9t\xC3\xA9\n"
            "  < ZANTDlg::OnInitDialog \xC3\xA9t\xC3\xA9\n"
            "  > AddCommand\n"
            "  < AddCommand\n"
            "< acrxEntryPoint\n");
}

TEST_F(TraceTest, CrashReportsNameTheExceptionAndSourcePosition) {
  ::setenv("ZN_TRACE", log_.c_str(), 1);
  ::testing::internal::CaptureStderr();
  {
    CZnLogEntry scope(_T("InitApplication"));
    try {
      ThrowInScope(true);
    } catch (...) {
      CZnCrashHandler report(_T("zantfoo"), 123);
    }
    try {
      ThrowInScope(false);
    } catch (...) {
      CZnCrashHandler report(_T("zantbar"), 7);
    }
  }
  CZnCrashHandler outside(_T("zantbaz"), 1);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "zantfoo(123): exception caught: disk full \xC3\xA9\n"
            "zantbar(7): exception caught: unknown exception\n"
            "zantbaz(1): exception caught: no exception being handled\n");
  // The scope left by the exception still writes its exit line, before the report.
  EXPECT_EQ(ReadLog(),
            "> InitApplication\n"
            "  > Thrower::run\n"
            "  < Thrower::run\n"
            "  zantfoo(123): exception caught: disk full \xC3\xA9\n"
            "  > Thrower::run\n"
            "  < Thrower::run\n"
            "  zantbar(7): exception caught: unknown exception\n"
            "< InitApplication\n"
            "zantbaz(1): exception caught: no exception being handled\n");
}

TEST_F(TraceTest, NoTraceWithoutVariableOrWithUnwritableLog) {
  ::unsetenv("ZN_TRACE");
  { CZnLogEntry scope(_T("Quiet")); }
  EXPECT_TRUE(fs::is_empty(dir_));

  // A log that cannot be opened is reported once, and the scopes still run.
  const fs::path bad = dir_ / "missing-folder" / "trace.log";
  ::setenv("ZN_TRACE", bad.c_str(), 1);
  ::testing::internal::CaptureStderr();
  {
    CZnLogEntry a(_T("A"));
    CZnLogEntry b(_T("B"));
  }
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "zntools: cannot open trace log " + bad.string() + ": No such file or directory\n");

  // Switching ZN_TRACE to another file while running moves the output there.
  ::setenv("ZN_TRACE", log_.c_str(), 1);
  { CZnLogEntry scope(_T("Moved")); }
  EXPECT_EQ(ReadLog(), "> Moved\n< Moved\n");
}
