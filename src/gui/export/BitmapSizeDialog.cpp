#include "gui/export/BitmapSizeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/platform/MessageSink.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/OkCancelButtons.h"

namespace plicora {
namespace {

constexpr int kBoxLength = 5;

QLineEdit* MakeBox(const char* name) {
  auto* box = new QLineEdit;
  box->setObjectName(QLatin1String(name));
  box->setMaxLength(kBoxLength);
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
  return box;
}

/// The integer in a box; false with "Please enter an integer." otherwise.
bool ReadInteger(QLineEdit* box, int& value) {
  bool ok = false;
  value = box->text().trimmed().toInt(&ok);
  if (ok) return true;
  ShowMessage("Please enter an integer.", MessageKind::Warning);
  box->setFocus();
  box->selectAll();
  return false;
}

}  // namespace

BitmapSizeDialog::BitmapSizeDialog(const BitmapExtent& extent, int max, const char* format, QWidget* parent)
    : QDialog(parent), extent_(extent), max_(max), size_(ProposeBitmapSize(extent, max)) {
  setWindowTitle(QStringLiteral("Size (%1 Format)").arg(QString::fromUtf8(format)));
  width_ = MakeBox("width");
  height_ = MakeBox("height");
  scale_ = MakeBox("scale");
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Width:"), width_);
  form->addRow(QStringLiteral("Height:"), height_);
  auto* scaleRow = new QHBoxLayout;
  scaleRow->addWidget(scale_);
  scaleRow->addWidget(new QLabel(QStringLiteral("%")));
  scaleRow->addWidget(new QLabel(QStringLiteral("(Calculate by 72pix/inch)")));
  scaleRow->addStretch();
  form->addRow(QStringLiteral("Scale:"), scaleRow);
  QDialogButtonBox* buttons = OkCancelButtons(*this);
  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addLayout(form);
  layout->addWidget(buttons);

  ShowSize(nullptr);
  // Only the user's typing recomputes; filling a box from here does not.
  connect(width_, &QLineEdit::textEdited, this, &BitmapSizeDialog::WidthEdited);
  connect(height_, &QLineEdit::textEdited, this, &BitmapSizeDialog::HeightEdited);
  connect(scale_, &QLineEdit::textEdited, this, &BitmapSizeDialog::ScaleEdited);
}

void BitmapSizeDialog::ShowSize(QLineEdit* except) {
  if (except != width_) width_->setText(QString::number(size_.width));
  if (except != height_) height_->setText(QString::number(size_.height));
  if (except != scale_) scale_->setText(QString::number(size_.scale));
}

void BitmapSizeDialog::WidthEdited(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value <= 0) return;
  size_ = EditBitmapWidth(extent_, size_, value);
  ShowSize(width_);
}

void BitmapSizeDialog::HeightEdited(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value <= 0) return;
  size_ = EditBitmapHeight(extent_, size_, value);
  ShowSize(height_);
}

void BitmapSizeDialog::ScaleEdited(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || value <= 0.0) return;
  size_ = EditBitmapScale(extent_, size_, value);
  ShowSize(scale_);
}

void BitmapSizeDialog::accept() {
  int width = 0, height = 0;
  if (!ReadInteger(width_, width) || !ReadInteger(height_, height)) return;
  switch (CheckBitmapSize(width, height, max_)) {
    case BitmapSizeCheck::OutOfRange:
      ShowMessage(BitmapSizeRangeMessage(max_), MessageKind::Warning);
      return;
    case BitmapSizeCheck::AskLarge:
      if (!CurrentMessageSink().Ask(BitmapSizeQuestion(BitmapMegabytes(width, height)), false)) return;
      break;
    case BitmapSizeCheck::Accept:
      break;
  }
  size_.width = width;
  size_.height = height;
  QDialog::accept();
}

std::optional<BitmapSize> AskBitmapSize(QWidget* parent, const BitmapExtent& extent, int max, const char* format) {
  BitmapSizeDialog dialog(extent, max, format, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.size();
}

}  // namespace plicora
