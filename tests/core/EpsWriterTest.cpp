#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string>

#include "PatternBuilder.h"
#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/export/EpsWriter.h"
#include "core/model/MeshTopology.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

using test::PatternBuilder;

// Two triangles of one part at offset (1, 0), 1 cm per unit, so a corner at
// x cm is written at x * 28.346457 points and y at 56 - y * 28.346457:
//   A: (0,0) (2,0) (0,2)   B: (2,0) (2,2) (0,2)
// A's second side and B's third are a concave fold; A's first side and B's
// second are a cut with a 0.5 cm flap on A's side; A's third side is a
// one-sided cut, B's first a one-sided edge with a 1 cm flap (exactly half
// its length: a triangle). Face B has a textured material.
class EpsWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    *b.part = Part{};
    b.part->offsetX = 1;
    b.part->width = 2;
    b.part->height = 2;
    a = &b.AddFace({{0, 0}, {2, 0}, {0, 2}});
    c = &b.AddFace({{2, 0}, {2, 2}, {0, 2}});
    b.Join(a->ring[1], c->ring[2], true, false);
    cut = &b.Join(a->ring[0], c->ring[1], false);
    b.CloseOpenSides();
    a->ring[0]->hasFlap = true;
    a->ring[0]->flapWidth = 0.5;
    c->ring[0]->hasFlap = true;
    c->ring[0]->flapWidth = 1.0;
    c->materialIndex = 0;
    b.model.materials.emplace_back().hasTexture = true;
    AssignJoinNumbers(b.model);
    settings.bDrawNumber = true;
  }

  std::string Write() {
    std::FILE* file = std::tmpfile();
    EXPECT_EQ(WriteEps(file, b.model, settings, options), 0);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
    std::fclose(file);
    // The three header lines apart, the drawing returned.
    std::size_t bodyAt = 0;
    for (int line = 0; line < 3; ++line) bodyAt = text.find('\n', bodyAt) + 1;
    header = text.substr(0, bodyAt);
    return text.substr(bodyAt);
  }

  PatternBuilder b;
  Settings settings;
  EpsOptions options;
  std::string header;
  Face* a = nullptr;
  Face* c = nullptr;
  Edge* cut = nullptr;
};

constexpr const char* kTrapezoid =
    "\n85.039370 56.000000 moveto\n70.866142 41.826772 lineto\n42.519685 41.826772 lineto"
    "\n28.346457 56.000000 lineto";
constexpr const char* kTriangle =
    "\n85.039370 -0.692913 moveto\n56.692913 27.653543 lineto\n85.039370 56.000000 lineto";

constexpr const char* kFaces =
    "\nnewpath\n 28.346457 56.000000 moveto\n 85.039370 56.000000 lineto\n 28.346457 -0.692913 lineto"
    "\nclosepath\n0.850980 0.850980 1.000000 setrgbcolor\nfill"
    "\nnewpath\n 85.039370 56.000000 moveto\n 85.039370 -0.692913 lineto\n 28.346457 -0.692913 lineto"
    "\nclosepath\n1.0 1.0 1.0 setrgbcolor\nfill";

constexpr const char* kNumbers =
    "\n[]0 setdash\n0.0 0.0 0.0 setrgbcolor\n/Helvetica findfont\n8 scalefont setfont"
    "\ngsave\n53.892913 57.120000 translate\n0.000000 rotate\n0 0 moveto\n(1)show\ngrestore"
    "\ngsave\n59.492913 -1.812913 translate\n180.000000 rotate\n0 0 moveto\n(1)show\ngrestore";

std::string Line(const char* dash, const char* from, const char* to) {
  return std::string("\n") + dash + " 0 setdash\n" + from + " moveto\n" + to + " lineto\nstroke";
}

TEST_F(EpsWriterTest, WritesFlapsFacesLinesAndNumbersInOrder) {
  const std::string expected = std::string() + "\nnewpath" + kTrapezoid + "\nclosepath\n1.0 1.0 1.0 setrgbcolor\nfill" +
                               "\n0.0 0.0 0.0 setrgbcolor" + kTrapezoid + "\nstroke" + "\nnewpath" + kTriangle +
                               "\nclosepath\n1.0 1.0 1.0 setrgbcolor\nfill" + "\n0.0 0.0 0.0 setrgbcolor" + kTriangle +
                               "\nstroke" + kFaces + "\n0.0 0.0 0.0 setrgbcolor" +
                               Line("[3 ]", "28.346457 56.000000", "85.039370 56.000000") +  // A1: flap base, convex
                               Line("[8 4 4 4]", "85.039370 56.000000", "28.346457 -0.692913") +  // A2: concave fold
                               Line("[]", "28.346457 -0.692913", "28.346457 56.000000") +         // A3: cut
                               Line("[3 ]", "85.039370 56.000000", "85.039370 -0.692913") +       // B1: flap base
                               Line("[]", "85.039370 -0.692913", "28.346457 -0.692913") +  // B2: cut; B3 drawn from A
                               kNumbers;
  EXPECT_EQ(Write(), expected);
  EXPECT_DOUBLE_EQ(b.model.devX, 0.0);  // the bounds are measured, not stored
}

TEST_F(EpsWriterTest, WithoutFlapsAndFillsOnlyStrokesRemain) {
  settings.bDrawFlap = false;  // flap sides become cut lines
  settings.bDrawNumber = false;
  options.dontFillSurfaces = true;
  const std::string expected = std::string() + "\n0.0 0.0 0.0 setrgbcolor" +
                               Line("[]", "28.346457 56.000000", "85.039370 56.000000") +
                               Line("[8 4 4 4]", "85.039370 56.000000", "28.346457 -0.692913") +
                               Line("[]", "28.346457 -0.692913", "28.346457 56.000000") +
                               Line("[]", "85.039370 56.000000", "85.039370 -0.692913") +
                               Line("[]", "85.039370 -0.692913", "28.346457 -0.692913");
  EXPECT_EQ(Write(), expected);
}

TEST_F(EpsWriterTest, DontFillFlapsKeepsTheirOutlines) {
  options.dontFillFlaps = true;
  options.dontFillSurfaces = true;
  settings.bUseMaterial = false;
  const std::string text = Write();
  EXPECT_EQ(text.find("fill"), std::string::npos);
  EXPECT_EQ(text.find("newpath"), std::string::npos);
  const std::string outline = std::string("\n0.0 0.0 0.0 setrgbcolor") + kTrapezoid + "\nstroke";
  EXPECT_NE(text.find(outline), std::string::npos);
}

TEST_F(EpsWriterTest, LineTypesNoneSuppressTheirLines) {
  settings.bDrawNumber = false;
  options.dontFillSurfaces = options.dontFillFlaps = true;
  settings.iCutLineType = 1;
  settings.iYamaLineType = 3;
  settings.iTaniLineType = 0;
  const std::string text = Write();
  // Only the concave fold is left, now solid.
  const std::string lines =
      std::string("\n0.0 0.0 0.0 setrgbcolor") + Line("[]", "85.039370 56.000000", "28.346457 -0.692913");
  EXPECT_EQ(text.substr(text.size() - lines.size()), lines);
  EXPECT_EQ(text.find("setdash"), text.rfind("setdash"));
}

TEST_F(EpsWriterTest, WhiteFacesWithoutMaterialsAndMaterialColours) {
  settings.bUseMaterial = false;
  std::string text = Write();
  EXPECT_EQ(text.find("0.850980"), std::string::npos);
  settings.bUseMaterial = true;
  b.model.materials[0].hasTexture = false;
  b.model.materials[0].devColor = {0.25f, 0.5f, 1.0f};
  text = Write();
  EXPECT_NE(text.find("\nclosepath\n0.250000 0.500000 1.000000 setrgbcolor\nfill"), std::string::npos);
}

TEST_F(EpsWriterTest, NumbersFollowMirrorAndReversalAndCentreTheirDigits) {
  settings.bDrawFlap = false;
  options.dontFillSurfaces = true;
  b.model.mirrored = true;  // mirrored differs from bEdgeIdReverse: start to end
  std::string text = Write();
  // A1 from (1, 0) to (3, 0): angle pi - 0, the number turned over on the other side.
  EXPECT_NE(text.find("\ngsave\n59.492913 54.880000 translate\n180.000000 rotate\n0 0 moveto\n(1)show\ngrestore"),
            std::string::npos);
  settings.bEdgeIdReverse = true;  // both set: end to start again
  text = Write();
  EXPECT_NE(text.find("\ngsave\n53.892913 57.120000 translate\n0.000000 rotate\n0 0 moveto\n(1)show\ngrestore"),
            std::string::npos);

  const struct {
    int number;
    const char* moveto;
  } cases[] = {{7, "\n53.892913 57.120000 translate\n0.000000 rotate\n0 0 moveto\n(7)show"},
               {10, "\n51.092913 57.120000 translate\n0.000000 rotate\n0 0 moveto\n(10)show"},
               {100, "\n48.292913 57.120000 translate\n0.000000 rotate\n0 0 moveto\n(100)show"},
               {999, "\n48.292913 57.120000 translate\n0.000000 rotate\n0 0 moveto\n(999)show"}};
  for (const auto& c : cases) {
    cut->joinNumber = c.number;
    EXPECT_NE(Write().find(c.moveto), std::string::npos) << c.number;
  }
}

TEST_F(EpsWriterTest, NumbersOnSlopedAndUprightSidesTakeTheirArcSineAngle) {
  settings.bDrawFlap = false;
  options.dontFillSurfaces = true;
  cut->joinNumber = -1;
  a->ring[1]->edge->joinNumber = 12;  // the diagonal fold (a number is written wherever there is one)
  c->ring[0]->edge->joinNumber = 3;   // B's upright one-sided side
  const std::string text = Write();
  // A2 from (1, 2) to (3, 0): asin(-1/sqrt 2) = -45 degrees, and E.x > S.x
  // turns it into pi + 45 degrees; two digits: ex = -5.6, ey = 1.12 points.
  const std::string a2 = "\ngsave\n61.444671 30.821382 translate\n225.000000 rotate\n0 0 moveto\n(12)show\ngrestore";
  // B1 from (3, 2) to (3, 0): asin(-1), no turn; the number hangs right of the line.
  const std::string b1 = "\ngsave\n86.159370 30.453543 translate\n-90.000000 rotate\n0 0 moveto\n(3)show\ngrestore";
  // B3 from (3, 0) to (1, 2): asin(1/sqrt 2) = 45 degrees.
  const std::string b3 = "\ngsave\n51.941156 24.485705 translate\n45.000000 rotate\n0 0 moveto\n(12)show\ngrestore";
  EXPECT_EQ(text.substr(text.find("\ngsave")), a2 + b1 + b3);
}

TEST_F(EpsWriterTest, FlapSideFollowsMirrorAndReversalTogether) {
  options.dontFillSurfaces = true;
  options.dontFillFlaps = true;
  settings.bDrawNumber = false;
  b.model.mirrored = true;  // differs from bNorishiroReverse: from start (1, 0) to end (3, 0), u = (1, 0)
  const std::string flipped = std::string() + "\n0.0 0.0 0.0 setrgbcolor" +
                              "\n28.346457 56.000000 moveto\n42.519685 70.173228 lineto"
                              "\n70.866142 70.173228 lineto\n85.039370 56.000000 lineto\nstroke";
  std::string text = Write();
  EXPECT_EQ(text.substr(0, flipped.size()), flipped);
  settings.bNorishiroReverse = true;  // both set: the same side as both clear
  text = Write();
  const std::string plain = std::string() + "\n0.0 0.0 0.0 setrgbcolor" + kTrapezoid + "\nstroke";
  EXPECT_EQ(text.substr(0, plain.size()), plain);
}

TEST_F(EpsWriterTest, FoldTypeWithoutDashKeepsTheDashInForce) {
  settings.bDrawNumber = false;
  options.dontFillSurfaces = options.dontFillFlaps = true;
  settings.bDrawFlap = false;
  settings.iTaniLineType = 4;  // not a line type: no dash is written, the line is
  const std::string text = Write();
  const std::string expected = std::string() + "\n0.0 0.0 0.0 setrgbcolor" +
                               Line("[]", "28.346457 56.000000", "85.039370 56.000000") +
                               "\n85.039370 56.000000 moveto\n28.346457 -0.692913 lineto\nstroke" +
                               Line("[]", "28.346457 -0.692913", "28.346457 56.000000") +
                               Line("[]", "85.039370 56.000000", "85.039370 -0.692913") +
                               Line("[]", "85.039370 -0.692913", "28.346457 -0.692913");
  EXPECT_EQ(text, expected);
}

// The header other programs read, and a bounding box that holds every
// drawn mark (lines and outlines with half their one-point width, numbers
// with their glyphs) and no more than the next whole point around them.
TEST_F(EpsWriterTest, HeaderAndBoundingBoxHoldEverythingDrawn) {
  struct Case {
    bool flaps, numbers;
    double offsetY;
  };
  for (const Case c : {Case{false, false, 0}, Case{true, false, 0}, Case{true, true, 0}, Case{true, true, 1}}) {
    settings.bDrawFlap = c.flaps;
    settings.bDrawNumber = c.numbers;
    b.part->offsetY = c.offsetY;
    const std::string body = Write();
    long long box[4];
    ASSERT_EQ(std::sscanf(header.c_str(),
                          "%%!PS-Adobe-3.0 EPSF-3.0\n%%%%BoundingBox:%lld %lld %lld %lld\n%%%%Orientation: Portrait\n",
                          &box[0], &box[1], &box[2], &box[3]),
              4)
        << header;
    // Every corner a line or an outline passes through, half a point of ink
    // around it; the box no more than one whole point beyond (numbers, when
    // drawn, may reach further).
    double lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
    const std::regex point(R"((-?[0-9]+\.[0-9]+) (-?[0-9]+\.[0-9]+) (moveto|lineto))");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), point); it != std::sregex_iterator(); ++it) {
      const double x = std::stod((*it)[1]), y = std::stod((*it)[2]);
      lo[0] = std::min(lo[0], x), lo[1] = std::min(lo[1], y), hi[0] = std::max(hi[0], x), hi[1] = std::max(hi[1], y);
    }
    const double extra = c.numbers ? 7 : 1;
    EXPECT_LE(box[0], lo[0] - 0.5);
    EXPECT_LE(box[1], lo[1] - 0.5);
    EXPECT_GE(box[2], hi[0] + 0.5);
    EXPECT_GE(box[3], hi[1] + 0.5);
    EXPECT_GT(box[0], lo[0] - 0.5 - extra);
    EXPECT_GT(box[1], lo[1] - 0.5 - extra);
    EXPECT_LT(box[2], hi[0] + 0.5 + extra);
    EXPECT_LT(box[3], hi[1] + 0.5 + extra);
  }
  // Lines only: the corners 28.35 .. 85.04 and -0.69 .. 56 with half a point.
  settings.bDrawFlap = settings.bDrawNumber = false;
  b.part->offsetY = 0;
  Write();
  EXPECT_EQ(header, "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox:27 -2 86 57\n%%Orientation: Portrait\n");
  // The upright number above the top edge (start 57.12 points high) and the
  // upside-down one below the bottom edge (start -1.81): their 8-point
  // glyphs reach 0.72 * 8 = 5.76 points beyond, to 62.88 and -7.57.
  settings.bDrawFlap = settings.bDrawNumber = true;
  Write();
  EXPECT_EQ(header, "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox:27 -8 86 63\n%%Orientation: Portrait\n");
}

TEST(EpsFile, OpenSquareSampleByTheRules) {
  // One unit square at offset 0.0421686747 (0.7 cm at 16.6 cm per unit), four
  // one-sided edges and no flaps: a face in the default material's colour
  // (colour entry 0, 217 217 255: the file's own colours for it are dropped)
  // and four solid cut lines. Box: 19.84 .. 490.39 points, so 19 and 470 wide.
  Settings settings;
  Model model;
  ASSERT_EQ(ReadWorkFile(test::FixturePath("open_square.plc"), model, settings), kReadOk);
  MeasureModel(model);
  AssignJoinNumbers(model);
  test::TempDir dir;
  ASSERT_TRUE(SaveEpsFile(dir.File("square.eps"), model, settings, EpsOptions{}));
  const char* top = "19.842520 -20.393701";
  const char* topRight = "490.393701 -20.393701";
  const char* bottomRight = "490.393701 450.157480";
  const char* bottom = "19.842520 450.157480";
  const std::string expected =
      std::string("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox:19 -21 491 451\n%%Orientation: Portrait\n") +
      "\nnewpath\n 19.842520 -20.393701 moveto\n 490.393701 -20.393701 lineto\n 490.393701 450.157480 lineto"
      "\n 19.842520 450.157480 lineto\nclosepath\n0.850980 0.850980 1.000000 setrgbcolor\nfill"
      "\n0.0 0.0 0.0 setrgbcolor" +
      Line("[]", top, topRight) + Line("[]", topRight, bottomRight) + Line("[]", bottomRight, bottom) +
      Line("[]", bottom, top);
  EXPECT_EQ(test::ReadFile(dir.File("square.eps")), expected);
}

TEST(EpsFile, UnwritablePathReportsAndTextNotice) {
  CollectingMessageSink sink;
  ScopedMessageSink scoped(sink);
  Model model;
  Settings settings;
  test::TempDir dir;
  EXPECT_FALSE(SaveEpsFile(dir.File("missing/folder/out.eps"), model, settings, EpsOptions{}));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0],
            "Cannot write to file\n" + dir.File("missing/folder/out.eps") + ": No such file or directory");
  EXPECT_TRUE(SaveEpsFile(dir.File("empty.eps"), model, settings, EpsOptions{}));
  EXPECT_EQ(test::ReadFile(dir.File("empty.eps")),
            "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox:0 0 0 0\n%%Orientation: Portrait\n\n0.0 0.0 0.0 setrgbcolor");

  EXPECT_EQ(EpsTextNotice(model), "");
  model.texts.emplace_back();
  EXPECT_EQ(EpsTextNotice(model), "* Text output is not supported");
}

TEST(EpsFile, FullDeviceReportsFailure) {
  CollectingMessageSink sink;
  ScopedMessageSink scoped(sink);
  PatternBuilder b;
  b.AddFace({{0, 0}, {1, 0}, {0, 1}});
  b.CloseOpenSides();
  Settings settings;
  EXPECT_FALSE(SaveEpsFile("/dev/full", b.model, settings, EpsOptions{}));
  EXPECT_EQ(sink.messages, std::vector<std::string>{"Cannot write to file\n/dev/full: No space left on device"});
}

}  // namespace
}  // namespace plicora
