#!/usr/bin/env bash
# `cmake --install` into a scratch DESTDIR, then every installed desktop file
# checked with the tool the desktop uses to read it.
#   installed-files.sh BUILD_DIR WORK_DIR APP_ID SCITOOL
set -euo pipefail
build=$1 work=$2 app_id=$3 scitool=$4
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$work/install.log" ||
  fail "cmake --install failed"
share=$dest/usr/share

# export --help sends its reader to the JSON form's description.
doc=$("$scitool" export --help | grep -o '/usr/share/doc/sciedit/[^ )]*') ||
  fail "export --help names no installed document"
[[ -f $dest$doc ]] || fail "export --help points at $doc, which is not installed"

desktop=$share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
grep -qx 'Exec=sciedit %f' "$desktop" || fail "$desktop: Exec is not 'sciedit %f'"
grep -qx "Icon=$app_id" "$desktop" || fail "$desktop: Icon is not $app_id"

appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli validate"

for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [[ $(identify -format '%m %wx%h' "$icon") == "PNG ${size}x${size}" ]] ||
    fail "$icon: $(identify -format '%m %wx%h' "$icon" 2>&1)"
done

# Debian ships the shared-mime-info document type only inside its own
# freedesktop.org.xml, as the internal subset of its DOCTYPE.
mime=$share/mime/packages/$app_id.xml
sed -n '/<!DOCTYPE mime-info \[/,/^\]>/p' /usr/share/mime/packages/freedesktop.org.xml |
  sed '1d;$d' >"$work/shared-mime-info.dtd"
grep -q '<!ELEMENT mime-type' "$work/shared-mime-info.dtd" ||
  fail "no document type found in freedesktop.org.xml"
xmllint --noout --dtdvalid "$work/shared-mime-info.dtd" "$mime" || fail "xmllint: $mime"

# A scratch database of the system's types and ours, as update-mime-database
# builds it on an installed system.
data=$work/xdg
mkdir -p "$data/mime/packages" "$work/home"
cp /usr/share/mime/packages/freedesktop.org.xml "$mime" "$data/mime/packages/"
update-mime-database "$data/mime" 2>"$work/update-mime-database.log" ||
  { cat "$work/update-mime-database.log" >&2; fail "update-mime-database"; }
mime_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
grep -qx "MimeType=$mime_type;" "$desktop" || fail "$desktop does not offer $mime_type"

files=$work/files
mkdir -p "$files"
(
  cd "$files"
  "$scitool" config create --title "Install Test" --value16 1 --value32 2 --value8 3 \
    -o IPConfig.cfg >/dev/null
  echo '{"formatVersion": 1, "entries": []}' >empty.json
  "$scitool" import empty.json -o site.bin >/dev/null
  cp site.bin "site copy"
  head -c 4124 /dev/urandom >random.bin
  head -c 4124 /dev/zero >zeros.bin
)
# file | expected type ("!" before it: any type but that one). A list is told
# by its content, a .bin that is none by the lack of it, whatever the name says.
cases=(
  "site.bin|$mime_type"
  "site copy|$mime_type"
  "random.bin|application/octet-stream"
  "zeros.bin|application/octet-stream"
  "IPConfig.cfg|!$mime_type"
)
failed=0
for case in "${cases[@]}"; do
  name=${case%|*}
  want=${case#*|}
  got=$(XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$data \
    gio info -a standard::content-type "$files/$name" | sed -n 's/.*content-type: //p')
  if [[ $want == !* && $got != "${want#!}" || $want != !* && $got == "$want" ]]; then
    echo "$name: $got"
  else
    echo "FAIL: $name: $got, expected $want" >&2
    failed=1
  fi
done
((failed == 0)) || exit 1
echo "installed files check out"
