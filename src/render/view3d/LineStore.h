#pragma once
// The line segments of one edge pass kept in buffer objects: both ends of
// every segment with its colour, drawn as runs of one width. The pixels are
// those of sending the same segments one by one in immediate mode.

#include <cstddef>
#include <vector>

#include "core/model/Model.h"

namespace plicora {

class LineStore {
 public:
  LineStore() = default;
  LineStore(const LineStore&) = delete;
  LineStore& operator=(const LineStore&) = delete;
  LineStore(LineStore&&) = default;
  LineStore& operator=(LineStore&&) = default;

  /// One segment of `width` client pixels in the colour given.
  void Add(float width, const float color[3], const Point3& a, const Point3& b);

  /// Copies the data into buffer objects (context current).
  void Upload();
  bool uploaded() const { return buffers_[0] != 0; }
  /// Draws the segments, every width times `lineScale`; leaves the colour and
  /// width of the last segment current, as drawing them one by one does.
  void Draw(float lineScale) const;
  /// Deletes the buffer objects (context current).
  void Release();

  std::size_t segmentCount() const { return ends_ / 2; }

 private:
  struct Run {
    float width = 1.f;
    std::size_t first = 0;  ///< first end
    std::size_t count = 0;  ///< ends
  };
  std::vector<float> positions_, colors_;  ///< per end; emptied by Upload
  std::vector<Run> runs_;
  std::size_t ends_ = 0;
  float lastColor_[3] = {0.f, 0.f, 0.f};
  unsigned buffers_[2] = {0, 0};  ///< positions, colours
};

}  // namespace plicora
