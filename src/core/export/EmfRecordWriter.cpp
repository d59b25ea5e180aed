#include "core/export/EmfRecordWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/export/BmpWriter.h"
#include "core/model/Units.h"

namespace plicora {

namespace {

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::size_t kHeaderFixedSize = 108;
// Finished records pile up to this much before they go to a sink.
constexpr std::size_t kSpillBytes = std::size_t{8} << 20;
constexpr std::uint32_t kRgnCopy = 5;
constexpr std::uint32_t kGmCompatible = 1;

std::size_t Pad4(std::size_t n) {
  return (n + 3) & ~static_cast<std::size_t>(3);
}

}  // namespace

std::int32_t ToEmfCoordinate(double whole) {
  if (std::isnan(whole)) return 0;
  if (whole > kEmfCoordinateLimit) return kEmfCoordinateLimit;
  if (whole < -kEmfCoordinateLimit) return -kEmfCoordinateLimit;
  return static_cast<std::int32_t>(whole);
}

EmfReferenceDevice ReferenceDeviceForDpi(double dpi) {
  EmfReferenceDevice device;
  if (!(dpi > 0.0) || !std::isfinite(dpi)) dpi = 96.0;
  device.widthPixels = 1920;
  device.heightPixels = 1440;
  device.widthMm = static_cast<std::int32_t>(std::lround(1920.0 * kMmPerInch / dpi));
  device.heightMm = static_cast<std::int32_t>(std::lround(1440.0 * kMmPerInch / dpi));
  return device;
}

EmfRecordWriter::EmfRecordWriter(const EmfReferenceDevice& device, std::u16string description)
    : device_(device), description_(std::move(description)) {
  // The description is the application name followed by an empty picture
  // name: "name\0\0", counted with both terminators.
  if (!description_.empty()) description_ += std::u16string(2, u'\0');
  // The header is written now with placeholders and completed by Finish().
  Begin(kEmrHeader);
  bytes_.resize(bytes_.size() + kHeaderFixedSize - 8, 0);
  for (char16_t c : description_) U16(static_cast<std::uint16_t>(c));
  while (bytes_.size() % 4 != 0) U8(0);
  End();
}

void EmfRecordWriter::Begin(std::uint32_t type) {
  recordStart_ = bytes_.size();
  U32(type);
  U32(0);  // size, set by End()
}

void EmfRecordWriter::End() {
  while ((bytes_.size() - recordStart_) % 4 != 0) U8(0);
  PutU32At(recordStart_ + 4, static_cast<std::uint32_t>(bytes_.size() - recordStart_));
  ++records_;
  if (sink_ && bytes_.size() >= kSpillBytes) Spill();
}

void EmfRecordWriter::Spill() {
  const std::string_view finished(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
  if (!sink_->append(finished)) streamFailed_ = true;
  spilled_ += bytes_.size();
  bytes_.clear();
  recordStart_ = 0;
}

void EmfRecordWriter::U32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void EmfRecordWriter::U16(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v));
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void EmfRecordWriter::F32(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  U32(bits);
}

void EmfRecordWriter::Rect(const EmfRect& r) {
  I32(r.left);
  I32(r.top);
  I32(r.right);
  I32(r.bottom);
}

void EmfRecordWriter::PutU32At(std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t EmfRecordWriter::AllocateHandle() {
  for (std::size_t i = 1; i < handleUsed_.size(); ++i) {
    if (!handleUsed_[i]) {
      handleUsed_[i] = true;
      return static_cast<std::uint32_t>(i);
    }
  }
  handleUsed_.push_back(true);
  handleHighWater_ = std::max(handleHighWater_, handleUsed_.size());
  return static_cast<std::uint32_t>(handleUsed_.size() - 1);
}

std::uint32_t EmfRecordWriter::CreatePen(std::uint32_t style, std::int32_t width, std::uint32_t color) {
  const std::uint32_t handle = AllocateHandle();
  Begin(kEmrCreatePen);
  U32(handle);
  U32(style);
  I32(width);  // POINTL: x is the width, y unused
  I32(0);
  U32(color);
  End();
  return handle;
}

std::uint32_t EmfRecordWriter::ExtCreatePen(std::uint32_t style, std::uint32_t width, std::uint32_t color,
                                            const std::vector<std::uint32_t>& dashes) {
  const std::uint32_t handle = AllocateHandle();
  Begin(kEmrExtCreatePen);
  U32(handle);
  U32(0);  // no brush bitmap
  U32(0);
  U32(0);
  U32(0);
  U32(style);
  U32(width);
  U32(0);  // BS_SOLID
  U32(color);
  U32(0);  // hatch
  U32(static_cast<std::uint32_t>(dashes.size()));
  for (std::uint32_t d : dashes) U32(d);
  End();
  return handle;
}

std::uint32_t EmfRecordWriter::CreateSolidBrush(std::uint32_t color) {
  const std::uint32_t handle = AllocateHandle();
  Begin(kEmrCreateBrushIndirect);
  U32(handle);
  U32(0);  // BS_SOLID
  U32(color);
  U32(0);
  End();
  return handle;
}

std::uint32_t EmfRecordWriter::CreateFont(const EmfFont& font) {
  const std::uint32_t handle = AllocateHandle();
  Begin(kEmrExtCreateFontIndirectW);
  U32(handle);
  I32(font.height);
  I32(font.width);
  I32(font.escapement);
  I32(font.orientation);
  I32(font.weight);
  U8(font.italic ? 1 : 0);
  U8(font.underline ? 1 : 0);
  U8(font.strikeOut ? 1 : 0);
  U8(font.charSet);
  U8(font.outPrecision);
  U8(font.clipPrecision);
  U8(font.quality);
  U8(font.pitchAndFamily);
  // Face name: 32 UTF-16 units, at most 31 characters and a terminator.
  const std::size_t n = std::min<std::size_t>(font.faceName.size(), 31);
  for (std::size_t i = 0; i < 32; ++i) U16(i < n ? static_cast<std::uint16_t>(font.faceName[i]) : 0);
  // Full name (64 units), style (32 units), version, style size, match,
  // reserved, vendor id, culture, panose (10 bytes) and padding: all zero.
  bytes_.resize(bytes_.size() + 128 + 64 + 24 + 10 + 2, 0);
  End();
  return handle;
}

void EmfRecordWriter::SelectObject(std::uint32_t handle) {
  Begin(kEmrSelectObject);
  U32(handle);
  End();
}

void EmfRecordWriter::DeleteObject(std::uint32_t handle) {
  Begin(kEmrDeleteObject);
  U32(handle);
  End();
  if (handle < handleUsed_.size()) handleUsed_[handle] = false;
}

void EmfRecordWriter::SetBkMode(std::uint32_t mode) {
  Begin(kEmrSetBkMode);
  U32(mode);
  End();
}

void EmfRecordWriter::SetBkColor(std::uint32_t color) {
  Begin(kEmrSetBkColor);
  U32(color);
  End();
}

void EmfRecordWriter::SetTextAlign(std::uint32_t align) {
  Begin(kEmrSetTextAlign);
  U32(align);
  End();
}

void EmfRecordWriter::SetTextColor(std::uint32_t color) {
  Begin(kEmrSetTextColor);
  U32(color);
  End();
}

void EmfRecordWriter::SetPolyFillMode(std::uint32_t mode) {
  Begin(kEmrSetPolyFillMode);
  U32(mode);
  End();
}

void EmfRecordWriter::SaveDc() {
  Begin(kEmrSaveDc);
  End();
}

void EmfRecordWriter::RestoreDc(std::int32_t relative) {
  Begin(kEmrRestoreDc);
  I32(relative);
  End();
}

void EmfRecordWriter::SetClipRects(const std::vector<EmfRect>& rects) {
  Begin(kEmrExtSelectClipRgn);
  if (rects.empty()) {
    U32(0);
    U32(kRgnCopy);
    End();
    return;
  }
  EmfRect box = rects.front();
  for (const EmfRect& r : rects) {
    box.left = std::min(box.left, r.left);
    box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  }
  const auto count = static_cast<std::uint32_t>(rects.size());
  U32(32 + 16 * count);
  U32(kRgnCopy);
  U32(32);  // region header size
  U32(1);   // RDH_RECTANGLES
  U32(count);
  U32(16 * count);
  Rect(box);
  for (const EmfRect& r : rects) Rect(r);
  End();
}

void EmfRecordWriter::Extend(EmfPoint p, std::int32_t extent) {
  Extend(EmfRect{p.x - extent, p.y - extent, p.x + extent, p.y + extent});
}

void EmfRecordWriter::Extend(const EmfRect& r) {
  if (r.left > r.right || r.top > r.bottom) return;
  if (bounds_.left > bounds_.right) {
    bounds_ = r;
    return;
  }
  bounds_.left = std::min(bounds_.left, r.left);
  bounds_.top = std::min(bounds_.top, r.top);
  bounds_.right = std::max(bounds_.right, r.right);
  bounds_.bottom = std::max(bounds_.bottom, r.bottom);
}

EmfRect EmfRecordWriter::BoundsOf(const std::vector<EmfPoint>& points, std::int32_t extent) const {
  if (points.empty()) return EmfRect{0, 0, -1, -1};
  EmfRect r{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const EmfPoint& p : points) {
    r.left = std::min(r.left, p.x);
    r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x);
    r.bottom = std::max(r.bottom, p.y);
  }
  return EmfRect{r.left - extent, r.top - extent, r.right + extent, r.bottom + extent};
}

bool EmfRecordWriter::Fits16(const std::vector<EmfPoint>& points) {
  constexpr std::int32_t lo = std::numeric_limits<std::int16_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int16_t>::max();
  return std::all_of(points.begin(), points.end(),
                     [](const EmfPoint& p) { return p.x >= lo && p.x <= hi && p.y >= lo && p.y <= hi; });
}

void EmfRecordWriter::MoveTo(EmfPoint p) {
  Begin(kEmrMoveToEx);
  I32(p.x);
  I32(p.y);
  End();
  current_ = p;
  haveCurrent_ = true;
}

void EmfRecordWriter::LineTo(EmfPoint p, std::int32_t extent) {
  Begin(kEmrLineTo);
  I32(p.x);
  I32(p.y);
  End();
  if (haveCurrent_) Extend(current_, extent);
  Extend(p, extent);
  current_ = p;
  haveCurrent_ = true;
}

void EmfRecordWriter::Points(const std::vector<EmfPoint>& points, bool small) {
  for (const EmfPoint& p : points) {
    if (small) {
      U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(p.x)));
      U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(p.y)));
    } else {
      I32(p.x);
      I32(p.y);
    }
  }
}

void EmfRecordWriter::PolyRecord(std::uint32_t type32, std::uint32_t type16, const std::vector<EmfPoint>& points,
                                 std::int32_t extent) {
  if (points.empty()) return;
  const EmfRect box = BoundsOf(points, extent);
  const bool small = Fits16(points);
  Begin(small ? type16 : type32);
  Rect(box);
  U32(static_cast<std::uint32_t>(points.size()));
  Points(points, small);
  End();
  Extend(box);
}

void EmfRecordWriter::Polyline(const std::vector<EmfPoint>& points, std::int32_t extent) {
  PolyRecord(kEmrPolyline, kEmrPolyline16, points, extent);
}

void EmfRecordWriter::Polygon(const std::vector<EmfPoint>& points, std::int32_t extent) {
  PolyRecord(kEmrPolygon, kEmrPolygon16, points, extent);
}

void EmfRecordWriter::PolyPolygon(const std::vector<std::vector<EmfPoint>>& polygons, std::int32_t extent) {
  std::vector<EmfPoint> all;
  for (const auto& polygon : polygons) all.insert(all.end(), polygon.begin(), polygon.end());
  if (all.empty()) return;
  // One record for all the polygons, so that the fill rule makes holes.
  const bool small = Fits16(all);
  const EmfRect box = BoundsOf(all, extent);
  Begin(small ? kEmrPolyPolygon16 : kEmrPolyPolygon);
  Rect(box);
  U32(static_cast<std::uint32_t>(polygons.size()));
  U32(static_cast<std::uint32_t>(all.size()));
  for (const auto& polygon : polygons) U32(static_cast<std::uint32_t>(polygon.size()));
  Points(all, small);
  End();
  Extend(box);
}

void EmfRecordWriter::ExtTextOut(EmfPoint reference, const std::u16string& text,
                                 const std::vector<std::int32_t>& advances, const EmfRect& box) {
  const auto n = static_cast<std::uint32_t>(text.size());
  const std::size_t stringOffset = 76;
  const std::size_t dxOffset = stringOffset + Pad4(2 * text.size());
  const float scaleX = static_cast<float>(100.0 * device_.widthMm / device_.widthPixels);
  const float scaleY = static_cast<float>(100.0 * device_.heightMm / device_.heightPixels);
  Begin(kEmrExtTextOutW);
  Rect(box);
  U32(kGmCompatible);
  F32(scaleX);
  F32(scaleY);
  I32(reference.x);
  I32(reference.y);
  U32(n);
  U32(static_cast<std::uint32_t>(stringOffset));
  U32(0);  // options: no clipping, no opaque box
  Rect(EmfRect{0, 0, -1, -1});
  U32(static_cast<std::uint32_t>(dxOffset));
  for (char16_t c : text) U16(static_cast<std::uint16_t>(c));
  while ((bytes_.size() - recordStart_) % 4 != 0) U8(0);
  for (std::uint32_t i = 0; i < n; ++i) I32(i < advances.size() ? advances[i] : 0);
  End();
  Extend(box);
}

void EmfRecordWriter::StretchDiBits(const EmfRect& dest, std::int32_t width, std::int32_t height,
                                    const std::vector<std::uint8_t>& rows) {
  constexpr std::uint32_t kSrcCopy = 0x00CC0020;
  const EmfRect box{dest.left, dest.top, dest.right - 1, dest.bottom - 1};
  Begin(kEmrStretchDiBits);
  Rect(box);
  I32(dest.left);
  I32(dest.top);
  I32(0);
  I32(0);
  I32(width);
  I32(height);
  U32(80);  // bitmap info header offset and size
  U32(40);
  U32(120);  // pixel offset and size
  U32(static_cast<std::uint32_t>(rows.size()));
  U32(0);  // DIB_RGB_COLORS
  U32(kSrcCopy);
  I32(dest.right - dest.left);
  I32(dest.bottom - dest.top);
  U32(40);
  I32(width);
  I32(height);
  U16(1);
  U16(24);
  U32(0);
  U32(static_cast<std::uint32_t>(rows.size()));
  I32(kBmpPixelsPerMetre);
  I32(kBmpPixelsPerMetre);
  U32(0);
  U32(0);
  bytes_.insert(bytes_.end(), rows.begin(), rows.end());
  End();
  Extend(box);
}

std::vector<std::uint8_t> EmfRecordWriter::Finish() {
  if (!finished_) {
    Begin(kEmrEof);
    U32(0);   // palette entries
    U32(16);  // offset of the (empty) palette
    U32(20);  // size of this record, repeated last
    End();
    finished_ = true;

    // Frame in 0.01 mm from the pixel bounds and the reference device.
    const double kx = 100.0 * device_.widthMm / device_.widthPixels;
    const double ky = 100.0 * device_.heightMm / device_.heightPixels;
    EmfRect frame{0, 0, -1, -1};
    if (bounds_.left <= bounds_.right) {
      frame.left = ToEmfCoordinate(std::round(bounds_.left * kx));
      frame.top = ToEmfCoordinate(std::round(bounds_.top * ky));
      frame.right = ToEmfCoordinate(std::round(bounds_.right * kx));
      frame.bottom = ToEmfCoordinate(std::round(bounds_.bottom * ky));
    }
    const EmfRect bounds = bounds_.left <= bounds_.right ? bounds_ : EmfRect{0, 0, -1, -1};
    const std::uint64_t total = spilled_ + bytes_.size();
    std::vector<std::uint8_t> saved;
    saved.swap(bytes_);
    // Header body after type and size.
    Rect(bounds);
    Rect(frame);
    U32(kSignature);
    U32(kVersion);
    U32(static_cast<std::uint32_t>(total));
    U32(records_);
    U16(static_cast<std::uint16_t>(handleHighWater_));
    U16(0);
    U32(static_cast<std::uint32_t>(description_.size()));
    U32(description_.empty() ? 0 : static_cast<std::uint32_t>(kHeaderFixedSize));
    U32(0);  // palette entries
    I32(device_.widthPixels);
    I32(device_.heightPixels);
    I32(device_.widthMm);
    I32(device_.heightMm);
    U32(0);  // no pixel format
    U32(0);
    U32(0);  // not OpenGL
    U32(static_cast<std::uint32_t>(device_.widthMm) * 1000);
    U32(static_cast<std::uint32_t>(device_.heightMm) * 1000);
    if (spilled_ == 0) {
      std::memcpy(saved.data() + 8, bytes_.data(), bytes_.size());
      bytes_.swap(saved);
    } else {
      // The header went out with the first records; it is written over.
      const std::vector<std::uint8_t> header = std::move(bytes_);
      bytes_ = std::move(saved);
      Spill();
      const std::string_view body(reinterpret_cast<const char*>(header.data()), header.size());
      if (!sink_->writeAt(8, body)) streamFailed_ = true;
    }
    if (sink_ && !bytes_.empty()) Spill();
  }
  return bytes_;
}

}  // namespace plicora
