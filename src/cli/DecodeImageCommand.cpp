// --decode-image IMAGE OUT.png [--limit N]: reads an image the way "Set
// Texture" does and writes the texture the renderer would receive, first row
// at the top, so that a picture can be checked before it is applied.

#include <QImage>

#include "cli/Commands.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "core/texture/TextureData.h"

namespace plicora {

int RunDecodeImageCommand(const CommandLineOptions& options) {
  // Without a --limit, the largest size known at this point: no OpenGL
  // context exists in a batch run, so OpenGL's maximum is still its default.
  const Settings& settings = CurrentSettings();
  const int limit = options.limit ? *options.limit : EffectiveTextureLimit(settings, settings.maxTextureSize);
  const std::unique_ptr<TextureImage> texture = LoadTextureImage(options.inputPath, limit);
  if (!texture) {
    ShowMessage("Failed to load texture image", MessageKind::Error);
    return kExitFailed;
  }
  const QImage image(texture->pixels.data(), texture->width, texture->height, texture->width * 3,
                     QImage::Format_RGB888);
  if (!image.save(QString::fromStdString(options.outputPath), "PNG")) {
    ShowMessage("Cannot write " + options.outputPath, MessageKind::Error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace plicora
