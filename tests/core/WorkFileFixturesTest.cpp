#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/model/MeshTopology.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

// One row of the fixtures' README: "| name.plc | 1 solids, 6 faces, ... | ...".
struct FixtureRow {
  std::string file;
  bool refused = false;
  int solids = 0, faces = 0, parts = 0, materials = 0, textures = 0, texts = 0, edges = 0;
};

std::vector<FixtureRow> FixtureRows() {
  std::ifstream readme(test::FixturePath("README.md"));
  std::vector<FixtureRow> rows;
  std::string line;
  while (std::getline(readme, line)) {
    char name[256] = {};
    FixtureRow row;
    int used = 0;
    if (std::sscanf(line.c_str(), "| %255s | %n", name, &used) != 1 || used == 0) continue;
    row.file = name;
    if (row.file.size() < 4 || row.file.substr(row.file.size() - 4) != ".plc") continue;
    const char* rest = line.c_str() + used;
    if (std::sscanf(rest, "%d solids, %d faces, %d parts, %d materials, %d textures, %d texts, %d edges", &row.solids,
                    &row.faces, &row.parts, &row.materials, &row.textures, &row.texts, &row.edges) == 7) {
      rows.push_back(row);
    } else if (std::string(rest).rfind("result 3", 0) == 0) {
      row.refused = true;
      rows.push_back(row);
    }
  }
  return rows;
}

// Every value the reader stores, as text, for comparing two readings.
std::string DescribeReading(const Model& m, const Settings& s, int result) {
  std::ostringstream out;
  out.precision(17);
  out << result << ' ' << m.totalFaces << ' ' << m.devScale << ' ' << m.modelScale << ' ' << m.hasUV << ' '
      << s.iAngleEps << ' ' << s.iPageType << ' ' << s.bDrawFlap << '\n';
  auto index = [](const HalfEdge* h) { return h ? static_cast<long long>(h->index) : -1LL; };
  for (const Solid& solid : m.solids) {
    out << solid.name << ' ' << solid.selected << '\n';
    for (const Vertex& v : solid.vertices) out << v.x << ' ' << v.y << ' ' << v.z << '\n';
    for (const Face& f : solid.faces) {
      out << f.materialIndex << ' ' << f.partIndex << ' ' << (f.part != nullptr);
      for (double d : f.plane) out << ' ' << d;
      for (const HalfEdge* h : f.ring)
        out << " [" << h->vertex->x << ' ' << h->devPos.x << ' ' << h->devPos.y << ' ' << h->uv.u << ' ' << h->uv.v
            << ' ' << h->hasFlap << h->isOutline << ' ' << h->flapWidth << ' ' << h->index << ' ' << index(h->next)
            << ' ' << index(h->partner) << ' ' << index(h->devPartner) << ']';
      out << '\n';
    }
    for (const Edge& e : solid.edges)
      out << index(e.halfA) << ' ' << index(e.halfB) << ' ' << e.vertexA->x << ' ' << e.vertexB->x << ' ' << e.type
          << ' ' << e.convex << '\n';
  }
  for (const Part& p : m.parts)
    out << p.offsetX << ' ' << p.offsetY << ' ' << p.width << ' ' << p.height << ' ' << p.faces.size() << '\n';
  for (const Material& mat : m.materials)
    out << mat.name << ' ' << mat.diffuse[0] << ' ' << mat.hasTexture << ' ' << (mat.image ? mat.image->width : -1)
        << '\n';
  for (const TextLabel& t : m.texts) out << t.text << ' ' << t.x << ' ' << t.fontSize << ' ' << t.color << '\n';
  return out.str();
}

// Splitting the tokens off on a second thread changes nothing read, in good
// files and in damaged ones.
TEST(WorkFileFixturesTest, TokensReadAheadGiveTheSameModel) {
  std::vector<std::string> paths;
  for (const FixtureRow& row : FixtureRows()) paths.push_back(test::FixturePath(row.file));
  for (const auto& entry : std::filesystem::directory_iterator(test::FixturePath("damaged")))
    if (entry.path().extension() == ".plc") paths.push_back(entry.path().string());
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  auto read = [](const std::string& path, std::size_t threshold) {
    SetReadAheadThreshold(threshold);
    Model model;
    Settings settings;
    const int result = ReadWorkFile(path, model, settings);
    return DescribeReading(model, settings, result);
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const std::string plain = read(path, SIZE_MAX);
    EXPECT_EQ(read(path, 0), plain);
  }
  SetReadAheadThreshold(std::size_t{1} << 20);
}

TEST(WorkFileFixturesTest, CountsMatchTheTable) {
  const auto rows = FixtureRows();
  ASSERT_GE(rows.size(), 25u);
  for (const FixtureRow& row : rows) {
    SCOPED_TRACE(row.file);
    Model model;
    Settings settings;
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    const int result = ReadWorkFile(test::FixturePath(row.file), model, settings);
    if (row.refused) {
      EXPECT_EQ(result, kReadRefused);
      EXPECT_EQ(sink.messages.size(), 1u);
      continue;
    }
    ASSERT_EQ(result, kReadOk);
    MeasureModel(model);
    long long edges = 0, faces = 0;
    for (const Solid& s : model.solids) {
      edges += static_cast<long long>(s.edges.size());
      faces += static_cast<long long>(s.faces.size());
    }
    const ModelInfoCounts counts = CountModelInfo(model);
    EXPECT_EQ(static_cast<int>(model.solids.size()), row.solids);
    EXPECT_EQ(model.totalFaces, row.faces);
    EXPECT_EQ(faces, row.faces);
    EXPECT_EQ(static_cast<int>(model.parts.size()), row.parts);
    EXPECT_EQ(static_cast<int>(model.materials.size()), row.materials);
    EXPECT_EQ(counts.textureImages, row.textures);
    EXPECT_EQ(static_cast<int>(model.texts.size()), row.texts);
    EXPECT_EQ(edges, row.edges);
    EXPECT_GT(model.meanEdgeLength, 0.0);
  }
}

TEST(WorkFileFixturesTest, SelectedDetails) {
  Settings settings;
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);

  Model labels;
  ASSERT_EQ(ReadWorkFile(test::FixturePath("crlf_labels_sjis.plc"), labels, settings), kReadOk);
  ASSERT_EQ(labels.texts.size(), 4u);
  // CR LF line ends: the CR belongs to the line break, not to the field.
  EXPECT_EQ(labels.texts[0].fontName, kMsGothicFaceName);
  EXPECT_EQ(labels.texts[0].text, "Cube pattern");
  EXPECT_EQ(labels.texts[1].color, 255u);
  EXPECT_EQ(labels.solids[0].name, "Cube");

  Model info;
  Settings changed;
  ASSERT_EQ(ReadWorkFile(test::FixturePath("info_all_keys_changed.plc"), info, changed), kReadOk);
  EXPECT_EQ(changed.iPageType, 5);
  EXPECT_EQ(changed.paperWidth, 35.3);
  EXPECT_EQ(changed.iAngleEps, 170);
  EXPECT_FALSE(changed.bCullEdge);
  EXPECT_TRUE(changed.bDrawWhiteBkLine);
  EXPECT_EQ(changed.scaleProduct, info.devScale * info.modelScale);

  Model square;
  ASSERT_EQ(ReadWorkFile(test::FixturePath("open_square.plc"), square, settings), kReadOk);
  MeasureModel(square);
  for (const Edge& e : square.solids[0].edges) EXPECT_EQ(e.type, 5);

  Model sizes;
  Settings large;
  large.maxTextureSize = 16384;
  ASSERT_EQ(ReadWorkFile(test::FixturePath("texture_sizes.plc"), sizes, large), kReadOk);
  ASSERT_EQ(sizes.materials.size(), 5u);
  EXPECT_EQ(sizes.materials[4].image->width, 4096);
  EXPECT_EQ(sizes.materials[2].image->height, 5);
  EXPECT_TRUE(sink.messages.empty());
}

// Every damaged file reads to an end without a crash, an unbounded
// allocation or a read out of bounds (the sanitizer build checks the last two).
TEST(WorkFileFixturesTest, DamagedFilesReadSafely) {
  const std::filesystem::path dir = test::FixturePath("damaged");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".plc") continue;
    ++files;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    Model model;
    Settings settings;
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    const int result = ReadWorkFile(entry.path().string(), model, settings);
    // Damage that left no "version" keyword leaves no work file.
    const bool noVersion = test::ReadFile(entry.path().string()).find("version") == std::string::npos;
    EXPECT_EQ(result, name == "version_only.plc" ? kReadFailed : (noVersion ? kReadNoVersion : kReadOk));
    MeasureModel(model);
    EXPECT_LE(model.solids.size(), 2u + kMaxSolidsPastEnd);
    for (const Solid& s : model.solids) {
      // What a huge count reads is bounded by the file's own size.
      EXPECT_LE(s.vertices.size(), 1000u);
      EXPECT_LE(s.faces.size(), 1000u);
      for (const Edge& e : s.edges) {
        EXPECT_NE(e.vertexA, nullptr);
        EXPECT_NE(e.vertexB, nullptr);
      }
    }
    EXPECT_LE(model.parts.size(), 100u);
    EXPECT_LE(model.materials.size(), 100u);
    EXPECT_LE(model.texts.size(), 100u);
    for (const Material& m : model.materials) {
      if (!m.image) continue;
      EXPECT_EQ(m.image->pixels.size(), static_cast<std::size_t>(m.image->width) * m.image->height * 3);
      EXPECT_LE(m.image->pixels.size(), 64u * 64u * 3u);
    }
    if (name.rfind("texsize_", 0) == 0) {
      // Only the empty image of a side of 0 is kept.
      for (const Material& m : model.materials) EXPECT_TRUE(!m.image || m.image->pixels.empty());
    }
  }
  EXPECT_GE(files, 80);
}

}  // namespace
}  // namespace plicora
