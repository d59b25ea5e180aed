// Built parts are faded on screen only: the pane's picture veils exactly
// those parts, while the files written from the same document stay byte for
// byte what they were before any part was marked built.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/document/VorlanDoc.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentRasterRenderer.h"
#include "render/export/DevelopmentFileExport.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

constexpr int kWidth = 400, kHeight = 300;
constexpr double kPixelsPerCm = 14.0;

struct PaneShot {
  QImage image;
  double k = 0.0, ox = 0.0, oy = 0.0;  // development units to pixels
};

PaneShot DrawPane(const Model& model, const Settings& settings, const std::vector<char>* faded) {
  auto context = OffscreenGlContext::Create(kWidth, kHeight);
  if (!context) return {};
  PaneShot shot;
  shot.k = kPixelsPerCm * model.devScale;
  shot.ox = 10.0 - model.devX * shot.k;
  shot.oy = 10.0 - model.devY * shot.k;
  {
    OffscreenGlContext::Scope scope(*context);
    InitDevelopmentGlState(settings);
    RasterDrawParams p;
    p.width = kWidth;
    p.height = kHeight;
    p.pixelsPerCm = kPixelsPerCm;
    p.originX = shot.ox;
    p.originY = shot.oy;
    p.fadedParts = faded;
    DrawDevelopmentRaster(&model, settings, p);
    glFinish();
  }
  shot.image = context->ToImage();
  return shot;
}

TEST(FadedPartsDrawing, PaneOnlyExportsUnchanged) {
  test::TempDir dir;
  Settings settings;
  CVorlanDoc doc(settings);
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  doc.SetBuildProgressFolder(dir.File("progress"));
  OpenRequest request;
  request.path = test::WriteFile(dir.File("torus.plc"), test::ReadFile(test::FixturePath("torus_concave_numbers.plc")));
  request.interactive = false;
  ASSERT_TRUE(doc.OpenWorkFile(request).ok());
  const Model& model = *doc.model();
  settings.bDrawFlap = settings.bDrawNumber = true;

  const std::pair<DevelopmentFileFormat, const char*> formats[] = {
      {DevelopmentFileFormat::Png, "png"}, {DevelopmentFileFormat::Svg, "svg"}, {DevelopmentFileFormat::Eps, "eps"}};
  auto writeAll = [&](const std::string& stem) {
    std::vector<std::string> bytes;
    for (const auto& [format, extension] : formats) {
      DevelopmentExport file;
      file.format = format;
      file.path = dir.File(stem + "." + extension);
      file.pictureSize = BitmapSize{300, 200, 100};
      EXPECT_TRUE(WriteDevelopmentFile(model, settings, file)) << extension;
      bytes.push_back(test::ReadFile(file.path));
    }
    return bytes;
  };
  const std::vector<std::string> before = writeAll("before");
  const PaneShot plain = DrawPane(model, settings, nullptr);
  ASSERT_FALSE(plain.image.isNull());
  EXPECT_EQ(DrawPane(model, settings, &doc.builtParts()).image, plain.image);  // nothing built yet

  // The part with the most faces, so that its fading shows plainly.
  int built = 0;
  for (std::size_t p = 0; p < model.parts.size(); ++p)
    if (model.parts[p].faces.size() > model.parts[static_cast<std::size_t>(built)].faces.size())
      built = static_cast<int>(p);
  ASSERT_TRUE(doc.SetPartBuilt(built, true));
  EXPECT_EQ(writeAll("after"), before);

  const PaneShot faded = DrawPane(model, settings, &doc.builtParts());
  // The built part's box (with room for its flaps) in pixels.
  const Part& part = model.parts[static_cast<std::size_t>(built)];
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (const Face* face : part.faces)
    for (const HalfEdge* h : face->ring) {
      const Point2 c = CornerOf(*h, part);
      x0 = std::min(x0, c.x), y0 = std::min(y0, c.y), x1 = std::max(x1, c.x), y1 = std::max(y1, c.y);
    }
  const double margin = 1.5 * kPixelsPerCm + 2.0;
  const QRectF box(QPointF(plain.ox + x0 * plain.k - margin, plain.oy + y0 * plain.k - margin),
                   QPointF(plain.ox + x1 * plain.k + margin, plain.oy + y1 * plain.k + margin));
  int lighter = 0, changedOutside = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const QRgb a = plain.image.pixel(x, y), b = faded.image.pixel(x, y);
      if (a == b) continue;
      if (!box.contains(x + 0.5, y + 0.5)) ++changedOutside;
      if (qGray(b) > qGray(a)) ++lighter;
    }
  EXPECT_GT(lighter, 200);  // the part's lines and numbers turned pale
  EXPECT_EQ(changedOutside, 0);
}

}  // namespace
}  // namespace plicora
