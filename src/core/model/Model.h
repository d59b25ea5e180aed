#pragma once
// In-memory form of one opened work file: solids with vertices, faces,
// half-edges and edges; the parts of the development; materials with their
// texture images; text labels; and the document values of the info block.
//
// Ownership is a plain tree: the model owns solids, parts, materials and
// labels; a solid owns its faces, edges, vertices and the half-edges of its
// faces. Every other link is a non-owning pointer into the same model. All
// containers keep element addresses stable as they grow.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/model/CornerRing.h"
#include "core/model/StableVector.h"
#include "core/platform/FontFaceNames.h"

namespace plicora {

struct Solid;
struct Face;
struct HalfEdge;
struct Edge;
struct Part;

struct Point2 {
  double x = 0.0;
  double y = 0.0;
};

struct Point3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

struct Vertex {
  double x = 0.0, y = 0.0, z = 0.0;
};

struct TexCoord {
  double u = 0.0, v = 0.0;
};

/// One corner of a face together with the side that starts at it. The
/// preceding corner of the ring is PrevOf (MeshTopology.h).
struct HalfEdge {
  Edge* edge = nullptr;
  Vertex* vertex = nullptr;
  Face* face = nullptr;
  HalfEdge* partner = nullptr;     ///< neighbour across the edge in the model
  HalfEdge* next = nullptr;        ///< following corner of the ring
  HalfEdge* devPartner = nullptr;  ///< neighbour when joined in the pattern (a fold)
  TexCoord uv;                     ///< texture coordinates, when hasUv
  bool hasUv = false;
  bool isOutline = true;  ///< false for an internal diagonal of a split polygon
  bool hasFlap = false;
  std::uint32_t index = 0;  ///< place in its solid's halfEdges (for per-drawing tables)
  Point2 devPos;            ///< corner in the pattern, relative to the part offset
  double flapWidth = 0.5;   ///< centimetres of paper
};

struct Face {
  Solid* solid = nullptr;
  /// Corners in order; the solid owns the records. The next field may sit in
  /// the ring's last bytes.
  [[no_unique_address]] CornerRing ring;
  int materialIndex = -1;
  std::array<double, 4> plane{};  ///< nx, ny, nz, d
  Part* part = nullptr;
  int partIndex = -1;
  bool marked = false;
};
static_assert(sizeof(void*) != 8 || sizeof(Face) == 96, "a face keeps its fields in 96 bytes");

struct Edge {
  HalfEdge* halfA = nullptr;
  HalfEdge* halfB = nullptr;
  Vertex* vertexA = nullptr;
  Vertex* vertexB = nullptr;
  double length = 0.0;
  double dihedral = -1.0;
  int type = 0;  ///< 0 ordinary, 5 one-sided, 6 marked to cut, 7 marked to keep
  int joinNumber = -1;
  bool convex = true;
};

struct Solid {
  StableVector<Face> faces;
  StableVector<Edge> edges;
  StableVector<Vertex> vertices;
  StableVector<HalfEdge> halfEdges;  ///< storage of every corner of every face
  /// Working positions of the cut-point emphasis by half-edge index, filled
  /// when the development is prepared (ComputeOpenedPositions).
  std::vector<Point3> openedPositions;
  double meanEdgeLength = 0.0;
  std::string name;
  bool selected = true;

  /// Creates a half-edge in this solid's storage (not yet in any ring).
  HalfEdge* NewHalfEdge(Vertex* vertex, Face* face, double flapWidth);
};

struct Part {
  std::vector<Face*> faces;
  double offsetX = 0.0, offsetY = 0.0;
  double width = 0.0, height = 0.0;
  Solid* solid = nullptr;
  bool selected = false;
};

/// Uncompressed RGB image, width * height * 3 bytes, rows packed.
struct TextureImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

struct Material {
  std::unique_ptr<TextureImage> image;
  bool hasTexture = false;
  std::array<float, 4> ambient{};
  std::array<float, 4> diffuse{};
  std::array<float, 4> emission{0.f, 0.f, 0.f, 1.f};
  std::array<float, 4> specular{0.f, 0.f, 0.f, 1.f};
  float shininess = 0.f;
  std::array<float, 3> devColor{};
  bool hasDevColor = false;
  std::string name;
  std::string textureFile;

  /// A material whose colours come from a colour value (red in the low byte).
  static Material FromColor(std::uint32_t colorRef);
};

struct TextLabel {
  std::string text;
  double x = 0.0, y = 0.0;
  int fontSize = 36;
  std::string fontName = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";  // ＭＳ ゴシック
  double width = 15.0, height = 15.0;
  int style = 0;
  std::uint32_t color = 0;  ///< R + 256 G + 65536 B
};

/// Colour value of the default material at start-up (colour entry 0).
inline constexpr std::uint32_t kDefaultMaterialColor = 16767449;

struct Model {
  explicit Model(std::uint32_t defaultColor = kDefaultMaterialColor);
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  StableVector<Solid> solids;
  Point3 boxMax{-1.7976931348623157e308, -1.7976931348623157e308, -1.7976931348623157e308};
  Point3 boxMin{1.7976931348623157e308, 1.7976931348623157e308, 1.7976931348623157e308};
  int totalFaces = 0;
  StableVector<Part> parts;
  double devX = 0.0, devY = 0.0;
  double devWidth = 0.0, devHeight = 0.0;
  double meanEdgeLength = 0.0;
  double modelScale = 1.0;  ///< dMag3d
  double devScale = 40.0;   ///< dMag2d: centimetres of paper per development unit
  std::string path;
  bool hasUV = false;
  StableVector<Material> materials;
  StableVector<TextLabel> texts;
  Material defaultMaterial;
  double devMargin = 0.0;
  bool mirrored = false;
  bool loaded = false;
  bool hasDevelopment = false;

  /// The material of a face index; the default one for -1 or out of range.
  const Material& MaterialOf(int index) const;
  Material& MaterialOf(int index);

  /// Sets the default material's colours from a colour value (colour 0).
  void SetDefaultMaterialColor(std::uint32_t colorRef);
};

/// Counts shown by Model Info.
struct ModelInfoCounts {
  int surfaces = 0;  ///< totalFaces as declared by the file
  long long vertexes = 0;
  int materials = 1;  ///< shown as 1 when there are none
  int objects = 0;
  bool uv = false;
  int textureImages = 0;
};
ModelInfoCounts CountModelInfo(const Model& model);

/// "Reset Edge Attribute": type 0 for paired edges, 5 for one-sided ones, on
/// selected solids only.
void ResetEdgeAttributes(Model& model);

/// Sets the flap width of every half-edge of every face of every part.
void SetAllFlapWidths(Model& model, double width);

/// The name the Object List shows: the solid's name, or "Object-%d" numbered
/// from 1 over the unnamed solids only.
std::vector<std::string> ObjectListNames(const Model& model);

}  // namespace plicora
