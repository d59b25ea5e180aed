#pragma once
// "Check Corresponding Surface": the faces of the pattern that hang together
// without a drawn line between them, marked so that both panes show them.

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// Clears `marked` on every face of every part.
void ClearFaceMarks(Model& model);
/// Whether a face of a part is marked.
bool AnyFaceMarked(const Model& model);

/// Marks the face and every face reachable without crossing a drawn line.
void MarkFaceRegion(Face& face, const Settings& settings);

/// Clears every mark, then marks the picked face with the faces joined to it
/// by undrawn lines (nothing more when `face` is null).
void MarkCorrespondingFaces(Model& model, Face* face, const Settings& settings);

}  // namespace plicora
