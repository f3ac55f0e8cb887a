#!/usr/bin/env bash
# CI for the Debian package: builds it, checks it, installs it, starts the installed program as
# a normal user until its menu is up, checks the user's sample route, and purges the package
# again (the user's route must stay). Needs root (or sudo) for apt and for the test user.
set -euo pipefail
cd "$(dirname "$0")/.."
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
fail() { echo "ci_package: $*" >&2; exit 1; }

rm -f michitan_*.deb
scripts/package.sh
deb=$(ls michitan_*.deb)
echo "== $deb: $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Depends

lintian --fail-on error "$deb"
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"

user=michitan-ci
id "$user" >/dev/null 2>&1 || as_root useradd --create-home "$user"
home=$(getent passwd "$user" | cut -d: -f6)
data="$home/.local/share/michitan"
as_root rm -rf "$data"
# The installed program, as the user starts it from the menu, on a virtual screen; done when
# its menu window is shown.
as_root runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    michitan & program=$!
    timeout 60 xdotool search --sync --onlyvisible --name "処理選択" >/dev/null; shown=$?
    kill $program; wait $program 2>/dev/null
    exit $shown' || fail "the installed program did not show its menu"

route="$data/ADO_LANE.mdb"
as_root test -s "$route" || fail "no route file in $data"
[ ! -e /usr/lib/michitan/ADO_LANE.mdb ] || fail "a route file was written into /usr/lib/michitan"
for photo in /usr/lib/michitan/photos/*.jpg; do
  name=$(basename "$photo")
  as_root cmp "$photo" "$data/photos/$name" || fail "sample photo $name not in $data/photos"
  as_root grep -qa "$data/photos/$name" "$route" || fail "the sample route does not name $name"
done
before=$(as_root sha256sum "$route")

as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y michitan
[ "$(as_root sha256sum "$route")" = "$before" ] || fail "purging the package changed the route"
echo "== package checked: installed, started, sample route made, purged, route kept"
