#!/usr/bin/env bash
# The Windows zip and installer as `make package-windows` builds them, tried
# under Wine as a user would.
#   windows-package.sh build BUILD_DIR OUT_DIR
#       build both with CPack into OUT_DIR
#   windows-package.sh zip OUT_DIR VERSION EDITOR
#       unpack the zip, run the programs from it
#   windows-package.sh installer OUT_DIR VERSION EDITOR MODE PREFIX [DRIVER]
#       install silently (MODE user or machine) into a private Wine PREFIX,
#       check files, shortcut and registry, run the installed editor through
#       the Win32 test DRIVER, uninstall, check that nothing is left
#   windows-package.sh hardening OUT_DIR VERSION EDITOR
#       the zip's programs have ASLR, DEP and the stack protector, and need
#       no DLL beside Windows' own
#   windows-package.sh signed BUILD_DIR OUT_DIR VERSION EDITOR PREFIX
#       build both signed with a throw-away certificate into OUT_DIR, check
#       the signatures of the programs in the zip, the installer, and of what
#       it installs (uninstaller included) into a private Wine PREFIX
# EDITOR is 1 when the build has sciedit.exe, 0 when it has scitool.exe only.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
wine_run=$root/scripts/wine-run
fail() { echo "FAIL: $*" >&2; exit 1; }

# The files both artefacts carry, one a line.
expected_files() {
  local editor=$1
  printf '%s\n' COPYRIGHT.txt IPConfig.cfg README.txt json-format.txt scitool.exe
  ((editor)) && echo sciedit.exe
  return 0
}

# Both programs answer --version with the project's version.
check_versions() {
  local folder=$1 version=$2 editor=$3 shown
  shown=$("$wine_run" "$folder/scitool.exe" --version 2>&1 | tr -d '\r') ||
    fail "scitool.exe --version failed: $shown"
  [[ $shown == "scitool $version" ]] || fail "scitool.exe --version: $shown"
  if ((editor)); then
    shown=$("$wine_run" "$folder/sciedit.exe" --version 2>&1 | tr -d '\r') ||
      fail "sciedit.exe --version failed: $shown"
    [[ $shown == "sciedit $version" ]] || fail "sciedit.exe --version: $shown"
  fi
}

# The programs of the zip unpacked into a new folder, printed.
unpack_zip() {
  local out=$1 version=$2 folder=$3
  (cd "$folder" && unzip -q "$out/sciedit-$version-win64.zip") || fail "cannot unpack the zip in $out"
  echo "$folder/sciedit-$version-win64"
}

# A throw-away CA and a code-signing certificate it issued, in FOLDER:
# ca.pem, cert.pem and key.pem.
make_signer() {
  local folder=$1
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$folder/ca.key" -out "$folder/ca.pem" \
    -days 30 -subj "/CN=sciedit test CA" -addext basicConstraints=critical,CA:TRUE \
    -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null || fail "openssl: no CA"
  openssl req -newkey rsa:2048 -nodes -keyout "$folder/key.pem" -out "$folder/cert.csr" \
    -subj "/CN=sciedit test signer" 2>/dev/null || fail "openssl: no request"
  printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
    extendedKeyUsage=codeSigning >"$folder/cert.ext"
  openssl x509 -req -in "$folder/cert.csr" -CA "$folder/ca.pem" -CAkey "$folder/ca.key" \
    -CAcreateserial -days 30 -extfile "$folder/cert.ext" -out "$folder/cert.pem" 2>/dev/null ||
    fail "openssl: no certificate"
}

# Whether FILE carries a valid signature chaining up to CA.
signed_by() { osslsigncode verify -CAfile "$2" -in "$1" >/dev/null 2>&1; }

case $1 in
build)
  build=$2 out=$3
  rm -rf "$out"
  mkdir -p "$out"
  cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
  ;;

zip)
  out=$2 version=$3 editor=$4
  zip=$out/sciedit-$version-win64.zip
  [[ -f $zip ]] || fail "no $zip; found: $(ls "$out")"
  folder=$out/unpacked
  rm -rf "$folder"
  mkdir -p "$folder"
  top=$(unpack_zip "$out" "$version" "$folder")
  [[ $(ls "$folder") == "sciedit-$version-win64" ]] || fail "the zip does not unpack into one folder: $(ls "$folder")"
  [[ $(cd "$top" && find . -type f -printf '%P\n' | sort) == "$(expected_files "$editor" | sort)" ]] ||
    fail "zip holds: $(cd "$top" && find . -printf '%P ')"
  cmp -s "$top/IPConfig.cfg" "$root/examples/IPConfig.cfg" || fail "IPConfig.cfg is not the example"
  for text in README.txt COPYRIGHT.txt; do
    # Every line ends in CR LF: no LF without its CR.
    if grep -q $'[^\r]$' "$top/$text" || grep -q '^$' "$top/$text"; then
      fail "$text has lines without CR LF"
    fi
    grep -q "$version" "$top/$text" || fail "$text does not name version $version"
  done
  # The JSON format as the source has it, in lines Notepad shows, and
  # where export --help says it is.
  cmp -s <(sed 's/$/\r/' "$root/docs/json-format.md") "$top/json-format.txt" ||
    fail "json-format.txt is not docs/json-format.md with CR LF"
  help=$("$wine_run" "$top/scitool.exe" export --help 2>&1 | tr -d '\r' | tr '\n' ' ' | tr -s ' ')
  [[ $help == *"json-format.txt beside scitool.exe"* ]] || fail "export --help: $help"
  # Moved elsewhere, the programs still run (nothing points at the build).
  mv "$top" "$folder/moved elsewhere"
  top="$folder/moved elsewhere"
  before=$(cd "$top" && find . -printf '%P %s\n' | sort)
  check_versions "$top" "$version" "$editor"
  [[ $(cd "$top" && find . -printf '%P %s\n' | sort) == "$before" ]] ||
    fail "running the programs changed their folder"
  rm -rf "$folder"
  ;;

installer)
  out=$2 version=$3 editor=$4 mode=$5 prefix=$6 driver=${7:-}
  setup=$out/sciedit-$version-win64-setup.exe
  [[ -f $setup ]] || fail "no $setup; found: $(ls "$out")"
  export SCIEDIT_WINEPREFIX=$prefix
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
  # Waits until every program in the prefix has ended: the uninstaller runs
  # on from a copy of itself after the one started has returned.
  settle() { WINEPREFIX=$prefix "$wineserver" -w; }
  reg() { "$wine_run" reg "$@" 2>/dev/null | tr -d '\r'; }
  has_key() { "$wine_run" reg query "$1" >/dev/null 2>&1; }
  value() { reg query "$1" /v "$2" | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  /, ""); print }'; }
  default_value() {
    reg query "$1" /ve | awk '$1 == "(Default)" && $3 != "(value" { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
  }
  # Everything in the prefix's C: drive and under HKCU and HKLM\Software, as
  # lines, to compare before the install with after the uninstall. Wine's
  # own logs and temporary files come and go on their own.
  snapshot() {
    local name=$1
    settle
    (cd "$prefix/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o \
      -printf '%P\n' | sort) >"$work/$name.files"
    local tree
    for tree in HKCU HKLM\\Software; do
      "$wine_run" reg export "$tree" "Z:${work//\//\\}\\$name.reg" /y >/dev/null 2>&1 ||
        fail "reg export $tree failed"
      iconv -f UTF-16LE -t UTF-8 "$work/$name.reg" | tr -d '\r' >>"$work/$name.registry"
    done
  }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT

  "$wine_run" cmd /c ver >/dev/null 2>&1 # makes the prefix
  user_folder=$(cd "$prefix/drive_c/users" && ls -d */ | grep -vx 'Public/' | head -n1)
  user_folder=${user_folder%/}
  if [[ $mode == user ]]; then
    options=(/AddToPath)
    root_key=HKCU
    folder='C:\users\'$user_folder'\AppData\Local\Programs\sciedit'
    documents='C:\users\'$user_folder'\Documents'
    uninstall_options=()
    start_menu='C:\users\'$user_folder'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
    environment='HKCU\Environment'
    # A PATH of the user's own and another program owning .bin: both must
    # come through install and uninstall untouched.
    reg add "$environment" /v Path /t REG_EXPAND_SZ /d 'C:\tools;%SystemRoot%\extra' /f >/dev/null
    reg add 'HKCU\Software\Classes\.bin' /ve /d OtherProgram.bin /f >/dev/null
  else
    options=(/AllUsers)
    root_key=HKLM
    folder='C:\Program Files\sciedit'
    documents='C:\users\Public\Documents'
    uninstall_options=(/AllUsers)
    start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
    environment='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
  fi
  unix_path() { local p=${1#C:\\}; echo "$prefix/drive_c/${p//\\//}"; }
  path_before=$(value "$environment" Path)
  snapshot before

  "$wine_run" "$setup" /S "${options[@]}" || fail "silent install failed ($?)"
  settle
  installed=$(unix_path "$folder")
  [[ -d $installed ]] || fail "nothing in $folder"
  [[ $(cd "$installed" && find . -type f -printf '%P\n' | sort) == \
     "$( (expected_files "$editor"; echo Uninstall.exe) | sort)" ]] ||
    fail "$folder holds: $(cd "$installed" && find . -printf '%P ')"
  check_versions "$installed" "$version" "$editor"

  uninstall_key="$root_key\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\sciedit"
  [[ $(value "$uninstall_key" DisplayName) == sciedit ]] || fail "uninstall entry: $(reg query "$uninstall_key")"
  [[ $(value "$uninstall_key" DisplayVersion) == "$version" ]] || fail "DisplayVersion: $(value "$uninstall_key" DisplayVersion)"
  [[ -n $(value "$uninstall_key" Publisher) ]] || fail "no Publisher"
  [[ $(value "$uninstall_key" InstallLocation) == "$folder" ]] || fail "InstallLocation: $(value "$uninstall_key" InstallLocation)"
  size=$(value "$uninstall_key" EstimatedSize)
  (($(printf '%d' "$size") >= $(du -sk "$installed" | cut -f1) / 2)) || fail "EstimatedSize $size for $(du -sk "$installed")"
  uninstall_string=$(value "$uninstall_key" UninstallString)
  [[ $uninstall_string == "\"$folder\\Uninstall.exe\""* ]] || fail "UninstallString: $uninstall_string"
  [[ $(value "$uninstall_key" QuietUninstallString) == *" /S"* ]] || fail "no QuietUninstallString"
  [[ $(default_value "$root_key\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\scitool.exe") == "$folder\\scitool.exe" ]] ||
    fail "App Paths for scitool.exe: $(reg query "$root_key\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\scitool.exe")"

  if ((editor)); then
    [[ $(value "$uninstall_key" DisplayIcon) == "$folder\\sciedit.exe,0" ]] || fail "DisplayIcon: $(value "$uninstall_key" DisplayIcon)"
    link=$(unix_path "$start_menu")/sciedit.lnk
    [[ -f $link ]] || fail "no Start menu shortcut $start_menu\\sciedit.lnk"
    # The target and the folder it starts in, as the shortcut stores them:
    # Documents, where the Open and Save dialogs then start (the editor
    # finds IPConfig.cfg beside itself, not in the folder it starts in).
    strings -a "$link" | grep -qiF "$folder\\sciedit.exe" || fail "the shortcut does not start $folder\\sciedit.exe"
    # (A string there may carry its length byte in front, printable or not.)
    strings -a -el "$link" | F=$documents awk 'substr($0, length($0) - length(ENVIRON["F"]) + 1) == ENVIRON["F"] { found = 1 }
      END { exit !found }' || fail "the shortcut does not start in $documents: $(strings -a -el "$link" | tr '\n' ' ')"
    application="$root_key\\Software\\Classes\\Applications\\sciedit.exe"
    [[ $(value "$application" FriendlyAppName) == sciedit ]] || fail "FriendlyAppName: $(reg query "$application")"
    has_key "$application\\SupportedTypes" && [[ $(reg query "$application\\SupportedTypes") == *".bin"* ]] ||
      fail "SupportedTypes lacks .bin"
    [[ $(default_value "$application\\shell\\open\\command") == "\"$folder\\sciedit.exe\" \"%1\"" ]] ||
      fail "open command: $(reg query "$application\\shell\\open\\command")"
    has_key "$root_key\\Software\\Classes\\.bin\\OpenWithList\\sciedit.exe" || fail "not in .bin's OpenWithList"
  fi
  # .bin keeps its owner, or gets none.
  if [[ $mode == user ]]; then
    [[ $(default_value 'HKCU\Software\Classes\.bin') == OtherProgram.bin ]] || fail ".bin changed owner: $(reg query 'HKCU\Software\Classes\.bin')"
    [[ $(value "$environment" Path) == "$path_before;$folder" ]] || fail "PATH: $(value "$environment" Path)"
  else
    [[ -z $(default_value 'HKLM\Software\Classes\.bin') ]] || fail ".bin got an owner: $(reg query 'HKLM\Software\Classes\.bin')"
    [[ $(value "$environment" Path) == "$path_before" ]] || fail "PATH changed without /AddToPath"
  fi

  if [[ $mode == user ]]; then
    # No administrator rights needed: nothing under HKLM or Program Files.
    snapshot installed
    grep -i 'Program Files[^/]*/sciedit\|ProgramData/.*sciedit' "$work/installed.files" &&
      fail "a per-user install wrote under Program Files or ProgramData"
    if ! diff <(sed -n '/^\[HKEY_LOCAL_MACHINE/,$p' "$work/before.registry") \
              <(sed -n '/^\[HKEY_LOCAL_MACHINE/,$p' "$work/installed.registry") >&2; then
      fail "a per-user install changed HKLM (< before, > after)"
    fi
  fi

  if [[ -n $driver ]]; then
    # The installed editor started on a list, as "Open with" starts it.
    SCIEDIT_PROGRAM="$folder\sciedit.exe" "$wine_run" --desktop-test "$driver" "--gtest_filter=Installed.*" ||
      fail "the installed editor did not show the list or its configuration"
  fi

  # A configuration the user made survives installing again, and
  # uninstalling; the example is put in only where there is none.
  config=$installed/IPConfig.cfg
  own=$'the user\'s own\r'
  printf '%s\n' "$own" >"$config"
  "$wine_run" "$setup" /S "${options[@]}" || fail "silent install over an install failed ($?)"
  settle
  [[ $(<"$config") == "$own" ]] || fail "installing again replaced IPConfig.cfg: $(<"$config")"
  "$wine_run" "$installed/Uninstall.exe" /S "${uninstall_options[@]}" ||
    fail "silent uninstall with the user's IPConfig.cfg failed ($?)"
  settle
  [[ $(cd "$installed" && find . -mindepth 1 -printf '%P ') == "IPConfig.cfg " ]] ||
    fail "uninstalling left or took: $(cd "$installed" && find . -printf '%P ')"
  [[ $(<"$config") == "$own" ]] || fail "uninstalling changed IPConfig.cfg: $(<"$config")"
  rm -r "$installed"
  "$wine_run" "$setup" /S "${options[@]}" || fail "silent install after uninstall failed ($?)"
  settle
  cmp -s "$config" "$root/examples/IPConfig.cfg" || fail "a fresh install has no example IPConfig.cfg"

  if ((editor)); then
    # While sciedit runs, uninstalling does not go ahead; silent, it ends
    # with ERROR_SHARING_VIOLATION (32) instead of a success.
    # (On a desktop of its own: without one it ends at once.)
    "$wine_run" --desktop "$installed/sciedit.exe" >/dev/null 2>&1 &
    editor_job=$!
    for _ in $(seq 100); do
      ps -eo args | grep -qxF "$installed/sciedit.exe" && break
      sleep 0.2
    done
    ps -eo args | grep -qxF "$installed/sciedit.exe" || fail "the installed sciedit did not start"
    sleep 1  # from the process being there to its program being loaded
    before_files=$(cd "$installed" && find . -printf '%P %s\n' | sort)
    status=0
    # _?= runs the uninstaller where it is, not from a copy, so that its
    # own exit code comes back. It takes the rest of the command line as
    # it stands, unquoted: hence one argument per word.
    read -r -a in_place <<<"_?=$folder"
    "$wine_run" "$installed/Uninstall.exe" /S "${uninstall_options[@]}" "${in_place[@]}" || status=$?
    # Ends the editor: everything in this private prefix.
    WINEPREFIX=$prefix "$wineserver" -k || true
    wait "$editor_job" || true
    [[ $status == 32 ]] || fail "uninstalling while sciedit runs ended with $status, not 32"
    [[ $(cd "$installed" && find . -printf '%P %s\n' | sort) == "$before_files" ]] ||
      fail "uninstalling while sciedit runs changed $folder"
  fi

  # Removed as Apps & Features removes it.
  quiet=$(value "$uninstall_key" QuietUninstallString)
  program=${quiet#\"}
  program=${program%%\"*}
  read -r -a arguments <<<"${quiet##*\"}"
  "$wine_run" "$program" "${arguments[@]}" || fail "silent uninstall failed ($?)"
  snapshot after
  if ! diff "$work/before.files" "$work/after.files" >&2; then
    fail "files left or removed by install and uninstall (< before, > after)"
  fi
  if ! diff "$work/before.registry" "$work/after.registry" >&2; then
    fail "registry changed by install and uninstall (< before, > after)"
  fi
  ;;

hardening)
  out=$2 version=$3 editor=$4
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  top=$(unpack_zip "$out" "$version" "$work")
  programs=(scitool.exe)
  ((editor)) && programs+=(sciedit.exe)
  for program in "${programs[@]}"; do
    headers=$(x86_64-w64-mingw32-objdump -p "$top/$program") || fail "objdump cannot read $program"
    flags=$(sed -n '/^DllCharacteristics/,/^[^[:space:]]/p' <<<"$headers")
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
      grep -qw "$flag" <<<"$flags" || fail "$program lacks $flag: $flags"
    done
    # The runtimes linked in, not beside it (libssp-0.dll, libstdc++-6.dll, ...).
    ! grep -i 'DLL Name: lib' <<<"$headers" || fail "$program needs a DLL of the compiler's"
    # The programs are stripped; the stack protector's failure handler from
    # libssp is linked in only when code calls it.
    grep -aq 'stack smashing detected' "$top/$program" || fail "$program has no stack protector"
  done
  ;;

signed)
  build=$2 out=$3 version=$4 editor=$5 prefix=$6
  rm -rf "$out"
  mkdir -p "$out"
  keys=$out/keys
  mkdir "$keys"
  make_signer "$keys"
  SCIEDIT_SIGN_CERT=$keys/cert.pem SCIEDIT_SIGN_KEY=$keys/key.pem \
    cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
  programs=(scitool.exe)
  ((editor)) && programs+=(sciedit.exe)
  setup=$out/sciedit-$version-win64-setup.exe
  signed_by "$setup" "$keys/ca.pem" || fail "the installer is not signed: $(osslsigncode verify -CAfile "$keys/ca.pem" -in "$setup" 2>&1)"
  top=$(unpack_zip "$out" "$version" "$out")
  for program in "${programs[@]}"; do
    signed_by "$top/$program" "$keys/ca.pem" || fail "the zip's $program is not signed"
  done
  # Another CA's certificate does not pass: the check can fail.
  other=$out/other
  mkdir "$other"
  make_signer "$other"
  ! signed_by "$setup" "$other/ca.pem" || fail "the installer passes as signed by a stranger"

  export SCIEDIT_WINEPREFIX=$prefix
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
  settle() { WINEPREFIX=$prefix "$wineserver" -w; }
  "$wine_run" cmd /c ver >/dev/null 2>&1
  "$wine_run" "$setup" /S /D='C:\signed\sciedit' || fail "silent install failed ($?)"
  settle
  installed=$prefix/drive_c/signed/sciedit
  for program in "${programs[@]}" Uninstall.exe; do
    [[ -f $installed/$program ]] || fail "nothing installed as $program"
    signed_by "$installed/$program" "$keys/ca.pem" || fail "the installed $program is not signed"
  done
  "$wine_run" "$installed/Uninstall.exe" /S || fail "silent uninstall failed ($?)"
  settle
  [[ ! -e $installed ]] || fail "the uninstaller left $(find "$installed")"
  ;;

*) fail "unknown step $1" ;;
esac
