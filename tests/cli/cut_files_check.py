#!/usr/bin/env python3
"""Cut files read back by independent readers.

  cut_files_check.py VIEWER FIXTURES dxf     the DXF through ezdxf against the cutter SVG
  cut_files_check.py VIEWER FIXTURES pages   print-and-cut sheets: PDF and SVG marks agree

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


def grey_pixels(pdf, dpi, work):
    base = os.path.join(work, "sheet")
    subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-singlefile", pdf, base], check=True, timeout=120)
    with open(base + ".pgm", "rb") as f:
        data = f.read()
    m = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(m.group(1)), int(m.group(2))
    return width, height, data[m.end():]


def check_pages(viewer, fixtures, work):
    if not shutil.which("pdftoppm"):
        print("pdftoppm is missing")
        sys.exit(77)
    fixture = os.path.join(fixtures, "sphere_multipage_a4.plc")
    margins = ["--set", "dPageMarginSide=1.5", "--set", "dPageMarginTop=1.5", "--set", "bPrintTombo=1"]
    folder = os.path.join(work, "sheets")
    run_viewer(viewer, "--export", "out.pdf", "--pages-out", folder, *margins, fixture)
    run_viewer(viewer, "--export", "out.svg", "--cutter", "--pages-out", folder, *margins, fixture)
    pdfs = sorted(f for f in os.listdir(folder) if f.endswith(".pdf"))
    svgs = sorted(f for f in os.listdir(folder) if f.endswith(".svg"))
    check(len(pdfs) > 1 and [f[:-4] for f in pdfs] == [f[:-4] for f in svgs], "sheets: " + str(pdfs + svgs))
    check(pdfs[:1] == ["out-01.pdf"], "sheet names: " + str(pdfs[:1]))
    reference = None
    for pdf_name, svg_name in zip(pdfs, svgs):
        root = ET.parse(os.path.join(folder, svg_name)).getroot()
        width, height = float(root.get("width").rstrip("m")), float(root.get("height").rstrip("m"))
        layers = layers_of(root)
        marks = [tuple(float(r.get(k)) for k in ("x", "y", "width", "height"))
                 for r in layers["REGISTRATION"].findall(SVG + "rect")]
        check(len(marks) >= 3, svg_name + ": registration marks " + str(marks))
        reference = reference or marks
        check(marks == reference, svg_name + ": marks differ from the first sheet's")
        printable = (15.0, 15.0, width - 15.0, height - 15.0)
        for x, y, w, h in marks:
            inside = x + w > printable[0] and x < printable[2] and y + h > printable[1] and y < printable[3]
            check(not inside and x >= 0 and y >= 0 and x + w <= width and y + h <= height,
                  svg_name + ": mark %s not in the margin" % str((x, y, w, h)))
        for path in layers["CUT"].findall(SVG + "path"):
            points, _ = path_points(path.get("d"))
            check(all(printable[0] - 1e-6 <= px <= printable[2] + 1e-6 and printable[1] - 1e-6 <= py <= printable[3] + 1e-6
                      for px, py in points), svg_name + ": cut outside the printable area")

        # The PDF sheet is dark in the middle of every mark and light around
        # it: the marks are where the SVG says.
        dpi = 150
        pw, ph, grey = grey_pixels(os.path.join(folder, pdf_name), dpi, work)
        check(abs(pw / dpi * 25.4 - width) < 0.5 and abs(ph / dpi * 25.4 - height) < 0.5, pdf_name + ": paper size")

        def at(x_mm, y_mm):
            return grey[int(y_mm / 25.4 * dpi) * pw + int(x_mm / 25.4 * dpi)]

        for x, y, w, h in marks:
            check(at(x + w / 2, y + h / 2) < 96, pdf_name + ": no mark at " + str((x, y)))
        x, y, w, h = marks[0]
        for px, py in ((x - 1.0, y + h / 2), (x + w / 2, y - 1.0)):
            check(at(px, py) > 200, pdf_name + ": ink beside the square mark at " + str((px, py)))


def main():
    viewer, fixtures, what = sys.argv[1:4]
    try:
        import ezdxf  # noqa: F401
    except ImportError:
        if what == "dxf":
            print("python3-ezdxf is missing")
            sys.exit(77)
    work = tempfile.mkdtemp(prefix="plicora-cut-")
    # The program never sees the user's own home or profile.
    for variable, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                             ("XDG_CACHE_HOME", "cache")):
        os.environ[variable] = os.path.join(work, folder)
        os.makedirs(os.environ[variable])
    try:
        (check_dxf if what == "dxf" else check_pages)(viewer, fixtures, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for failure in failures:
        print("FAILED:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
