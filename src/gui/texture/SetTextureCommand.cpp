#include "gui/texture/SetTextureCommand.h"

#include <QFileDialog>
#include <QPointer>

#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "core/texture/TextureData.h"
#include "gui/texture/TextureConfigurationDialog.h"

namespace plicora {
namespace {

// Both letter cases: file name patterns are case-sensitive here.
const QString kTextureFilter = QStringLiteral("Texture Files(*.bmp *.jpg *.jpeg *.BMP *.JPG *.JPEG)");
const QString kTextureDialogName = QStringLiteral("textureConfiguration");

}  // namespace

QString ChooseTextureFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(), kTextureFilter);
}

int TextureLoadLimit(const FrameServices& services) {
  const Settings& settings = services.doc->settings();
  const int glLimit = services.glDescription ? services.glDescription().maxTextureSize : 0;
  return EffectiveTextureLimit(settings, glLimit > 0 ? glLimit : settings.maxTextureSize);
}

bool PutTextureOnMaterial(CVorlanDoc& doc, Material& material, const std::string& path, int limit) {
  std::unique_ptr<TextureImage> image = LoadTextureImage(path, limit);
  if (!image) {
    ShowMessage(kTextureLoadFailedMessage, MessageKind::Error);
    return false;
  }
  AttachTexture(material, std::move(image), path, [&doc] { doc.SetModifiedFlag(); });
  return true;
}

TextureConfigurationDialog* TextureDialogFor(const FrameServices& services) {
  if (auto* existing =
          services.window->findChild<TextureConfigurationDialog*>(kTextureDialogName, Qt::FindDirectChildrenOnly))
    return existing;
  const FrameServices captured = services;
  auto* dialog = new TextureConfigurationDialog(
      *services.doc, [captured] { return TextureLoadLimit(captured); }, services.window);
  QPointer<TextureConfigurationDialog> guard(dialog);
  services.doc->AddView([guard](int hint) {
    if (guard && hint == HINT_FILE_OPENED) guard->FillMaterialList();
  });
  if (services.beforeOpen)
    services.beforeOpen->push_back([guard] {
      if (guard && guard->isVisible()) guard->close();
    });
  return dialog;
}

void SetTexture(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  Model* model = doc.model();
  if (!model) return;
  if (!model->hasUV) {
    ShowMessage(kNoTextureCoordinatesMessage, MessageKind::Warning);
    return;
  }
  if (model->materials.size() >= 2) {
    TextureDialogFor(services)->ShowAndSelectFirst();
    return;
  }
  Material& target = model->materials.empty() ? model->defaultMaterial : model->materials.front();
  const QString path = ChooseTextureFile(services.window);
  if (path.isEmpty()) return;
  // The file dialog ran the event loop: the model may have been replaced.
  if (doc.model() != model) return;
  if (PutTextureOnMaterial(doc, target, path.toStdString(), TextureLoadLimit(services))) doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
