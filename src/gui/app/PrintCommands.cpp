#include "gui/app/PrintCommands.h"

#include <memory>

#include "gui/commands/CommandIds.h"
#include "gui/development/DevelopmentPrinting.h"
#include "gui/export/DevelopmentClipboard.h"
#include "gui/export/SaveDevelopment.h"
#include "gui/platform/WorkProgress.h"

namespace plicora {
namespace {

/// What the commands keep for the whole run: the printer with its choices
/// and the EPS fill choices.
struct PrintCommandState {
  explicit PrintCommandState(const FrameServices& services)
      : printing(*services.doc, services.window, services.cancelPaneMode) {
    printing.SetStatusReport(services.showStatus);
    if (services.previewSize) printing.SetPreviewSize(services.previewSize(), services.keepPreviewSize);
  }
  DevelopmentPrinting printing;
  EpsOptions epsOptions;
};

/// The model when it carries a development, else null.
Model* DevelopedModel(const CVorlanDoc& doc) {
  return doc.hasDevelopment() ? doc.model() : nullptr;
}

}  // namespace

void RegisterPrintCommands(CommandRegistry& registry, const FrameServices& services) {
  CVorlanDoc* doc = services.doc;
  auto state = std::make_shared<PrintCommandState>(services);
  QWidget* owner = services.window;
  const std::function<void()> cancelPaneMode = services.cancelPaneMode;

  registry.Add(ID_FILE_PRINT, [state] { state->printing.Print(); });
  registry.Add(ID_FILE_PRINT_PREVIEW, [state] { state->printing.PrintPreview(); });
  registry.Add(ID_FILE_PRINT_SETUP, [state] { state->printing.PrinterSetup(); });
  registry.Add(ID_COPY_DEVELOPMENT_BMP, [doc, owner, cancelPaneMode] {
    if (Model* model = DevelopedModel(*doc))
      CopyBitmapToClipboard(*model, doc->settings(), DialogQuestions(owner), cancelPaneMode, owner);
  });
  registry.Add(ID_COPY_DEVELOPMENT_EMF, [doc, owner] {
    Model* model = DevelopedModel(*doc);
    if (!model) return;
    WorkProgress progress(owner, QStringLiteral("Copying..."), 0);
    const WorkTick tick = progress.AsTick();
    CopyMetafileToClipboard(*model, doc->settings(), &tick);
  });
  FileDialogPlace* savePlace = services.savePlace;
  registry.Add(ID_SAVE_DEVELOPMENT, [doc, owner, cancelPaneMode, state, savePlace] {
    Model* model = DevelopedModel(*doc);
    if (!model) return;
    SaveDevelopmentContext context;
    context.questions = DialogQuestions(owner);
    context.epsOptions = &state->epsOptions;
    context.cancelPaneMode = cancelPaneMode;
    context.place = savePlace;
    SaveDevelopment(owner, *model, doc->settings(), context);
  });
}

}  // namespace plicora
