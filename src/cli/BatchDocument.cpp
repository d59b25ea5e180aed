#include "cli/BatchDocument.h"

#include "cli/BatchSettings.h"
#include "core/platform/InstalledFonts.h"
#include "core/texture/TextureData.h"

namespace plicora {

int OpenBatchDocument(const CommandLineOptions& options, BatchDocument& document) {
  Settings& settings = CurrentSettings();
  if (int status = PrepareBatchSettings(options, settings); status != kExitOk) return status;
  int overrideStatus = kExitOk;
  OpenRequest request;
  request.path = options.inputPath;
  request.interactive = false;
  request.afterRead = [&](Settings& s, Model& model) {
    overrideStatus = ApplyBatchOverrides(options, s, model);
    // The textures were read before the overrides: a texture size limit
    // given by --set applies now, as the window applies a confirmed one.
    if (overrideStatus == kExitOk) ApplyTextureLimit(model, s);
    return overrideStatus == kExitOk;
  };
  request.fontAvailable = [](const std::string& face) { return IsFontFaceInstalled(face); };
  OpenOutcome outcome = document.doc.OpenWorkFile(request);
  document.readResult = outcome.readResult;
  document.unopened = std::move(outcome.unopened);
  document.model = outcome.ok() ? document.doc.model() : document.unopened.get();
  switch (outcome.status) {
    case OpenStatus::Opened:
      return kExitOk;
    case OpenStatus::Refused:
      return kExitRefused;
    case OpenStatus::Rejected:
      return overrideStatus;
    default:
      return kExitFailed;
  }
}

}  // namespace plicora
