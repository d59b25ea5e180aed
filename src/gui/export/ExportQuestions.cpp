#include "gui/export/ExportQuestions.h"

#include <QPointer>

#include "gui/export/BitmapSizeDialog.h"
#include "gui/export/EpsSaveSettingsDialog.h"

namespace plicora {

ExportQuestions DialogQuestions(QWidget* owner) {
  QPointer<QWidget> parent(owner);
  ExportQuestions questions;
  questions.bitmapSize = [parent](const BitmapExtent& extent, int max, const char* format) {
    return AskBitmapSize(parent, extent, max, format);
  };
  questions.epsOptions = [parent](const std::string& notice, EpsOptions& options) {
    return AskEpsOptions(parent, notice, options);
  };
  return questions;
}

}  // namespace plicora
