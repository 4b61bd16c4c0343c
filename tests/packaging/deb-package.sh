#!/usr/bin/env bash
# The Debian package as `make package` builds it.
#   deb-package.sh build BUILD_DIR OUT_DIR       build it with CPack into OUT_DIR
#   deb-package.sh contents OUT_DIR APP_ID VERSION   fields, file list, installed programs run
#   deb-package.sh lintian OUT_DIR               no lintian error or warning
#   deb-package.sh hardening OUT_DIR             Debian's hardening flags in the installed programs
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

case $1 in
build)
  build=$2 out=$3
  rm -rf "$out"
  mkdir -p "$out"
  cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
  # `make package` shows this log: a warning in it is a fault of the build.
  ! grep -q 'CMake Warning' "$out/cpack.log" || { cat "$out/cpack.log" >&2; fail "cpack warns"; }
  ;;

contents)
  out=$2 app_id=$3 version=$4
  deb=$out/sciedit_${version}_amd64.deb
  [[ -f $deb ]] || fail "no $deb; found: $(ls "$out")"

  field() { dpkg-deb -f "$deb" "$1"; }
  [[ $(field Package) == sciedit ]] || fail "Package: $(field Package)"
  [[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
  [[ $(field Architecture) == amd64 ]] || fail "Architecture: $(field Architecture)"
  [[ $(field Section) == utils ]] || fail "Section: $(field Section)"
  [[ $(field Maintainer) == *'<'*@*'>' ]] || fail "Maintainer: $(field Maintainer)"
  [[ -n $(field Description | sed -n 2p) ]] || fail "Description has no long text"
  # Computed from the binaries, not written by hand.
  depends=$(field Depends)
  for lib in libc6 libqt6widgets6 libstdc++6; do
    [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
  done

  expected=$(sed "s/@APP_ID@/$app_id/g" "$here/expected-files.txt" | sort)
  actual=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort)
  if [[ $expected != "$actual" ]]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "file list differs (< expected, > in the package)"
  fi

  root=$out/root
  rm -rf "$root"
  dpkg -x "$deb" "$root"
  [[ $("$root/usr/bin/scitool" --version) == "scitool $version" ]] ||
    fail "installed scitool --version: $("$root/usr/bin/scitool" --version 2>&1)"
  # No display at all: the version must not need one.
  shown=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/bin/sciedit" --version 2>&1) ||
    fail "installed sciedit --version failed: $shown"
  [[ $shown == "sciedit $version" ]] || fail "installed sciedit --version: $shown"
  ;;

lintian)
  out=$2
  # Warnings count as failures too, so a new one is seen and either fixed or
  # listed here with its reason.
  rc=0
  report=$(lintian --fail-on error,warning "$out"/sciedit_*_amd64.deb 2>&1) || rc=$?
  grep -v 'running with root privileges' <<<"$report" || true
  ((rc == 0)) || fail "lintian found errors or warnings"
  ;;

hardening)
  out=$2
  debs=("$out"/sciedit_*_amd64.deb)
  [[ -f ${debs[0]} ]] || fail "no package in $out"
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  dpkg -x "${debs[0]}" "$root"
  # PIE, stack protector, fortified functions and full RELRO, as Debian's
  # own check sees them in the installed programs. Its control-flow check
  # wants the IBT/SHSTK property note, which the linker keeps only when every
  # object has it, and Debian 12's C start files (crt1.o, crti.o) have not;
  # the endbr64 -fcf-protection puts at each function's entry show it (a
  # program built without has the few of the start files only).
  # The fortify check needs a checked libc call to look at, and the editor's
  # own code makes none; both programs are compiled with the same flags
  # (cmake/Hardening.cmake), so scitool's checked calls show them for both.
  for program in sciedit scitool; do
    options=(--nocfprotection)
    [[ $program == sciedit ]] && options+=(--nofortify)
    hardening-check "${options[@]}" "$root/usr/bin/$program" || fail "$program lacks a hardening flag"
    code=$(objdump -d "$root/usr/bin/$program")
    entries=$(grep -c endbr64 <<<"$code" || true)
    ((entries > 100)) || fail "$program has no control-flow protection ($entries endbr64)"
    # Debian 12's check knows stack-clash protection only by the probe loop
    # of a frame whose size is known at run time; a fixed frame larger than
    # a page (a list's 4124 bytes) is touched page by page, with no loop.
    probes=$(grep -cE 'orq +\$0x0,\(%rsp\)' <<<"$code" || true)
    ((probes > 0)) || fail "$program has no stack-clash protection (no page probes)"
  done
  ;;

*) fail "unknown step $1" ;;
esac
