// The metafile device: what QPainter draws must come out as a well-framed
// EMF that other programs can read (header totals, handle table, object
// lifetimes, text records).

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <map>
#include <set>

#include "EmfTestReader.h"
#include "TestSupport.h"
#include "render/export/EmfPaintDevice.h"

namespace plicora {
namespace {

test::EmfFile DrawSample(EmfPaintDevice& device) {
  QPainter p(&device);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(10, 20), QPointF(400, 20));
  p.setPen(QPen(QColor(10, 20, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(200, 100, 50));
  const QPointF triangle[3] = {{50, 50}, {150, 50}, {100, 120}};
  p.drawPolygon(triangle, 3);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::red, 2, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
  QPainterPath path;
  path.moveTo(0, 200);
  path.lineTo(100, 250);
  path.lineTo(200, 200);
  p.drawPath(path);
  p.save();
  p.translate(300, 300);
  p.rotate(-90);
  p.setPen(Qt::blue);
  QFont font("Arial");
  font.setPixelSize(20);
  p.setFont(font);
  p.drawText(QPointF(0, 0), "12");
  p.restore();
  p.end();
  return test::ParseEmf(device.bytes().toStdString());
}

TEST(EmfPaintDevice, RecordsAreFramedAndTheHeaderCountsThem) {
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("sample.emf"));
  EmfPaintDevice device(path, "VorlanZ", 96.0);
  ASSERT_TRUE(device.isValid());
  const test::EmfFile emf = DrawSample(device);
  ASSERT_EQ(emf.error, "");
  EXPECT_EQ(test::ReadFile(path.toStdString()), emf.bytes) << "file and memory copy differ";

  ASSERT_GE(emf.records.size(), 3u);
  EXPECT_EQ(emf.records.front().type, 1u);
  EXPECT_EQ(emf.U32(40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(emf.U32(44), 0x10000u);
  EXPECT_EQ(emf.U32(48), emf.bytes.size());
  EXPECT_EQ(emf.U32(52), emf.records.size());
  EXPECT_EQ(emf.records.back().type, 14u);
  EXPECT_EQ(emf.records.back().size, 20u);
  EXPECT_EQ(emf.U32(emf.bytes.size() - 4), 20u);

  // Description: the application name and an empty picture name.
  ASSERT_EQ(emf.U32(60), 9u);
  ASSERT_EQ(emf.U32(64), 108u);
  EXPECT_EQ(emf.Text(108, 9), std::u16string(u"VorlanZ\0\0", 9));

  // Reference device at 96 dpi and the frame in 0.01 mm from the bounds.
  EXPECT_EQ(emf.I32(72), 1920);
  EXPECT_EQ(emf.I32(76), 1440);
  EXPECT_EQ(emf.I32(80), 508);
  EXPECT_EQ(emf.I32(84), 381);
  EXPECT_LE(emf.I32(8), 0);  // the path starts at x = 0
  EXPECT_GE(emf.I32(16), 400);
  EXPECT_LE(emf.I32(12), 20);
  EXPECT_GE(emf.I32(20), 300);
  EXPECT_NEAR(emf.I32(32), emf.I32(16) * 2540.0 / 96.0, 1.0);
  EXPECT_NEAR(emf.I32(36), emf.I32(20) * 2540.0 / 96.0, 1.0);
}

TEST(EmfPaintDevice, ObjectsAreCreatedSelectedAndDeletedConsistently) {
  EmfPaintDevice device("VorlanZ", 96.0);
  const test::EmfFile emf = DrawSample(device);
  ASSERT_EQ(emf.error, "");
  const std::uint32_t handles = emf.U16(56);
  std::set<std::uint32_t> live;
  std::map<std::uint32_t, std::uint32_t> kindOf;    // handle -> creating record type
  std::map<std::uint32_t, std::uint32_t> selected;  // kind -> handle
  auto kindFamily = [](std::uint32_t type) { return type == 95 ? 38u : type; };
  int created = 0;
  for (const test::EmfRecord& r : emf.records) {
    const std::uint32_t h = emf.U32(r.offset + 8);
    if (r.type == 38 || r.type == 39 || r.type == 82 || r.type == 95) {
      ++created;
      EXPECT_GE(h, 1u);
      EXPECT_LT(h, handles);
      EXPECT_TRUE(live.insert(h).second) << "handle " << h << " reused while alive";
      kindOf[h] = kindFamily(r.type);
    } else if (r.type == 37 && !(h & 0x80000000u)) {
      ASSERT_TRUE(live.count(h)) << "selecting a dead handle " << h;
      selected[kindOf[h]] = h;
    } else if (r.type == 37) {
      const std::uint32_t stock = h & 0x7FFFFFFFu;
      const std::uint32_t kind = stock <= 5 ? 39u : (stock <= 8 ? 38u : 82u);
      selected[kind] = 0;
    } else if (r.type == 40) {
      ASSERT_TRUE(live.count(h)) << "deleting a dead handle " << h;
      EXPECT_NE(selected[kindOf[h]], h) << "deleting the selected object " << h;
      live.erase(h);
    }
  }
  EXPECT_GE(created, 4);
  EXPECT_TRUE(live.empty()) << live.size() << " objects never deleted";

  // The thick round pen keeps its width; the dashed one is an extended pen.
  bool sawWidth3 = false;
  for (const test::EmfRecord& r : emf.OfType(38)) sawWidth3 |= emf.I32(r.offset + 16) == 3;
  EXPECT_TRUE(sawWidth3);
  ASSERT_EQ(emf.OfType(95).size(), 1u);
  const std::size_t pen = emf.OfType(95)[0].offset;
  EXPECT_EQ(emf.U32(pen + 28) & 0x000F000Fu, 0x10007u);  // geometric, user style
  EXPECT_EQ(emf.U32(pen + 32), 2u);
  EXPECT_EQ(emf.U32(pen + 36 + 4), 0xFFu);  // red
}

TEST(EmfPaintDevice, TurnedTextKeepsItsStringFaceAndEscapement) {
  EmfPaintDevice device("VorlanZ", 96.0);
  const test::EmfFile emf = DrawSample(device);
  ASSERT_EQ(emf.Texts(), std::vector<std::u16string>{u"12"});
  const std::size_t text = emf.OfType(84)[0].offset;
  EXPECT_EQ(emf.I32(text + 36), 300);  // reference point
  EXPECT_EQ(emf.I32(text + 40), 300);
  const std::size_t dx = text + emf.U32(text + 72);
  EXPECT_GT(emf.I32(dx), 5);
  const auto fonts = emf.OfType(82);
  ASSERT_EQ(fonts.size(), 1u);
  const std::size_t font = fonts[0].offset;
  EXPECT_EQ(fonts[0].size, 332u);
  EXPECT_EQ(emf.I32(font + 12), -20);  // character height
  EXPECT_EQ(emf.I32(font + 20), 900);  // counter-clockwise quarter turn
  EXPECT_EQ(emf.Text(font + 40, 6), std::u16string(u"Arial\0", 6));
  // Baseline alignment and the pen colour as text colour come before it.
  bool baseline = false, blue = false, transparent = false;
  for (const test::EmfRecord& r : emf.records) {
    if (r.offset > text) break;
    if (r.type == 22) baseline = emf.U32(r.offset + 8) == 24;
    if (r.type == 24) blue = emf.U32(r.offset + 8) == 0xFF0000u;
    if (r.type == 18) transparent = emf.U32(r.offset + 8) == 1;
  }
  EXPECT_TRUE(baseline && blue && transparent);
}

TEST(EmfPaintDevice, DirectTextUsesTheGivenFontFields) {
  EmfPaintDevice device("Plicora Designer", 96.0);
  QPainter p(&device);
  EmfFont font;
  font.height = 47;
  font.faceName = std::u16string(40, u'x');
  device.SetTextColor(0x0000FFu);
  device.TextOut(font, EmfPoint{-5, 70}, QString::fromUtf8("\xE3\x83\x86 label"));
  p.end();
  const test::EmfFile emf = test::ParseEmf(device.bytes().toStdString());
  ASSERT_EQ(emf.error, "");
  EXPECT_EQ(emf.U32(60), 18u);
  const std::size_t f = emf.OfType(82).at(0).offset;
  EXPECT_EQ(emf.I32(f + 12), 47);
  EXPECT_EQ(emf.I32(f + 28), 400);
  EXPECT_EQ(static_cast<unsigned char>(emf.bytes[f + 35]), 1);  // default character set
  EXPECT_EQ(emf.Text(f + 40, 32), std::u16string(31, u'x') + std::u16string(1, u'\0'));
  EXPECT_EQ(emf.Texts(), std::vector<std::u16string>{u"\u30C6 label"});
  // A text whose reference lies left of the origin widens the bounds there.
  EXPECT_LT(emf.I32(8), 0);
}

TEST(EmfPaintDevice, UnwritablePathIsReported) {
  EmfPaintDevice device("/nonexistent-folder/x.emf", "VorlanZ", 96.0);
  EXPECT_FALSE(device.isValid());
}

}  // namespace
}  // namespace plicora
