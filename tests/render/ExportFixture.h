#pragma once
// A developed model for the export and print tests: one square face of
// 10 x 10 cm (scale 1 cm per unit) whose four sides are cut lines, placed at
// (1, 1) .. (11, 11), and one text label.

#include <QImage>
#include <cmath>

#include "app/Settings.h"
#include "core/PatternBuilder.h"

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

/// Centre of the dark run that crosses row `y` nearest to `x0` searching to
/// the right, with subpixel precision (darkness-weighted), or -1.
inline double DarkRunCentre(const QImage& image, int y, int x0, int threshold = 128) {
  int x = std::max(0, x0);
  while (x < image.width() && qGray(image.pixel(x, y)) >= threshold) ++x;
  if (x >= image.width()) return -1.0;
  double sum = 0.0, weight = 0.0;
  for (int i = std::max(0, x - 3); i < image.width(); ++i) {
    const int g = qGray(image.pixel(i, y));
    if (i > x && g >= 250) break;
    const double w = 255.0 - g;
    sum += w * i;
    weight += w;
  }
  return weight > 0.0 ? sum / weight : -1.0;
}

}  // namespace plicora::test
