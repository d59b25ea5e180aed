#include "development/DevelopmentVectorRenderer.h"

#include <cmath>

namespace plicora {

std::vector<int> DevicePattern(const std::vector<int>& pattern, double lineWidthPoints, double unit) {
  std::vector<int> out;
  out.reserve(pattern.size());
  for (int e : pattern) out.push_back(static_cast<int>((e + lineWidthPoints) * unit));
  return out;
}

void DrawDashedLine(QPainter& painter, double x1, double y1, double x2, double y2, const std::vector<int>& pattern) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length <= 0.0 || pattern.size() < 2) return;
  int period = 0;
  for (int e : pattern) period += std::max(0, e);
  if (period <= 0) return;  // a pattern of zeros would never advance
  const double ux = dx / length;
  const double uy = dy / length;
  double d = 0.0;
  std::size_t i = 0;
  while (d < length) {
    const double dash = std::max(0, pattern[i]);
    const double gap = i + 1 < pattern.size() ? std::max(0, pattern[i + 1]) : 0;
    const double end = std::min(d + dash, length);
    if (dash > 0) painter.drawLine(QPointF(x1 + ux * d, y1 + uy * d), QPointF(x1 + ux * end, y1 + uy * end));
    d += dash + gap;
    i += 2;
    if (i >= pattern.size()) i = 0;
  }
}

void DrawDevelopmentVector(QPainter& painter, Model* model, const Settings& settings, double sx, double sy) {
  (void)painter;
  (void)settings;
  (void)sx;
  (void)sy;
  if (!model) return;
}

}  // namespace plicora
