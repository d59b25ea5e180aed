#pragma once
// The paint engine behind EmfPaintDevice: turns QPainter primitives into EMF
// records. Primitives arrive in logical coordinates and are mapped to device
// units with the painter's transform; GDI objects are created when the pen,
// brush or font changes and deleted once replaced.

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>
#include <memory>
#include <optional>

#include "core/export/EmfRecordWriter.h"

namespace plicora {

class EmfPaintDevice;

class EmfPaintEngine : public QPaintEngine {
 public:
  explicit EmfPaintEngine(EmfPaintDevice& device);
  ~EmfPaintEngine() override;

  bool begin(QPaintDevice* device) override;
  bool end() override;
  void updateState(const QPaintEngineState& state) override;
  void drawLines(const QLineF* lines, int count) override;
  void drawRects(const QRectF* rects, int count) override;
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
  void drawPath(const QPainterPath& path) override;
  void drawTextItem(const QPointF& p, const QTextItem& item) override;
  void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
  void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags flags) override;
  Type type() const override { return QPaintEngine::User; }

  // Direct GDI-style records (see EmfPaintDevice).
  void SetBackgroundMode(std::uint32_t mode);
  void SetTextAlign(std::uint32_t align);
  void SetTextColor(std::uint32_t colorRef);
  void TextOut(const EmfFont& font, EmfPoint at, const QString& text);

 private:
  EmfPoint Map(const QPointF& p) const;
  double Scale() const;
  void ApplyPen();
  void ApplyBrush(bool filled);
  void ApplyClip();
  void SelectPen(std::uint32_t handle, bool created);
  void SelectBrush(std::uint32_t handle, bool created);
  void EnsureTextState(std::uint32_t color, bool opaque, std::uint32_t bkColor);
  void WriteText(const QFont& metricsFont, double metricsScale, EmfPoint at, double angleDegrees, const QString& text);
  std::int32_t PenExtent() const { return penExtent_; }

  EmfPaintDevice& device_;
  std::unique_ptr<EmfRecordWriter> writer_;

  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  Qt::BGMode bgMode_ = Qt::TransparentMode;
  QBrush bgBrush_;
  bool penDirty_ = true;
  bool brushDirty_ = true;
  bool clipDirty_ = false;

  // What the metafile's device context holds now (GDI defaults at start).
  std::uint32_t penHandle_ = 0;  // 0: a stock pen is selected
  std::uint32_t brushHandle_ = 0;
  std::uint32_t fontHandle_ = 0;
  EmfFont lastFont_;
  std::int32_t penExtent_ = 0;
  bool penNull_ = false;
  std::optional<std::uint32_t> textColor_ = 0u;
  std::optional<std::uint32_t> bkMode_ = kEmfOpaque;
  std::optional<std::uint32_t> bkColor_ = 0xFFFFFFu;
  std::optional<std::uint32_t> textAlign_ = 0u;
  std::optional<std::uint32_t> fillMode_ = kEmfAlternate;
  bool clipSet_ = false;
};

}  // namespace plicora
