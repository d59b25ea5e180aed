#include "core/export/BitmapSizeProposal.h"

#include <cstdio>

#include "core/model/Units.h"

namespace plicora {
namespace {

// Real-to-integer conversions truncate toward zero; out-of-range values are
// held at the int limits instead of overflowing.
int Trunc(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

double Ratio(double a, double b) {
  return b != 0.0 ? a / b : 0.0;
}

}  // namespace

double BitmapExtent::ExactReference() const {
  return kPointsPerInch * devWidth * devScale * kInchPerCm;
}
int BitmapExtent::Reference() const {
  return Trunc(ExactReference());
}

BitmapSize ProposeBitmapSize(const BitmapExtent& e, int max) {
  const double w = e.devWidth;
  const double h = e.devHeight;
  const int ref = e.Reference();
  const int refH = Trunc(kPointsPerInch * h * e.devScale * kInchPerCm);
  BitmapSize size;
  size.width = ref;
  size.scale = 100;
  if (ref > max) {
    size.width = max;
    size.height = Trunc(max * Ratio(h, w));
    size.scale = Trunc(Ratio(max * 100.0, ref) + 0.5);
  } else {
    size.height = refH;
  }
  if (size.height > max) {
    size.width = Trunc(max * Ratio(w, h));
    size.scale = Trunc(Ratio(size.width * 100.0, ref) + 0.5);
  }
  // The height box shows the height that belongs to the width.
  size.height = Trunc(size.width * Ratio(h, w));
  return size;
}

BitmapSize EditBitmapWidth(const BitmapExtent& e, const BitmapSize& current, int width) {
  BitmapSize size = current;
  size.width = width;
  if (width > 0) {
    size.height = Trunc(width * Ratio(e.devHeight, e.devWidth) + 0.5);
    size.scale = Trunc(Ratio(width, e.Reference()) * 100.0 + 0.5);
  }
  return size;
}

BitmapSize EditBitmapHeight(const BitmapExtent& e, const BitmapSize& current, int height) {
  BitmapSize size = current;
  size.height = height;
  if (height > 0) {
    size.width = Trunc(height * Ratio(e.devWidth, e.devHeight) + 0.5);
    size.scale = Trunc(Ratio(size.width, e.Reference()) * 100.0 + 0.5);
  }
  return size;
}

BitmapSize EditBitmapScale(const BitmapExtent& e, const BitmapSize& current, double scale) {
  BitmapSize size = current;
  if (scale > 0) {
    size.scale = Trunc(scale);
    size.width = Trunc(scale * e.Reference() * 0.01);
    size.height = Trunc(size.width * Ratio(e.devHeight, e.devWidth) + 0.5);
  }
  return size;
}

long long BitmapMegabytes(int width, int height) {
  return static_cast<long long>(width) * height * 3 / 1000000;
}

BitmapSizeCheck CheckBitmapSize(int width, int height, int max) {
  if (width <= 0 || width > max || height <= 0 || height > max) return BitmapSizeCheck::OutOfRange;
  return BitmapMegabytes(width, height) < 16 ? BitmapSizeCheck::Accept : BitmapSizeCheck::AskLarge;
}

std::string BitmapSizeRangeMessage(int max) {
  char text[128];
  std::snprintf(text, sizeof text, "Specify a value of 1 - %d for vertical and horizontal pixel number", max);
  return text;
}

std::string BitmapSizeQuestion(long long megabytes) {
  char text[160];
  std::snprintf(text, sizeof text,
                "The BMP file size will be about %lld MB.\nIt may not be saved correctly in Windows98/ME. Continue?",
                megabytes);
  return text;
}

int BitmapPixelsPerMetre(double pixelsPerCm) {
  // The small allowance keeps a whole number computed as 2829.9999... whole.
  const double perMetre = pixelsPerCm * 100.0 + 1e-6;
  if (!(perMetre >= 1.0)) return 1;
  return perMetre >= 1e9 ? 1000000000 : static_cast<int>(perMetre);
}

double BitmapPixelsPerCm(const BitmapExtent& e, int width) {
  return Ratio(width, e.ExactReference()) * (kPointsPerInch * kInchPerCm);
}

}  // namespace plicora
