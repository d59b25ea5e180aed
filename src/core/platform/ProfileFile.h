#pragma once
// The profile: an initialisation file of "[Section]" headers and
// "key=value" lines. Sections and keys are found regardless of letter case;
// values are text. Every line the program does not change (other sections,
// comments, unknown keys, their order and line endings) is written back as it
// was read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plicora {

/// The integer a profile value stands for when it is exactly one integer:
/// optional surrounding white space, an optional sign, then decimal digits,
/// "0x"/"0X" and hexadecimal digits, or a leading 0 and octal digits. Text
/// with anything else, or a number outside the range of int, gives nothing.
std::optional<int> ParseProfileInteger(std::string_view text);

class ProfileFile {
 public:
  enum class LoadResult {
    Read,     ///< the file was read
    Missing,  ///< there is no such file: the profile is empty
    Failed,   ///< the file exists but could not be read: the profile is empty
  };

  ProfileFile() = default;

  /// A profile from the bytes of a file; any bytes are accepted.
  static ProfileFile Parse(std::string_view bytes);

  /// Replaces the contents with those of the file at `path`.
  LoadResult Load(const std::string& path);

  /// The bytes of the profile as it would be saved.
  std::string Serialize() const;

  /// Saves atomically (see WriteFileAtomically); false when it failed, the
  /// old file then being untouched.
  bool Save(const std::string& path, std::string* error = nullptr) const;

  /// The value of a key, without surrounding white space and one pair of
  /// enclosing quotes; nothing when the section or the key is missing. The
  /// first section and the first key of a name count.
  std::optional<std::string> GetString(std::string_view section, std::string_view key) const;

  /// The value as ParseProfileInteger reads it; nothing when missing.
  std::optional<int> GetInt(std::string_view section, std::string_view key) const;

  /// Sets a value: an existing key is rewritten in place, a new key goes
  /// after the last entry of its section, a new section at the end of the
  /// file. Names and values that cannot be stored on one line (line breaks,
  /// a key with "=" or starting with "[" or ";", a section with "]") are
  /// refused with false.
  bool SetString(std::string_view section, std::string_view key, std::string_view value);

  /// Stores an integer as decimal text.
  bool SetInt(std::string_view section, std::string_view key, int value);

  /// Whether the profile has a section of that name.
  bool HasSection(std::string_view section) const;

 private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    std::string text;  ///< without the line break
    std::string eol;   ///< "\n", "\r\n" or "" for a last line without one
    LineKind kind = LineKind::Other;
    std::string name;   ///< section name or key, trimmed
    std::string value;  ///< value of a key line
  };
  struct Range {
    std::size_t header;  ///< index of the section line
    std::size_t end;     ///< one past the last line of the section
  };

  static Line ClassifyLine(std::string text, std::string eol);
  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Range& range, std::string_view key) const;
  std::string NewLineBreak() const;

  std::vector<Line> lines_;
};

}  // namespace plicora
