#include "render/export/CutterSvgExport.h"

#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <map>

#include "core/export/ExportFile.h"
#include "core/model/Units.h"
#include "render/export/DxfExport.h"
#include "render/export/SvgExport.h"

namespace plicora {
namespace {

// A length in millimetres to a ten-thousandth, without trailing zeros and
// with a decimal point whatever the locale.
std::string Mm(double value) {
  if (!std::isfinite(value)) value = 0.0;
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
  std::string out(text, error == std::errc() ? end : text);
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  return out == "-0" ? "0" : out;
}

// A factor written exactly (the shortest text that reads back the same).
std::string Exact(double value) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return std::string(text, error == std::errc() ? end : text);
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += (static_cast<unsigned char>(c) < 0x20 && c != '\t') ? ' ' : c;
    }
  }
  return out;
}

std::string PartId(std::size_t part) {
  return "part" + std::to_string(part + 1);
}

void OpenLayer(std::string& out, const char* name, const std::string& style, bool hidden = false) {
  out += "<g inkscape:groupmode=\"layer\" inkscape:label=\"" + std::string(name) + "\" id=\"layer-" + name + "\"";
  if (hidden) out += " style=\"display:none\"";
  if (!style.empty()) out += " " + style;
  out += ">\n";
}

// What lies inside the root element of an SVG document.
std::string SvgBody(const QByteArray& svg) {
  const qsizetype root = svg.indexOf("<svg");
  const qsizetype open = root < 0 ? -1 : svg.indexOf('>', root);
  const qsizetype close = svg.lastIndexOf("</svg>");
  if (open < 0 || close <= open) return {};
  return svg.mid(open + 1, close - open - 1).toStdString();
}

void Cuts(std::string& out, const CutSheet& sheet) {
  for (const CutPath& cut : sheet.cuts) {
    if (cut.points.size() < 2) continue;
    out += "<path id=\"" + PartId(cut.part) + "-cut" + std::to_string(cut.contour) + "\" d=\"M";
    const std::size_t count = cut.closed ? cut.points.size() - 1 : cut.points.size();
    for (std::size_t k = 0; k < count; ++k) {
      out += (k == 0 ? "" : " L") + Mm(cut.points[k].x) + "," + Mm(cut.points[k].y);
    }
    out += cut.closed ? " Z\"/>\n" : "\"/>\n";
  }
}

// The lines of each part in a group named after the part.
void Folds(std::string& out, const std::vector<CutLine>& lines, const char* kind) {
  std::map<std::size_t, std::string> byPart;
  for (const CutLine& line : lines) {
    byPart[line.part] += "<line x1=\"" + Mm(line.a.x) + "\" y1=\"" + Mm(line.a.y) + "\" x2=\"" + Mm(line.b.x) +
                         "\" y2=\"" + Mm(line.b.y) + "\"/>\n";
  }
  for (const auto& [part, text] : byPart) out += "<g id=\"" + PartId(part) + "-" + kind + "\">\n" + text + "</g>\n";
}

void Texts(std::string& out, const CutSheet& sheet) {
  for (const CutText& text : sheet.texts) {
    const std::string x = Mm(text.at.x), y = Mm(text.at.y);
    out += "<text x=\"" + x + "\" y=\"" + y + "\" font-size=\"" + Mm(text.emMm) + "\"";
    if (text.centred) out += " text-anchor=\"middle\" dominant-baseline=\"central\"";
    if (text.angleDegrees != 0.0) out += " transform=\"rotate(" + Mm(-text.angleDegrees) + " " + x + " " + y + ")\"";
    out += ">" + Escaped(text.text) + "</text>\n";
  }
}

// A filled mark as a filled path, a line mark as a stroked one, mitred at
// its corners and cut square at its ends.
void Marks(std::string& out, const std::vector<MarkShape>& marks) {
  for (const MarkShape& mark : marks) {
    if (mark.points.empty()) continue;
    out += "<path d=\"M";
    for (std::size_t k = 0; k < mark.points.size(); ++k)
      out += (k == 0 ? "" : " L") + Mm(mark.points[k].x) + "," + Mm(mark.points[k].y);
    out += mark.filled || mark.closed ? " Z\"" : "\"";
    if (!mark.filled) {
      out += " fill=\"none\" stroke=\"#000000\" stroke-width=\"" + Mm(mark.lineWidthMm) +
             "\" stroke-linejoin=\"miter\" stroke-miterlimit=\"4\" stroke-linecap=\"butt\"";
    }
    out += "/>\n";
  }
}

}  // namespace

std::string CutterSvgText(const CutSheet& sheet, const QByteArray& printSvg, double printUnitMm,
                          const std::string& title) {
  const std::string w = Mm(sheet.widthMm), h = Mm(sheet.heightMm);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"\n"
      "     xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"\n"
      "     version=\"1.1\" width=\"" +
      w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h +
      "\">\n"
      "<title>" +
      Escaped(title) + "</title>\n";
  // A printed sheet's drawing stops at the printable area, as on paper.
  std::string clip;
  if (const std::optional<MarkRect>& area = sheet.printableArea) {
    out += "<defs><clipPath id=\"printable-area\"><rect x=\"" + Mm(area->x) + "\" y=\"" + Mm(area->y) + "\" width=\"" +
           Mm(area->width) + "\" height=\"" + Mm(area->height) + "\"/></clipPath></defs>\n";
    clip = "clip-path=\"url(#printable-area)\"";
  }
  OpenLayer(out, kPrintLayer, clip);
  out += "<g transform=\"scale(" + Exact(printUnitMm) + ")\">\n" + SvgBody(printSvg) + "</g>\n";
  out += "</g>\n";
  OpenLayer(out, kNumbersLayer, "font-family=\"Arial, sans-serif\" fill=\"#000000\"", true);
  Texts(out, sheet);
  out += "</g>\n";
  const std::string stroke = "fill=\"none\" stroke-width=\"0.1\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  OpenLayer(out, kValleyLayer, stroke + " stroke=\"#00a000\"");
  Folds(out, sheet.valleys, "valley");
  out += "</g>\n";
  OpenLayer(out, kMountainLayer, stroke + " stroke=\"#0000ff\"");
  Folds(out, sheet.mountains, "mountain");
  out += "</g>\n";
  OpenLayer(out, kCutLayer, stroke + " stroke=\"#ff0000\"");
  Cuts(out, sheet);
  out += "</g>\n";
  if (!sheet.registration.empty()) {
    OpenLayer(out, kRegistrationLayer, "fill=\"#000000\" stroke=\"none\"");
    Marks(out, sheet.registration);
    out += "</g>\n";
  }
  out += "</svg>\n";
  return out;
}

bool ExportCutterSvg(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick) {
  const std::string title = QFileInfo(QString::fromStdString(model.path)).fileName().toStdString();
  const RememberingTick ticks(tick);
  const CutSheet sheet = WholeDevelopmentCutSheet(model, settings, ticks.get());
  if (ticks.stopped()) return false;
  const QByteArray print = RenderSvg(model, settings, ticks.get());
  if (ticks.stopped()) return false;
  const std::string text = CutterSvgText(sheet, print, kMmPerInch / kSvgUnitsPerInch, title);
  if (ticks.get() && !(*ticks.get())()) return false;
  return WriteExportFile(path, text);
}

}  // namespace plicora
