#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it with the desktop's
# own tools, as a software centre, a file manager and a user would meet it:
# the desktop entry, the metainfo, the file type, the icons, the thumbnailer
# run from its entry's command line, and the installed program finding its
# help, samples and sound, also after the whole prefix was moved.
#   install_test.sh BUILD_DIR FIXTURES_DIR
# Exit status 77 (skipped) when a desktop tool is missing (scripts/setup
# installs them).
set -euo pipefail
build=$1
fixtures=$2
for tool in desktop-file-validate appstreamcli update-mime-database gio; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup --deps)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
elapsed() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }'; }
# Width and height of a PNG from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{printf "%dx%d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

start=$(date +%s.%N)
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
share=$prefix/share
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_DATA_DIRS=$share QT_QPA_PLATFORM=offscreen

# Desktop entry: valid, starts our program with one file, shows our icon.
entry=$share/applications/plicora-viewer.desktop
if desktop-file-validate "$entry"; then ok "desktop entry valid"; else fail "desktop-file-validate"; fi
grep -qx 'Exec=plicora-viewer %f' "$entry" || fail "desktop entry Exec"
grep -qx 'MimeType=application/x-plicora-designer;' "$entry" || fail "desktop entry MimeType"
for icon in scalable/apps/plicora-viewer.svg 48x48/apps/plicora-viewer.png \
            scalable/mimetypes/application-x-plicora-designer.svg 256x256/mimetypes/application-x-plicora-designer.png; do
  [ -s "$share/icons/hicolor/$icon" ] || fail "icon $icon missing"
done
[ "$(png_size "$share/icons/hicolor/48x48/apps/plicora-viewer.png")" = 48x48 ] || fail "48x48 icon size"

# Metainfo: valid without the network, and launching our desktop entry.
metainfo=$(ls "$share"/metainfo/*.metainfo.xml)
if appstreamcli validate --no-net "$metainfo"; then ok "metainfo valid"; else fail "appstreamcli validate"; fi
grep -q '<launchable type="desktop-id">plicora-viewer.desktop</launchable>' "$metainfo" || fail "metainfo launchable"

# File type: the database built from our package file maps work files to our
# type by their name, and by their opening line when the name says nothing.
update-mime-database "$share/mime"
cp "$fixtures/cube.plc" "$work/Cube Model.PLC"
cp "$fixtures/cube.plc" "$work/cube-without-extension"
for file in "$fixtures/cube.plc" "$work/Cube Model.PLC" "$work/cube-without-extension"; do
  type=$(gio info -a standard::content-type "$file" | sed -n 's/^ *standard::content-type: //p')
  [ "$type" = application/x-plicora-designer ] && ok "type of $(basename "$file")" || fail "type of $file is '$type'"
done

# Thumbnailer: the entry's command line with %s, %i and %o filled in as a
# file manager does, with the installed program on the PATH.
thumbnailer=$share/thumbnailers/plicora-viewer.thumbnailer
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
grep -qx 'MimeType=application/x-plicora-designer;' "$thumbnailer" || fail "thumbnailer MimeType"
thumbnail() {  # SIZE INPUT OUTPUT
  local line=${exec_line//%s/$1}
  line=${line//%i/\'$2\'}
  line=${line//%o/\'$3\'}
  PATH=$prefix/bin:$PATH sh -c "$line"
}
for case in "128 cube.plc" "256 spot_textured_uv.plc" "512 cow_materials.plc"; do
  set -- $case
  out=$work/thumb-$1.png
  t0=$(date +%s.%N)
  if thumbnail "$1" "$fixtures/$2" "$out" && [ "$(png_size "$out")" = "$1x$1" ]; then
    ok "thumbnail $2 at $1: $(elapsed "$t0") s"
  else
    fail "thumbnail $2 at $1"
  fi
done
rm -f "$work/none.png"
if thumbnail 128 "$fixtures/damaged/truncated_after_cnt_faces.plc" "$work/none.png" 2>/dev/null; then
  fail "thumbnail of a damaged file succeeded"
fi
[ -e "$work/none.png" ] && fail "thumbnail of a damaged file left a file"

# Manual page; the splash and About picture.
[ -s "$share/man/man1/plicora-viewer.1.gz" ] || fail "manual page missing"
[ "$(png_size "$share/plicora-viewer/splash.png")" = 400x250 ] || fail "splash picture"

# The installed program finds its data under the prefix, also once moved.
check_data() {  # PREFIX
  local report
  report=$("$1/bin/plicora-viewer" --data-paths) || { fail "data missing in $1: $report"; return; }
  [ "$report" = "help: $1/share/plicora-viewer/help/index.html
samples: $1/share/plicora-viewer/Sample
pick sound: $1/share/plicora-viewer/sound/pick.wav" ] && ok "data found under $1" || fail "data paths in $1: $report"
}
check_data "$prefix"
mv "$prefix" "$work/moved"
check_data "$work/moved"

echo "install test: $(elapsed "$start") s, $failures failure(s)"
[ "$failures" -eq 0 ]
