#include "core/model/Model.h"

#include "core/model/EdgeTypes.h"

namespace plicora {

HalfEdge* Solid::NewHalfEdge(Vertex* vertex, Face* face, double flapWidth) {
  HalfEdge& h = halfEdges.emplace_back();
  h.vertex = vertex;
  h.face = face;
  h.flapWidth = flapWidth;
  h.index = static_cast<std::uint32_t>(halfEdges.size() - 1);
  return &h;
}

Material Material::FromColor(std::uint32_t colorRef) {
  Material m;
  const float r = static_cast<float>(colorRef & 0xFF) / 255.f;
  const float g = static_cast<float>((colorRef >> 8) & 0xFF) / 255.f;
  const float b = static_cast<float>((colorRef >> 16) & 0xFF) / 255.f;
  m.ambient = {r, g, b, 1.f};
  m.diffuse = {r, g, b, 1.f};
  m.devColor = {r, g, b};
  return m;
}

Model::Model(std::uint32_t defaultColor) : defaultMaterial(Material::FromColor(defaultColor)) {}

const Material& Model::MaterialOf(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= materials.size()) return defaultMaterial;
  return materials[static_cast<std::size_t>(index)];
}

Material& Model::MaterialOf(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= materials.size()) return defaultMaterial;
  return materials[static_cast<std::size_t>(index)];
}

void Model::SetDefaultMaterialColor(std::uint32_t colorRef) {
  const Material colours = Material::FromColor(colorRef);
  for (int i = 0; i < 3; ++i) {
    defaultMaterial.ambient[i] = colours.ambient[i];
    defaultMaterial.diffuse[i] = colours.diffuse[i];
  }
}

ModelInfoCounts CountModelInfo(const Model& model) {
  ModelInfoCounts c;
  c.surfaces = model.totalFaces;
  for (const Solid& s : model.solids) c.vertexes += static_cast<long long>(s.vertices.size());
  c.materials = model.materials.empty() ? 1 : static_cast<int>(model.materials.size());
  c.objects = static_cast<int>(model.solids.size());
  c.uv = model.hasUV;
  for (const Material& m : model.materials)
    if (m.hasTexture) ++c.textureImages;
  return c;
}

void ResetEdgeAttributes(Model& model) {
  for (Solid& s : model.solids) {
    if (!s.selected) continue;
    for (Edge& e : s.edges) e.type = (e.halfA && e.halfB) ? kEdgeOrdinary : kEdgeOneSided;
  }
}

void SetAllFlapWidths(Model& model, double width) {
  for (Part& p : model.parts)
    for (Face* f : p.faces)
      for (HalfEdge* h : f->ring) h->flapWidth = width;
}

std::vector<std::string> ObjectListNames(const Model& model) {
  std::vector<std::string> names;
  int unnamed = 0;
  for (const Solid& s : model.solids) names.push_back(s.name.empty() ? "Object-" + std::to_string(++unnamed) : s.name);
  return names;
}

}  // namespace plicora
