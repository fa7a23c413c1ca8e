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
      EXPECT_EQ(counter.Add(name), ++expected[name] == 1) << name;
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

// Long names added and removed again and again leave megabytes of removed entries behind;
// packing them away must keep every living name and its count.
TEST(NameCounter, KeepsLivingNamesWhenRemovedOnesArePackedAway) {
  TVnNameCounter counter;
  const std::string padding(2000, 'x');
  for (int keep = 0; keep < 50; ++keep) {
    counter.Add("keep" + std::to_string(keep) + padding);
    counter.Add("keep" + std::to_string(keep) + padding);
  }
  for (int round = 0; round < 5000; ++round) {
    const std::string name = "gone" + std::to_string(round) + padding;
    ASSERT_TRUE(counter.Add(name));
    ASSERT_TRUE(counter.Remove(name));
  }
  EXPECT_EQ(counter.Size(), 50u);
  for (int keep = 0; keep < 50; ++keep) {
    const std::string name = "keep" + std::to_string(keep) + padding;
    EXPECT_FALSE(counter.Remove(name)) << keep;  // two were added
    EXPECT_TRUE(counter.Remove(name)) << keep;
  }
  EXPECT_EQ(counter.Size(), 0u);
}

// A name whose last item goes keeps its slot until the table is rebuilt. Renaming one item
// through ever new names must reuse those slots, not grow the table with every name used.
TEST(NameCounter, ReclaimsTheSlotsOfNamesNoItemCarries) {
  TVnNameCounter counter;
  for (int keep = 0; keep < 10; ++keep)
    counter.Add("keep" + std::to_string(keep));
  std::string current = "first";
  counter.Add(current);
  for (int rename = 0; rename < 100'000; ++rename) {
    const std::string next = "name" + std::to_string(rename);
    ASSERT_TRUE(counter.Add(next));
    ASSERT_TRUE(counter.Remove(current));
    ASSERT_FALSE(counter.Contains(current));
    current = next;
  }
  EXPECT_EQ(counter.Size(), 11u);
  EXPECT_LE(counter.Capacity(), 64u);
  EXPECT_TRUE(counter.Contains("keep3"));
  // A resting name that comes back counts as new again, and only once.
  ASSERT_TRUE(counter.Remove("keep3"));
  EXPECT_FALSE(counter.Remove("keep3"));
  EXPECT_TRUE(counter.Add("keep3"));
  EXPECT_FALSE(counter.Add("keep3"));
  EXPECT_EQ(counter.Size(), 11u);
}
