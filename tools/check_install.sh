#!/usr/bin/env bash
# Checks what `cmake --install` lays out, one step per ctest test:
#   tree      installs BUILD_DIR under ROOT (DESTDIR, prefix /usr) and checks
#             that every file is there; the other steps use that tree
#   count     the installed kestrawl-count counts with the installed data
#             (and the installed window starts and draws itself)
#   no-data   an installed kestrawl-count without share/kestrawl names both
#             folders it looked in
#   desktop   desktop-file-validate on the desktop entry
#   metainfo  appstreamcli validate on the AppStream metadata
#   man       groff's warnings on the manual pages
# The desktop entry, the metadata and kestrawl(1) describe the window and are
# installed with it only; without the window the checks take the source files,
# which the install copies unchanged. A missing validator skips (exit 77).
# Usage: check_install.sh STEP BUILD_DIR SOURCE_DIR ROOT WINDOW(0|1)
set -uo pipefail

step=$1 build=$2 source=$3 root=$4 window=$5
usr="$root/usr"
status=0

fail() {
  echo "FAIL: $*"
  status=1
}

# The file as installed, or its source when the window (and so the file) is
# not installed.
installed_or_source() {
  if [[ $window == 1 ]]; then echo "$usr/$1"; else echo "$source/dist/$2"; fi
}

# Settings with "ignore common words" ticked and no file named: a text
# file is counted without the common words of its language, read from the
# data folder.
write_settings() {
  # The default settings, but line 13 (chkIgnoreCommonWords) ticked.
  local lines=('""' '""' '""' '"/*"' '"*/"' '"//"' '""' 1 7 0 1 0 1 1 1 1 0 0 1 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 '""' 0)
  printf '%s\r\n' "${lines[@]}" >"$1"
}

case $step in
  tree)
    rm -rf "$root"
    if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$root.log" 2>&1; then
      cat "$root.log"
      exit 1
    fi
    expected=(bin/kestrawl-count share/kestrawl/kwl.dat share/man/man1/kestrawl-count.1)
    for f in "$source"/data/cwds_*.txt; do expected+=("share/kestrawl/${f##*/}"); done
    window_files=(bin/kestrawl share/applications/kestrawl.desktop
      share/icons/hicolor/scalable/apps/kestrawl.svg share/metainfo/org.example.Kestrawl.metainfo.xml
      share/man/man1/kestrawl.1)
    for f in "${expected[@]}"; do [[ -f $usr/$f ]] || fail "not installed: $f"; done
    for f in "${window_files[@]}"; do
      if [[ $window == 1 && ! -f $usr/$f ]]; then fail "not installed with the window: $f"; fi
      if [[ $window == 0 && -e $usr/$f ]]; then fail "installed without the window: $f"; fi
    done
    [[ -x $usr/bin/kestrawl-count ]] || fail "bin/kestrawl-count is not executable"
    # Nothing lands beside the executables: the data files are in share/kestrawl only.
    extra=$(find "$usr/bin" -type f ! -name kestrawl ! -name kestrawl-count)
    [[ -z $extra ]] || fail "unexpected files in bin: $extra"
    (cd "$root" && find . | sort)
    ;;
  count)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    write_settings "$work/common.kwl"
    sample="$source/tests/data/sample.txt"
    "$usr/bin/kestrawl-count" --settings "$work/common.kwl" --format 5 "$sample" >"$work/installed.out" 2>"$work/installed.err"
    rc=$?
    cat "$work/installed.err"
    [[ $rc == 0 ]] || fail "installed kestrawl-count exited with $rc"
    grep -qF "common words loaded from $usr/share/kestrawl/cwds_en.txt" "$work/installed.err" ||
      fail "the common words were not read from $usr/share/kestrawl"
    # The same count as from the build tree, where the data is beside the program.
    "$build/bin/kestrawl-count" --settings "$work/common.kwl" --format 5 "$sample" >"$work/built.out" 2>/dev/null
    cmp -s "$work/installed.out" "$work/built.out" || fail "the installed and the built program list differently"
    grep -q "fox" "$work/installed.out" || fail "fox not listed"
    ! grep -qw "the" "$work/installed.out" || fail "the common word 'the' was listed"
    if [[ $window == 1 ]]; then
      # The window starts from the installed tree, finds its catalogue and draws itself.
      XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen KWL_SCREENSHOT="$work/window.png" \
        ASAN_OPTIONS=detect_leaks=0 timeout 60 "$usr/bin/kestrawl" >"$work/window.log" 2>&1
      rc=$?
      [[ $rc == 0 && -s $work/window.png ]] || { cat "$work/window.log"; fail "installed kestrawl exited with $rc"; }
    fi
    ;;
  no-data)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/bin"
    cp "$usr/bin/kestrawl-count" "$work/bin/"
    write_settings "$work/common.kwl"
    err=$("$work/bin/kestrawl-count" --settings "$work/common.kwl" "$source/tests/data/sample.txt" 2>&1 >/dev/null)
    echo "$err"
    want="kestrawl-count: the data files are missing (no kwl.dat in $work/bin nor in $work/share/kestrawl)"
    grep -qF "$want" <<<"$err" || fail "expected: $want"
    ;;
  desktop)
    command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is not installed"; exit 77; }
    file=$(installed_or_source share/applications/kestrawl.desktop kestrawl.desktop)
    echo "desktop-file-validate $file"
    out=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate failed"
    # Hints are printed without failing; none are expected.
    [[ -z $out ]] || fail "$out"
    ;;
  metainfo)
    command -v appstreamcli >/dev/null || { echo "appstreamcli is not installed"; exit 77; }
    file=$(installed_or_source share/metainfo/org.example.Kestrawl.metainfo.xml org.example.Kestrawl.metainfo.xml)
    echo "appstreamcli validate --no-net $file"
    appstreamcli validate --no-net "$file" || fail "appstreamcli validate failed"
    ;;
  man)
    command -v groff >/dev/null || { echo "groff is not installed"; exit 77; }
    for page in "$usr/share/man/man1/kestrawl-count.1" "$(installed_or_source share/man/man1/kestrawl.1 kestrawl.1)"; do
      echo "groff -man -ww -z $page"
      out=$(groff -man -ww -z "$page" 2>&1)
      [[ -z $out ]] || fail "${page##*/}: $out"
    done
    ;;
  *)
    echo "unknown step: $step"
    exit 2
    ;;
esac
exit $status
