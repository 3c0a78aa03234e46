// -o never damages what it writes to (POSIX): a FIFO is written in place, a
// symbolic link is followed, a file's other hard links go on naming it, a
// replaced file keeps its mode, and an interrupted run leaves the old file
// and no temporary one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/CliFixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

using OutputFileCli = CliTest;

constexpr const char* kRecord = "245    10$aNew";
constexpr const char* kOutput = "245=00$aNew";

TEST_F(OutputFileCli, AFifoIsWrittenInPlace) {
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opened for reading and writing, the FIFO lets the program open it at
  // once, and what it writes waits in the pipe to be read here.
  const int pipe = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(pipe, 0);
  const RunResult result = Run("libol -o '" + fifo.string() + "'", kRecord);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  char through[64];
  const ssize_t got = ::read(pipe, through, sizeof through);
  ::close(pipe);
  EXPECT_EQ(std::string(through, got > 0 ? static_cast<std::size_t>(got) : 0), kOutput);
  struct stat info {};
  ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO was replaced by a file";
}

TEST_F(OutputFileCli, ALinkedFileIsReplacedAndTheLinksKept) {
  const fs::path target = Write("target.txt", "old");
  const fs::path symbolic = dir_ / "symbolic.txt", hard = dir_ / "hard.txt";
  fs::create_symlink(target, symbolic);
  fs::create_hard_link(target, hard);
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);  // 600
  for (const fs::path& written : {symbolic, target}) {
    const RunResult result = Run("libol -o '" + written.string() + "'", kRecord);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::is_symlink(symbolic)) << written;
    EXPECT_EQ(ReadFile(target), kOutput) << written;
    EXPECT_EQ(ReadFile(hard), kOutput) << "the hard link still names the file, " << written;
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write)
        << written;
    Write("target.txt", "old");
  }
  // An empty result empties the file under every name.
  EXPECT_EQ(Run("pre-unicode -o '" + target.string() + "'", "").exitCode, 0);
  EXPECT_EQ(ReadFile(hard), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 6)
      << "no temporary file is left";
}

// Runs a batch whose input never ends, so that the output is being written
// when the signal comes; prints "interrupted" once the program had begun its
// temporary file and was stopped by the signal.
//   $1 velmora-convert  $2 the output  $3 the input FIFO  $4 the signal
constexpr const char* kInterruptScript = R"(
"$1" libol --batch -o "$2" < "$3" 2>/dev/null &
pid=$!
exec 3>"$3"
printf '245    10$aA\n\n' >&3
for i in $(seq 200); do
  if ls "$2".* >/dev/null 2>&1; then
    kill -"$4" "$pid"
    wait "$pid"
    [ $? -gt 128 ] && echo interrupted
    exit 0
  fi
  sleep 0.05
done
kill -9 "$pid"
)";

TEST_F(OutputFileCli, AnInterruptedRunLeavesTheOldFileAndNoTemporaryOne) {
  const fs::path output = Write("out.txt", "old");
  const fs::path input = dir_ / "input", script = Write("interrupt.sh", kInterruptScript);
  const fs::path said = dir_ / "said";
  ASSERT_EQ(::mkfifo(input.c_str(), 0600), 0);
  for (const char* signal : {"INT", "TERM", "HUP"}) {
    const std::string command = "bash '" + script.string() + "' '" + VELMORA_CONVERT + "' '" +
                                output.string() + "' '" + input.string() + "' " + signal + " > '" +
                                said.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFile(said), "interrupted\n") << signal;
    EXPECT_EQ(ReadFile(output), "old") << signal;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      EXPECT_EQ(entry.path().filename().string().find("out.txt."), std::string::npos)
          << signal << ": " << entry.path();
    }
  }
}

}  // namespace
}  // namespace velmora::test
