// Special files where a small file should be: a read never waits on them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "platform/file_read.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

using namespace std::chrono_literals;

TEST(ReadFileBytesPosix, AFifoOrADeviceIsNoFile) {
  test::TempFolder folder;
  fs::path fifo = folder / "launcher.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Nobody writes to the FIFO: a read that opens it for reading would wait for ever.
  auto read = std::async(std::launch::async, [&fifo] { return read_file_bytes(fifo); });
  bool done = read.wait_for(10s) == std::future_status::ready;
  if (!done) {
    // Let the stuck reader go, so the test can end.
    int writer = ::open(fifo.c_str(), O_WRONLY);
    if (writer >= 0) ::close(writer);
  }
  ASSERT_TRUE(done) << "reading a FIFO waited for a writer";
  EXPECT_EQ(read.get(), std::nullopt);

  EXPECT_EQ(read_file_bytes("/dev/null"), std::nullopt) << "a device, even one that ends at once";
  EXPECT_EQ(read_file_bytes("/dev/zero", 16), std::nullopt) << "a device that never ends";
}

}  // namespace
}  // namespace korvix
