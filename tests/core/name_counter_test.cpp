#include "core/name_counter.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

using namespace vantor;

// Random adds and removes over a small name space, so that probe runs collide, wrap around
// and are shifted back often; the counter must agree with a plain map throughout.
TEST(NameCounter, AgreesWithAMapUnderRandomChurn) {
  std::mt19937 random(7);
  TVnNameCounter counter;
  std::map<std::string, int> expected;
  for (int step = 0; step < 200'000; ++step) {
    const std::string name = "n" + std::to_string(random() % 3000);
    if (random() % 3 != 0) {
      counter.Add(name);
      ++expected[name];
    } else {
      auto it = expected.find(name);
      const bool last = it != expected.end() && it->second == 1;
      EXPECT_EQ(counter.Remove(name), last) << name;
      if (it != expected.end() && --it->second == 0)
        expected.erase(it);
    }
    if (step % 1000 == 0) {
      ASSERT_EQ(counter.Size(), expected.size());
      for (int probe = 0; probe < 3000; probe += 7) {
        const std::string key = "n" + std::to_string(probe);
        ASSERT_EQ(counter.Contains(key), expected.count(key) != 0) << key;
      }
    }
  }
  counter.Clear();
  EXPECT_FALSE(counter.Contains("n1"));
  EXPECT_FALSE(counter.Remove("n1"));
}
