#pragma once
// The development as an enhanced metafile: the vector drawing at the
// reference screen's resolution with the origin left where development
// point (0, 0) falls, then every text label written as one GDI string.

#include <QByteArray>
#include <QString>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

class EmfPaintDevice;

/// Description written into metafile files and into the clipboard copy.
inline constexpr const char* kMetafileFileDescription = "VorlanZ";
inline constexpr const char* kMetafileClipboardDescription = "Plicora Designer";

/// Horizontal dots per inch of the reference screen: the primary screen's
/// logical resolution when a real display is in use, 96 otherwise (the
/// offscreen platform of batch runs and tests), so batch output does not
/// depend on the machine.
double MetafileReferenceDpi();

/// Writes the metafile to `path` ("VorlanZ"); recomputes the development's
/// extent first. A file that cannot be created or written shows "Cannot
/// write to file" and returns false. A `tick` that says stop ends the
/// drawing; the file is then not kept and false returned, without a message.
bool ExportMetafile(const Model& model, const Settings& settings, const std::string& path, double dpi,
                    const WorkTick* tick = nullptr);

/// The clipboard variant's metafile ("Plicora Designer") in memory; empty
/// without a development, or when a `tick` said stop.
QByteArray RenderMetafile(const Model& model, const Settings& settings, double dpi, const WorkTick* tick = nullptr);

/// The text pass: transparent background, baseline alignment, each label in
/// its colour and a font of trunc(size * ppcm * 0.035277777777777776) device
/// units, at (trunc(x * ppcm * devScale), trunc(y * ppcm * devScale)); the
/// text colour ends black. Needs an active painter on `device`.
void WriteMetafileTextLabels(EmfPaintDevice& device, const Model& model, double ppcm);

}  // namespace plicora
