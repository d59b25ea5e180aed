#!/usr/bin/env python3
"""Cut files read back by independent readers.

  cut_files_check.py VIEWER FIXTURES dxf     the DXF through ezdxf against the cutter SVG
  cut_files_check.py VIEWER FIXTURES pages   print-and-cut sheets: each preset's marks in the PDF,
                                             SVG and DXF sheets
  cut_files_check.py VIEWER FIXTURES gauge   the scale gauge measured on a PDF sheet

Exit status 0 on success, 1 on a failed check, 77 when a reader is missing.
"""

import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
LABEL = "{http://www.inkscape.org/namespaces/inkscape}label"
GROUPMODE = "{http://www.inkscape.org/namespaces/inkscape}groupmode"
SVG_UNIT_MM = 25.4 / 1200  # the SVG export's user unit

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run_viewer(viewer, *arguments):
    result = subprocess.run([viewer, "--no-profile", *arguments], capture_output=True, text=True,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), timeout=300)
    check(result.returncode == 0, "%s exited %d: %s" % (" ".join(arguments), result.returncode, result.stderr))
    return result


def layers_of(root):
    return {g.get(LABEL): g for g in root.iter(SVG + "g") if g.get(GROUPMODE) == "layer"}


def path_points(d):
    """Corners of a path of M, L and Z commands, and whether it closes."""
    numbers = [float(v) for v in re.findall(r"-?\d+(?:\.\d+)?", d)]
    return list(zip(numbers[0::2], numbers[1::2])), d.rstrip().endswith("Z")


def matrix_of(transform):
    """A group's transform in the export's 1/1200-inch units."""
    m = re.match(r"matrix\(([^)]*)\)", transform or "")
    if m:
        return [float(v) for v in m.group(1).split(",")]
    m = re.match(r"scale\(([^)]*)\)", transform or "")
    k = float(m.group(1)) / SVG_UNIT_MM if m else 1.0
    return [k, 0, 0, k, 0, 0]


def print_corners(print_layer):
    """End points of every line of the printed drawing, in millimetres."""
    corners = []
    for group in print_layer.iter(SVG + "g"):
        a, b, c, d, e, f = matrix_of(group.get("transform"))
        ends = []
        for polyline in group.findall(SVG + "polyline"):
            values = [float(v) for v in re.findall(r"-?\d+(?:\.\d+)?", polyline.get("points"))]
            ends += [list(zip(values[0::2], values[1::2]))[i] for i in (0, -1)]
        for path in group.findall(SVG + "path"):
            if path.get("fill", "none") == "none":
                ends += [tuple(float(v) for v in pair.split())
                         for pair in re.findall(r"[ML]\s*(-?[\d.]+\s+-?[\d.]+)", path.get("d", ""))]
        for x, y in ends:
            corners.append(((a * x + c * y + e) * SVG_UNIT_MM, (b * x + d * y + f) * SVG_UNIT_MM))
    return corners


def fonts_holding(charset, cache={}):
    """File names (links followed) of the installed fonts that hold every
    character of `charset` (hexadecimal code points)."""
    if charset not in cache:
        listed = subprocess.run(["fc-list", ":charset=" + charset, "file"], capture_output=True, text=True).stdout
        cache[charset] = {os.path.basename(os.path.realpath(line.strip().rstrip(":")))
                          for line in listed.splitlines() if line.strip()}
    return cache[charset]


def check_dxf(viewer, fixtures, work):
    import ezdxf
    from ezdxf.lldxf.const import DXFStructureError

    # file, extra options, closed contours, open slit lines, valley folds
    # expected, whether the printed drawing shows every flap whole (parts
    # that lie over each other hide flaps in print, never in the cut)
    cases = [
        ("cube.plc", [], 1, 0, False, True),
        ("torus_concave_numbers.plc", ["--set", "bDrawFlap=0"], 5, 8, True, False),
        ("solids_paged_layout_a4.plc", ["--set", "bDrawFlap=0"], 6, 0, False, False),
        ("crlf_labels_sjis.plc", ["--set", "bDrawNumber=1"], 1, 0, False, True),
    ]
    for name, options, closed, slits, valleys, printed_whole in cases:
        stem = os.path.join(work, name[:-4])
        run_viewer(viewer, "--export", stem + ".dxf", *options, os.path.join(fixtures, name))
        run_viewer(viewer, "--export", stem + ".svg", "--cutter", *options, os.path.join(fixtures, name))
        try:
            doc = ezdxf.readfile(stem + ".dxf")
        except (IOError, DXFStructureError) as error:
            check(False, "%s: ezdxf cannot read the DXF: %s" % (name, error))
            continue
        check(doc.units == 4 and doc.header.get("$MEASUREMENT") == 1, name + ": not in millimetres")
        names = {layer.dxf.name for layer in doc.layers}
        check({"CUT", "MOUNTAIN", "VALLEY", "NUMBERS"} <= names, name + ": layers " + str(names))
        by_layer = {}
        for entity in doc.modelspace():
            by_layer.setdefault(entity.dxf.layer, []).append(entity)
        kinds = {layer: {e.dxftype() for e in entities} for layer, entities in by_layer.items()}
        check(kinds.get("CUT") == {"LWPOLYLINE"}, name + ": CUT holds " + str(kinds.get("CUT")))
        for layer in ("MOUNTAIN", "VALLEY"):
            check(kinds.get(layer, {"LINE"}) == {"LINE"}, name + ": %s holds %s" % (layer, kinds.get(layer)))
        check(kinds.get("NUMBERS", {"TEXT"}) == {"TEXT"}, name + ": NUMBERS holds " + str(kinds.get("NUMBERS")))
        check(set(by_layer) <= {"CUT", "MOUNTAIN", "VALLEY", "NUMBERS"}, name + ": entities on " + str(set(by_layer)))
        polylines = by_layer.get("CUT", [])
        check(sum(p.closed for p in polylines) == closed, name + ": closed polylines")
        check(sum(not p.closed for p in polylines) == slits, name + ": open polylines")
        check(bool(by_layer.get("VALLEY")) == valleys, name + ": valley folds")
        check(len(by_layer.get("MOUNTAIN", [])) > 0, name + ": no mountain folds")
        texts = [ezdxf.decode_dxf_unicode(t.dxf.text) for t in by_layer.get("NUMBERS", [])]
        if name.startswith("crlf"):
            check("cut here" in texts and any("\u7d44" in t for t in texts), name + ": labels " + str(texts))
        # Each text's style names an installed font file that holds all of
        # its characters (fontconfig's own list of the files that do).
        fonts = {style.dxf.name: style.dxf.font for style in doc.styles}
        for entity, text in zip(by_layer.get("NUMBERS", []), texts):
            font = fonts.get(entity.dxf.style, "")
            charset = " ".join("%x" % ord(c) for c in sorted(set(text)) if c != " ")
            check(font in fonts_holding(charset), "%s: style font %r lacks %r" % (name, font, text))

        # The cutter SVG: the same contours (y turned over) to 0.01 mm, closed
        # paths, and its printed drawing under them on the SVG export's grid.
        root = ET.parse(stem + ".svg").getroot()
        height = float(root.get("height").rstrip("m"))
        layers = layers_of(root)
        check({"PRINT", "CUT", "MOUNTAIN", "VALLEY", "NUMBERS"} <= set(layers), name + ": SVG layers")
        paths = layers["CUT"].findall(SVG + "path")
        check(len(paths) == len(polylines), name + ": SVG and DXF contour counts differ")
        check(all(p.get("id", "").startswith("part") for p in paths), name + ": ids do not name the part")
        corners = print_corners(layers["PRINT"])
        for path, polyline in zip(paths, polylines):
            points, is_closed = path_points(path.get("d"))
            check(is_closed == polyline.closed, name + ": closing differs for " + path.get("id"))
            dxf_points = [(x, height - y) for x, y in polyline.get_points("xy")]
            check(len(points) == len(dxf_points) and all(
                math.dist(p, q) <= 0.01 for p, q in zip(points, dxf_points)), name + ": corners differ " + path.get("id"))
            if not printed_whole:
                continue
            # Each printed corner lies on the export's grid: both of its
            # coordinates truncated to 1/1200 inch.
            worst = max(min(max(abs(p[0] - c[0]), abs(p[1] - c[1])) for c in corners) for p in points)
            check(worst <= SVG_UNIT_MM + 0.002,
                  name + ": contour %s is %.4f mm off the printed lines" % (path.get("id"), worst))


def grey_pixels(pdf, dpi, work, page=None):
    base = os.path.join(work, "sheet")
    pages = ["-f", str(page), "-l", str(page)] if page else []
    subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-singlefile", *pages, pdf, base], check=True, timeout=120)
    with open(base + ".pgm", "rb") as f:
        data = f.read()
    m = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(m.group(1)), int(m.group(2))
    return width, height, data[m.end():]


class Raster:
    """A rasterised sheet, read in millimetres."""

    def __init__(self, pdf, dpi, work, page=None):
        self.dpi = dpi
        self.width, self.height, self.grey = grey_pixels(pdf, dpi, work, page)
        self.px = 25.4 / dpi

    def ink(self, x, y):
        """How dark the pixel holding (x, y) mm is, 0 to 1."""
        i, j = int(x / self.px), int(y / self.px)
        if not (0 <= i < self.width and 0 <= j < self.height):
            return 0.0
        return 1.0 - self.grey[j * self.width + i] / 255.0

    def scan(self, a, b):
        """The inked length (mm) along a to b and the middle of the ink."""
        steps = max(1, int(math.dist(a, b) / self.px * 4))
        total = moment = 0.0
        for k in range(steps):
            t = (k + 0.5) / steps
            v = self.ink(a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)
            total += v
            moment += v * t
        length = total / steps * math.dist(a, b)
        t = moment / total if total else 0.0
        return length, (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


# The marks of each preset on A4 with the built-in measures (5 mm square,
# 0.5 mm lines, 10 mm from the paper's edges, corner arms of 20 mm), as the
# rectangles of their ink: x0, y0, x1, y1 in millimetres.
MARK_INK = {
    "corners": [(10, 10, 15, 15),
                (180, 10, 200, 10.5), (199.5, 10, 200, 30),
                (10, 267, 10.5, 287), (10, 286.5, 30, 287)],
    "frame": [(10, 10, 200, 10.5), (199.5, 10, 200, 287), (10, 286.5, 200, 287), (10, 10, 10.5, 287)],
    "none": [],
}


def ink_rectangles(layer):
    """The ink of the REGISTRATION layer's paths as rectangles: a filled
    path's box, a stroked path's segments widened by its line (all marks
    run along the axes)."""
    rectangles = []
    for path in layer.findall(SVG + "path") if layer is not None else []:
        points, closed = path_points(path.get("d"))
        if path.get("fill") != "none":
            xs, ys = [p[0] for p in points], [p[1] for p in points]
            rectangles.append((min(xs), min(ys), max(xs), max(ys)))
            continue
        half = float(path.get("stroke-width")) / 2
        ends = points + points[:1] if closed else points
        for k, (a, b) in enumerate(zip(ends, ends[1:])):
            # A mitred corner carries the ink on by half a line, a free end not.
            grow_a = half if closed or k > 0 else 0.0
            grow_b = half if closed or k < len(ends) - 2 else 0.0
            if a[1] == b[1]:
                x0, x1 = sorted((a[0], b[0]))
                lo, hi = (grow_a, grow_b) if a[0] < b[0] else (grow_b, grow_a)
                rectangles.append((x0 - lo, a[1] - half, x1 + hi, a[1] + half))
            else:
                y0, y1 = sorted((a[1], b[1]))
                lo, hi = (grow_a, grow_b) if a[1] < b[1] else (grow_b, grow_a)
                rectangles.append((a[0] - half, y0 - lo, a[0] + half, y1 + hi))
    return sorted(tuple(round(v, 3) for v in r) for r in rectangles)


def check_mark_in_raster(raster, rectangle, name):
    """Through a mark's ink along both axes: inked as long as the mark is
    wide and high, and centred on it, to 0.1 mm (the arms of a mark overlap
    at its corner, so a scan along an arm sees that arm only)."""
    x0, y0, x1, y1 = rectangle
    mx, my = (x0 + x1) / 2, (y0 + y1) / 2
    for a, b, length in (((x0 - 2, my), (x1 + 2, my), x1 - x0), ((mx, y0 - 2), (mx, y1 + 2), y1 - y0)):
        got, centre = raster.scan(a, b)
        check(abs(got - length) <= 0.1, "%s: mark %s inked %.3f mm, not %.3f" % (name, rectangle, got, length))
        check(math.dist(centre, (mx, my)) <= 0.1, "%s: mark %s centred at %s" % (name, rectangle, centre))


def check_pages(viewer, fixtures, work):
    if not shutil.which("pdftoppm"):
        print("pdftoppm is missing")
        sys.exit(77)
    import ezdxf
    # preset, fixture, options: the PDF, cutter SVG and DXF sheets hold the
    # marks at the same places, and no cut comes within 1 mm of them.
    cases = [("corners", "sphere_multipage_a4.plc", []), ("corners", "cube.plc", ["--set", "bPrintTombo=1"]),
             ("frame", "cube.plc", []), ("none", "cube.plc", [])]
    for preset, fixture, options in cases:
        folder = os.path.join(work, preset + fixture)
        # The cube's corners sheets are made without --marks: the default.
        marks = [] if preset == "corners" and fixture.startswith("cube") else ["--marks", preset]
        for out, extra in (("out.pdf", []), ("out.svg", ["--cutter"]), ("out.dxf", [])):
            run_viewer(viewer, "--export", out, *extra, "--pages-out", folder, *marks, *options,
                       os.path.join(fixtures, fixture))
        names = sorted(f[:-4] for f in os.listdir(folder) if f.endswith(".pdf"))
        check(bool(names) and names[0] == "out-01", "%s: sheet names %s" % (folder, names))
        for stem in names:
            name = "%s %s %s" % (preset, fixture, stem)
            check(all(os.path.exists(os.path.join(folder, stem + e)) for e in (".svg", ".dxf")), name + ": files")
            root = ET.parse(os.path.join(folder, stem + ".svg")).getroot()
            layers = layers_of(root)
            ink = ink_rectangles(layers.get("REGISTRATION"))
            check(ink == sorted(map(tuple, MARK_INK[preset])), "%s: SVG marks %s" % (name, ink))
            for path in layers["CUT"].findall(SVG + "path"):
                points, _ = path_points(path.get("d"))
                near = [p for p in points for r in ink
                        if r[0] - 1 < p[0] < r[2] + 1 and r[1] - 1 < p[1] < r[3] + 1]
                check(not near, "%s: cut %s near a mark at %s" % (name, path.get("id"), near[:1]))
            # The DXF: the same marks' outlines, y turned over.
            doc = ezdxf.readfile(os.path.join(folder, stem + ".dxf"))
            outlines = [e for e in doc.modelspace() if e.dxf.layer == "REGISTRATION" and e.dxftype() == "LWPOLYLINE"]
            corners = sorted((round(x, 3), round(297 - y, 3)) for e in outlines for x, y in e.get_points("xy"))
            expected = {"corners": 4 + 6 + 6, "frame": 8, "none": 0}[preset]
            check(len(corners) == expected, "%s: DXF mark corners %d" % (name, len(corners)))
            for x, y in corners:
                check(any(r[0] - 1e-6 <= x <= r[2] + 1e-6 and r[1] - 1e-6 <= y <= r[3] + 1e-6 for r in ink),
                      "%s: DXF corner %s off the marks" % (name, (x, y)))
            # The PDF sheet read back from its pixels.
            raster = Raster(os.path.join(folder, stem + ".pdf"), 300, work)
            check(abs(raster.width * raster.px - 210) < 0.5 and abs(raster.height * raster.px - 297) < 0.5,
                  name + ": paper size")
            for rectangle in MARK_INK[preset]:
                check_mark_in_raster(raster, rectangle, name)
            if preset == "none":
                check(max(raster.ink(x, y) for x in range(0, 210, 1) for y in (5, 12, 285, 292)) < 0.1,
                      name + ": ink in the margins")
            if fixture.startswith("sphere"):
                break  # the other sheets as the first: the marks are the same


def gauge_lines(raster, x0, y0, x1, y1):
    """The middles of the dark lines crossed by a scan from (x0, y0) to
    (x1, y1), in millimetres along it."""
    length = math.dist((x0, y0), (x1, y1))
    steps = int(length / raster.px * 2)
    values = [raster.ink(x0 + (x1 - x0) * k / steps, y0 + (y1 - y0) * k / steps) for k in range(steps + 1)]
    lines, run = [], []
    for k, v in enumerate(values + [0.0]):
        if v > 0.05:
            run.append((k, v))
        elif run:
            weight = sum(v for _, v in run)
            lines.append(sum(k * v for k, v in run) / weight / steps * length)
            run = []
    return lines


def check_gauge(viewer, fixtures, work):
    """The scale gauge: off by default, and on, a square 50 mm wide and high
    (its lines' middles) and a ruler whose end ticks lie 100 mm apart, to
    0.1 mm, in a free corner of the cube's sheet (the bottom-left: the cube
    takes the top-left); nothing else on the sheet changes."""
    if not shutil.which("pdftoppm"):
        print("pdftoppm is missing")
        sys.exit(77)
    cube = os.path.join(fixtures, "cube.plc")
    plain, gauged = os.path.join(work, "plain.pdf"), os.path.join(work, "gauged.pdf")
    run_viewer(viewer, "--export", plain, cube)
    run_viewer(viewer, "--export", gauged, "--set", "bPrintScaleGauge=1", cube)
    a = Raster(plain, 600, work)
    b = Raster(gauged, 600, work)
    changed = [k for k in range(len(a.grey)) if a.grey[k] != b.grey[k]]
    if not check(bool(changed), "the gauge is not drawn"):
        return
    xs = [k % b.width * b.px for k in changed]
    ys = [k // b.width * b.px for k in changed]
    box = (min(xs), min(ys), max(xs), max(ys))
    # 3 mm in from the printable area's bottom-left corner (15 mm margins).
    check(abs(box[0] - 18) < 0.3 and abs(box[3] - (297 - 18)) < 0.3 and box[1] > 200,
          "gauge drawn over %s" % str(box))
    # The square: across its middle two lines 50 mm apart, each way.
    left, top = box[0] + 0.1, box[1] + 0.1
    across = gauge_lines(b, left - 2, top + 10, left + 52, top + 10)
    down = gauge_lines(b, left + 10, top - 2, left + 10, top + 52)
    for lines, way in ((across, "across"), (down, "down")):
        check(len(lines) == 2 and abs(lines[1] - lines[0] - 50) <= 0.1, "square %s: lines at %s" % (way, lines))
    # The ruler: 101 ticks 1 mm apart (the shortest 2 mm long), its ends
    # 100 mm apart.
    ticks = gauge_lines(b, left - 2, box[3] - 3, left + 103, box[3] - 3)
    check(len(ticks) == 101 and abs(ticks[-1] - ticks[0] - 100) <= 0.1,
          "ruler: %d ticks over %.3f mm" % (len(ticks), ticks[-1] - ticks[0] if ticks else 0))
    # Off by default: the plain sheet has no ink where the gauge goes.
    check(max(a.ink(x / 4, y / 4) for x in range(int(box[0] * 4), int(box[2] * 4))
              for y in range(int(box[1] * 4), int(box[3] * 4))) == 0.0, "ink under the gauge without it")


def main():
    viewer, fixtures, what = sys.argv[1:4]
    try:
        import ezdxf  # noqa: F401
    except ImportError:
        if what in ("dxf", "pages"):
            print("python3-ezdxf is missing")
            sys.exit(77)
    work = tempfile.mkdtemp(prefix="plicora-cut-")
    # The program never sees the user's own home or profile.
    for variable, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                             ("XDG_CACHE_HOME", "cache")):
        os.environ[variable] = os.path.join(work, folder)
        os.makedirs(os.environ[variable])
    try:
        {"dxf": check_dxf, "pages": check_pages, "gauge": check_gauge}[what](viewer, fixtures, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for failure in failures:
        print("FAILED:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
