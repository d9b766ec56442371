// The parameter changes of one process call, kept without allocating: what the
// plug-in reads back is what a host would send, the latest value winning.

#include <gtest/gtest.h>

#include <vector>

#include "block_changes.h"

namespace spwplay {
namespace {

struct Point {
  uint32_t id;
  int32_t offset;
  double value;
  bool operator==(const Point& o) const { return id == o.id && offset == o.offset && value == o.value; }
};

// Everything the plug-in would read from changes, queue by queue.
std::vector<Point> ReadBack(BlockChanges& changes) {
  std::vector<Point> points;
  for (int32_t q = 0; q < changes.getParameterCount(); ++q) {
    Steinberg::Vst::IParamValueQueue* queue = changes.getParameterData(q);
    for (int32_t i = 0; i < queue->getPointCount(); ++i) {
      int32_t offset = 0;
      double value = 0.0;
      EXPECT_EQ(queue->getPoint(i, offset, value), Steinberg::kResultOk);
      points.push_back({queue->getParameterId(), offset, value});
    }
  }
  return points;
}

TEST(BlockChanges, ThePlugInReadsWhatWasAddedTheLatestValueWinning) {
  struct Case {
    const char* what;
    int room;                   // parameters per call
    std::vector<Point> added;   // in order
    std::vector<Point> read;    // queue by queue, in the order the queues opened
  };
  std::vector<Point> overfull, overfullRead;
  for (int i = 0; i < BlockQueue::kMaxPoints + 3; ++i) overfull.push_back({4, i, i * 0.01});
  for (int i = 0; i < BlockQueue::kMaxPoints - 1; ++i) overfullRead.push_back({4, i, i * 0.01});
  overfullRead.push_back({4, BlockQueue::kMaxPoints + 2, (BlockQueue::kMaxPoints + 2) * 0.01});
  const Case cases[] = {
      {"queues in the order of their first point", 4, {{7, 0, 0.5}, {2, 0, 0.1}, {7, 10, 0.6}},
       {{7, 0, 0.5}, {7, 10, 0.6}, {2, 0, 0.1}}},
      {"a second value at one offset replaces the first", 4, {{3, 0, 0.2}, {3, 0, 0.9}}, {{3, 0, 0.9}}},
      {"a full queue keeps the latest value last", 4, overfull, overfullRead},
      {"no room for another parameter: it is dropped", 1, {{1, 0, 0.3}, {2, 0, 0.4}}, {{1, 0, 0.3}}},
  };
  for (const Case& c : cases) {
    BlockChanges changes(c.room);
    for (const Point& p : c.added) changes.Add(p.id, p.value, p.offset);
    EXPECT_EQ(ReadBack(changes), c.read) << c.what;
    changes.Clear();
    EXPECT_TRUE(changes.Empty() && ReadBack(changes).empty()) << c.what << ": cleared for the next call";
  }
}

}  // namespace
}  // namespace spwplay
