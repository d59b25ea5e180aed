// Set Texture's three ways, the Texture Configuration dialog (list, preview,
// highlight, specify, reset, close, refill on open) and the preview picture.

#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

#include "DialogTestSupport.h"
#include "ImageFiles.h"
#include "TestSupport.h"
#include "core/document/UpdateHints.h"
#include "gui/commands/CommandIds.h"
#include "gui/texture/MaterialPreview.h"
#include "gui/texture/SetTextureCommand.h"
#include "gui/texture/TextureConfigurationDialog.h"

namespace plicora {
namespace {

using test::Child;
using test::DialogHarness;

/// Picks `path` in the next file dialog (an empty path cancels it).
void ChooseInNextFileDialog(const std::string& path) {
  test::OnNextModal([path](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    if (path.empty()) return files->reject();
    files->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(files)->accept();
  });
}

std::string WriteBmp(const test::TempDir& dir, const char* name, int width, int height) {
  return test::WriteFile(dir.File(name), test::MakeBmp24(width, height, [](int x, int y) {
                           return test::Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200};
                         }));
}

TextureConfigurationDialog* TextureDialog(DialogHarness& h) {
  return h.window.findChild<TextureConfigurationDialog*>();
}

TEST(TextureConfigurationTest, ListLabelsAndPreviewPictures) {
  Model model;
  for (const char* name : {"", "wood", ""}) model.materials.emplace_back().name = name;
  EXPECT_EQ(MaterialListLabels(model), (QStringList{"Pattern-1", "wood", "Pattern-2"}));

  Material textured;
  textured.image = std::make_unique<TextureImage>(TextureImage{2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9}});
  Material coloured;
  coloured.hasDevColor = true;
  coloured.devColor = {1.0f, 0.5f, 0.0f};
  const Material plain;
  const QSize client(8, 8);  // a 4 x 4 picture inside the margin
  const QImage picture = MaterialPreviewImage(&textured, client);
  ASSERT_EQ(picture.size(), QSize(4, 4));
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(255, 0, 0));  // image row 0 at the top
  EXPECT_EQ(picture.pixelColor(3, 1), QColor(0, 255, 0));
  EXPECT_EQ(picture.pixelColor(1, 2), QColor(0, 0, 255));
  EXPECT_EQ(picture.pixelColor(2, 3), QColor(9, 9, 9));
  const QImage colour = MaterialPreviewImage(&coloured, client);
  EXPECT_EQ(colour.pixelColor(3, 3), QColor(255, 127, 0));
  EXPECT_TRUE(MaterialPreviewImage(&plain, client).isNull());
  EXPECT_TRUE(MaterialPreviewImage(nullptr, client).isNull());
}

TEST(TextureConfigurationTest, SetTextureWithoutCoordinatesOnlyTellsWhy) {
  DialogHarness h;
  ASSERT_TRUE(h.Open("cube.plc"));
  ASSERT_TRUE(h.registry.Run(ID_SET_TEXTURE, CommandStateOf(h.doc)));
  EXPECT_EQ(h.sink.messages, std::vector<std::string>{kNoTextureCoordinatesMessage});
  EXPECT_EQ(TextureDialog(h), nullptr);
  EXPECT_FALSE(h.doc.IsModified());
}

TEST(TextureConfigurationTest, SetTextureLoadsAFileOntoTheOnlyMaterial) {
  test::TempDir dir;
  const std::string picture = WriteBmp(dir, "picture.bmp", 300, 200);
  const std::string broken = test::WriteFile(dir.File("broken.bmp"), "not a bitmap");
  struct Case {
    const char* name;
    bool noMaterials;  ///< the default material receives the image
    bool limitOn;      ///< "Use Lower Resolution" with 256 x 256
    std::string path;  ///< empty: the dialog is cancelled
    int side;          ///< side of the loaded texture, 0: none loaded
  };
  const Case cases[] = {
      {"within the OpenGL limit", false, false, picture, 512},
      {"within the chosen limit", false, true, picture, 256},
      {"default material", true, false, picture, 512},
      {"broken file", false, false, broken, 0},
      {"cancelled", false, false, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogHarness h;
    ASSERT_TRUE(h.Open("sphere_split_quads_textured.plc"));
    Model& model = *h.doc.model();
    ASSERT_EQ(model.materials.size(), 1u);
    if (c.noMaterials) model.materials.clear();
    h.settings.bLimitTextureSize = c.limitOn;
    h.settings.iTextureLimitSizeIndex = 2;
    h.settings.textureLimitSize = 256;
    Material& target = c.noMaterials ? model.defaultMaterial : model.materials.front();
    const std::string formerFile = target.textureFile;
    ChooseInNextFileDialog(c.path);
    ASSERT_TRUE(h.registry.Run(ID_SET_TEXTURE, CommandStateOf(h.doc)));
    EXPECT_EQ(TextureDialog(h), nullptr);
    if (c.side) {
      ASSERT_NE(target.image, nullptr);
      EXPECT_EQ(target.image->width, c.side);
      EXPECT_EQ(target.image->height, c.side);
      EXPECT_EQ(target.textureFile, c.path);
      EXPECT_TRUE(h.doc.IsModified());
      EXPECT_EQ(h.hints, std::vector<int>{HINT_NONE});
    } else {
      EXPECT_EQ(target.textureFile, formerFile);
      EXPECT_FALSE(h.doc.IsModified());
      EXPECT_TRUE(h.hints.empty());
      if (!c.path.empty()) {
        ASSERT_FALSE(h.sink.messages.empty());
        EXPECT_EQ(h.sink.messages.back(), kTextureLoadFailedMessage);
      }
    }
  }
}

TEST(TextureConfigurationTest, DialogHighlightsSpecifiesResetsAndCloses) {
  test::TempDir dir;
  const std::string picture = WriteBmp(dir, "picture.bmp", 16, 16);
  DialogHarness h;
  ASSERT_TRUE(h.Open("icosahedron_textured.plc"));
  Model* model = h.doc.model();
  ASSERT_EQ(model->materials.size(), 3u);
  ASSERT_TRUE(h.registry.Run(ID_SET_TEXTURE, CommandStateOf(h.doc)));
  TextureConfigurationDialog* dialog = TextureDialog(h);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  auto* list = Child<QListWidget>(dialog, "materials");
  auto* reset = Child<QPushButton>(dialog, "resetTexture");
  auto* preview = Child<MaterialPreview>(dialog, "preview");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(h.doc.shell().highlightedMaterial, &model->materials[0]);

  // Every selection highlights its material and enables Reset exactly for
  // materials with an image.
  for (int row : {2, 1, 0}) {
    h.hints.clear();
    list->setCurrentRow(row);
    const Material& material = model->materials[static_cast<std::size_t>(row)];
    EXPECT_EQ(h.doc.shell().highlightedMaterial, &material);
    EXPECT_EQ(reset->isEnabled(), material.image != nullptr);
    EXPECT_EQ(h.hints, std::vector<int>{HINT_NONE});
  }

  int textured = -1;
  for (int i = 0; i < 3; ++i)
    if (model->materials[static_cast<std::size_t>(i)].image) textured = i;
  ASSERT_GE(textured, 0);
  list->setCurrentRow(textured);
  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_EQ(model->materials[static_cast<std::size_t>(textured)].image, nullptr);
  EXPECT_TRUE(model->materials[static_cast<std::size_t>(textured)].textureFile.empty());
  EXPECT_FALSE(reset->isEnabled());
  EXPECT_TRUE(h.doc.IsModified());

  ChooseInNextFileDialog(picture);
  QTest::mouseClick(Child<QPushButton>(dialog, "specifyTexture"), Qt::LeftButton);
  EXPECT_EQ(model->materials[static_cast<std::size_t>(textured)].textureFile, picture);
  EXPECT_TRUE(reset->isEnabled());
  EXPECT_FALSE(preview->picture().isNull());

  // Closing removes the highlight; opening another file refills the list.
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(h.doc.shell().highlightedMaterial, nullptr);
  ASSERT_TRUE(h.registry.Run(ID_SET_TEXTURE, CommandStateOf(h.doc)));
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_TRUE(h.Open("cube.plc"));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(list->count(), 0);
  EXPECT_EQ(h.doc.shell().highlightedMaterial, nullptr);
  EXPECT_EQ(TextureDialog(h), dialog);
}

}  // namespace
}  // namespace plicora
