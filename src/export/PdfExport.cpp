#include "export/PdfExport.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "development/PrintPage.h"
#include "platform/MessageSink.h"

namespace plicora {

bool ExportPdf(const Model& model, const Settings& settings, const std::string& path) {
  PageLayout layout;
  UpdatePageGrid(&model, settings, layout);
  BuildPageList(&model, settings, layout);

  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    ShowMessage("Cannot write to file", MessageKind::Error);
    return false;
  }
  QPdfWriter pdf(&file);
  pdf.setResolution(kPdfResolution);
  pdf.setCreator(QStringLiteral("Plicora Viewer"));
  // The sheet exactly as the paper table gives it, upright, no margins.
  const QPageSize paper(QSizeF(settings.paperWidth * 10.0, settings.paperHeight * 10.0), QPageSize::Millimeter,
                        QString(), QPageSize::ExactMatch);
  pdf.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

  PrintDevice device;
  device.dpiX = device.dpiY = pdf.resolution();
  device.physicalWidth = pdf.width();
  device.physicalHeight = pdf.height();
  bool ok = true;
  {
    QPainter painter(&pdf);
    const int count = static_cast<int>(layout.pages.size());
    for (int n = 1; n <= count; ++n) {
      if (n > 1) pdf.newPage();
      ok = PrintOnePage(painter, model, settings, layout, n, device) && ok;
    }
  }
  const bool written = file.error() == QFileDevice::NoError && file.flush();
  file.close();
  if (!written) {
    ShowMessage("Cannot write to file", MessageKind::Error);
    return false;
  }
  return ok;
}

}  // namespace plicora
