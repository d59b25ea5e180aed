#pragma once
// A QPaintDevice that records what a QPainter draws as an enhanced metafile
// (EMF): lines, polygons, paths, rectangles, images and text become GDI
// records of a reference device with the given resolution. Besides QPainter
// drawing it offers GDI-style text output with exact logical-font fields,
// for callers that must control the records byte for byte.
//
// The file variant creates the file at construction (isValid() tells whether
// that worked) and writes it when the painter ends; the memory variant keeps
// the bytes (bytes()).

#include <QByteArray>
#include <QPaintDevice>
#include <QString>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/export/EmfRecordWriter.h"

class QFile;

namespace plicora {

class EmfPaintEngine;

class EmfPaintDevice : public QPaintDevice {
 public:
  /// A metafile written to `path`; `description` goes into the header.
  EmfPaintDevice(const QString& path, const QString& description, double dpi = 96.0);
  /// A metafile kept in memory.
  explicit EmfPaintDevice(const QString& description, double dpi = 96.0);
  ~EmfPaintDevice() override;

  /// False when the file could not be created.
  bool isValid() const;
  /// True when writing the finished file failed.
  bool writeFailed() const { return writeFailed_; }
  /// The finished metafile (after QPainter::end()), as it is kept and as a
  /// copy.
  std::string_view view() const { return std::string_view(reinterpret_cast<const char*>(data_.data()), data_.size()); }
  QByteArray bytes() const { return QByteArray(view().data(), static_cast<qsizetype>(view().size())); }
  double dpi() const { return dpi_; }
  /// A metafile painted from now on goes to `sink` as it is drawn (see
  /// EmfSink) instead of being kept; view() then stays empty.
  void StreamTo(EmfSink sink) { sink_ = std::move(sink); }

  QPaintEngine* paintEngine() const override;

  // GDI-style state and text records, valid while a painter is active.
  void SetBackgroundMode(std::uint32_t mode);
  void SetTextAlign(std::uint32_t align);
  void SetTextColor(std::uint32_t colorRef);
  /// Creates the font, selects it, writes `text` at `at`, selects the
  /// previous font again and deletes the new one.
  void TextOut(const EmfFont& font, EmfPoint at, const QString& text);

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  friend class EmfPaintEngine;
  /// Called by the engine when the painter ends.
  void Store(std::vector<std::uint8_t>&& data);

  QString description_;
  double dpi_;
  EmfReferenceDevice reference_;
  std::unique_ptr<QFile> file_;
  std::unique_ptr<EmfPaintEngine> engine_;
  std::vector<std::uint8_t> data_;
  std::optional<EmfSink> sink_;
  bool writeFailed_ = false;
  bool fileWanted_ = false;
};

}  // namespace plicora
