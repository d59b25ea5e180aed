#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestSupport.h"
#include "ViewerProcess.h"

namespace plicora {
namespace {

using test::RunViewer;
using test::ViewerRun;

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

TEST(InfoCommandTest, CubeAsJson) {
  const ViewerRun run = RunViewer("--info " + Quoted(test::FixturePath("cube.plc")));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "{\"result\": 0, \"surfaces\": 6, \"vertexes\": 8, \"materials\": 1, \"objects\": 1, "
            "\"uv\": \"Does not exist\", \"textureImages\": 0, \"solids\": 1, \"faces\": 6, \"halfEdges\": 24, "
            "\"edges\": 12, \"parts\": 1, \"texts\": 0, \"hasDevelopment\": true, \"meanEdgeLength\": 1, "
            "\"modelScale\": 1, \"devScale\": 4.1500000000000004}\n");
}

TEST(InfoCommandTest, TexturedFileAndWarnings) {
  const ViewerRun run = RunViewer("--info " + Quoted(test::FixturePath("icosahedron_textured.plc")));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"materials\": 3, \"objects\": 1, \"uv\": \"Exist\", \"textureImages\": 2,"),
            std::string::npos);
  EXPECT_NE(run.out.find("\"meanEdgeLength\": 2.0000000011181274,"), std::string::npos) << run.out;

  const ViewerRun newer = RunViewer("--info " + Quoted(test::FixturePath("version3_min2_comments.plc")));
  EXPECT_EQ(newer.status, 0);
  EXPECT_NE(newer.err.find("New version file. This application may not be able to read some information.\n"
                           "We recommend you to upgrade the application."),
            std::string::npos);
}

TEST(InfoCommandTest, FailuresAndExitCodes) {
  const ViewerRun refused = RunViewer("--info " + Quoted(test::FixturePath("version1_refused.plc")));
  EXPECT_EQ(refused.status, 3);
  EXPECT_NE(refused.err.find("Too old2:new version."), std::string::npos);
  EXPECT_NE(refused.out.find("\"result\": 3,"), std::string::npos);

  const ViewerRun versionOnly = RunViewer("--info " + Quoted(test::FixturePath("damaged/version_only.plc")));
  EXPECT_EQ(versionOnly.status, 1);
  EXPECT_NE(versionOnly.err.find("Failed to load specified file"), std::string::npos);

  const ViewerRun missing = RunViewer("--info /nonexistent/file.plc");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos);
  EXPECT_EQ(missing.out, "");

  test::TempDir dir;
  const std::string bytes = test::ReadFile(test::FixturePath("cube.plc"));
  const ViewerRun wrongType = RunViewer("--info " + Quoted(test::WriteFile(dir.File("cube.txt"), bytes)));
  EXPECT_EQ(wrongType.status, 1);
  EXPECT_NE(wrongType.err.find("Cannot load file of specified type"), std::string::npos);
  const ViewerRun upper = RunViewer("--info " + Quoted(test::WriteFile(dir.File("CUBE.PlC"), bytes)));
  EXPECT_EQ(upper.status, 0);
  const ViewerRun folder = RunViewer("--info " + Quoted(dir.path()));
  EXPECT_EQ(folder.status, 1);
}

}  // namespace
}  // namespace plicora
