#pragma once
// Whether a model read from a file holds numbers that can be drawn: a
// damaged file can carry "inf", "nan" or values like 1e300 that no real
// model has and that no drawing, picture or export can turn into paper.

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The largest model coordinate, scale or real setting of the info block a
/// model may hold: far beyond any real model.
inline constexpr double kLargestUsableValue = 1e7;
/// The farthest any point of the development may lie from the origin on
/// paper, in centimetres (a hundred metres of paper).
inline constexpr double kLargestPaperCm = 1e4;
/// The widest flap, in centimetres.
inline constexpr double kWidestUsableFlap = 1e4;

/// True when every coordinate, flap width, text position, scale and real
/// setting of the info block is a finite number within the limits above.
bool HasUsableNumbers(const Model& model, const Settings& settings);

}  // namespace plicora
