#include "core/model/WorkFileReader.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/InfoBlockKeys.h"
#include "core/model/MeshTopology.h"
#include "core/model/NumberText.h"
#include "core/model/PaperTable.h"
#include "core/model/Prefetch.h"
#include "core/model/TextureFit.h"
#include "core/model/WorkFileStream.h"
#include "core/platform/FileBytes.h"
#include "core/platform/MessageSink.h"
#include "core/platform/TextEncoding.h"

namespace plicora {
namespace {

constexpr const char* kTooOldMessage = "This file is not supported in this application. Too old2:new version.";
constexpr const char* kTooNewMessage =
    "This file is not supported in this application. Too newer version.\n"
    "We recommend you to upgrade the application.";
constexpr const char* kNewerVersionMessage =
    "New version file. This application may not be able to read some information.\n"
    "We recommend you to upgrade the application.";

constexpr int kFormatVersion = 2;

// Capacities of the whole-line fields (characters, LF not counted).
constexpr std::size_t kNameLine = 254;
constexpr std::size_t kTextureLine = 255;
constexpr std::size_t kFontNameLine = 510;
constexpr std::size_t kLabelTextLine = 511;

/// A texture whose pixels run past the end of the file is kept (zero-filled)
/// only when the file holds at least half of it, less this much: what is
/// allocated stays within twice the file's size plus this.
constexpr std::size_t kMissingPixelAllowance = std::size_t{1} << 20;

/// A solid with at least this many bytes after its name is tokenised on a
/// second thread while its records are built.
std::size_t gReadAheadBytes = std::size_t{1} << 20;

/// How often (in faces) the bytes already parsed are given back.
constexpr int kReleaseInterval = 1 << 14;

/// How many small records (a vertex, an edge, a row of texture pixels; a
/// face counts as kFaceWeight) are read between two ticks.
constexpr int kTickInterval = 1 << 13;
constexpr int kFaceWeight = 4;

template <typename Container>
bool InRange(int index, const Container& c) {
  return index >= 0 && static_cast<std::size_t>(index) < c.size();
}

class WorkFileParser {
 public:
  /// `file`, when given, is told as parsing moves on which bytes are done.
  WorkFileParser(std::string_view bytes, FileBytes* file, Model& model, Settings& settings, int maxTextureSize,
                 const WorkShareTick* tick)
      : file_(file),
        bytes_(bytes),
        in_(bytes.data(), bytes.data() + bytes.size()),
        model_(model),
        settings_(settings),
        maxTextureSize_(maxTextureSize),
        tick_(tick && *tick ? tick : nullptr) {}

  int Run();
  /// Whether the tick asked the reading to stop.
  bool stopped() const { return stopped_; }

 private:
  int Int() { return in_.IntToken(); }
  double Real() { return in_.RealToken(); }
  bool Flag() { return Int() != 0; }
  /// Skips the rest of the line and reads the next one; false on failure.
  bool SkipLineThenRead(std::size_t capacity, std::string_view& line) {
    std::string_view rest;
    return in_.ReadLine(capacity, rest) && in_.ReadLine(capacity, line);
  }
  /// Counts `weight` small records read and now and then tells the tick the
  /// share of the bytes read. A stop fails the stream, which ends every loop.
  void Advance(int weight = 1) {
    if (!tick_ || stopped_ || (sinceTick_ += weight) < kTickInterval) return;
    sinceTick_ = 0;
    const auto read = static_cast<double>(in_.position() - bytes_.data());
    if ((*tick_)(bytes_.empty() ? 1.0 : read / static_cast<double>(bytes_.size()))) return;
    stopped_ = true;
    in_.Fail();
  }
  bool SeekKeyword(std::string_view keyword) {
    std::string_view token;
    while (in_.NextToken(token))
      if (token == keyword) return true;
    return false;
  }

  int ReadVersion(std::string_view& current);
  void ReadSolids(std::string_view& current);
  void ReadSolidBody(Solid& solid);
  void ReadFace(Solid& solid);
  struct EdgeRecord {
    int faceA, faceB, vertexA, vertexB, flags;
    bool devJoined;
  };
  static constexpr std::size_t kEdgeWindow = 64;
  void ReadEdges(Solid& solid, int count);
  void AddEdge(Solid& solid, const EdgeRecord& record);
  /// The first corner of a long ring at `v`, through an index made once per
  /// face, so that many edges on one huge polygon stay linear.
  HalfEdge* LongRingCorner(const Face& face, const Vertex* v);
  static constexpr std::size_t kLongRing = 64;
  void ReadParts(std::string_view& current);
  void AttachFacesToParts();
  void ReserveFaceLists();
  void ReadMaterialBody(Material& material, bool isDefault);
  void ReadTexture(Material& material);
  void ReadMaterials(std::string_view& current);
  void ReadTexts(std::string_view& current);
  void ReadInfo();
  void StoreInfoValue(std::string_view key);

  FileBytes* file_;
  std::string_view bytes_;
  WorkFileStream in_;
  Model& model_;
  Settings& settings_;
  int maxTextureSize_;  ///< OpenGL's texture size limit
  const WorkShareTick* tick_;
  int sinceTick_ = 0;
  bool stopped_ = false;
  std::vector<HalfEdge*> corners_;  // the ring being read
  int facesSinceRelease_ = 0;
  std::unordered_map<const Face*, std::unordered_map<const Vertex*, HalfEdge*>> longRings_;
  // Faces not yet attached to a part, by the part index they name (beyond
  // the parts read so far), and how many solids have been looked through.
  std::map<int, std::vector<Face*>> waitingForPart_;
  std::size_t solidsAttached_ = 0;
};

int WorkFileParser::Run() {
  // Reading stops at "end" or where the stream ends; a file in which no
  // "version" keyword was met by then is no work file at all (a text file
  // or an empty file given the extension).
  bool sawVersion = false;
  std::string_view t;
  for (;;) {
    if (!in_.NextToken(t)) return sawVersion ? kReadOk : kReadNoVersion;
    if (t.front() == '#') {
      in_.SkipComment();
      continue;
    }
    // Each handler leaves in `t` its keyword or the last count it read, and
    // the remaining keywords are compared with that.
    if (t == "version") {
      sawVersion = true;
      const int result = ReadVersion(t);
      if (result != kReadOk) return result;
    }
    if (t == "model") {
      model_.boxMax.x = Real();
      model_.boxMax.y = Real();
      model_.boxMax.z = Real();
      model_.boxMin.x = Real();
      model_.boxMin.y = Real();
      model_.boxMin.z = Real();
    }
    if (t == "solids") ReadSolids(t);
    if (t == "parts") ReadParts(t);
    if (t == "defaultmaterial") ReadMaterialBody(model_.defaultMaterial, true);
    if (t == "materials") ReadMaterials(t);
    if (t == "text") ReadTexts(t);
    if (t == "info") ReadInfo();
    if (t == "end") return sawVersion ? kReadOk : kReadNoVersion;
  }
}

int WorkFileParser::ReadVersion(std::string_view& current) {
  std::string_view token;
  if (!in_.NextToken(token)) return kReadFailed;
  const int version = IntFromToken(token);
  int minVersion = 0;
  current = in_.Token();
  if (current == "min_version") {
    current = in_.Token();
    minVersion = IntFromToken(current);
  }
  if (version < kFormatVersion) {
    ShowMessage(kTooOldMessage, MessageKind::Error);
    return kReadRefused;
  }
  if ((version > kFormatVersion && minVersion == 0) || minVersion > kFormatVersion) {
    ShowMessage(kTooNewMessage, MessageKind::Error);
    return kReadRefused;
  }
  if (version > kFormatVersion) ShowMessage(kNewerVersionMessage, MessageKind::Warning);
  return kReadOk;
}

void WorkFileParser::ReadSolids(std::string_view& current) {
  current = in_.Token();
  const int count = IntFromToken(current);
  int pastEnd = 0;
  for (int i = 0; i < count; ++i) {
    // Objects declared beyond the end of the file stay empty and unselected.
    if (in_.failed() && ++pastEnd > kMaxSolidsPastEnd) break;
    ReadSolidBody(model_.solids.emplace_back());
  }
}

void WorkFileParser::ReadSolidBody(Solid& solid) {
  in_.Token();  // header word
  std::string_view name;
  if (SkipLineThenRead(kNameLine, name)) solid.name = WorkFileTextToUtf8(name);
  solid.selected = Flag();
  // Up to the next solid's name every field is a token.
  if (in_.remaining() >= gReadAheadBytes) in_.ReadAhead();

  if (!SeekKeyword("vertices")) return;
  const int vertexCount = Int();
  for (int i = 0; i < vertexCount && !in_.failed(); ++i) {
    Vertex& v = solid.vertices.emplace_back();
    v.x = Real();
    v.y = Real();
    v.z = Real();
    Advance();
  }

  if (!SeekKeyword("faces")) return;
  const int faceCount = Int();
  // The declared count, whatever it is (wrapping like a 32-bit sum).
  model_.totalFaces =
      static_cast<int>(static_cast<std::uint32_t>(model_.totalFaces) + static_cast<std::uint32_t>(faceCount));
  for (int i = 0; i < faceCount && !in_.failed(); ++i) {
    ReadFace(solid);
    Advance(kFaceWeight);
    if (++facesSinceRelease_ == kReleaseInterval) {
      facesSinceRelease_ = 0;
      if (file_) file_->ReleaseBefore(in_.position());
    }
  }

  if (!SeekKeyword("edges")) return;
  ReadEdges(solid, Int());
}

void WorkFileParser::ReadFace(Solid& solid) {
  Face& face = solid.faces.emplace_back();
  face.solid = &solid;
  face.materialIndex = Int();
  face.partIndex = Int();
  for (double& value : face.plane) value = Real();
  const int cornerCount = Int();
  corners_.clear();
  for (int c = 0; c < cornerCount && !in_.failed(); ++c) {
    const int vertexIndex = Int();
    const double x = Real(), y = Real(), u = Real(), v = Real();
    const bool hasFlap = Flag(), isOutline = Flag();
    const double flapWidth = Real();
    if (!InRange(vertexIndex, solid.vertices)) continue;  // a corner naming no vertex is left out
    HalfEdge* h = solid.NewHalfEdge(&solid.vertices[static_cast<std::size_t>(vertexIndex)], &face, settings_.flapWidth);
    h->devPos = {x, y};
    h->uv = {u, v};
    h->hasUv = true;
    h->hasFlap = hasFlap;
    h->isOutline = isOutline;
    h->flapWidth = flapWidth;
    // The ring is kept clean corner by corner: a repeated corner is dropped.
    if (CornerRepeatsRing(corners_, *h))
      solid.halfEdges.pop_back();
    else
      corners_.push_back(h);
  }
  face.ring.assign(corners_.begin(), corners_.end());
  LinkRing(face);
}

void WorkFileParser::ReadEdges(Solid& solid, int count) {
  // Records are parsed up to kEdgeWindow ahead of the one being linked, and
  // what linking a record reads (the faces it names, their rings, the
  // corners in them) is asked for from memory in stages as it comes closer.
  // Records are still linked one by one in file order.
  std::array<EdgeRecord, kEdgeWindow> window;
  const auto faceOf = [&](int index) -> const Face* {
    return InRange(index, solid.faces) ? &solid.faces[static_cast<std::size_t>(index)] : nullptr;
  };
  const auto askForFaces = [&](const EdgeRecord& r) {
    for (int f : {r.faceA, r.faceB})
      if (const Face* face = faceOf(f)) Prefetch(&face->ring);
  };
  const auto askForRings = [&](const EdgeRecord& r) {
    for (int f : {r.faceA, r.faceB})
      if (const Face* face = faceOf(f)) Prefetch(face->ring.data());
  };
  const auto askForCorners = [&](const EdgeRecord& r) {
    for (int f : {r.faceA, r.faceB})
      if (const Face* face = faceOf(f))
        for (const HalfEdge* h : face->ring) Prefetch(&h->vertex);
  };
  std::size_t parsed = 0, linked = 0;
  const std::size_t total = count > 0 ? static_cast<std::size_t>(count) : 0;
  for (;;) {
    while (parsed - linked < kEdgeWindow && parsed < total && !in_.failed()) {
      EdgeRecord& r = window[parsed % kEdgeWindow];
      r.faceA = Int();
      r.faceB = Int();
      r.vertexA = Int();
      r.vertexB = Int();
      r.flags = Int();
      r.devJoined = Flag();
      askForFaces(r);
      ++parsed;
    }
    if (linked == parsed) break;
    if (linked + kEdgeWindow / 2 < parsed) askForRings(window[(linked + kEdgeWindow / 2) % kEdgeWindow]);
    if (linked + kEdgeWindow / 4 < parsed) askForCorners(window[(linked + kEdgeWindow / 4) % kEdgeWindow]);
    AddEdge(solid, window[linked % kEdgeWindow]);
    ++linked;
    Advance();
  }
}

HalfEdge* WorkFileParser::LongRingCorner(const Face& face, const Vertex* v) {
  auto [it, added] = longRings_.try_emplace(&face);
  if (added)
    for (HalfEdge* h : face.ring) it->second.try_emplace(h->vertex, h);  // the first corner of a vertex
  const auto found = it->second.find(v);
  return found == it->second.end() ? nullptr : found->second;
}

void WorkFileParser::AddEdge(Solid& solid, const EdgeRecord& r) {
  if (!InRange(r.vertexA, solid.vertices) || !InRange(r.vertexB, solid.vertices)) return;
  Vertex* va = &solid.vertices[static_cast<std::size_t>(r.vertexA)];
  Vertex* vb = &solid.vertices[static_cast<std::size_t>(r.vertexB)];
  auto cornerOf = [&](int faceIndex, const Vertex* v) -> HalfEdge* {
    if (!InRange(faceIndex, solid.faces)) return nullptr;
    const Face& face = solid.faces[static_cast<std::size_t>(faceIndex)];
    if (face.ring.size() > kLongRing) return LongRingCorner(face, v);
    for (HalfEdge* h : face.ring)
      if (h->vertex == v) return h;
    return nullptr;
  };
  HalfEdge* halfA = cornerOf(r.faceA, va);
  HalfEdge* halfB = cornerOf(r.faceB, vb);

  Edge& edge = solid.edges.emplace_back();
  edge.halfA = halfA;
  edge.halfB = halfB;
  edge.vertexA = va;
  edge.vertexB = vb;
  edge.convex = (r.flags & 16) != 0;
  edge.type = edge.convex ? r.flags - 16 : r.flags;
  if (halfA) halfA->edge = &edge;
  if (halfB) {
    halfB->edge = &edge;
    if (halfA) {
      halfA->partner = halfB;
      halfB->partner = halfA;
      if (r.devJoined) {
        halfA->devPartner = halfB;
        halfB->devPartner = halfA;
      }
    }
  }
}

void WorkFileParser::ReadParts(std::string_view& current) {
  current = in_.Token();
  const int count = IntFromToken(current);
  for (int i = 0; i < count && !in_.failed(); ++i) {
    const int solidIndex = Int();
    Part& part = model_.parts.emplace_back();
    part.solid = InRange(solidIndex, model_.solids) ? &model_.solids[static_cast<std::size_t>(solidIndex)] : nullptr;
    part.offsetX = Real();
    part.offsetY = Real();
    part.width = Real();
    part.height = Real();
  }
  AttachFacesToParts();
}

void WorkFileParser::AttachFacesToParts() {
  // Every face is looked at once: in the first "parts" section after its
  // solid; a face naming a part not read yet waits for a later section.
  // Within one part, faces keep the order in which they were read.
  const auto attach = [this](Face& face) {
    face.part = &model_.parts[static_cast<std::size_t>(face.partIndex)];
    face.part->faces.push_back(&face);
  };
  ReserveFaceLists();
  // Waiting faces belong to earlier solids, so they come first.
  while (!waitingForPart_.empty() && InRange(waitingForPart_.begin()->first, model_.parts)) {
    for (Face* face : waitingForPart_.begin()->second) attach(*face);
    waitingForPart_.erase(waitingForPart_.begin());
  }
  for (; solidsAttached_ < model_.solids.size(); ++solidsAttached_) {
    for (Face& face : model_.solids[solidsAttached_].faces) {
      if (face.partIndex < 0) continue;
      if (InRange(face.partIndex, model_.parts))
        attach(face);
      else
        waitingForPart_[face.partIndex].push_back(&face);
    }
  }
}

void WorkFileParser::ReserveFaceLists() {
  // Each list grows once to its final length: lists grown face by face
  // would leave a good part of their storage unused on a large model.
  std::vector<std::size_t> adding(model_.parts.size(), 0);
  for (const auto& [index, faces] : waitingForPart_)
    if (InRange(index, model_.parts)) adding[static_cast<std::size_t>(index)] += faces.size();
  for (std::size_t s = solidsAttached_; s < model_.solids.size(); ++s)
    for (const Face& face : model_.solids[s].faces)
      if (InRange(face.partIndex, model_.parts)) ++adding[static_cast<std::size_t>(face.partIndex)];
  for (std::size_t i = 0; i < adding.size(); ++i)
    if (adding[i] > 0) model_.parts[i].faces.reserve(model_.parts[i].faces.size() + adding[i]);
}

void WorkFileParser::ReadMaterialBody(Material& material, bool isDefault) {
  in_.Token();  // header word
  std::string_view name;
  if (SkipLineThenRead(kNameLine, name)) material.name = WorkFileTextToUtf8(name);
  float colours[20];
  for (float& c : colours) c = static_cast<float>(Real());
  if (!isDefault) {  // the default material keeps the colours of the settings
    for (int i = 0; i < 4; ++i) {
      material.ambient[i] = colours[i];
      material.diffuse[i] = colours[4 + i];
      material.emission[i] = colours[8 + i];
      material.specular[i] = colours[12 + i];
    }
    material.shininess = colours[16];
    for (int i = 0; i < 3; ++i) material.devColor[i] = colours[17 + i];
  }
  material.hasDevColor = Flag();
  material.hasTexture = Flag();
  if (material.hasTexture) ReadTexture(material);
}

void WorkFileParser::ReadTexture(Material& material) {
  std::string_view line;
  SkipLineThenRead(kTextureLine, line);  // the image's name, not used
  const int width = Int(), height = Int();
  in_.ReadLine(kTextureLine, line);
  material.image.reset();
  // A side of 0 is a well-formed empty image (no bytes follow); a negative
  // side or one beyond the largest cannot be trusted.
  const bool sideOk = width >= 0 && height >= 0 && width <= kMaxStoredTextureSide && height <= kMaxStoredTextureSide;
  if (!sideOk || static_cast<std::int64_t>(width) * height * 3 > INT_MAX) {
    // The length of the pixel block that follows cannot be trusted: nothing
    // is allocated and the reading ends here.
    material.hasTexture = false;
    in_.Fail();
    return;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  const std::size_t totalBytes = rowBytes * static_cast<std::size_t>(height);
  // A file cut inside its texture keeps the rows it holds as long as at
  // least half of the pixels are there (or little is missing).
  const bool keep = totalBytes / 2 <= in_.remaining() + kMissingPixelAllowance;
  auto image = std::make_unique<TextureImage>();
  if (keep) {
    image->width = width;
    image->height = height;
    image->pixels.assign(totalBytes, 0);
  }
  char line_number[48];
  for (int r = 0; r < height; ++r) {
    in_.ReadBytes(keep ? image->pixels.data() + rowBytes * static_cast<std::size_t>(r) : nullptr, rowBytes);
    if (in_.failed()) {
      std::snprintf(line_number, sizeof line_number, "fail linenumber %d", r);
      ShowMessage(line_number, MessageKind::Error);
    }
    Advance();
    if (stopped_) return;  // the model is thrown away: no message for the rows not read
  }
  if (!keep) return;  // far more pixels declared than the file holds: the material has no image to show
  material.image = std::move(image);
  FitLoadedTexture(material, EffectiveTextureLimit(settings_, maxTextureSize_));
}

void WorkFileParser::ReadMaterials(std::string_view& current) {
  current = in_.Token();
  const int count = IntFromToken(current);
  for (int i = 0; i < count && !in_.failed(); ++i) {
    Material material = Material::FromColor(settings_.colors[kColorMaterial]);
    ReadMaterialBody(material, false);
    model_.materials.push_back(std::move(material));
  }
}

void WorkFileParser::ReadTexts(std::string_view& current) {
  current = in_.Token();
  const int count = IntFromToken(current);
  for (int i = 0; i < count && !in_.failed(); ++i) {
    TextLabel& label = model_.texts.emplace_back();
    in_.Token();  // header word
    std::string_view line;
    if (SkipLineThenRead(kFontNameLine, line)) label.fontName = WorkFileTextToUtf8(line);
    if (in_.ReadLine(kLabelTextLine, line)) label.text = WorkFileTextToUtf8(line);
    label.fontSize = Int();
    label.x = Real();
    label.y = Real();
    label.width = Real();
    label.height = Real();
    label.style = Int();
    const int r = Int(), g = Int(), b = Int();
    label.color = MakeColorRef(r & 0xFF, g & 0xFF, b & 0xFF);
  }
}

void WorkFileParser::ReadInfo() {
  settings_.bDrawWhiteBkLine = false;
  std::string_view key;
  while (in_.NextToken(key) && key != "/info") StoreInfoValue(key);
  settings_.scaleProduct = model_.devScale * model_.modelScale;
  LookUpPaper(settings_.iPageType, settings_.paperWidth, settings_.paperHeight);
}

void WorkFileParser::StoreInfoValue(std::string_view key) {
  // A value that cannot be read (the file ends after its key) is 0, as a
  // number that cannot be read is everywhere else.
  for (const InfoBlockKey& k : InfoBlockKeys()) {
    if (key != k.name) continue;
    const std::string_view value = in_.Token();
    switch (k.kind) {
      case InfoValueKind::Flag:
        (k.modelFlag ? model_.*k.modelFlag : settings_.*k.flag) = IntFromToken(value) != 0;
        break;
      case InfoValueKind::Integer:
        settings_.*k.number = IntFromToken(value);
        break;
      case InfoValueKind::Real:
        (k.modelReal ? model_.*k.modelReal : settings_.*k.real) = RealFromToken(value);
        break;
      case InfoValueKind::Dropped:
        break;
    }
    return;
  }
  // any other token is skipped
}

int RunParser(WorkFileParser& parser, Model& model) {
  const int result = parser.Run();
  if (parser.stopped()) return kReadStopped;
  if (result == kReadOk) model.loaded = true;
  return result;
}

}  // namespace

void SetReadAheadThreshold(std::size_t bytes) {
  gReadAheadBytes = bytes;
}

int ReadWorkFile(const std::string& path, Model& model, Settings& settings, int maxTextureSize,
                 const WorkShareTick* tick) {
  FileBytes file;
  if (!file.Open(path)) return kReadFailed;
  WorkFileParser parser(std::string_view(file.data(), file.size()), &file, model, settings, maxTextureSize, tick);
  return RunParser(parser, model);
}

int ReadWorkFile(const std::string& path, Model& model, Settings& settings) {
  return ReadWorkFile(path, model, settings, settings.maxTextureSize);
}

int ReadWorkFileData(std::string_view bytes, Model& model, Settings& settings, int maxTextureSize,
                     const WorkShareTick* tick) {
  WorkFileParser parser(bytes, nullptr, model, settings, maxTextureSize, tick);
  return RunParser(parser, model);
}

int ReadWorkFileData(std::string_view bytes, Model& model, Settings& settings) {
  return ReadWorkFileData(bytes, model, settings, settings.maxTextureSize);
}

}  // namespace plicora
