#include "core/document/BuildProgressStore.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/platform/AtomicFileWriter.h"

namespace plicora {
namespace {

constexpr std::string_view kHeader = "plicora-build-progress 1";
constexpr const char* kFolderName = "build-progress";
constexpr const char* kExtension = ".progress";
/// A progress file is a few kilobytes even for thousands of parts; anything
/// far larger is not one of ours.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{1} << 24;

// Splits off the next line (without its break) from `text`.
std::string_view NextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// "NAME n n n": the numbers after the name, nothing when anything else is there.
std::optional<std::vector<std::size_t>> NumbersAfter(std::string_view line, std::string_view name) {
  if (line.substr(0, name.size()) != name) return std::nullopt;
  line.remove_prefix(name.size());
  std::vector<std::size_t> numbers;
  while (!line.empty()) {
    if (line.front() != ' ') return std::nullopt;
    line.remove_prefix(1);
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end == line.data()) return std::nullopt;
    numbers.push_back(value);
    line.remove_prefix(static_cast<std::size_t>(end - line.data()));
  }
  return numbers;
}

}  // namespace

std::string BuildProgressFolder(const std::string& profilePath) {
  if (profilePath.empty()) return {};
  return (std::filesystem::path(profilePath).parent_path() / kFolderName).string();
}

std::string SerializeBuildProgress(const std::vector<char>& built) {
  std::string text(kHeader);
  text += "\nparts " + std::to_string(built.size()) + "\nbuilt";
  for (std::size_t i = 0; i < built.size(); ++i)
    if (built[i]) text += " " + std::to_string(i);
  text += "\n";
  return text;
}

std::optional<std::vector<char>> ParseBuildProgress(std::string_view text, std::size_t parts) {
  if (NextLine(text) != kHeader) return std::nullopt;
  const auto count = NumbersAfter(NextLine(text), "parts");
  if (!count || count->size() != 1 || count->front() != parts) return std::nullopt;
  const auto built = NumbersAfter(NextLine(text), "built");
  if (!built || !std::is_sorted(built->begin(), built->end())) return std::nullopt;
  if (!NextLine(text).empty() || !text.empty()) return std::nullopt;
  std::vector<char> flags(parts, 0);
  for (std::size_t index : *built) {
    if (index >= parts) return std::nullopt;
    flags[index] = 1;
  }
  return flags;
}

std::string BuildProgressStore::PathOf(std::string_view key) const {
  return (std::filesystem::path(folder_) / (std::string(key) + kExtension)).string();
}

std::vector<char> BuildProgressStore::Load(std::string_view key, std::size_t parts) const {
  std::vector<char> none(parts, 0);
  if (!enabled() || key.empty()) return none;
  const std::string path = PathOf(key);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) > kLargestFile || ec)
    return none;
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return none;
  return ParseBuildProgress(text, parts).value_or(none);
}

bool BuildProgressStore::Save(std::string_view key, const std::vector<char>& built, std::string* error) const {
  if (!enabled() || key.empty()) return true;
  const std::string path = PathOf(key);
  std::error_code ec;
  if (std::none_of(built.begin(), built.end(), [](char b) { return b != 0; })) {
    std::filesystem::remove(path, ec);
    if (ec && error) *error = path + ": " + ec.message();
    return !ec;
  }
  std::filesystem::create_directories(folder_, ec);
  if (ec) {
    if (error) *error = folder_ + ": " + ec.message();
    return false;
  }
  return WriteFileAtomically(path, SerializeBuildProgress(built), error);
}

}  // namespace plicora
