// --render-3d OUT FILE: the picture of the 3D pane after Reset View and the
// given turns, written as an image whose format the extension names.

#include <cstdio>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/GuiRuntime.h"
#include "core/document/UpdateHints.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "render/view3d/ModelViewEngine.h"

namespace plicora {
namespace {

constexpr ImageSize kDefaultSize{800, 600};

void ApplyCamera(const CommandLineOptions& options, ModelViewCamera& camera) {
  for (const Rotation& r : options.rotations) {
    if (r.axis == 'x')
      camera.trackball.RotateAboutScreenAxis(1.f, 0.f, 0.f, r.degrees);
    else
      camera.trackball.RotateAboutScreenAxis(0.f, 1.f, 0.f, r.degrees);
  }
  if (options.zoom) {
    // A distance in front of the eye; the sign is accepted either way.
    camera.zoomDistance = *options.zoom > 0 ? -*options.zoom : *options.zoom;
    camera.ClampZoom();
  }
}

}  // namespace

int RunRender3dCommand(const CommandLineOptions& options) {
  EnsureGuiApplication();
  const ImageSize size = options.size.value_or(kDefaultSize);
  Settings& settings = CurrentSettings();
  ViewShellState shell;
  ModelViewEngine engine(settings, shell);
  // The context comes first, as in the window: the reader sizes textures by
  // the limit it reports.
  engine.Resize(size.width, size.height);
  if (!engine.target()) return kExitFailed;
  if (engine.MaxTextureSize() > 0) settings.maxTextureSize = engine.MaxTextureSize();

  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  Model& model = *document.model;
  shell.hasDevelopment = model.hasDevelopment;
  engine.SetModel(&model);
  // The filter was set with the context, before the profile and the
  // overrides were read.
  engine.OnUpdate(HINT_TEXTURE_FILTER_CHANGED);
  engine.OnUpdate(HINT_FILE_OPENED);
  ApplyCamera(options, engine.camera());
  engine.UpdateProjection();
  if (!engine.Paint()) return kExitFailed;
  if (!engine.Image().save(QString::fromStdString(options.outputPath))) {
    ShowMessage("Cannot write " + options.outputPath, MessageKind::Error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace plicora
