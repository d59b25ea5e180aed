#include "development/DevelopmentVectorRenderer.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "development/DevelopmentDrawing.h"
#include "development/DevelopmentGeometry.h"
#include "model/Geometry.h"
#include "platform/FontResolution.h"

namespace plicora {
namespace {

// Device coordinates are whole units; reals are truncated toward zero.
QPoint Device(Point2 p, double sx, double sy) {
  return QPoint(static_cast<int>(p.x * sx), static_cast<int>(p.y * sy));
}

struct Box {
  double x0, y0, x1, y1;
  bool Overlaps(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

Box BoxOf(Point2 a, Point2 b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Box Grow(const Box& b, double m) { return {b.x0 - m, b.y0 - m, b.x1 + m, b.y1 + m}; }

bool InsideFace(const Face& face, const Part& part, Point2 p) {
  if (face.ring.size() < 3) return false;
  const Point2 p0 = CornerOf(*face.ring[0], part);
  for (std::size_t i = 1; i + 1 < face.ring.size(); ++i) {
    if (PointInTriangle(p, p0, CornerOf(*face.ring[i], part), CornerOf(*face.ring[i + 1], part))) return true;
  }
  return false;
}

bool InsideFlap(const HalfEdge& flap, Point2 p) {
  const auto& f = flap.flapPoints;
  if (flap.flapPointCount == 3) return PointInTriangle(p, f[0], f[1], f[2]);
  if (flap.flapPointCount == 4) return PointInTriangle(p, f[0], f[1], f[2]) || PointInTriangle(p, f[0], f[2], f[3]);
  return false;
}

// Flap outlines: only the pieces of a flap side that no face and no earlier
// flap of a nearby part covers are drawn.
class FlapOutlineWalk {
 public:
  FlapOutlineWalk(QPainter& painter, Model& model, double sx, double sy)
      : painter_(painter), model_(model), sx_(sx), sy_(sy) {}

  void Run() {
    const double s = model_.devScale;
    std::vector<Box> grown;
    for (Part& part : model_.parts) {
      part.maxFlapWidth = 0.0;
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          if (h->hasFlap) part.maxFlapWidth = std::max(part.maxFlapWidth, h->flapWidth);
        }
      }
      const double m = s != 0.0 ? part.maxFlapWidth / s : 0.0;
      grown.push_back(Grow({part.offsetX, part.offsetY, part.offsetX + part.width, part.offsetY + part.height}, m));
    }
    for (std::size_t i = 0; i < model_.parts.size(); ++i) {
      std::vector<const Part*> near;
      for (std::size_t j = 0; j < model_.parts.size(); ++j) {
        if (grown[i].Overlaps(grown[j])) near.push_back(&model_.parts[j]);
      }
      for (const Face* face : model_.parts[i].faces) {
        for (const HalfEdge* h : face->ring) {
          if (h->flapPointCount >= 3) DrawFlap(*h, near);
        }
      }
    }
  }

 private:
  void DrawFlap(const HalfEdge& flap, const std::vector<const Part*>& near) {
    for (int i = 0; i + 1 < flap.flapPointCount; ++i) {
      DrawSide(flap, flap.flapPoints[static_cast<std::size_t>(i)], flap.flapPoints[static_cast<std::size_t>(i + 1)],
               near);
    }
  }

  void AddCut(Point2 a, Point2 b, Point2 p, Point2 q, const Box& sideBox, std::vector<double>& cuts) {
    if (!sideBox.Overlaps(Grow(BoxOf(p, q), 1e-6))) return;
    Point2 x;
    if (SegmentIntersection(a, b, p, q, x)) cuts.push_back(std::hypot(x.x - a.x, x.y - a.y));
  }

  void DrawSide(const HalfEdge& flap, Point2 a, Point2 b, const std::vector<const Part*>& near) {
    const Box sideBox = Grow(BoxOf(a, b), 1e-6);
    std::vector<double> cuts;
    for (const Part* part : near) {
      for (const Face* face : part->faces) {
        for (const HalfEdge* h : face->ring) {
          const HalfEdge* end = SideEnd(*h);
          if (end) AddCut(a, b, CornerOf(*h, *part), CornerOf(*end, *part), sideBox, cuts);
          const int n = h->flapPointCount;
          for (int k = 0; n >= 3 && k < n; ++k) {
            AddCut(a, b, h->flapPoints[static_cast<std::size_t>(k)], h->flapPoints[static_cast<std::size_t>((k + 1) % n)],
                   sideBox, cuts);
          }
        }
      }
    }
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0.0)) return;
    std::sort(cuts.begin(), cuts.end());
    cuts.insert(cuts.begin(), 0.0);
    cuts.push_back(length);
    const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      const double d0 = std::clamp(cuts[k], 0.0, length), d1 = std::clamp(cuts[k + 1], 0.0, length);
      const Point2 p0{a.x + ux * d0, a.y + uy * d0};
      const Point2 p1{a.x + ux * d1, a.y + uy * d1};
      const Point2 mid{(p0.x + p1.x) / 2.0, (p0.y + p1.y) / 2.0};
      if (Covered(flap, mid, near)) continue;
      painter_.drawLine(Device(p0, sx_, sy_), Device(p1, sx_, sy_));
    }
  }

  bool Covered(const HalfEdge& current, Point2 p, const std::vector<const Part*>& near) {
    const Box at{p.x, p.y, p.x, p.y};
    for (const Part* part : near) {
      if (!Grow({part->offsetX, part->offsetY, part->offsetX + part->width, part->offsetY + part->height}, 1e-6)
               .Overlaps(at)) {
        // Faces lie inside their part's box; only flaps can reach further.
      } else {
        for (const Face* face : part->faces) {
          if (InsideFace(*face, *part, p)) return true;
        }
      }
    }
    for (const Part* part : near) {
      for (const Face* face : part->faces) {
        for (const HalfEdge* h : face->ring) {
          if (h == &current) return false;  // only flaps drawn before this one cover it
          if (h->flapPointCount >= 3 && InsideFlap(*h, p)) return true;
        }
      }
    }
    return false;
  }

  QPainter& painter_;
  Model& model_;
  double sx_, sy_;
};

QPen SolidPen(const QColor& color, int width) {
  QPen pen(color);
  pen.setWidth(width);
  pen.setStyle(Qt::SolidLine);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void FillFaces(QPainter& painter, Model& model, const Settings& settings, double sx, double sy) {
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      QPolygon polygon;
      for (const HalfEdge* h : face->ring) polygon << Device(CornerOf(*h, part), sx, sy);
      if (settings.bUseMaterial) {
        const Material& material = model.MaterialOf(face->materialIndex);
        if (material.hasTexture) continue;
        const auto rgb = MaterialFillColor(material);
        const QColor color(rgb[0], rgb[1], rgb[2]);
        painter.setPen(SolidPen(color, 1));
        painter.setBrush(color);
      } else {
        painter.setPen(SolidPen(Qt::white, 1));
        painter.setBrush(Qt::white);
      }
      painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
  }
  painter.setPen(SolidPen(Qt::white, 1));
  painter.setBrush(Qt::white);
}

void DrawLines(QPainter& painter, Model& model, const Settings& settings, double sx, double sy, int penWidth,
               const std::vector<int>& dot1, const std::vector<int>& dot2) {
  const QPen black = SolidPen(Qt::black, penWidth);
  const QPen white = SolidPen(Qt::white, penWidth);
  painter.setPen(black);
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (HalfEdge* h : face->ring) {
        const EdgeLineClass lineClass = ClassifyEdgeLine(*h, settings);
        if (lineClass == EdgeLineClass::Skip) continue;
        const LineStyle style = StyleOfLine(lineClass, settings);
        const HalfEdge* end = SideEnd(*h);
        if (style == LineStyle::None || !end) continue;
        const QPoint a = Device(CornerOf(*h, part), sx, sy);
        const QPoint b = Device(CornerOf(*end, part), sx, sy);
        if (settings.bDrawWhiteBkLine) {
          painter.setPen(white);
          painter.drawLine(a, b);
          painter.setPen(black);
        }
        if (style == LineStyle::Solid) {
          painter.drawLine(a, b);
        } else {
          DrawDashedLine(painter, a.x(), a.y(), b.x(), b.y(), style == LineStyle::Dot1 ? dot1 : dot2);
        }
      }
    }
  }
}

// The join font: its cell (ascent + descent) is `height` device units, as a
// font asked for by a positive height.
QFont JoinNumberFont(int height) {
  QFont font = MakeFaceFont("Arial");
  font.setWeight(QFont::Normal);
  font.setPixelSize(100);
  const QFontMetricsF reference(font);
  const double cell = reference.ascent() + reference.descent();
  const double em = cell > 0.0 ? height * 100.0 / cell : height;
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
  return font;
}

void DrawJoinNumbers(QPainter& painter, Model& model, const Settings& settings, double sx, double sy) {
  const double s = model.devScale;
  const int height = static_cast<int>(settings.iEdgeNumberFontSize * (sy / s) * kCmPerFontPoint);
  if (!settings.bDrawNumber || height <= 2) return;
  painter.setBackgroundMode(Qt::TransparentMode);
  ClearDrawnMarks(model);
  const QFont font = JoinNumberFont(height);
  const QFontMetricsF metrics(font);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        Edge* edge = h->edge;
        const HalfEdge* end = SideEnd(*h);
        if (!edge || !end) continue;
        if (edge->drawnMark && edge->joinNumber == -1) continue;
        if (edge->joinNumber != -1) {
          const Point2 a{CornerOf(*h, part).x * sx, CornerOf(*h, part).y * sy};
          const Point2 b{CornerOf(*end, part).x * sx, CornerOf(*end, part).y * sy};
          const JoinNumberPlacement place = PlaceJoinNumber(a, b, model.mirrored, settings.bEdgeIdReverse);
          if (place.valid) {
            double tenths = std::acos(std::clamp(place.dy, -1.0, 1.0)) * 572.9577951308238;
            if (place.first.x - place.second.x > 0) tenths = 1800.0 - tenths;
            const int escapement = static_cast<int>(tenths);
            const QString text = QString::number(edge->joinNumber);
            const double cx = metrics.horizontalAdvance(text);
            const double cy = metrics.ascent() + metrics.descent();
            const int x = static_cast<int>(place.middle.x + 0.5 * cx * place.dx - 1.1 * cy * place.dy);
            const int y = static_cast<int>(place.middle.y + 0.5 * cx * place.dy + 1.1 * cy * place.dx);
            // The text cell's top-left corner sits at (x, y); the text turns
            // counter-clockwise about it.
            painter.save();
            painter.translate(x, y);
            painter.rotate(-escapement / 10.0);
            painter.drawText(QPointF(0.0, metrics.ascent()), text);
            painter.restore();
          }
        }
        edge->drawnMark = true;
      }
    }
  }
}

}  // namespace

std::vector<int> DevicePattern(const std::vector<int>& pattern, double lineWidthPoints, double unit) {
  std::vector<int> out;
  out.reserve(pattern.size());
  for (int e : pattern) out.push_back(static_cast<int>((e + lineWidthPoints) * unit));
  return out;
}

void DrawDashedLine(QPainter& painter, double x1, double y1, double x2, double y2, const std::vector<int>& pattern) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0.0) || pattern.size() < 2) return;
  int period = 0;
  for (int e : pattern) period += std::max(0, e);
  if (period <= 0) return;  // a pattern of zeros would never advance
  const double ux = dx / length;
  const double uy = dy / length;
  double d = 0.0;
  std::size_t i = 0;
  while (d < length) {
    const double dash = std::max(0, pattern[i]);
    const double gap = i + 1 < pattern.size() ? std::max(0, pattern[i + 1]) : 0;
    const double end = std::min(d + dash, length);
    if (dash > 0) {
      painter.drawLine(QPoint(static_cast<int>(x1 + ux * d), static_cast<int>(y1 + uy * d)),
                       QPoint(static_cast<int>(x1 + ux * end), static_cast<int>(y1 + uy * end)));
    }
    d += dash + gap;
    i += 2;
    if (i >= pattern.size()) i = 0;
  }
}

void DrawDevelopmentVector(QPainter& painter, Model* model, const Settings& settings, double sx, double sy) {
  if (!model) return;
  const double s = model->devScale;
  if (!(s > 0.0)) return;
  const double lw = settings.printoutLineWidth;
  const int penWidth = std::max(1, static_cast<int>(sx / s * lw * kCmPerLinePoint + 0.5));
  const double unit = sx / s * 0.0246022;
  const std::vector<int> dot1 = DevicePattern(kDot1Pattern, lw, unit);
  const std::vector<int> dot2 = DevicePattern(kDot2Pattern, lw, unit);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  if (settings.bDrawFlap) {
    ComputeFlapPolygons(*model, settings);
    painter.setPen(SolidPen(Qt::black, penWidth));
    FlapOutlineWalk(painter, *model, sx, sy).Run();
  }
  ClearDrawnMarks(*model);
  FillFaces(painter, *model, settings, sx, sy);
  painter.setBrush(Qt::NoBrush);
  DrawLines(painter, *model, settings, sx, sy, penWidth, dot1, dot2);
  painter.setPen(Qt::black);
  DrawJoinNumbers(painter, *model, settings, sx, sy);
  painter.restore();
}

}  // namespace plicora
