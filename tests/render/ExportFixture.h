#pragma once
// A developed model for the export and print tests: one square face of
// 10 x 10 cm (scale 1 cm per unit) whose four sides are cut lines, placed at
// (1, 1) .. (11, 11), and one text label.

#include <QImage>
#include <cmath>

#include "core/PatternBuilder.h"
#include "core/model/Settings.h"

namespace plicora::test {

struct SquareDevelopment {
  SquareDevelopment() {
    PatternBuilder& b = builder;
    b.part->width = 10.0;
    b.part->height = 10.0;
    b.part->offsetX = 1.0;
    b.part->offsetY = 1.0;
    b.AddFace({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    b.CloseOpenSides();
    model().loaded = true;
    TextLabel& label = model().texts.emplace_back();
    label.text = "Label A";
    label.x = 3.0;
    label.y = 6.0;
    label.fontSize = 20;
    label.fontName = "Arial";
    label.color = 0x0000FF;  // red
    settings.bDrawFlap = false;
    settings.bUseMaterial = false;
    settings.bPrintTombo = false;
    settings.bPrintPageNumber = false;
  }
  Model& model() { return builder.model; }

  PatternBuilder builder;
  Settings settings;
};

/// Centre of the first dark run along row `line` (or column, `vertical`)
/// from `start` onward, with subpixel precision: each pixel weighs by how
/// much darker it is than the run's neighbours. -1 when there is none.
inline double DarkRunCentre(const QImage& image, int line, int start, bool vertical = false, int threshold = 128) {
  const int length = vertical ? image.height() : image.width();
  auto grey = [&](int i) { return qGray(vertical ? image.pixel(line, i) : image.pixel(i, line)); };
  int i = std::max(0, start);
  while (i < length && grey(i) >= threshold) ++i;
  if (i >= length) return -1.0;
  int end = i;
  while (end < length && grey(end) < threshold) ++end;
  const int from = std::max(0, i - 2), to = std::min(length - 1, end + 1);
  const int background = std::max(grey(from), grey(to));
  double sum = 0.0, weight = 0.0;
  for (int k = from; k <= to; ++k) {
    const double w = std::max(0, background - grey(k));
    sum += w * k;
    weight += w;
  }
  return weight > 0.0 ? sum / weight : -1.0;
}

}  // namespace plicora::test
