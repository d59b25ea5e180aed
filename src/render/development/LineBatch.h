#pragma once
// Lines of one pen gathered for the paint engines.

#include <QLine>
#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace plicora {

// Black lines of one pen gathered into a path of two-point subpaths, drawn
// with a single call: the paint engines get one large path instead of a
// line call per side. Lines whose ends coincide (a path would leave them
// out, while a round cap shows them as a dot) follow as one line call.
class LineBatch {
 public:
  explicit LineBatch(QPainter& painter) : painter_(painter) {}
  void Add(QPoint a, QPoint b) {
    if (a == b) {
      dots_.emplace_back(a, b);
    } else {
      path_.moveTo(a);
      path_.lineTo(b);
    }
    if (++count_ >= kMaxLines) Flush();
  }
  void Flush() {
    if (!path_.isEmpty()) painter_.drawPath(path_);
    if (!dots_.empty()) painter_.drawLines(dots_.data(), static_cast<int>(dots_.size()));
    path_.clear();
    dots_.clear();
    count_ = 0;
  }

 private:
  static constexpr int kMaxLines = 65536;  // bounds the memory held
  QPainter& painter_;
  QPainterPath path_;
  std::vector<QLine> dots_;
  int count_ = 0;
};

}  // namespace plicora
