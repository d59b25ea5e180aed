#pragma once
// Builds an enhanced metafile (EMF) record by record in memory: the header,
// GDI object creation and selection, drawing records and the end-of-file
// record. Coordinates are device units of a reference device whose pixel and
// millimetre sizes go into the header; the picture bounds are accumulated
// from what is drawn, and the frame (0.01 mm) follows from them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plicora {

/// Record types written by the writer.
enum EmfRecordType : std::uint32_t {
  kEmrHeader = 1,
  kEmrPolygon = 3,
  kEmrPolyline = 4,
  kEmrPolyPolygon = 8,
  kEmrEof = 14,
  kEmrSetBkMode = 18,
  kEmrSetPolyFillMode = 19,
  kEmrSetTextAlign = 22,
  kEmrSetTextColor = 24,
  kEmrSetBkColor = 25,
  kEmrMoveToEx = 27,
  kEmrSaveDc = 33,
  kEmrRestoreDc = 34,
  kEmrSelectObject = 37,
  kEmrCreatePen = 38,
  kEmrCreateBrushIndirect = 39,
  kEmrDeleteObject = 40,
  kEmrLineTo = 54,
  kEmrExtSelectClipRgn = 75,
  kEmrStretchDiBits = 81,
  kEmrExtCreateFontIndirectW = 82,
  kEmrExtTextOutW = 84,
  kEmrPolygon16 = 86,
  kEmrPolyline16 = 87,
  kEmrPolyPolygon16 = 91,
  kEmrExtCreatePen = 95,
};

/// Stock objects selected with the high bit set.
enum EmfStockObject : std::uint32_t {
  kStockWhiteBrush = 0x80000000u,
  kStockNullBrush = 0x80000005u,
  kStockWhitePen = 0x80000006u,
  kStockBlackPen = 0x80000007u,
  kStockNullPen = 0x80000008u,
  kStockSystemFont = 0x8000000Du,
};

/// Background modes, text alignment flags and fill modes.
inline constexpr std::uint32_t kEmfTransparent = 1;
inline constexpr std::uint32_t kEmfOpaque = 2;
inline constexpr std::uint32_t kEmfTaBaseline = 24;
inline constexpr std::uint32_t kEmfTaCenter = 6;
inline constexpr std::uint32_t kEmfAlternate = 1;
inline constexpr std::uint32_t kEmfWinding = 2;

/// Pen style bits (LOGPEN and the extended pen).
inline constexpr std::uint32_t kEmfPsSolid = 0;
inline constexpr std::uint32_t kEmfPsDash = 1;
inline constexpr std::uint32_t kEmfPsDot = 2;
inline constexpr std::uint32_t kEmfPsDashDot = 3;
inline constexpr std::uint32_t kEmfPsDashDotDot = 4;
inline constexpr std::uint32_t kEmfPsNull = 5;
inline constexpr std::uint32_t kEmfPsUserStyle = 7;
inline constexpr std::uint32_t kEmfPsEndcapRound = 0x000;
inline constexpr std::uint32_t kEmfPsEndcapSquare = 0x100;
inline constexpr std::uint32_t kEmfPsEndcapFlat = 0x200;
inline constexpr std::uint32_t kEmfPsJoinRound = 0x0000;
inline constexpr std::uint32_t kEmfPsJoinBevel = 0x1000;
inline constexpr std::uint32_t kEmfPsJoinMiter = 0x2000;
inline constexpr std::uint32_t kEmfPsGeometric = 0x10000;

/// Largest coordinate magnitude written; leaves room for pen extents.
inline constexpr std::int32_t kEmfCoordinateLimit = 0x7FF00000;

/// A whole number (already rounded or truncated by the caller) as a record
/// coordinate: clamped to the limit, 0 for NaN, so that no input can
/// overflow the 32-bit fields.
std::int32_t ToEmfCoordinate(double whole);

struct EmfPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct EmfRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

/// The fields of a logical font that the writer puts into the record.
struct EmfFont {
  std::int32_t height = 0;  ///< > 0 cell height, < 0 character (em) height, device units
  std::int32_t width = 0;
  std::int32_t escapement = 0;  ///< tenths of a degree, counter-clockwise
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charSet = 1;  ///< DEFAULT_CHARSET
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::u16string faceName;  ///< cut to 31 characters
};

/// The reference device: pixel size and the millimetres it covers.
struct EmfReferenceDevice {
  std::int32_t widthPixels = 1920;
  std::int32_t heightPixels = 1440;
  std::int32_t widthMm = 508;  ///< 1920 px at 96 dpi
  std::int32_t heightMm = 381;
};

/// The reference device of a resolution in dots per inch (1920 x 1440 px).
EmfReferenceDevice ReferenceDeviceForDpi(double dpi);

/// Where a large metafile goes while it is written: finished records are
/// handed to `append` as they pile up, and at the end the header, complete
/// only then, to `writeAt` (its bytes from offset 8 of the file on). False
/// from either means the bytes did not arrive.
struct EmfSink {
  std::function<bool(std::string_view)> append;
  std::function<bool(std::uint64_t, std::string_view)> writeAt;
};

class EmfRecordWriter {
 public:
  /// `description` is the application name stored in the header (empty: none).
  EmfRecordWriter(const EmfReferenceDevice& device, std::u16string description);

  /// Handle-table index of a new object (lowest free index, from 1).
  std::uint32_t CreatePen(std::uint32_t style, std::int32_t width, std::uint32_t color);
  std::uint32_t ExtCreatePen(std::uint32_t style, std::uint32_t width, std::uint32_t color,
                             const std::vector<std::uint32_t>& dashes);
  std::uint32_t CreateSolidBrush(std::uint32_t color);
  std::uint32_t CreateFont(const EmfFont& font);
  void SelectObject(std::uint32_t handle);
  void DeleteObject(std::uint32_t handle);

  void SetBkMode(std::uint32_t mode);
  void SetBkColor(std::uint32_t color);
  void SetTextAlign(std::uint32_t align);
  void SetTextColor(std::uint32_t color);
  void SetPolyFillMode(std::uint32_t mode);
  void SaveDc();
  void RestoreDc(std::int32_t relative = -1);
  /// Replaces the clip region by the rectangles; none resets it to the whole device.
  void SetClipRects(const std::vector<EmfRect>& rects);

  /// Line drawing; `extent` is half the pen width, added to the bounds.
  void MoveTo(EmfPoint p);
  void LineTo(EmfPoint p, std::int32_t extent);
  void Polyline(const std::vector<EmfPoint>& points, std::int32_t extent);
  void Polygon(const std::vector<EmfPoint>& points, std::int32_t extent);
  void PolyPolygon(const std::vector<std::vector<EmfPoint>>& polygons, std::int32_t extent);
  /// One string at the reference point; `box` is its drawn extent (bounds),
  /// `advances` the distance from each character to the next.
  void ExtTextOut(EmfPoint reference, const std::u16string& text, const std::vector<std::int32_t>& advances,
                  const EmfRect& box);

  /// A 24-bit image stretched onto `dest` (device units, right/bottom
  /// exclusive); `rows` are bottom-up BGR rows padded to 4 bytes.
  void StretchDiBits(const EmfRect& dest, std::int32_t width, std::int32_t height,
                     const std::vector<std::uint8_t>& rows);

  /// From now on records go to `sink` as they pile up (see EmfSink).
  void StreamTo(EmfSink sink) { sink_ = std::move(sink); }
  /// Whether the sink refused bytes.
  bool streamFailed() const { return streamFailed_; }

  /// Appends EOF and fills in the header. Returns the whole file, or when
  /// streaming hands the rest and the header to the sink and returns
  /// nothing.
  std::vector<std::uint8_t> Finish();

  /// Accumulated picture bounds (inclusive); empty is left > right.
  const EmfRect& bounds() const { return bounds_; }
  std::uint32_t recordCount() const { return records_; }

 private:
  void Begin(std::uint32_t type);
  void End();
  void U32(std::uint32_t v);
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void U16(std::uint16_t v);
  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void F32(float v);
  void Rect(const EmfRect& r);
  void PutU32At(std::size_t offset, std::uint32_t v);
  std::uint32_t AllocateHandle();
  void Extend(EmfPoint p, std::int32_t extent);
  void Extend(const EmfRect& r);
  EmfRect BoundsOf(const std::vector<EmfPoint>& points, std::int32_t extent) const;
  static bool Fits16(const std::vector<EmfPoint>& points);
  /// The points as 16-bit pairs (`small`) or as 32-bit pairs.
  void Points(const std::vector<EmfPoint>& points, bool small);
  void PolyRecord(std::uint32_t type32, std::uint32_t type16, const std::vector<EmfPoint>& points, std::int32_t extent);

  void Spill();

  EmfReferenceDevice device_;
  std::u16string description_;
  std::vector<std::uint8_t> bytes_;
  std::optional<EmfSink> sink_;
  std::uint64_t spilled_ = 0;  // bytes handed to the sink
  bool streamFailed_ = false;
  std::size_t recordStart_ = 0;
  std::uint32_t records_ = 0;
  std::vector<bool> handleUsed_{true};  // index 0 is the metafile itself
  std::size_t handleHighWater_ = 1;
  EmfRect bounds_{0, 0, -1, -1};
  bool finished_ = false;
  bool haveCurrent_ = false;
  EmfPoint current_;
};

}  // namespace plicora
