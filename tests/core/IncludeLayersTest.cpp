// The source folders follow the libraries: core, render, gui, then cli on
// top. An include may go to the same layer or a lower one, never up, and no
// two folders may need each other (directly or round a longer loop).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using FolderGraph = std::map<std::string, std::set<std::string>>;

int LayerRank(const std::string& folder) {
  static const std::vector<std::string> kLayers = {"core", "render", "gui", "cli"};
  const std::string layer = folder.substr(0, folder.find('/'));
  for (std::size_t i = 0; i < kLayers.size(); ++i)
    if (kLayers[i] == layer) return static_cast<int>(i);
  return -1;
}

// Folder (relative to src/) -> folders its files include, besides itself.
FolderGraph IncludeGraph(const fs::path& src) {
  static const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
  FolderGraph graph;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string from = fs::relative(entry.path().parent_path(), src).generic_string();
    graph[from];
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, match, kInclude)) continue;
      const std::string to = fs::path(match[1].str()).parent_path().generic_string();
      if (!to.empty() && to != from) graph[from].insert(to);
    }
  }
  return graph;
}

// One loop of folders if there is any ("a -> b -> a"), else empty.
std::string FindLoop(const FolderGraph& graph) {
  std::map<std::string, int> state;  // 1: on the current path, 2: done
  std::vector<std::string> path;
  std::string loop;
  std::function<void(const std::string&)> visit = [&](const std::string& folder) {
    state[folder] = 1;
    path.push_back(folder);
    auto edges = graph.find(folder);
    if (edges != graph.end()) {
      for (const std::string& next : edges->second) {
        if (!loop.empty()) break;
        if (state[next] == 1) {
          for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it) loop += *it + " -> ";
          loop += next;
        } else if (state[next] == 0) {
          visit(next);
        }
      }
    }
    path.pop_back();
    state[folder] = 2;
  };
  for (const auto& [folder, edges] : graph)
    if (loop.empty() && state[folder] == 0) visit(folder);
  return loop;
}

TEST(IncludeLayers, FoldersIncludeOnlyDownwardAndNeverInALoop) {
  const FolderGraph graph = IncludeGraph(fs::path(PLICORA_SOURCE_DIR) / "src");
  ASSERT_GT(graph.size(), 10u);
  for (const auto& [from, targets] : graph) {
    ASSERT_GE(LayerRank(from), 0) << "folder outside the layers: src/" << from;
    for (const std::string& to : targets) {
      ASSERT_GE(LayerRank(to), 0) << "src/" << from << " includes from outside the layers: " << to;
      EXPECT_LE(LayerRank(to), LayerRank(from)) << "src/" << from << " includes upward into src/" << to;
    }
  }
  EXPECT_EQ(FindLoop(graph), "");
}

TEST(IncludeLayers, LoopFinderSeesLongLoops) {
  const FolderGraph graph = {{"core/a", {"core/b"}}, {"core/b", {"core/c"}}, {"core/c", {"core/a"}}};
  EXPECT_EQ(FindLoop(graph), "core/a -> core/b -> core/c -> core/a");
  EXPECT_EQ(FindLoop({{"core/a", {"core/b"}}, {"core/b", {}}}), "");
}

}  // namespace
