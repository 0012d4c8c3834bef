// The file service of the real terminal on a temporary directory of the
// test's own: only regular files are read and replaced, nothing is written
// through a link, nothing waits on a FIFO, and nothing stays behind.
#include "console/system_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class SystemFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.empty()); }
  void TearDown() override {
    for (int fd : offen_) ::close(fd);
  }

  std::string pfad(const std::string& name) const { return (dir_ / name).string(); }
  bool speichere(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return system_save_file(pfad(name), bytes, fehler_);
  }
  std::set<std::string> eintraege() const {
    std::set<std::string> s;
    for (const auto& e : fs::directory_iterator(dir_)) s.insert(e.path().filename().string());
    return s;
  }
  std::string inhalt(const std::string& name) const {
    std::ifstream f(pfad(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  void schreibe(const std::string& name, const std::string& text) const {
    std::ofstream(pfad(name), std::ios::binary) << text;
  }
  // A FIFO that the test holds open at both ends, so that nothing blocks on
  // it, holding `text`.
  void fifo(const std::string& name, const std::string& text = "") {
    ASSERT_EQ(::mkfifo(pfad(name).c_str(), 0644), 0);
    const int fd = ::open(pfad(name).c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    offen_.push_back(fd);
    if (!text.empty()) {
      ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
  }

  TempDir tmp_{"korvando-files"};
  const fs::path& dir_ = tmp_.path;
  std::vector<int> offen_;
  int fehler_ = 0;  // the error number of the last failed save
  const std::vector<std::uint8_t> satz_ = std::vector<std::uint8_t>(80, 'k');
};

TEST_F(SystemFiles, SavesWholeAndReadsAtMostTheAskedBytes) {
  ASSERT_TRUE(speichere("BEDINGUN.DAT", satz_));
  ASSERT_TRUE(speichere("BEDINGUN.DAT", std::vector<std::uint8_t>(100, 'x')));
  std::vector<std::uint8_t> b;
  ASSERT_TRUE(system_read_file(pfad("BEDINGUN.DAT"), 80, b));
  EXPECT_EQ(b, std::vector<std::uint8_t>(80, 'x'));
  EXPECT_EQ(eintraege(), std::set<std::string>{"BEDINGUN.DAT"});
  EXPECT_FALSE(system_read_file(pfad("fehlt"), 80, b));
  EXPECT_TRUE(b.empty());
}

TEST_F(SystemFiles, NothingIsWrittenThroughALink) {
  schreibe("fremd", "fremd");
  fs::create_symlink("fremd", dir_ / "BEDINGUN.DAT.neu");
  fs::create_symlink("nirgends", dir_ / "BEDINGUN.DAT.neu-");
  EXPECT_TRUE(speichere("BEDINGUN.DAT", satz_));
  EXPECT_EQ(inhalt("fremd"), "fremd");
  EXPECT_EQ(inhalt("BEDINGUN.DAT"), std::string(80, 'k'));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "BEDINGUN.DAT")));

  // A link in the file's own place is neither read nor written.
  fs::remove(dir_ / "BEDINGUN.DAT");
  fs::create_symlink("fremd", dir_ / "BEDINGUN.DAT");
  EXPECT_FALSE(speichere("BEDINGUN.DAT", satz_));
  std::vector<std::uint8_t> b;
  EXPECT_FALSE(system_read_file(pfad("BEDINGUN.DAT"), 80, b));
  EXPECT_EQ(inhalt("fremd"), "fremd");
  EXPECT_FALSE(fs::exists(dir_ / "nirgends"));
  EXPECT_EQ(eintraege(), (std::set<std::string>{"BEDINGUN.DAT", "BEDINGUN.DAT.neu",
                                                "BEDINGUN.DAT.neu-", "fremd"}));
}

TEST_F(SystemFiles, AFifoIsAFileErrorAndNeverWaitedOn) {
  fifo("BEDINGUN.DAT", std::string(80, 'f'));
  std::vector<std::uint8_t> b;
  EXPECT_FALSE(system_read_file(pfad("BEDINGUN.DAT"), 80, b));
  EXPECT_FALSE(speichere("BEDINGUN.DAT", satz_));
  EXPECT_TRUE(fs::is_fifo(dir_ / "BEDINGUN.DAT"));
  fs::remove(dir_ / "BEDINGUN.DAT");

  fifo("BEDINGUN.DAT.neu");
  EXPECT_TRUE(speichere("BEDINGUN.DAT", satz_));
  EXPECT_EQ(inhalt("BEDINGUN.DAT"), std::string(80, 'k'));
  EXPECT_TRUE(fs::is_fifo(dir_ / "BEDINGUN.DAT.neu"));
  EXPECT_EQ(eintraege(), (std::set<std::string>{"BEDINGUN.DAT", "BEDINGUN.DAT.neu"}));
}

TEST_F(SystemFiles, AFailedSaveLeavesNothingBehind) {
  fs::create_directory(dir_ / "BEDINGUN.DAT");
  EXPECT_FALSE(speichere("BEDINGUN.DAT", satz_));
  EXPECT_EQ(fehler_, EISDIR);  // the error of the step that failed
  EXPECT_FALSE(speichere("fehlt/BEDINGUN.DAT", satz_));
  EXPECT_EQ(fehler_, ENOENT);
  EXPECT_EQ(eintraege(), std::set<std::string>{"BEDINGUN.DAT"});
  EXPECT_TRUE(fs::is_empty(dir_ / "BEDINGUN.DAT"));
}

}  // namespace
