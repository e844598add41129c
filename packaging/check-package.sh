#!/usr/bin/env bash
# Installs a Caplift .deb with apt-get as a user would, checks what it put on the system, and
# removes it again. ./dev.sh test installs the tools it uses and runs it on the package it builds.
#   packaging/check-package.sh PACKAGE.deb [SCREENSHOT.png]
set -euo pipefail

deb=$(realpath "$1")
screenshot=${2:-}
work=$(mktemp -d)
installed=false

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
apt() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -y -qq "$@" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; return 1; }
}
fail() {
  echo "check-package: FAILED: $*" >&2
  exit 1
}
cleanup() {
  if $installed; then apt remove caplift || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Nothing the user has chosen for themselves may decide the answers below.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8 LANGUAGE=en

version=$(dpkg-deb -f "$deb" Version)
doc="$work/Check export.fcpxml"
cat >"$doc" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<fcpxml version="1.11">
  <library><event name="Check"><project name="Installed package">
    <sequence duration="10s"><spine><gap offset="0s" start="0s" duration="10s">
      <title name="First" lane="1" offset="1s" start="0s" duration="2s">
        <text><text-style>Opened from the command line</text-style></text>
      </title>
    </gap></spine></sequence>
  </project></event></library>
</fcpxml>
EOF

echo "== installing $(basename "$deb") ($(du -h "$deb" | cut -f1))"
apt install "$deb"
installed=true
dpkg-query -L caplift >"$work/files"

echo "== caplift-convert from PATH"
[ "$(command -v caplift-convert)" = /usr/bin/caplift-convert ] || fail "caplift-convert is not /usr/bin"
[ "$(caplift-convert --version)" = "caplift-convert $version" ] ||
  fail "caplift-convert --version says '$(caplift-convert --version)', the package is $version"
caplift-convert "$doc" | grep -qx "Opened from the command line" || fail "caplift-convert converts"

echo "== manual pages"
for page in caplift caplift-convert; do
  [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] ||
    fail "man -w $page (does a file in /etc/dpkg/dpkg.cfg.d keep manual pages out?)"
  man --warnings "$page" 2>&1 >/dev/null | { ! grep .; } || fail "man $page has warnings"
done

echo "== validators"
desktop-file-validate /usr/share/applications/caplift.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.caplift.Caplift.metainfo.xml >/dev/null ||
  { appstreamcli validate --no-net /usr/share/metainfo/org.caplift.Caplift.metainfo.xml; fail appstream; }

echo "== the desktop opens .fcpxml files with Caplift"
type=$(xdg-mime query filetype "$doc")
[ "$type" = application/x-fcpxml ] || fail "the file type of an .fcpxml file is '$type'"
handler=$(xdg-mime query default "$type")
[ "$handler" = caplift.desktop ] || fail "the default application for $type is '$handler'"

echo "== caplift FILE shows its preview"
# The main window and the preview, both shown, and the preview holds the file's subtitles
# (copied out of it with the keyboard).
xvfb-run -a -s "-screen 0 1024x700x24" bash -c '
  set -euo pipefail
  caplift "$1" &
  app=$!
  trap "kill $app 2>/dev/null || true" EXIT
  find() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n1; }
  main=$(find "^Caplift")
  preview=$(find "^SRT Preview$")
  [ -n "$main" ] && [ -n "$preview" ] || { echo "no main window or no preview" >&2; exit 1; }
  sleep 0.5
  [ -z "$2" ] || import -window root "$2"
  xdotool windowactivate --sync "$preview" 2>/dev/null || xdotool windowfocus --sync "$preview"
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.3
  xclip -selection clipboard -o >"$3" || true
' check "$doc" "$screenshot" "$work/previewed.srt" || fail "caplift FILE did not show its preview"
diff <(caplift-convert "$doc") "$work/previewed.srt" >/dev/null ||
  fail "the preview does not hold the file's subtitles (got '$(head -c 200 "$work/previewed.srt")')"

echo "== removing the package"
apt remove caplift
installed=false
dpkg-query -W -f='${db:Status-Status}' caplift 2>/dev/null | grep -qx installed && fail "still installed"
while IFS= read -r path; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left behind"
done <"$work/files"
[ "$(xdg-mime query filetype "$doc")" != application/x-fcpxml ] || fail "the file type is left behind"
! grep -qs caplift /usr/share/applications/mimeinfo.cache || fail "the desktop database still names Caplift"
echo "check-package: all passed"
