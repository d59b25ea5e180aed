// Every drawing of the development only reads the model: the pane, a print
// preview or an export in the middle of an interaction leaves the bounds,
// join numbers, flap widths and face marks as they were.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <sstream>

#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/development/Pages.h"
#include "core/export/EpsWriter.h"
#include "core/model/WorkFileReader.h"
#include "render/development/DevelopmentRasterRenderer.h"
#include "render/development/DevelopmentVectorRenderer.h"
#include "render/development/RasterPageRenderer.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

std::string Snapshot(const Model& model) {
  std::ostringstream out;
  out.precision(17);
  out << model.devX << ' ' << model.devY << ' ' << model.devWidth << ' ' << model.devHeight << ' ' << model.mirrored
      << '\n';
  for (const Part& p : model.parts) out << p.offsetX << ' ' << p.offsetY << ' ' << p.width << ' ' << p.height << '\n';
  for (const Solid& solid : model.solids) {
    for (const Face& f : solid.faces) out << f.marked;
    for (const Edge& e : solid.edges) out << ' ' << e.joinNumber << ' ' << e.type;
    for (const HalfEdge& h : solid.halfEdges)
      out << ' ' << h.devPos.x << ' ' << h.devPos.y << ' ' << h.flapWidth << h.hasFlap << h.isOutline;
    out << '\n';
  }
  return out.str();
}

TEST(DrawingLeavesModel, PaneVectorRasterEpsAndPageList) {
  Model model;
  Settings settings;
  ASSERT_EQ(ReadWorkFile(test::FixturePath("torus_concave_numbers.plc"), model, settings), kReadOk);
  ComputeDevelopmentBounds(model);
  ASSERT_GT(AssignJoinNumbers(model), 0);
  settings.bDrawFlap = settings.bDrawNumber = settings.bPrintOmitPage = true;
  model.solids.front().faces.front().marked = true;  // a face picked by Check Corresponding Surface
  const std::string before = Snapshot(model);

  QImage image(400, 300, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    DrawDevelopmentVector(painter, &model, settings, 20.0, 20.0);
  }
  auto context = OffscreenGlContext::Create(200, 150);
  ASSERT_TRUE(context);
  {
    OffscreenGlContext::Scope scope(*context);
    InitDevelopmentGlState(settings);
    RasterDrawParams pane;
    pane.width = 200;
    pane.height = 150;
    pane.pixelsPerCm = 5.0;
    DrawDevelopmentRaster(&model, settings, pane);
    glFinish();
  }
  QImage picture;
  ASSERT_TRUE(RenderDevelopmentImage(model, settings, 200, 150, 5.0, nullptr, picture));
  test::TempDir dir;
  ASSERT_TRUE(SaveEpsFile(dir.File("torus.eps"), model, settings, EpsOptions{}));
  PageLayout layout;
  UpdatePageGrid(&model, settings, layout);
  BuildPageList(&model, settings, layout);

  EXPECT_EQ(Snapshot(model), before);
}

}  // namespace
}  // namespace plicora
