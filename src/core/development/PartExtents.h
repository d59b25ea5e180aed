#pragma once
// What a vector drawing of one page asks of every part before it looks at
// the part's faces: where its corners lie and how wide its widest flap is.
// A print run works them out once for all its pages.

#include <vector>

#include "core/development/BoxGrid.h"
#include "core/model/Model.h"

namespace plicora {

struct PartExtent {
  /// The box of the part's corners in development units (inverted when the
  /// part has none).
  Box corners{1e300, 1e300, -1e300, -1e300};
  /// The widest flap on the part's sides, in paper centimetres.
  double widestFlap = 0.0;
  /// Whether a side of the part is joined in the pattern to a side of
  /// another part (only a damaged file has such a fold).
  bool foldsIntoOtherParts = false;
};

/// One extent per part of the model, in the parts' order.
std::vector<PartExtent> PartExtentsOf(const Model& model);

/// The extents of the last model asked for, kept while that model stays as
/// it is (a print run's pages).
class PartExtentsCache {
 public:
  const std::vector<PartExtent>& Get(const Model& model);

 private:
  const Model* model_ = nullptr;
  std::vector<PartExtent> extents_;
};

}  // namespace plicora
