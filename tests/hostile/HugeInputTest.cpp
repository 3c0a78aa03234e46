// A hundred megabytes of records through every command: linear time (ten
// times the input takes at most about ten times as long) and memory at most
// three times the input, however it is read: a batch or one long record.
// Takes minutes, so it runs only when VELMORA_HUGE_TESTS=1 (scripts/huge-inputs);
// HostileCliTest runs the same at eight megabytes every time.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BuildLimits.h"
#include "Invocations.h"
#include "support/ChildProcess.h"
#include "support/Files.h"

namespace velmora::hostile {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;
constexpr std::size_t kSmall = 10 * kMegabyte, kHuge = 100 * kMegabyte;
// Ten times the input in at most this many times the time (slack for noise
// and for the fixed start-up cost).
constexpr double kMaxTimeRatio = 15.0;
constexpr long kMaxRssPerInputByte = 3;

std::string RecordsOf(const std::string& record, std::size_t size) {
  std::string text;
  text.reserve(size + record.size());
  while (text.size() < size) text += record;
  return text;
}

TEST(HugeInput, AHundredMegabytesOfRecordsInLinearTimeAndBoundedMemory) {
  const char* enabled = std::getenv("VELMORA_HUGE_TESTS");
  if (enabled == nullptr || std::string(enabled) != "1") {
    GTEST_SKIP() << "set VELMORA_HUGE_TESTS=1 (scripts/huge-inputs) to run it";
  }
  test::ScratchDir dir("huge-input");
  std::printf("%-32s %8s %9s %11s %14s\n", "command", "10 MB s", "100 MB s", "100 MB RSS",
              "output bytes");
  for (const Invocation& invocation : OneInvocationPerCommand()) {
    // MARC formats take a batch of records; one record of 100 MB is too long for them.
    if (invocation.exchange && !invocation.batch) continue;
    const std::string record = ExampleInputFor(invocation) + (invocation.batch ? "\n\n" : "");
    test::ChildRun runs[2];
    const std::size_t sizes[2] = {kSmall, kHuge};
    for (int k = 0; k < 2; ++k) {
      test::WriteFile(dir / "input", RecordsOf(record, sizes[k]));
      runs[k] = test::RunChild(VELMORA_CONVERT, invocation.args, dir / "input", dir / "output",
                               dir / "errors");
      ASSERT_EQ(runs[k].exitCode, 0) << invocation.label << ": " << test::ReadFile(dir / "errors");
    }
    const auto outputSize = std::filesystem::file_size(dir / "output");
    std::printf("%-32s %8.2f %9.2f %8ld MB %14zu\n", invocation.label.c_str(), runs[0].seconds,
                runs[1].seconds, runs[1].peakRssKb / 1024, static_cast<std::size_t>(outputSize));
    std::fflush(stdout);
    EXPECT_LT(runs[1].seconds, kMaxTimeRatio * runs[0].seconds + 1.0) << invocation.label;
    if (MeasuresMemory()) {
      EXPECT_LT(runs[1].peakRssKb * 1024, kMaxRssPerInputByte * static_cast<long>(kHuge))
          << invocation.label;
    }
  }
}

}  // namespace
}  // namespace velmora::hostile
