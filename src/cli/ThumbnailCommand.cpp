// --thumbnail SIZE FILE OUT: the picture a file manager shows for a work
// file. The model is turned a little from the front and framed so that all of
// it fills the square, whatever its size and position (the pane's own camera
// sits at a fixed distance from the origin, inside large models); the
// background is transparent. Nothing is written unless the picture was made.

#include <GL/gl.h>

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/GuiRuntime.h"
#include "core/model/MeshTopology.h"
#include "core/model/Settings.h"
#include "core/platform/AtomicFileWriter.h"
#include "core/platform/MessageSink.h"
#include "core/view3d/Trackball.h"
#include "render/platform/OffscreenGlContext.h"
#include "render/view3d/ModelRenderer.h"

namespace plicora {
namespace {

// The turn: the right side and the top come into view.
constexpr double kTurnAboutVertical = -30.0;
constexpr double kTurnAboutHorizontal = 20.0;
// Half the field of view as a slope: narrower than the 3D pane's, so that a
// model framed closely is not distorted by the perspective.
constexpr double kViewSlope = 0.15;
// Edges closer than this on the picture would hide the surfaces.
constexpr double kNarrowestEdgeSpacing = 12.0;
// The model's outermost corner lands this far from the centre (1 = the
// edge), less room for the widest edge lines.
constexpr double kFill = 0.94;
constexpr double kLineRoomPixels = 4.0;

/// The eye's place relative to the turned model.
struct Framing {
  std::array<float, 16> turn{};  ///< rotation, column-major
  Point3 centre;                 ///< model point turned about
  double shiftX = 0.0, shiftY = 0.0;
  double distance = 1.0;  ///< from the eye to the turn's centre
  double radius = 1.0;    ///< half the diagonal of the model's box
  bool empty = true;      ///< no face has a corner to draw
  double nearPlane = 0.1, farPlane = 10.0;
};

template <typename Visit>
void VisitFinite(const Point3& p, Visit& visit) {
  if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) visit(p);
}

// The corners as drawn (with the cuts opened, their opened places too); a
// corner that is not a number is drawn nowhere.
template <typename Visit>
void ForEachDrawnCorner(const Model& model, bool opened, Visit visit) {
  for (const Solid& solid : model.solids) {
    if (!solid.selected) continue;
    for (const Face& face : solid.faces)
      for (const HalfEdge* h : face.ring) {
        if (h->vertex) VisitFinite(Point3{h->vertex->x, h->vertex->y, h->vertex->z}, visit);
        if (opened) VisitFinite(OpenedPositionOf(*h), visit);
      }
  }
}

Point3 Turned(const std::array<float, 16>& m, const Point3& p) {
  return Point3{m[0] * p.x + m[4] * p.y + m[8] * p.z, m[1] * p.x + m[5] * p.y + m[9] * p.z,
                m[2] * p.x + m[6] * p.y + m[10] * p.z};
}

// For a viewing axis, a corner at (a, z) (a across the axis, z toward the
// eye) stays within the picture when |a - shift| <= slope * (distance - z).
// The smallest distance and its shift follow from the two outermost
// corners, one on each side: the largest z + a / slope and z - a / slope.
Framing FrameModel(const Model& model, bool opened, int size) {
  Framing f;
  Trackball ball;
  ball.RotateAboutScreenAxis(0.f, 1.f, 0.f, kTurnAboutVertical);
  ball.RotateAboutScreenAxis(1.f, 0.f, 0.f, kTurnAboutHorizontal);
  f.turn = ball.matrix;

  Point3 low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
  ForEachDrawnCorner(model, opened, [&](const Point3& p) {
    low = Point3{std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = Point3{std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  });
  f.empty = low.x > high.x;
  if (f.empty) return f;
  f.centre = Point3{(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
  const double radius = std::max(1e-9, std::hypot(high.x - low.x, high.y - low.y, high.z - low.z) / 2);
  f.radius = radius;

  const double k = 1.0 / (kViewSlope * std::max(0.5, kFill - kLineRoomPixels / (size / 2.0)));
  double rightX = -1e300, leftX = -1e300, topY = -1e300, bottomY = -1e300;
  double nearest = -1e300, farthest = 1e300;
  ForEachDrawnCorner(model, opened, [&](const Point3& p) {
    const Point3 t = Turned(f.turn, Point3{p.x - f.centre.x, p.y - f.centre.y, p.z - f.centre.z});
    rightX = std::max(rightX, t.z + k * t.x);
    leftX = std::max(leftX, t.z - k * t.x);
    topY = std::max(topY, t.z + k * t.y);
    bottomY = std::max(bottomY, t.z - k * t.y);
    nearest = std::max(nearest, t.z);
    farthest = std::min(farthest, t.z);
  });
  f.shiftX = (rightX - leftX) / (2 * k);
  f.shiftY = (topY - bottomY) / (2 * k);
  // A flat model seen edge-on would put the eye on it: keep a little room.
  f.distance = std::max({(rightX + leftX) / 2, (topY + bottomY) / 2, nearest + 0.05 * radius});
  // Corners near the largest doubles overflow the sums above.
  if (!std::isfinite(f.distance) || !std::isfinite(f.shiftX) || !std::isfinite(f.shiftY)) {
    f.empty = true;
    return f;
  }
  f.nearPlane = (f.distance - nearest) * 0.5;
  f.farPlane = (f.distance - farthest) * 1.5 + radius * 1e-3;
  return f;
}

// A dense mesh in a small picture shows as a mesh of lines: then the
// surfaces are drawn as for a model without development, with only the
// edges sharper than a right angle.
void ThinOutEdges(const Model& model, const Framing& f, int size, Settings& settings, ViewShellState& shell) {
  const double pixelsPerUnit = size / 2.0 / (kViewSlope * f.distance);
  if (model.meanEdgeLength * pixelsPerUnit >= kNarrowestEdgeSpacing) return;
  shell.hasDevelopment = false;
  settings.bCullEdge = true;
  settings.iAngleEps = 90;
}

void LoadProjection(const Framing& f, int size) {
  glViewport(0, 0, size, size);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double half = kViewSlope * f.nearPlane;
  glFrustum(-half, half, -half, half, f.nearPlane, f.farPlane);
  glTranslated(-f.shiftX, -f.shiftY, -f.distance);
  glMultMatrixf(f.turn.data());
  glTranslated(-f.centre.x, -f.centre.y, -f.centre.z);
}

// The same scene on black and on white: a pixel of the model is the same on
// both, the background differs by 255, and a blended pixel by its
// transparency, so colour and alpha come back exactly.
QImage Unblend(const QImage& onBlack, const QImage& onWhite) {
  QImage out(onBlack.size(), QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    const auto* b = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
    const auto* w = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
    auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const int spread = (qRed(w[x]) - qRed(b[x]) + qGreen(w[x]) - qGreen(b[x]) + qBlue(w[x]) - qBlue(b[x])) / 3;
      const int alpha = std::clamp(255 - spread, 0, 255);
      auto channel = [alpha](int onBlackValue) { return alpha ? std::min(255, onBlackValue * 255 / alpha) : 0; };
      o[x] = qRgba(channel(qRed(b[x])), channel(qGreen(b[x])), channel(qBlue(b[x])), alpha);
    }
  }
  return out;
}

QImage RenderOn(ModelRenderer& renderer, const SceneInputs& scene, Settings& settings, ColorRef background,
                OffscreenGlContext& context) {
  settings.colors[kColorBackground] = background;
  OffscreenGlContext::Scope scope(context);
  if (!scope.ok()) return QImage();
  renderer.RenderScene(scene, settings);
  glFinish();
  return context.ToImage().convertToFormat(QImage::Format_RGB32);
}

bool WritePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  std::string error;
  if (image.save(&buffer, "PNG") &&
      WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), &error))
    return true;
  ShowMessage("Cannot write " + path + (error.empty() ? "" : ": " + error), MessageKind::Error);
  return false;
}

}  // namespace

int RunThumbnailCommand(const CommandLineOptions& given) {
  CommandLineOptions options = given;
  // Thumbnails are kept by the file manager: the same file always gives the
  // same picture, whatever the user's window settings.
  if (!options.profilePath) options.noProfile = true;
  EnsureGuiApplication();
  const int size = options.thumbnailSize;
  Settings& settings = CurrentSettings();
  std::string error;
  auto context = OffscreenGlContext::Create(size, size, &error);
  if (!context) {
    ShowMessage("Rendering Context Create Failed", MessageKind::Error);
    return kExitFailed;
  }
  ModelRenderer renderer;
  {
    // The reader sizes textures by the limit the context reports (below).
    OffscreenGlContext::Scope scope(*context);
    if (!scope.ok()) return kExitFailed;
    renderer.InitGlState(settings);
  }
  if (context->MaxTextureSize() > 0) settings.maxTextureSize = context->MaxTextureSize();
  // The cut-point emphasis belongs to the pane; --set can still ask for it.
  options.sets.insert(options.sets.begin(), {"bEnhanceCutEdgeOpen", "0"});
  BatchDocument document;
  // Any file that cannot be shown is a failure here (no picture, status 1).
  if (const int status = OpenBatchDocument(options, document); status != kExitOk)
    return status == kExitUsage ? kExitUsage : kExitFailed;
  const Model& model = *document.model;
  ViewShellState shell;
  shell.hasDevelopment = model.hasDevelopment;
  const Framing framing = FrameModel(model, shell.hasDevelopment && settings.bEnhanceCutEdgeOpen, size);
  if (framing.empty) {
    ShowMessage("Nothing to show in " + options.inputPath, MessageKind::Error);
    return kExitFailed;
  }
  ThinOutEdges(model, framing, size, settings, shell);
  {
    OffscreenGlContext::Scope scope(*context);
    if (!scope.ok()) return kExitFailed;
    renderer.ApplyTextureFilter(settings.bTextureSmooth);
    renderer.ResetFixedState();
    LoadProjection(framing, size);
  }
  const SceneInputs scene{&model, &shell, false, nullptr};
  const QImage onBlack = RenderOn(renderer, scene, settings, MakeColorRef(0, 0, 0), *context);
  const QImage onWhite = RenderOn(renderer, scene, settings, MakeColorRef(255, 255, 255), *context);
  if (onBlack.isNull() || onWhite.isNull()) return kExitFailed;
  return WritePng(Unblend(onBlack, onWhite), options.outputPath) ? kExitOk : kExitFailed;
}

}  // namespace plicora
