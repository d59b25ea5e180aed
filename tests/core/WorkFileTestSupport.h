#pragma once
// Work files made inside tests: a solid body builder and a reader call that
// collects the messages.

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/MessageSink.h"

namespace plicora::test {

/// The result of reading some bytes as a work file.
struct ReadOutcome {
  int result = -1;
  std::unique_ptr<Model> model = std::make_unique<Model>();
  Settings settings;
  std::vector<std::string> messages;
};

inline ReadOutcome ReadWorkBytes(std::string_view bytes, const Settings& start = Settings()) {
  TempDir dir;
  const std::string path = WriteFile(dir.File("t.plc"), bytes);
  ReadOutcome out;
  out.settings = start;
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  out.result = ReadWorkFile(path, *out.model, out.settings);
  out.messages = sink.messages;
  return out;
}

/// A unit square in the z = 0 plane: 4 vertices, one face, 4 one-sided edges.
inline std::string SquareSolid(const std::string& name = "Square") {
  return "solid\n" + name +
         "\n1\nvertices 4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n"
         "faces 1\n-1 0 0 0 1 0 4\n"
         "0 0 0 0 0 0 1 0.5\n1 1 0 0 0 0 1 0.5\n2 1 1 0 0 0 1 0.5\n3 0 1 0 0 0 1 0.5\n"
         "edges 4\n0 -1 0 1 0 0\n0 -1 1 2 0 0\n0 -1 2 3 0 0\n0 -1 3 0 0 0\n";
}

/// A closed unit cube with outward normals and every edge stated.
inline std::string CubeSolid() {
  return "solid\nCube\n1\nvertices 8\n"
         "0 0 0\n0 0 1\n0 1 0\n0 1 1\n1 0 0\n1 0 1\n1 1 0\n1 1 1\n"
         "faces 6\n"
         "-1 0 -1 0 0 0 4\n0 0 0 0 0 0 1 0.5\n1 0 0 0 0 0 1 0.5\n3 0 0 0 0 0 1 0.5\n2 0 0 0 0 0 1 0.5\n"
         "-1 0 1 0 0 -1 4\n4 0 0 0 0 0 1 0.5\n6 0 0 0 0 0 1 0.5\n7 0 0 0 0 0 1 0.5\n5 0 0 0 0 0 1 0.5\n"
         "-1 0 0 -1 0 0 4\n0 0 0 0 0 0 1 0.5\n4 0 0 0 0 0 1 0.5\n5 0 0 0 0 0 1 0.5\n1 0 0 0 0 0 1 0.5\n"
         "-1 0 0 1 0 -1 4\n2 0 0 0 0 0 1 0.5\n3 0 0 0 0 0 1 0.5\n7 0 0 0 0 0 1 0.5\n6 0 0 0 0 0 1 0.5\n"
         "-1 0 0 0 -1 0 4\n0 0 0 0 0 0 1 0.5\n2 0 0 0 0 0 1 0.5\n6 0 0 0 0 0 1 0.5\n4 0 0 0 0 0 1 0.5\n"
         "-1 0 0 0 1 -1 4\n1 0 0 0 0 0 1 0.5\n5 0 0 0 0 0 1 0.5\n7 0 0 0 0 0 1 0.5\n3 0 0 0 0 0 1 0.5\n"
         "edges 12\n"
         "0 2 0 1 16 1\n0 5 1 3 16 1\n0 3 3 2 16 1\n0 4 2 0 16 1\n"
         "1 4 4 6 16 1\n1 3 6 7 16 1\n1 5 7 5 16 1\n1 2 5 4 16 1\n"
         "2 4 0 4 16 1\n2 5 5 1 16 1\n3 5 3 7 16 1\n3 4 6 2 16 1\n";
}

}  // namespace plicora::test
