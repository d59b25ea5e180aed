#include "core/platform/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "core/platform/AtomicFileWriter.h"

namespace plicora {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

/// Value text as stored: trimmed, one pair of matching quotes removed.
std::string UnquoteValue(std::string_view v) {
  v = Trim(v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v.remove_prefix(1);
    v.remove_suffix(1);
  }
  return std::string(v);
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '0') {
    base = 8;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long value = 0;
  for (char c : text) {
    const int d = DigitValue(c);
    if (d >= base) return std::nullopt;
    value = value * base + d;
    if (value > limit) return std::nullopt;
  }
  return static_cast<int>(negative ? -value : value);
}

ProfileFile::Line ProfileFile::ClassifyLine(std::string text, std::string eol) {
  Line line;
  line.eol = std::move(eol);
  std::string_view t = text;
  // A byte order mark (from an editor) does not hide the first section.
  if (t.substr(0, 3) == "\xEF\xBB\xBF") t.remove_prefix(3);
  t = Trim(t);
  if (!t.empty() && t.front() == '[') {
    const auto close = t.find(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::Section;
      line.name = std::string(Trim(t.substr(1, close - 1)));
    }
  } else if (!t.empty() && t.front() != ';') {
    const auto eq = t.find('=');
    if (eq != std::string_view::npos && !Trim(t.substr(0, eq)).empty()) {
      line.kind = LineKind::Key;
      line.name = std::string(Trim(t.substr(0, eq)));
      line.value = UnquoteValue(t.substr(eq + 1));
    }
  }
  line.text = std::move(text);
  return line;
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
  ProfileFile profile;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto nl = bytes.find('\n', pos);
    std::string_view body = bytes.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    const char* eol = "";
    if (nl != std::string_view::npos) {
      eol = "\n";
      if (!body.empty() && body.back() == '\r') {
        body.remove_suffix(1);
        eol = "\r\n";
      }
    }
    profile.lines_.push_back(ClassifyLine(std::string(body), std::string(eol)));
    pos = nl == std::string_view::npos ? bytes.size() : nl + 1;
  }
  return profile;
}

ProfileFile::LoadResult ProfileFile::Load(const std::string& path) {
  lines_.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? LoadResult::Missing : LoadResult::Failed;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return LoadResult::Failed;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return LoadResult::Failed;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  *this = Parse(bytes);
  return LoadResult::Read;
}

std::string ProfileFile::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.eol;
  }
  return out;
}

bool ProfileFile::Save(const std::string& path, std::string* error) const {
  return WriteFileAtomically(path, Serialize(), error);
}

std::optional<ProfileFile::Range> ProfileFile::FindSection(std::string_view section) const {
  section = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != LineKind::Section || !EqualNoCase(lines_[i].name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::Section) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileFile::FindKey(const Range& range, std::string_view key) const {
  key = Trim(key);
  for (std::size_t i = range.header + 1; i < range.end; ++i)
    if (lines_[i].kind == LineKind::Key && EqualNoCase(lines_[i].name, key)) return i;
  return std::nullopt;
}

bool ProfileFile::HasSection(std::string_view section) const {
  return FindSection(section).has_value();
}

std::optional<std::string> ProfileFile::GetString(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto index = FindKey(*range, key);
  if (!index) return std::nullopt;
  return lines_[*index].value;
}

std::optional<int> ProfileFile::GetInt(std::string_view section, std::string_view key) const {
  const auto text = GetString(section, key);
  if (!text) return std::nullopt;
  return ParseProfileInteger(*text);
}

std::string ProfileFile::NewLineBreak() const {
  for (const Line& line : lines_)
    if (!line.eol.empty()) return line.eol;
  return "\n";
}

bool ProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (key.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos || key.front() == '[' ||
      key.front() == ';')
    return false;

  const std::string eol = NewLineBreak();
  auto range = FindSection(section);
  if (!range) {
    if (!lines_.empty()) {
      if (lines_.back().eol.empty()) lines_.back().eol = eol;
      if (!Trim(lines_.back().text).empty()) lines_.push_back(ClassifyLine("", eol));
    }
    std::string header;
    header.append(1, '[').append(section).append(1, ']');
    lines_.push_back(ClassifyLine(std::move(header), eol));
    range = Range{lines_.size() - 1, lines_.size()};
  }
  if (const auto index = FindKey(*range, key)) {
    Line& line = lines_[*index];
    line = ClassifyLine(line.name + "=" + std::string(value), line.eol);
    return true;
  }
  // After the section's last non-blank line, so blank lines stay between sections.
  std::size_t at = range->end;
  while (at > range->header + 1 && Trim(lines_[at - 1].text).empty()) --at;
  if (lines_[at - 1].eol.empty()) lines_[at - 1].eol = eol;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                ClassifyLine(std::string(key) + "=" + std::string(value), eol));
  return true;
}

bool ProfileFile::SetInt(std::string_view section, std::string_view key, int value) {
  return SetString(section, key, std::to_string(value));
}

}  // namespace plicora
