#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/model/CornerRing.h"
#include "core/model/StableVector.h"

namespace plicora {
namespace {

// Elements keep their addresses and values across every chunk boundary
// (the growing chunks and the fixed ones after them), through iteration,
// moves, shrinking and clearing.
TEST(RecordContainersTest, StableVectorKeepsElementsInPlace) {
  StableVector<std::string> v;
  EXPECT_TRUE(v.empty());
  std::vector<const std::string*> addresses;
  const std::size_t count = 20000;
  for (std::size_t i = 0; i < count; ++i) addresses.push_back(&v.emplace_back(std::to_string(i)));
  ASSERT_EQ(v.size(), count);
  std::size_t i = 0;
  for (const std::string& s : v) {
    ASSERT_EQ(&s, addresses[i]);
    ASSERT_EQ(s, std::to_string(i));
    ++i;
  }
  EXPECT_EQ(i, count);
  for (std::size_t k : {0u, 3u, 4u, 8187u, 8188u, 12283u, 12284u, 19999u}) EXPECT_EQ(&v[k], addresses[k]);
  EXPECT_EQ((v.end() - v.begin()), static_cast<std::ptrdiff_t>(count));
  EXPECT_EQ(*(v.begin() + 8190), "8190");
  StableVector<std::string> moved = std::move(v);
  EXPECT_TRUE(v.empty());
  EXPECT_EQ(&moved.back(), addresses.back());
  moved.resize(5);
  EXPECT_EQ(moved.back(), "4");
  moved.pop_back();
  EXPECT_EQ(moved.size(), 4u);
  moved.clear();
  EXPECT_TRUE(moved.empty());
  moved.push_back("again");
  EXPECT_EQ(moved.front(), "again");
}

// A ring holds four corners in place and moves to storage of its own past
// that, through copies and moves alike, and back into place as it shrinks.
TEST(RecordContainersTest, CornerRingGrowsPastFourCorners) {
  std::vector<HalfEdge*> corners;
  for (std::size_t i = 0; i < 9; ++i) corners.push_back(reinterpret_cast<HalfEdge*>(0x1000 + 16 * i));
  for (std::size_t n : {0u, 3u, 4u, 5u, 9u}) {
    SCOPED_TRACE(n);
    CornerRing ring;
    for (std::size_t i = 0; i < n; ++i) ring.push_back(corners[i]);
    const CornerRing copy = ring;
    CornerRing moved = std::move(ring);
    EXPECT_TRUE(ring.empty());
    for (const CornerRing* r : {&copy, static_cast<const CornerRing*>(&moved)}) {
      ASSERT_EQ(r->size(), n);
      EXPECT_TRUE(std::equal(r->begin(), r->end(), corners.begin()));
    }
    while (moved.size() > 3) moved.pop_back();
    for (std::size_t i = moved.size(); i < n; ++i) moved.push_back(corners[i]);
    EXPECT_TRUE(std::equal(moved.begin(), moved.end(), corners.begin(), corners.begin() + n));
    moved.assign(corners.begin(), corners.begin() + 2);
    EXPECT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved.back(), corners[1]);
  }
}

}  // namespace
}  // namespace plicora
