#pragma once
// The dialogs that only show facts: Development Info, Model Info and OpenGL
// Info. Each is a list of labelled read-only boxes with an OK button.

#include <QString>
#include <vector>

#include "gui/commands/FrameServices.h"

class QDialog;

namespace plicora {

struct InfoRow {
  QString label;
  QString value;
  QString unit;  ///< text after the box, may be empty
};

/// Paper type, line types and the number of faces.
std::vector<InfoRow> DevelopmentInfoRows(const Settings& settings, const Model* model);
/// Surfaces, vertexes, materials, objects, texture coordinates and images.
std::vector<InfoRow> ModelInfoRows(const Model& model);
/// The texture size limit and the strings of the OpenGL implementation.
std::vector<InfoRow> OpenGlInfoRows(const GlDescription& gl);

/// A dialog titled `title` showing `rows` with an OK button.
QDialog* MakeInfoDialog(const QString& title, const std::vector<InfoRow>& rows, QWidget* parent);

void RunDevelopmentInfo(const FrameServices& services);
void RunModelInfo(const FrameServices& services);
void RunOpenGlInfo(const FrameServices& services);

}  // namespace plicora
