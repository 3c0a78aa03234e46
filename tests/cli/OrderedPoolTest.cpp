// The pool gives its results back in the order of its jobs, whatever order
// the threads finish them in, and never holds more jobs than it may.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "cli/OrderedPool.h"

namespace velmora::cli {
namespace {

TEST(OrderedPool, ResultsComeBackInOrderWithBoundedJobsInFlight) {
  const struct {
    unsigned threads;
    std::size_t inFlight;
  } cases[] = {{1, 1}, {1, 4}, {2, 1}, {2, 8}, {5, 3}, {8, 32}};
  for (const auto& c : cases) {
    int given = 0, taken = 0, mostInFlight = 0;  // the giver's thread also takes
    std::vector<int> results;
    {
      // Jobs of very different lengths, so that later ones often finish first.
      OrderedPool<int, int> pool(c.threads, c.inFlight, [](int& job) {
        volatile long spin = 0;
        for (long k = 0; k < (job % 7) * 20000; ++k) spin = spin + k;
        return job * 3;
      });
      const auto take = [&](int& result) {
        ++taken;
        results.push_back(result);
      };
      for (int job = 0; job < 500; ++job) {
        pool.Give(job, take);
        ++given;
        mostInFlight = std::max(mostInFlight, given - taken);
      }
      pool.Drain(take);
    }
    ASSERT_EQ(results.size(), 500u);
    for (int k = 0; k < 500; ++k) ASSERT_EQ(results[k], 3 * k) << c.threads << " threads";
    EXPECT_LE(mostInFlight, static_cast<int>(c.inFlight));
  }
}

}  // namespace
}  // namespace velmora::cli
