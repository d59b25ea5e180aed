#pragma once
// "Check Corresponding Surface" on the pattern side: the face under a point
// of the development, and the marking that both panes show.

#include "core/model/FaceRegions.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The face of the pattern under a development point: the first face, parts
/// and faces in order, whose corners (part offset added) contain the point.
Face* PickDevelopmentFace(Model& model, const Point2& devPoint);

}  // namespace plicora
