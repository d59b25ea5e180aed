#include <gtest/gtest.h>

#include <string>

#include "WorkFileTestSupport.h"
#include "core/model/MeshTopology.h"

namespace plicora {
namespace {

using test::CubeSolid;
using test::ReadWorkBytes;
using test::SquareSolid;

const char* const kTooOld = "This file is not supported in this application. Too old2:new version.";
const char* const kTooNew =
    "This file is not supported in this application. Too newer version.\nWe recommend you to upgrade the application.";
const char* const kNewer =
    "New version file. This application may not be able to read some information.\n"
    "We recommend you to upgrade the application.";

std::string WithSolids(const std::string& bodies, int count = 1) {
  return "version 2\nsolids " + std::to_string(count) + "\n" + bodies;
}

TEST(WorkFileReaderTest, ResultCodes) {
  auto empty = ReadWorkBytes("version 2\nend\n");
  EXPECT_EQ(empty.result, kReadOk);
  EXPECT_TRUE(empty.model->solids.empty());
  EXPECT_TRUE(empty.model->loaded);
  EXPECT_TRUE(empty.messages.empty());

  // Without a "version" keyword the bytes are no work file at all.
  EXPECT_EQ(ReadWorkBytes("").result, kReadNoVersion);
  EXPECT_EQ(ReadWorkBytes("solids 0\nmodel 1 1 1 0 0 0\nend\n").result, kReadNoVersion);
  EXPECT_EQ(ReadWorkBytes("# version 2 in a comment\nend\n").result, kReadNoVersion);
  EXPECT_EQ(ReadWorkBytes("version").result, kReadFailed);
  EXPECT_EQ(ReadWorkBytes("version \n\n").result, kReadFailed);
  EXPECT_EQ(ReadWorkBytes("version 2").result, kReadOk);

  Model model;
  Settings settings;
  EXPECT_EQ(ReadWorkFile("/nonexistent/dir/file.plc", model, settings), kReadFailed);
  test::TempDir dir;
  EXPECT_EQ(ReadWorkFile(dir.path(), model, settings), kReadFailed);
}

TEST(WorkFileReaderTest, VersionChecks) {
  auto newer = ReadWorkBytes("version 3 min_version 2\nmodel 1 2 3 -1 -2 -3\nend\n");
  EXPECT_EQ(newer.result, kReadOk);
  ASSERT_EQ(newer.messages.size(), 1u);
  EXPECT_EQ(newer.messages[0], kNewer);
  EXPECT_EQ(newer.model->boxMax.y, 2.0);
  EXPECT_EQ(newer.model->boxMin.z, -3.0);

  // A keyword right after the version number is handled as usual.
  auto direct = ReadWorkBytes("version 2 model 1 2 3 4 5 6");
  EXPECT_EQ(direct.model->boxMin.x, 4.0);

  for (const char* text :
       {"version 3\nmodel 1 2 3 4 5 6\n", "version 2 min_version 3\n", "version 3 min_version 0\n"}) {
    auto refused = ReadWorkBytes(text);
    EXPECT_EQ(refused.result, kReadRefused) << text;
    ASSERT_EQ(refused.messages.size(), 1u) << text;
    EXPECT_EQ(refused.messages[0], kTooNew);
    EXPECT_EQ(refused.model->boxMax.x, -1.7976931348623157e308);
  }
  auto old = ReadWorkBytes("version 1 min_version 1\n");
  EXPECT_EQ(old.result, kReadRefused);
  ASSERT_EQ(old.messages.size(), 1u);
  EXPECT_EQ(old.messages[0], kTooOld);

  // No version at all: read without a check.
  EXPECT_EQ(ReadWorkBytes("model 1 1 1 0 0 0\n").model->boxMax.x, 1.0);
}

TEST(WorkFileReaderTest, CommentsAtTopLevelOnly) {
  auto out = ReadWorkBytes("# solids 9 model 5 5 5 5 5 5\nversion 2\n#model 7 7 7 7 7 7\n" + std::string("solids 1\n") +
                           "solid\nA\n1\n# vertices 2 1 1 1 2 2 2\nvertices 1\n3 3 3\nfaces 0\nedges 0\nend\n");
  EXPECT_EQ(out.result, kReadOk);
  EXPECT_EQ(out.model->boxMax.x, -1.7976931348623157e308);
  ASSERT_EQ(out.model->solids.size(), 1u);
  // Inside the body the comment's words are only tokens: its "vertices" counts.
  ASSERT_EQ(out.model->solids[0].vertices.size(), 2u);
  EXPECT_EQ(out.model->solids[0].vertices[0].x, 1.0);

  // A comment skips at most 512 characters; the rest of its line is read.
  // (counted from the end of the "#" token).
  auto longComment = ReadWorkBytes("# " + std::string(511, 'x') + " model 1 2 3 4 5 6\n");
  EXPECT_EQ(longComment.model->boxMax.x, 1.0);
  auto cutWord = ReadWorkBytes("# " + std::string(508, 'x') + " model 1 2 3 4 5 6\n");
  EXPECT_NE(cutWord.model->boxMax.x, 1.0);
}

TEST(WorkFileReaderTest, KeywordChainSeesTheLastCount) {
  // The count token takes the keyword's place: "end" as a count ends the file.
  auto out = ReadWorkBytes("version 2\nmaterials end\nmodel 1 1 1 1 1 1\n");
  EXPECT_EQ(out.result, kReadOk);
  EXPECT_TRUE(out.model->materials.empty());
  EXPECT_EQ(out.model->boxMax.x, -1.7976931348623157e308);
  // An unknown token at the top level is skipped one at a time.
  EXPECT_EQ(ReadWorkBytes("hello world model 1 2 3 4 5 6").model->boxMax.z, 3.0);
}

TEST(WorkFileReaderTest, SolidBody) {
  auto out = ReadWorkBytes(WithSolids(SquareSolid("My square")) + "end\n");
  ASSERT_EQ(out.model->solids.size(), 1u);
  const Solid& s = out.model->solids[0];
  EXPECT_EQ(s.name, "My square");
  EXPECT_TRUE(s.selected);
  EXPECT_EQ(s.vertices.size(), 4u);
  ASSERT_EQ(s.faces.size(), 1u);
  const Face& f = s.faces[0];
  EXPECT_EQ(f.solid, &s);
  EXPECT_EQ(f.plane[2], 1.0);
  ASSERT_EQ(f.ring.size(), 4u);
  EXPECT_EQ(f.ring[1]->devPos.x, 1.0);
  EXPECT_EQ(f.ring[0]->next, f.ring[1]);
  EXPECT_EQ(PrevOf(*f.ring[0]), f.ring[3]);
  EXPECT_EQ(f.ring[2]->face, &f);
  EXPECT_EQ(FaceRefPoint(f).x, 0.5);
  EXPECT_EQ(FaceRefPoint(f).y, 0.5);
  for (const HalfEdge* h : f.ring) EXPECT_TRUE(h->hasUv);
  ASSERT_EQ(s.edges.size(), 4u);
  EXPECT_EQ(s.edges[1].halfA, f.ring[1]);
  EXPECT_EQ(s.edges[1].halfB, nullptr);
  EXPECT_EQ(f.ring[1]->edge, &s.edges[1]);
  EXPECT_EQ(out.model->totalFaces, 1);

  // Corner fields in their order: vertex, devPos x y, u, v, flap, outline, flap width.
  auto corners =
      ReadWorkBytes(WithSolids("solid\nC\n0\nvertices 3\n0 0 0\n1 0 0\n0 1 0\nfaces 1\n"
                               "2 -1 0 0 1 0 3\n0 1.5 2.5 0.25 0.75 1 0 0.3\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"));
  const Solid& c = corners.model->solids[0];
  EXPECT_FALSE(c.selected);
  const HalfEdge& h = *c.faces[0].ring[0];
  EXPECT_EQ(h.devPos.x, 1.5);
  EXPECT_EQ(h.devPos.y, 2.5);
  EXPECT_EQ(h.uv.u, 0.25);
  EXPECT_EQ(h.uv.v, 0.75);
  EXPECT_TRUE(h.hasFlap);
  EXPECT_FALSE(h.isOutline);
  EXPECT_EQ(h.flapWidth, 0.3);
  EXPECT_EQ(c.faces[0].materialIndex, 2);
}

TEST(WorkFileReaderTest, RepeatedCornersAreDropped) {
  // Vertices 1, 2, 1, 3 keep 1, 2, 3; a twice-in-a-row corner keeps the first;
  // vertex 4 sits where vertex 0 is (distance 0) and counts as the same.
  auto out =
      ReadWorkBytes(WithSolids("solid\nR\n1\nvertices 5\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 0\nfaces 2\n"
                               "-1 -1 0 0 1 0 4\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n3 0 0 0 0 0 1 0\n"
                               "-1 -1 0 0 1 0 5\n0 0 0 0 0 0 1 0\n1 9 0 0 0 0 1 0\n1 8 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
                               "4 0 0 0 0 0 1 0\n"));
  const Solid& s = out.model->solids[0];
  ASSERT_EQ(s.faces[0].ring.size(), 3u);
  EXPECT_EQ(s.faces[0].ring[0]->vertex, &s.vertices[1]);
  EXPECT_EQ(s.faces[0].ring[1]->vertex, &s.vertices[2]);
  EXPECT_EQ(s.faces[0].ring[2]->vertex, &s.vertices[3]);
  ASSERT_EQ(s.faces[1].ring.size(), 3u);
  EXPECT_EQ(s.faces[1].ring[1]->devPos.x, 9.0);
  EXPECT_EQ(s.faces[1].ring[2]->vertex, &s.vertices[2]);
  EXPECT_EQ(s.faces[1].ring[2]->next, s.faces[1].ring[0]);
}

TEST(WorkFileReaderTest, EdgeFlagsAndLinks) {
  const std::string two =
      "solid\nT\n1\nvertices 4\n0 0 0\n1 0 0\n0 1 0\n1 1 0\nfaces 2\n"
      "-1 -1 0 0 1 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "-1 -1 0 0 1 0 3\n1 0 0 0 0 0 1 0\n3 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "edges 3\n0 1 1 2 21 1\n1 -1 3 2 6 0\n0 -1 2 0 16 0\n";
  auto out = ReadWorkBytes(WithSolids(two));
  Solid& s = out.model->solids[0];
  ASSERT_EQ(s.edges.size(), 3u);
  const Edge& shared = s.edges[0];
  EXPECT_TRUE(shared.convex);
  EXPECT_EQ(shared.type, 5);
  ASSERT_NE(shared.halfA, nullptr);
  ASSERT_NE(shared.halfB, nullptr);
  EXPECT_EQ(shared.halfA->vertex, &s.vertices[1]);
  EXPECT_EQ(shared.halfB->vertex, &s.vertices[2]);
  EXPECT_EQ(shared.halfA->partner, shared.halfB);
  EXPECT_EQ(shared.halfB->partner, shared.halfA);
  EXPECT_EQ(shared.halfA->devPartner, shared.halfB);
  EXPECT_EQ(shared.halfB->devPartner, shared.halfA);
  EXPECT_FALSE(s.edges[1].convex);
  EXPECT_EQ(s.edges[1].type, 6);
  EXPECT_EQ(s.edges[1].halfB, nullptr);
  EXPECT_EQ(s.edges[1].halfA->partner, nullptr);
  EXPECT_TRUE(s.edges[2].convex);
  EXPECT_EQ(s.edges[2].type, 0);
  MeasureModel(*out.model);
  EXPECT_EQ(s.edges[2].type, 5);  // one-sided after measuring
  EXPECT_TRUE(s.edges[2].convex);
  EXPECT_EQ(s.edges[0].dihedral, 180.0);
}

TEST(WorkFileReaderTest, EdgesOnALongPolygon) {
  // A 100-gon whose vertex 0 appears twice in the ring: edges find the first
  // corner of their vertex.
  std::string body = "solid\nL\n1\nvertices 100\n";
  for (int i = 0; i < 100; ++i) body += std::to_string(i) + " " + std::to_string(i * i) + " 0\n";
  body += "faces 1\n-1 -1 0 0 1 0 102\n";
  for (int i = 0; i < 100; ++i) body += std::to_string(i) + " 0 0 0 0 0 1 0\n";
  body += "0 0 0 0 0 0 1 0\n50 0 0 0 0 0 1 0\n";  // back at the start: dropped; then 50 again
  body += "edges 3\n0 -1 0 1 0 0\n0 -1 50 51 0 0\n0 -1 99 0 0 0\n";
  auto out = ReadWorkBytes(WithSolids(body));
  const Solid& s = out.model->solids[0];
  ASSERT_EQ(s.faces[0].ring.size(), 101u);
  ASSERT_EQ(s.edges.size(), 3u);
  EXPECT_EQ(s.edges[0].halfA, s.faces[0].ring[0]);
  EXPECT_EQ(s.edges[1].halfA, s.faces[0].ring[50]);
  EXPECT_EQ(s.edges[2].halfA, s.faces[0].ring[99]);
  EXPECT_EQ(s.faces[0].ring[99]->edge, &s.edges[2]);
}

TEST(WorkFileReaderTest, IndicesThatNameNothing) {
  const std::string body =
      "solid\nI\n1\nvertices 3\n0 0 0\n1 0 0\n0 1 0\nfaces 2\n"
      "7 99 0 0 1 0 4\n0 0 0 0 0 0 1 0\n99999 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "-5 -3 0 0 1 0 3\n-5 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "edges 4\n99999 0 0 1 0 0\n0 -7 1 2 0 0\n0 1 123456 2 0 0\n0 1 2 -1 0 0\n";
  auto out = ReadWorkBytes(WithSolids(body) + "parts 2\n42 1 2 3 4\n-1 0 0 0 0\n");
  const Solid& s = out.model->solids[0];
  ASSERT_EQ(s.faces[0].ring.size(), 3u);  // the corner naming vertex 99999 is left out
  EXPECT_EQ(s.faces[1].ring.size(), 2u);
  ASSERT_EQ(s.edges.size(), 2u);  // edges naming no vertex are left out
  EXPECT_EQ(s.edges[0].halfA, nullptr);
  ASSERT_NE(s.edges[0].halfB, nullptr);
  EXPECT_EQ(s.edges[0].halfB->vertex, &s.vertices[1]);
  EXPECT_NE(s.edges[1].halfA, nullptr);
  EXPECT_EQ(s.edges[1].halfB, nullptr);
  ASSERT_EQ(out.model->parts.size(), 2u);
  EXPECT_EQ(out.model->parts[0].solid, nullptr);
  EXPECT_EQ(out.model->parts[0].offsetX, 1.0);
  EXPECT_EQ(out.model->parts[1].solid, nullptr);
  EXPECT_EQ(s.faces[0].part, nullptr);
  EXPECT_EQ(s.faces[1].part, nullptr);
  EXPECT_EQ(&out.model->MaterialOf(s.faces[0].materialIndex), &out.model->defaultMaterial);
  MeasureModel(*out.model);  // nothing dangling to measure
}

TEST(WorkFileReaderTest, PartsAttachFacesRead) {
  const std::string body =
      "solid\nP\n1\nvertices 3\n0 0 0\n1 0 0\n0 1 0\nfaces 3\n"
      "-1 1 0 0 1 0 0\n-1 0 0 0 1 0 0\n-1 1 0 0 1 0 0\nedges 0\n";
  auto out = ReadWorkBytes(WithSolids(body) + "parts 2\n0 0.5 0.25 3 4\n0 0 0 0 0\n");
  const Model& m = *out.model;
  ASSERT_EQ(m.parts.size(), 2u);
  EXPECT_EQ(m.parts[0].solid, &m.solids[0]);
  EXPECT_EQ(m.parts[0].offsetY, 0.25);
  EXPECT_EQ(m.parts[0].height, 4.0);
  ASSERT_EQ(m.parts[1].faces.size(), 2u);
  EXPECT_EQ(m.parts[1].faces[0], &m.solids[0].faces[0]);
  EXPECT_EQ(m.parts[1].faces[1], &m.solids[0].faces[2]);
  EXPECT_EQ(m.solids[0].faces[1].part, &m.parts[0]);

  // A face naming a part that a later section brings is attached then; one
  // already attached is not attached twice.
  auto later = ReadWorkBytes(WithSolids(body) + "parts 1\n0 0 0 0 0\nparts 1\n0 0 0 0 0\n");
  ASSERT_EQ(later.model->parts.size(), 2u);
  EXPECT_EQ(later.model->parts[0].faces.size(), 1u);
  ASSERT_EQ(later.model->parts[1].faces.size(), 2u);
  EXPECT_EQ(later.model->parts[1].faces[1], &later.model->solids[0].faces[2]);

  auto before = ReadWorkBytes("version 2\nparts 1\n0 0 0 1 1\nsolids 1\n" + body);
  ASSERT_EQ(before.model->parts.size(), 1u);
  EXPECT_EQ(before.model->parts[0].solid, nullptr);
  EXPECT_TRUE(before.model->parts[0].faces.empty());
  EXPECT_EQ(before.model->solids[0].faces[1].part, nullptr);
}

TEST(WorkFileReaderTest, TruncatedFiles) {
  // Declared objects beyond the end of the file are there, empty and unselected.
  auto solids = ReadWorkBytes(WithSolids(SquareSolid(), 3));
  ASSERT_EQ(solids.model->solids.size(), 3u);
  EXPECT_TRUE(solids.model->solids[0].selected);
  EXPECT_FALSE(solids.model->solids[2].selected);
  EXPECT_TRUE(solids.model->solids[2].name.empty());
  EXPECT_TRUE(solids.model->solids[2].faces.empty());

  // The declared face count counts even when the faces are not there.
  auto faces = ReadWorkBytes(WithSolids("solid\nF\n1\nvertices 3\n0 0 0\n1 0 0\n0 1 0\nfaces 5\n-1 0 0 0 1 0 3\n0"));
  EXPECT_EQ(faces.result, kReadOk);
  EXPECT_EQ(faces.model->totalFaces, 5);
  ASSERT_EQ(faces.model->solids[0].faces.size(), 1u);
  EXPECT_EQ(faces.model->solids[0].faces[0].ring.size(), 1u);

  // Huge counts in a small file allocate nothing large.
  auto huge = ReadWorkBytes("version 2\nsolids 2147483647\n" + SquareSolid());
  EXPECT_LE(huge.model->solids.size(), 2u + kMaxSolidsPastEnd);
  for (const char* count : {"vertices 2147483647", "faces 2147483647", "edges 2147483647"}) {
    std::string body = "solid\nH\n1\nvertices 1\n0 0 0\nfaces 0\nedges 0\n";
    const std::string key = std::string(count).substr(0, std::string(count).find(' '));
    body.replace(body.find(key), body.find('\n', body.find(key)) - body.find(key), count);
    auto out = ReadWorkBytes(WithSolids(body) + "1 2 3\n");
    EXPECT_EQ(out.result, kReadOk) << count;
    EXPECT_LE(out.model->solids[0].vertices.size(), 4u) << count;
  }
  auto negative = ReadWorkBytes(WithSolids("solid\nN\n1\nvertices -1\n1 1 1\nfaces -2147483648\nedges -5\n"));
  EXPECT_TRUE(negative.model->solids[0].vertices.empty());
  EXPECT_EQ(negative.model->totalFaces, -2147483648LL);
  EXPECT_TRUE(negative.model->solids[0].faces.empty());

  // A missing keyword consumes the rest of the file.
  auto missing = ReadWorkBytes(WithSolids("solid\nM\n1\nvertex 1\n0 0 0\nfaces 0\nmodel 1 1 1 1 1 1\nend\n"));
  EXPECT_EQ(missing.model->boxMax.x, -1.7976931348623157e308);
}

TEST(WorkFileReaderTest, WholeLineCapacities) {
  struct Case {
    std::string file;
    bool fits;
  };
  const auto solidFile = [](std::size_t n) {
    return WithSolids(SquareSolid(std::string(n, 'n'))) + "model 1 1 1 1 1 1\n";
  };
  const auto materialFile = [](std::size_t n) {
    return "version 2\nmaterials 1\nmaterial\n" + std::string(n, 'm') +
           "\n1 1 1 1 1 1 1 1 0 0 0 1 0 0 0 1 0\n1 1 1\n0\n0\nmodel 1 1 1 1 1 1\n";
  };
  const auto textureFile = [](std::size_t n) {
    return "version 2\nmaterials 1\nmaterial\nM\n1 1 1 1 1 1 1 1 0 0 0 1 0 0 0 1 0\n1 1 1\n0\n1\n" +
           std::string(n, 't') + "\n1 1\nabc\nmodel 1 1 1 1 1 1\n";
  };
  const auto labelFile = [](std::size_t font, std::size_t text) {
    return "version 2\ntext 1\nlabel\n" + std::string(font, 'f') + "\n" + std::string(text, 'x') +
           "\n12 0 0 1 1 0 0 0 0\nmodel 1 1 1 1 1 1\n";
  };
  const Case cases[] = {{solidFile(254), true},     {solidFile(255), false},    {materialFile(254), true},
                        {materialFile(255), false}, {textureFile(255), true},   {textureFile(256), false},
                        {labelFile(510, 1), true},  {labelFile(511, 1), false}, {labelFile(1, 511), true},
                        {labelFile(1, 512), false}, {labelFile(510, 511), true}};
  for (const Case& c : cases) {
    auto out = ReadWorkBytes(c.file);
    EXPECT_EQ(out.result, kReadOk);
    // A line over its capacity ends the reading: "model" is never reached.
    EXPECT_EQ(out.model->boxMax.x == 1.0, c.fits) << c.file.substr(0, 60);
  }
  auto name = ReadWorkBytes(solidFile(254));
  EXPECT_EQ(name.model->solids[0].name.size(), 254u);
  // The rest of the header line counts against the same capacity.
  auto header = ReadWorkBytes(WithSolids("solid" + std::string(255, ' ') + "\nN\n1\n") + "model 1 1 1 1 1 1\n");
  EXPECT_NE(header.model->boxMax.x, 1.0);
}

TEST(WorkFileReaderTest, TextEncodingOfLinesAndCrLf) {
  const std::string sjisGothic = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
  const std::string utf8Gothic = kMsGothicFaceName;
  auto out = ReadWorkBytes("version 2\r\ntext 3\r\nlabel\r\n" + sjisGothic + "\r\nHello\r\n36 1 2 3 4 5 300 2 511\r\n" +
                           "label\n" + utf8Gothic + "\n\xE3\x81\x82\n8 0 0 0 0 0 0 0 0\n" +
                           "label\nArial\n\x82\n8 0 0 0 0 0 0 0 0\nend\n");
  ASSERT_EQ(out.model->texts.size(), 3u);
  const TextLabel& a = out.model->texts[0];
  EXPECT_EQ(a.fontName, utf8Gothic);  // the CR of CR LF is not part of the field
  EXPECT_EQ(a.text, "Hello");
  EXPECT_EQ(a.fontSize, 36);
  EXPECT_EQ(a.x, 1.0);
  EXPECT_EQ(a.y, 2.0);
  EXPECT_EQ(a.width, 3.0);
  EXPECT_EQ(a.height, 4.0);
  EXPECT_EQ(a.style, 5);
  EXPECT_EQ(a.color, 44u + 2u * 256u + 255u * 65536u);  // each part cut to its low 8 bits
  EXPECT_EQ(out.model->texts[1].fontName, utf8Gothic);
  EXPECT_EQ(out.model->texts[1].text, "\xE3\x81\x82");
  EXPECT_EQ(out.model->texts[2].text, "\xEF\xBF\xBD");  // a cut-off CP932 lead byte

  auto crlf = ReadWorkBytes(WithSolids("solid\r\nName\r\n1\r\nvertices 0\r\nfaces 0\r\nedges 0\r\n"));
  EXPECT_EQ(crlf.model->solids[0].name, "Name");
  // A line as long as the field allows still fits before its CR LF.
  auto full =
      ReadWorkBytes(WithSolids("solid\r\n" + std::string(254, 'n') + "\r\n1\r\nvertices 0\r\nfaces 0\r\nedges 0\r\n"));
  ASSERT_EQ(full.model->solids.size(), 1u);
  EXPECT_EQ(full.model->solids[0].name, std::string(254, 'n'));
}

std::string MaterialBody(const std::string& name, const std::string& texture) {
  return "material\n" + name +
         "\n0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1 1.1 1.2 1.3 1.4 1.5 1.6 17\n0.25 0.5 0.75\n1\n" + texture;
}

TEST(WorkFileReaderTest, Materials) {
  // A 2x1 texture is exactly 6 raw bytes after the LF of its size line, even
  // when those bytes look like whitespace or digits.
  const std::string raw = std::string("\n 9\r\t\0", 6);
  auto out = ReadWorkBytes("version 2\ndefaultmaterial\n" + MaterialBody("Def", "0\n") + "materials 2\n" +
                           MaterialBody("Tex", "1\ntexname.bmp\n2 1\n" + raw) + MaterialBody("Plain", "0\n") + "end\n");
  EXPECT_TRUE(out.messages.empty());
  const Model& m = *out.model;
  const Model fresh;
  EXPECT_EQ(m.defaultMaterial.name, "Def");
  EXPECT_EQ(m.defaultMaterial.ambient, fresh.defaultMaterial.ambient);
  EXPECT_EQ(m.defaultMaterial.devColor, fresh.defaultMaterial.devColor);
  EXPECT_TRUE(m.defaultMaterial.hasDevColor);
  ASSERT_EQ(m.materials.size(), 2u);
  const Material& tex = m.materials[0];
  EXPECT_EQ(tex.name, "Tex");
  EXPECT_FLOAT_EQ(tex.ambient[1], 0.2f);
  EXPECT_FLOAT_EQ(tex.diffuse[3], 0.8f);
  EXPECT_FLOAT_EQ(tex.emission[0], 0.9f);
  EXPECT_FLOAT_EQ(tex.specular[3], 1.6f);
  EXPECT_FLOAT_EQ(tex.shininess, 17.f);
  EXPECT_FLOAT_EQ(tex.devColor[2], 0.75f);
  EXPECT_TRUE(tex.hasTexture);
  ASSERT_TRUE(tex.image);
  EXPECT_EQ(tex.image->width, 2);
  EXPECT_EQ(tex.image->height, 1);
  EXPECT_EQ(std::string(tex.image->pixels.begin(), tex.image->pixels.end()), raw);
  EXPECT_TRUE(tex.textureFile.empty());
  EXPECT_EQ(m.materials[1].name, "Plain");
  EXPECT_FALSE(m.materials[1].image);
  EXPECT_EQ(CountModelInfo(m).textureImages, 1);
}

std::string TextureFile(const std::string& size, const std::string& pixels) {
  return "version 2\nmaterials 1\n" + MaterialBody("T", "1\nname\n" + size + "\n" + pixels) + "model 1 1 1 1 1 1\n";
}

TEST(WorkFileReaderTest, TextureRows) {
  // Rows that cannot be read are reported one by one, counted from 0.
  auto cut = ReadWorkBytes("version 2\nmaterials 1\n" + MaterialBody("T", "1\nname\n2 3\nabcdefgh"));
  ASSERT_EQ(cut.messages.size(), 2u);
  EXPECT_EQ(cut.messages[0], "fail linenumber 1");
  EXPECT_EQ(cut.messages[1], "fail linenumber 2");
  ASSERT_EQ(cut.model->materials.size(), 1u);
  ASSERT_TRUE(cut.model->materials[0].image);
  EXPECT_EQ(cut.model->materials[0].image->pixels.size(), 18u);
  EXPECT_EQ(cut.model->materials[0].image->pixels[6], 'g');
  EXPECT_EQ(cut.model->materials[0].image->pixels[8], 0);

  // Rows wider than 4096 pixels are read whole.
  Settings big;
  big.maxTextureSize = 16384;
  std::string wide(4100 * 3 * 2, '\0');
  for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char>(i % 251);
  auto w = ReadWorkBytes(TextureFile("4100 2", wide), big);
  EXPECT_TRUE(w.messages.empty());
  EXPECT_EQ(w.model->boxMax.x, 1.0);
  ASSERT_TRUE(w.model->materials[0].image);
  EXPECT_EQ(std::string(w.model->materials[0].image->pixels.begin(), w.model->materials[0].image->pixels.end()), wide);

  // A texture above the limit becomes limit x limit.
  Settings limited;
  limited.maxTextureSize = 16384;
  limited.bLimitTextureSize = true;
  limited.textureLimitSize = 256;
  auto fitted = ReadWorkBytes(TextureFile("1024 512", std::string(1024 * 512 * 3, 'p')), limited);
  ASSERT_TRUE(fitted.model->materials[0].image);
  EXPECT_EQ(fitted.model->materials[0].image->width, 256);
  EXPECT_EQ(fitted.model->materials[0].image->height, 256);
  EXPECT_EQ(fitted.model->materials[0].image->pixels.size(), 256u * 256u * 3u);
  // The limit is 64 until a GL context says otherwise.
  auto small = ReadWorkBytes(TextureFile("65 1", std::string(65 * 3, 'p')));
  EXPECT_EQ(small.model->materials[0].image->width, 64);
}

TEST(WorkFileReaderTest, TextureSizesThatCannotBeTrusted) {
  // Sides outside 0..32768 or more than 2^31 bytes: no image, reading ends.
  for (const char* size : {"-4 4", "4 -1", "32769 1", "1 32769", "1431655766 1", "65536 65537", "32768 32768"}) {
    auto out = ReadWorkBytes(TextureFile(size, std::string(24, 'x')));
    EXPECT_EQ(out.result, kReadOk) << size;
    ASSERT_EQ(out.model->materials.size(), 1u) << size;
    EXPECT_FALSE(out.model->materials[0].hasTexture) << size;
    EXPECT_FALSE(out.model->materials[0].image) << size;
    EXPECT_NE(out.model->boxMax.x, 1.0) << size;
    EXPECT_TRUE(out.messages.empty()) << size;
  }
  // Far more pixels than the file holds: rows fail, nothing large is
  // allocated; the material still counts as textured, as its file says.
  auto out = ReadWorkBytes(TextureFile("32768 100", std::string(30, 'x')));
  EXPECT_EQ(out.messages.size(), 100u);
  EXPECT_TRUE(out.model->materials[0].hasTexture);
  EXPECT_FALSE(out.model->materials[0].image);
  EXPECT_EQ(CountModelInfo(*out.model).textureImages, 1);
  // A file cut halfway through a large texture keeps the rows it holds.
  Settings big;
  big.maxTextureSize = 1024;
  auto half = ReadWorkBytes(TextureFile("1024 1024", std::string(1024 * 3 * 600, 'h')), big);
  EXPECT_EQ(half.messages.size(), 424u);
  EXPECT_EQ(half.messages.front(), "fail linenumber 600");
  ASSERT_TRUE(half.model->materials[0].image);
  EXPECT_EQ(half.model->materials[0].image->pixels[1024 * 3 * 599], 'h');
  EXPECT_EQ(half.model->materials[0].image->pixels[1024 * 3 * 600 + 100], 0);  // past the last bytes of the file
  // The largest side is accepted.
  big.maxTextureSize = 32768;
  auto edge = ReadWorkBytes(TextureFile("32768 1", std::string(32768 * 3, 'e')), big);
  ASSERT_TRUE(edge.model->materials[0].image);
  EXPECT_EQ(edge.model->materials[0].image->width, 32768);
  EXPECT_EQ(edge.model->boxMax.x, 1.0);
}

TEST(WorkFileReaderTest, InfoBlock) {
  Settings start;
  start.bDrawWhiteBkLine = true;
  start.iPageType = 3;
  auto out = ReadWorkBytes(
      "version 2\ninfo\ndMag3d 2.5\ndMag2d 4\ndVorlanzuX 1\ndVorlanzuY 2\ndVorlanzuWidth 3\ndVorlanzuHeight 4\n"
      "dVorlanzuMargin 0.5\nbReverse 7\nbFinished 1\niAngleEps 170\niTaniLineType 3\niYamaLineType 0\n"
      "iCutLineType 1\nbTextureCoodinates 1\nbDrawFlap 0\nbDrawNumber 1\nbUseMaterial 0\niEdgeNumberFontSize 12\n"
      "bNorishiroReverse 1\nbEdgeIdReverse 1\nbEnableLineAlpha dMag3d\ndTextureLineAlpha 0.25\nbCullEdge 0\n"
      "unknownKey 99\niPageType 5\ndPageMarginSide 1.0\ndPageMarginTop 2.0\n/info\nend\n",
      start);
  const Model& m = *out.model;
  const Settings& s = out.settings;
  EXPECT_EQ(m.modelScale, 2.5);
  EXPECT_EQ(m.devScale, 4.0);
  EXPECT_EQ(m.devX, 1.0);
  EXPECT_EQ(m.devY, 2.0);
  EXPECT_EQ(m.devWidth, 3.0);
  EXPECT_EQ(m.devHeight, 4.0);
  EXPECT_EQ(m.devMargin, 0.5);
  EXPECT_TRUE(m.mirrored);
  EXPECT_TRUE(m.hasDevelopment);
  EXPECT_TRUE(m.hasUV);
  EXPECT_EQ(s.iAngleEps, 170);
  EXPECT_EQ(s.iTaniLineType, 3);
  EXPECT_EQ(s.iYamaLineType, 0);
  EXPECT_EQ(s.iCutLineType, 1);
  EXPECT_FALSE(s.bDrawFlap);
  EXPECT_TRUE(s.bDrawNumber);
  EXPECT_FALSE(s.bUseMaterial);
  EXPECT_EQ(s.iEdgeNumberFontSize, 12);
  EXPECT_TRUE(s.bNorishiroReverse);
  EXPECT_TRUE(s.bEdgeIdReverse);
  EXPECT_EQ(s.dTextureLineAlpha, 0.25);
  EXPECT_FALSE(s.bCullEdge);
  EXPECT_EQ(s.iPageType, 5);
  EXPECT_EQ(s.dPageMarginSide, 1.0);
  EXPECT_EQ(s.dPageMarginTop, 2.0);
  EXPECT_FALSE(s.bDrawWhiteBkLine);  // cleared when the block lacks it
  EXPECT_EQ(s.scaleProduct, 10.0);
  EXPECT_EQ(s.paperWidth, 35.3);
  EXPECT_EQ(s.paperHeight, 25.0);

  // No "/info": the block ends with the file. A paper type outside the table
  // keeps the current paper.
  Settings a3;
  a3.paperWidth = 29.7;
  a3.paperHeight = 42.0;
  auto open = ReadWorkBytes("info\nbDrawWhiteBkLine 1\niPageType 8\ndMag2d 3", a3);
  EXPECT_TRUE(open.settings.bDrawWhiteBkLine);
  EXPECT_EQ(open.settings.iPageType, 8);
  EXPECT_EQ(open.settings.paperWidth, 29.7);
  EXPECT_EQ(open.settings.paperHeight, 42.0);
  EXPECT_EQ(open.settings.scaleProduct, 3.0);
  // A value missing at the end of the file reads as 0, like any number that
  // cannot be read.
  auto cut = ReadWorkBytes("info dMag3d 2 bFinished 1 dMag2d 5 bFinished");
  EXPECT_FALSE(cut.model->hasDevelopment);
  EXPECT_EQ(cut.settings.scaleProduct, 10.0);
  EXPECT_EQ(ReadWorkBytes("info dMag3d").model->modelScale, 0.0);
}

}  // namespace
}  // namespace plicora
