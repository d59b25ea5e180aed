#include "cli/RasterExportSetup.h"

#include "cli/GuiRuntime.h"
#include "core/model/Settings.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {

void PrepareRasterExport() {
  EnsureGuiApplication();
  // The batch shell learns OpenGL's texture size limit from a first context.
  const auto context = OffscreenGlContext::Create(1, 1);
  if (context && context->MaxTextureSize() > 0) CurrentSettings().maxTextureSize = context->MaxTextureSize();
}

}  // namespace plicora
