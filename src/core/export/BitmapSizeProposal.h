#pragma once
// The pixel size offered for a bitmap of the whole development: 72 pixels per
// inch at 100 %, reduced to fit a maximum edge, and the recomputations of the
// size dialog's three linked boxes (width, height, scale in per cent).

#include <string>

namespace plicora {

/// The figures the size dialog works with.
struct BitmapSize {
  int width = 0;
  int height = 0;
  int scale = 100;  ///< per cent of the 72-pixels-per-inch size
};

/// The development extent the dialog is computed from.
struct BitmapExtent {
  double devWidth = 0.0;   ///< development units
  double devHeight = 0.0;  ///< development units
  double devScale = 1.0;   ///< centimetres per development unit
  /// Width in pixels at 72 pixels per inch, truncated.
  int Reference() const;
  /// The same, untruncated.
  double ExactReference() const;
};

/// The size proposed when the dialog opens, for a maximum edge `max`.
BitmapSize ProposeBitmapSize(const BitmapExtent& extent, int max);

/// A width typed into the dialog: height and scale follow (w <= 0 changes nothing).
BitmapSize EditBitmapWidth(const BitmapExtent& extent, const BitmapSize& current, int width);
/// A height typed into the dialog: width and scale follow.
BitmapSize EditBitmapHeight(const BitmapExtent& extent, const BitmapSize& current, int height);
/// A scale (per cent) typed into the dialog: width and height follow.
BitmapSize EditBitmapScale(const BitmapExtent& extent, const BitmapSize& current, double scale);

enum class BitmapSizeCheck {
  Accept,      ///< close the dialog with OK
  OutOfRange,  ///< show BitmapSizeRangeMessage and stay
  AskLarge,    ///< ask BitmapSizeQuestion; Yes accepts, No stays
};
BitmapSizeCheck CheckBitmapSize(int width, int height, int max);
/// Megabytes of a 24-bit picture, width * height * 3 / 1000000 (integer).
long long BitmapMegabytes(int width, int height);
std::string BitmapSizeRangeMessage(int max);
std::string BitmapSizeQuestion(long long megabytes);

/// Pixels per centimetre of the chosen width: the width over the untruncated
/// 72-pixels-per-inch width, times 72 pixels per inch in centimetres.
double BitmapPixelsPerCm(const BitmapExtent& extent, int width);

/// The resolution a picture drawn at `pixelsPerCm` carries, in pixels per
/// metre (truncated, as 72 pixels per inch gives the BMP header's 2834), so
/// that a program placing it shows it at its true size on paper.
int BitmapPixelsPerMetre(double pixelsPerCm);

}  // namespace plicora
