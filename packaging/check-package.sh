#!/usr/bin/env bash
# Checks a Caplift .deb: runs lintian on it, installs it with apt-get as a user would, checks what
# it put on the system, and removes it again. A Caplift that was installed before is removed for
# the check and put back afterwards, and packages that the check's install pulled in are removed,
# so the machine is left as it was. It installs and removes packages, so ./dev.sh runs it only
# when asked (./dev.sh check-package) or in CI, after installing the tools it uses.
#   packaging/check-package.sh PACKAGE.deb [SCREENSHOT.png]
set -euo pipefail

deb=$(realpath "$1")
screenshot=${2:-}
work=$(mktemp -d)
installed=false
earlier_deb=
earlier_version=
earlier_auto=
packages_before=
restored=false

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
installed_packages() {
  dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 == "installed" { print $2 }' | sort
}

# save_installed_caplift DEB: a package of the installed Caplift, made from what dpkg recorded
# of it (control fields, maintainer scripts, files), as the .deb it came from may be gone and no
# repository may hold it.
save_installed_caplift() {
  local tree=$work/earlier path name
  mkdir -p "$tree/DEBIAN"
  dpkg-query -s caplift |
    awk '/^[^ ]/ { skip = ($0 ~ /^(Status|Config-Version|Conffiles):/) } !skip' >"$tree/DEBIAN/control"
  dpkg-query -W -f='${Conffiles}\n' caplift | awk 'NF { print $1 }' >"$tree/DEBIAN/conffiles"
  [ -s "$tree/DEBIAN/conffiles" ] || rm "$tree/DEBIAN/conffiles"
  for path in /var/lib/dpkg/info/caplift.* /var/lib/dpkg/info/caplift:*.*; do
    [ -e "$path" ] || continue
    name=${path##*.}
    case "$name" in list | conffiles) ;; *) cp -p "$path" "$tree/DEBIAN/$name" ;; esac
  done
  while IFS= read -r path; do
    case "$path" in /. | [!/]*) continue ;; esac # the root, and notes on diversions
    if [ -d "$path" ] && [ ! -L "$path" ]; then
      install -d -m "$(stat -c %a "$path")" "$tree$path"
    elif [ -e "$path" ] || [ -L "$path" ]; then
      mkdir -p "$tree$(dirname "$path")"
      cp -a "$path" "$tree$path"
    fi
  done < <(dpkg-query -L caplift)
  dpkg-deb --root-owner-group --build "$tree" "$1" >/dev/null
}

# Removes what the check's install pulled in and nothing else needs, then reinstalls the earlier
# Caplift. Packages that were there before are never touched.
restore() {
  local pulled_in
  restored=true
  [ -n "$packages_before" ] || return 0
  pulled_in=$(comm -12 <(comm -13 <(echo "$packages_before") <(installed_packages)) \
    <(as_root apt-get -s autoremove 2>/dev/null | awk '/^Remv / { print $2 }' | sort))
  if [ -n "$pulled_in" ]; then
    # shellcheck disable=SC2086 # one package name a line
    apt remove $pulled_in
  fi
  if [ -n "$earlier_deb" ]; then
    if apt install "$earlier_deb" && [ "$(dpkg-query -W -f='${Version}' caplift)" = "$earlier_version" ]; then
      [ -z "$earlier_auto" ] || as_root apt-mark auto caplift >/dev/null
      echo "== put back the Caplift $earlier_version that was installed before"
    else
      local kept
      kept=$(mktemp --tmpdir caplift-earlier.XXXXXX.deb)
      cp "$earlier_deb" "$kept"
      echo "check-package: could not put back Caplift $earlier_version; its package is $kept" >&2
      return 1
    fi
  fi
}
cleanup() {
  local status=$?
  if $installed; then apt remove caplift || status=1; fi
  $restored || restore || status=1
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

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

echo "== lintian"
# Errors and warnings fail; information tags are shown but pass. None is overridden: an override
# would go into /usr/share/lintian/overrides/caplift, with a comment that says why.
if ! lintian --fail-on error,warning --display-info "$deb" >"$work/lintian" 2>&1; then
  grep -v '^running with root privileges' "$work/lintian" >&2 || true
  fail "lintian"
fi
{ grep -v '^running with root privileges' "$work/lintian" || true; } | sed 's/^/  /'
echo "lintian: no errors, no warnings ($(grep -c '^I: ' "$work/lintian" || true) information tags)"

packages_before=$(installed_packages)
if grep -qx caplift <<<"$packages_before"; then
  earlier_version=$(dpkg-query -W -f='${Version}' caplift)
  echo "== setting aside the Caplift $earlier_version installed before"
  save_installed_caplift "$work/earlier.deb"
  earlier_deb=$work/earlier.deb
  earlier_auto=$(apt-mark showauto caplift)
  apt remove caplift
fi

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
restore || fail "the machine is not as it was"
echo "check-package: all passed"
