#!/usr/bin/env bash
# Checks of the desktop integration files with the tools distributions use.
# Usage: desktop_check.sh CHECK SOURCE_DIR [BUILD_DIR]
set -euo pipefail
check=$1
src=$2
desktop=$src/resources/desktop

fail() { echo "FAIL: $*" >&2; exit 1; }

case $check in
  entry)
    # Hints are allowed (Education and Science are both main categories, as
    # the menu is meant to list Kovala under both); errors and warnings are not.
    out=$(desktop-file-validate "$desktop/org.kovala.Kovala.desktop" 2>&1) || fail "desktop-file-validate: $out"
    if grep -Eiq 'error|warning' <<<"$out"; then fail "$out"; fi
    for key in 'Exec=kovala %f' 'Categories=Education;Science;Chemistry;' \
               'MimeType=application/x-kovala-molecule;' 'Icon=org.kovala.Kovala'; do
      grep -qxF "$key" "$desktop/org.kovala.Kovala.desktop" || fail "missing line: $key"
    done
    grep -qxF 'Exec=kovala-thumbnailer -s %s %i %o' "$desktop/kovala.thumbnailer" || fail "thumbnailer Exec"
    ;;
  metainfo)
    out=$(appstreamcli validate --no-net --explain "$desktop/org.kovala.Kovala.metainfo.xml" 2>&1) ||
      fail "appstreamcli: $out"
    if grep -Eq '^[EW]: ' <<<"$out"; then fail "$out"; fi
    # Every screenshot named in the metainfo is kept in the repository.
    for name in $(sed -n 's|.*/screenshots/\([a-z0-9]*\.png\)</image>.*|\1|p' \
                  "$desktop/org.kovala.Kovala.metainfo.xml"); do
      [ -s "$src/docs/screenshots/$name" ] || fail "docs/screenshots/$name is missing"
    done
    ;;
  filetype)
    # A private data directory so the machine's own database plays no part.
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/data/mime/packages"
    cp "$desktop/kovala-molecule.xml" "$work/data/mime/packages/"
    export XDG_DATA_HOME=$work/data XDG_DATA_DIRS=$work/data:/usr/share XDG_CURRENT_DESKTOP=GNOME
    update-mime-database "$work/data/mime"
    cp "$src/tests/data/methane.kvl" "$work/methane.kvl"
    cp "$src/tests/data/methane.kvl" "$work/methane.dat"  # found by its signature alone
    printf 'Kovala30\0' >"$work/old.bin"                      # not the signature
    expect() {
      local got
      got=$(xdg-mime query filetype "$1")
      [ "$got" = "$2" ] || fail "$1: got '$got', expected '$2'"
    }
    expect "$work/methane.kvl" application/x-kovala-molecule
    expect "$work/methane.dat" application/x-kovala-molecule
    [ "$(xdg-mime query filetype "$work/old.bin")" != application/x-kovala-molecule ] || fail "old.bin"
    ;;
  installed)
    # What `cmake --install` puts under a prefix, and what it must leave out.
    build=$3
    prefix=$(mktemp -d)
    trap 'rm -rf "$prefix"' EXIT
    cmake --install "$build" --prefix "$prefix" >/dev/null
    share=$prefix/share
    for file in bin/kovala bin/kovala-thumbnailer \
                share/applications/org.kovala.Kovala.desktop share/metainfo/org.kovala.Kovala.metainfo.xml \
                share/icons/hicolor/scalable/apps/org.kovala.Kovala.svg \
                share/icons/hicolor/scalable/mimetypes/application-x-kovala-molecule.svg \
                share/mime/packages/kovala-molecule.xml share/thumbnailers/kovala.thumbnailer \
                share/doc/kovala/help/kovala.html share/doc/kovala/help/winhelp.html \
                share/doc/kovala/help/images/methane.png \
                share/kovala/samples/water.kvl share/kovala/samples/benzene.kvl \
                share/man/man1/kovala.1 share/man/man1/kovala-thumbnailer.1; do
      [ -s "$prefix/$file" ] || fail "$file not installed"
    done
    [ -x "$prefix/bin/kovala" ] && [ -x "$prefix/bin/kovala-thumbnailer" ] || fail "programs not executable"
    # A bare install on the PATH would shadow the system's own command.
    for name in install uninstall; do
      [ ! -e "$prefix/bin/$name" ] || fail "bin/$name installed"
    done
    for size in 16 22 24 32 48 64 128 256; do
      png=$share/icons/hicolor/${size}x$size/apps/org.kovala.Kovala.png
      [ -s "$png" ] || fail "$png missing"
      got=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$png")
      [ "$got" = "${size}x$size" ] || fail "$png is $got"
    done
    for sample in "$share"/kovala/samples/*.kvl; do
      [ "$(head -c 8 "$sample")" = Kovala31 ] || fail "$sample is not a molecule file"
    done
    desktop-file-validate "$share/applications/org.kovala.Kovala.desktop" | grep -Eiq 'error|warning' &&
      fail "installed desktop entry"
    # The installed files carry the translations, and every English line of
    # the sources as it is.
    grep -q '^Comment\[de\]=' "$share/applications/org.kovala.Kovala.desktop" || fail "desktop entry not translated"
    grep -Fxvf "$share/applications/org.kovala.Kovala.desktop" "$desktop/org.kovala.Kovala.desktop" &&
      fail "installed desktop entry lost English lines"
    grep -q 'xml:lang="fr"' "$share/metainfo/org.kovala.Kovala.metainfo.xml" || fail "metainfo not translated"
    grep -q 'xml:lang="es"' "$share/mime/packages/kovala-molecule.xml" || fail "file type not translated"
    out=$(appstreamcli validate --no-net "$share/metainfo/org.kovala.Kovala.metainfo.xml" 2>&1) ||
      fail "installed metainfo: $out"
    if grep -Eq '^[EW]: ' <<<"$out"; then fail "installed metainfo: $out"; fi
    ;;
  *)
    fail "unknown check $check"
    ;;
esac
echo "ok: $check"
