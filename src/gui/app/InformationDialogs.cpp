#include "gui/app/InformationDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"

namespace plicora {
namespace {

const QStringList kPaperNames = {"A4 V [210x297]mm", "A4 H [297x210]mm", "A3 V [297x420]mm", "A3 H [420x297]mm",
                                 "B4 V [250x353]mm", "B4 H [353x250]mm", "B5 V [182x257]mm", "B5 H [257x182]mm"};
const QStringList kCutLineNames = {"Solid  ---------------", "None"};
const QStringList kFoldLineNames = {"Solid  ---------------", "Dot 1 - - - - - - - - -", "Dot 2 -- - -- - -- - -- ",
                                    "None"};

/// The name at `index`, empty for a value the list does not know.
QString NameOf(const QStringList& names, int index) {
  return index >= 0 && index < names.size() ? names[index] : QString();
}

void RunInfo(const FrameServices& services, const QString& title, const std::vector<InfoRow>& rows) {
  std::unique_ptr<QDialog> dialog(MakeInfoDialog(title, rows, services.window));
  dialog->exec();
}

}  // namespace

std::vector<InfoRow> DevelopmentInfoRows(const Settings& s, const Model* model) {
  return {
      {"Paper size", NameOf(kPaperNames, s.iPageType), {}},
      {"Cut Line", NameOf(kCutLineNames, s.iCutLineType), {}},
      {"Convex Fold Line", NameOf(kFoldLineNames, s.iYamaLineType), {}},
      {"Concave Fold Line", NameOf(kFoldLineNames, s.iTaniLineType), {}},
      {"Number of Faces", QString::number(model ? model->totalFaces : 0), {}},
  };
}

std::vector<InfoRow> ModelInfoRows(const Model& model) {
  const ModelInfoCounts counts = CountModelInfo(model);
  return {
      {"Total Number of Surfaces", QString::number(counts.surfaces), {}},
      {"Number of Vertexes", QString::number(counts.vertexes), {}},
      {"Number of Materials", QString::number(counts.materials), {}},
      {"Number of Objects", QString::number(counts.objects), {}},
      {"Texture UV Info", counts.uv ? QStringLiteral("Exist") : QStringLiteral("Does not exist"), {}},
      {"Number of Texture Images", QString::number(counts.textureImages), {}},
  };
}

std::vector<InfoRow> OpenGlInfoRows(const GlDescription& gl) {
  return {
      {"Maximum Size of Texture Image", QStringLiteral("%1 x %1").arg(gl.maxTextureSize), "Pixel"},
      {"OpenGL Version", QString::fromStdString(gl.version), {}},
      {"OpenGL Vendor", QString::fromStdString(gl.vendor), {}},
      {"OpenGL Renderer", QString::fromStdString(gl.renderer), {}},
  };
}

QDialog* MakeInfoDialog(const QString& title, const std::vector<InfoRow>& rows, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(title);
  auto* grid = new QGridLayout;
  // Every box as wide as the longest text, with room for the frame.
  int width = dialog->fontMetrics().horizontalAdvance(QStringLiteral("00000000"));
  for (const InfoRow& info : rows) width = std::max(width, dialog->fontMetrics().horizontalAdvance(info.value));
  int row = 0;
  for (const InfoRow& info : rows) {
    grid->addWidget(new QLabel(info.label), row, 0);
    QLineEdit* box = MakeShownText("", info.value);
    box->setObjectName(info.label);
    box->setMinimumWidth(width + 32);
    box->setCursorPosition(0);
    grid->addWidget(box, row, 1);
    if (!info.unit.isEmpty()) grid->addWidget(new QLabel(info.unit), row, 2);
    ++row;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(dialog);
  FixDialogSize(*dialog, *layout);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  return dialog;
}

void RunDevelopmentInfo(const FrameServices& services) {
  RunInfo(services, QStringLiteral("Development Info"),
          DevelopmentInfoRows(services.doc->settings(), services.doc->model()));
}

void RunModelInfo(const FrameServices& services) {
  if (!services.doc->model()) return;
  RunInfo(services, QStringLiteral("Model Info"), ModelInfoRows(*services.doc->model()));
}

void RunOpenGlInfo(const FrameServices& services) {
  const GlDescription gl = services.glDescription ? services.glDescription() : GlDescription{};
  RunInfo(services, QStringLiteral("OpenGL Info"), OpenGlInfoRows(gl));
}

}  // namespace plicora
