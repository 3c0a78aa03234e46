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
constexpr const char* kOutput = "245=00$aNew\n";

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

// A device or a file system without room: the message names the output and
// the system's reason, and the run fails, whichever run wrote it.
TEST_F(OutputFileCli, AFullOutputIsNamedWithTheSystemsReason) {
  // Records of more than the 4 KiB a limited file may take.
  std::string batch;
  for (int i = 0; i < 5; ++i) batch += "245    10$a" + std::string(6000, 'x') + "\n\n";
  const fs::path input = Write("batch.txt", batch);
  const std::string commands[] = {"libol",
                                  "libol --batch",
                                  "libol --format iso2709",
                                  "libol --batch --format marcxml",
                                  "pre-unicode",
                                  "charset unicode vni -c",
                                  "libol --batch --format iso2709 --split-size 8K"};
  for (const std::string& command : commands) {
    if (command.find("--split-size") == std::string::npos) {
      const RunResult device = Run(command + " -o /dev/full '" + input.string() + "'");
      EXPECT_EQ(device.exitCode, 1) << command;
      EXPECT_NE(device.err.find("/dev/full: No space left on device"), std::string::npos)
          << command << ": " << device.err;
      // Standard output on the same device.
      const std::string toStdout = "'" + std::string(VELMORA_CONVERT) + "' " + command + " '" +
                                   input.string() + "' >/dev/full 2>'" + (dir_ / "err").string() +
                                   "'";
      EXPECT_NE(std::system(toStdout.c_str()), 0) << command;
      EXPECT_NE(ReadFile(dir_ / "err").find("standard output: No space left on device"),
                std::string::npos)
          << command << ": " << ReadFile(dir_ / "err");
    }
    // A file larger than the process may write (ulimit -f, in KiB): the
    // file's name and «File too large»; nothing is left of it.
    const fs::path output = dir_ / "out.mrc";
    const std::string limited = "bash -c \"trap '' XFSZ; ulimit -f 4; exec '" +
                                std::string(VELMORA_CONVERT) + "' " + command + " -o '" +
                                output.string() + "' '" + input.string() + "' 2>'" +
                                (dir_ / "err").string() + "'\"";
    EXPECT_NE(std::system(limited.c_str()), 0) << command;
    const std::string named = command.find("--split-size") == std::string::npos
                                  ? output.string()
                                  : (dir_ / "out-001.mrc").string();
    EXPECT_NE(ReadFile(dir_ / "err").find(named + ": File too large"), std::string::npos)
        << command << ": " << ReadFile(dir_ / "err");
    for (const auto& entry : fs::directory_iterator(dir_)) {
      EXPECT_FALSE(entry.path().filename().string().starts_with("out"))
          << command << ": " << entry.path();
    }
  }
}

}  // namespace
}  // namespace velmora::test
