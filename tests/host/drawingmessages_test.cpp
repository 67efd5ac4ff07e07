// Applications hear of drawings as they open and close: a drawing opened while they are loaded,
// the drawings already open when they are loaded late, and each open drawing before they are
// unloaded.
#include <cstdlib>
#include <filesystem>

#include "hostrun.h"

namespace hosttest {
namespace {

class DrawingMessages : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    log_ = dir_ / "messages.log";
    setenv("RX_FIXTURE_LOG", log_.c_str(), 1);
    for (const char* name : {"first.dxf", "second.dxf"})
      fs::copy_file(DRAWING_PATH, dir_ / name);
  }
  void TearDown() override {
    unsetenv("RX_FIXTURE_LOG");
    HostTest::TearDown();
  }
  std::string messages() const { return Slurp(log_); }

  fs::path log_;
};

TEST_F(DrawingMessages, OpenCloseAndQuitInTheHostsOrder) {
  const HostRun run = script("OPEN\nsecond.dxf\nCLOSE\nQUIT\n",
                             std::string("first.dxf --load '") + RX_FIXTURE_PATH + "'");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(messages(),
            "RxFixture init\n"
            "RxFixture loaddwg\n"    // first.dxf, open before the application came
            "RxFixture loaddwg\n"    // OPEN second.dxf
            "RxFixture unloaddwg\n"  // CLOSE
            "RxFixture unloaddwg\n"  // first.dxf at QUIT, before the application goes
            "RxFixture unload\n");
}

TEST_F(DrawingMessages, UnloadingTellsOfEachOpenDrawingFirst) {
  const HostRun run = script(std::string("OPEN\nsecond.dxf\nARX\nUnload\nRxFixture\nQUIT\n"),
                             std::string("first.dxf --load '") + RX_FIXTURE_PATH + "'");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(messages(),
            "RxFixture init\nRxFixture loaddwg\nRxFixture loaddwg\n"
            "RxFixture unloaddwg\nRxFixture unloaddwg\nRxFixture unload\n");
}

TEST_F(DrawingMessages, NoDrawingNoDrawingMessages) {
  const HostRun run = script("QUIT\n", std::string("--load '") + RX_FIXTURE_PATH + "'");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(messages(), "RxFixture init\nRxFixture unload\n");
}

}  // namespace
}  // namespace hosttest
