// The memory a process can get, read from a made-up /proc and /sys in a
// temporary directory of the test's own, and the room a build keeps free.
#include "console/system_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "console/console.h"
#include "console/virtual_console.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class SystemMemory : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(root_.empty()); }
  void datei(const std::string& pfad, const std::string& text) {
    fs::create_directories((root_ / pfad).parent_path());
    std::ofstream(root_ / pfad) << text;
  }
  std::uint64_t raum() { return memory_room_under(root_.string()); }

  TempDir tmp_{"korvando-memory"};
  const fs::path& root_ = tmp_.path;
};

TEST_F(SystemMemory, TheTightestLimitAboveTheProcessCounts) {
  EXPECT_EQ(raum(), MEMORY_UNLIMITED);
  datei("proc/self/mountinfo",
        "30 25 0:26 / /sys/fs/cgroup rw,nosuid shared:4 - cgroup2 cgroup2 rw\n"
        "35 25 0:30 / /sys/fs/cgroup/memory rw shared:9 - cgroup cgroup rw,memory\n");
  datei("proc/self/cgroup", "4:memory:/alt\n0::/spiel/lauf\n");
  datei("proc/meminfo", "MemTotal:       9000000 kB\nMemAvailable:   8000000 kB\n");
  // v2: no limit on the process's own group, one on the group above it,
  // where the file pages can be reclaimed.
  datei("sys/fs/cgroup/spiel/lauf/memory.max", "max\n");
  datei("sys/fs/cgroup/spiel/lauf/memory.current", "500000000\n");
  datei("sys/fs/cgroup/spiel/memory.max", "1000000000\n");
  datei("sys/fs/cgroup/spiel/memory.current", "900000000\n");
  datei("sys/fs/cgroup/spiel/memory.stat",
        "anon 1\nactive_file 100000000\ninactive_file 50000000\n");
  EXPECT_EQ(raum(), 250000000u);
  // v1, where the unlimited value is a large number.
  datei("sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n");
  datei("sys/fs/cgroup/memory/alt/memory.limit_in_bytes", "700000000\n");
  datei("sys/fs/cgroup/memory/alt/memory.usage_in_bytes", "600000000\n");
  EXPECT_EQ(raum(), 100000000u);
  // The machine itself.
  datei("proc/meminfo", "MemTotal:       9000000 kB\nMemAvailable:   50000 kB\n");
  EXPECT_EQ(raum(), 51200000u);
  EXPECT_GT(system_memory_obtainable(), 0u);
}

TEST(MemoryFits, ABuildKeepsRoomToSpare) {
  VirtualConsole vc;
  console_use(vc);
  EXPECT_TRUE(memory_fits(std::uint64_t{1} << 40));
  vc.memory_limit = 100 << 20;
  EXPECT_TRUE(memory_fits(50 << 20));
  EXPECT_FALSE(memory_fits(70 << 20));
  EXPECT_FALSE(memory_fits(200 << 20));
}

}  // namespace
