#!/usr/bin/env bash
# Builds the Debian package of a build folder and checks it: lintian finds no error, it holds
# the systemd user unit (starting /usr/bin/tesserine --login), the Wayland background program
# and the three shell completions, and the packaged program answers --version and --help and makes one
# wallpaper change on a private Xvfb, keeping its configuration in ~/.config/tesserine/ of a
# private HOME. On CI (CI=true, root on a throwaway machine) the package is installed with
# apt-get and removed again; anywhere else no system package is touched: it is unpacked
# into a temporary folder.
# Usage: check-package.sh <build folder>
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
source "${root}/scripts/xvfb.sh"

work="$(mktemp -d)"
installed=""
cleanup() {
  [ -n "${installed}" ] && apt-get remove -y -qq tesserine >/dev/null 2>&1
  stop_xvfb
  rm -rf "${work}"
}
trap cleanup EXIT

(cd "${build}" && rm -f tesserine_*.deb && cpack -G DEB >/dev/null)
deb="$(ls "${build}"/tesserine_*_amd64.deb)"
echo "package: ${deb}"
lintian --fail-on error --tag-display-limit 0 "${deb}" 2>&1 | grep -v "root privileges is not recommended" || true
lintian --fail-on error "${deb}" >/dev/null 2>&1 || { echo "lintian reports an error" >&2; exit 1; }
dpkg-deb -c "${deb}" | awk '{print $6}' >"${work}/contents"
for file in ./usr/lib/systemd/user/tesserine.service ./usr/libexec/tesserine/tesserine-background \
  ./usr/libexec/tesserine/tesserine-command \
  ./usr/share/bash-completion/completions/tesserine \
  ./usr/share/zsh/vendor-completions/_tesserine ./usr/share/fish/vendor_completions.d/tesserine.fish; do
  grep -qx -- "${file}" "${work}/contents" || { echo "the package lacks ${file}" >&2; exit 1; }
done
dpkg-deb --fsys-tarfile "${deb}" | tar -xO ./usr/lib/systemd/user/tesserine.service |
  grep -qx "ExecStart=/usr/bin/tesserine --login" || { echo "the unit does not start /usr/bin/tesserine --login" >&2; exit 1; }

if [ "${CI:-}" = "true" ] && [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends "${deb}" >/dev/null
  installed=yes
  program=/usr/bin/tesserine
else
  dpkg-deb -x "${deb}" "${work}/unpacked"
  program="${work}/unpacked/usr/bin/tesserine"
fi

[ "$("${program}" --version)" = "Tesserine 1.0" ] || { echo "--version is wrong" >&2; exit 1; }
"${program}" --help | grep -q -- "--next" || { echo "--help is wrong" >&2; exit 1; }
background="$(dirname "${program}")/../libexec/tesserine/tesserine-background"
[ "$("${background}" --version)" = "tesserine-background 1.0" ] || { echo "the background program does not run" >&2; exit 1; }

# One change by the agent, which then closes itself; any box would be logged, not shown.
export HOME="${work}/home" XDG_CONFIG_HOME="${work}/home/.config" XDG_RUNTIME_DIR="${work}/runtime"
mkdir -p "${XDG_CONFIG_HOME}/tesserine" "${XDG_RUNTIME_DIR}"
chmod 700 "${XDG_RUNTIME_DIR}"
convert -size 16x16 xc:'#FF0000' "BMP3:${work}/red.bmp"
printf '[Info]\r\nOpen Minimized=1\r\nAutoClose=1\r\nAutoClose Minutes=0\r\n\r\n[Bitmaps]\r\n%s=TILE.NOT\r\n' \
  "${work}/red.bmp" >"${XDG_CONFIG_HOME}/tesserine/tesserine.INI"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP
start_xvfb 320x240x24
TESSERINE_DESKTOP=x11 TESSERINE_MESSAGE_LOG="${work}/messages.log" timeout 60 "${program}"
[ ! -s "${work}/messages.log" ] || { cat "${work}/messages.log" >&2; echo "a box was shown" >&2; exit 1; }
grep -aq "LastImageNm=${work}/red.bmp" "${XDG_CONFIG_HOME}/tesserine/tesserine.INI" ||
  { echo "the change was not recorded in ~/.config/tesserine/tesserine.INI" >&2; exit 1; }
[ ! -e "$(dirname "${program}")/tesserine.INI" ] || { echo "the program wrote into its own folder" >&2; exit 1; }
root_pixel() { import -window root -depth 8 -crop 1x1+5+5 txt:- | tail -1; }
pixel="$(root_pixel)"
grep -q "#FF0000" <<<"${pixel}" || { echo "the root shows ${pixel}, not the red picture" >&2; exit 1; }

# With nothing running, --set is the command program's run: the picture shows and is recorded.
convert -size 16x16 xc:'#0000FF' "BMP3:${work}/blue.bmp"
TESSERINE_DESKTOP=x11 TESSERINE_MESSAGE_LOG="${work}/messages.log" timeout 60 "${program}" --set "${work}/blue.bmp" ||
  { echo "--set with nothing running failed" >&2; exit 1; }
grep -aq "LastImageNm=${work}/blue.bmp" "${XDG_CONFIG_HOME}/tesserine/tesserine.INI" ||
  { echo "--set was not recorded in ~/.config/tesserine/tesserine.INI" >&2; exit 1; }
pixel="$(root_pixel)"
grep -q "#0000FF" <<<"${pixel}" || { echo "after --set the root shows ${pixel}, not the blue picture" >&2; exit 1; }

if [ -n "${installed}" ]; then
  apt-get remove -y -qq tesserine >/dev/null
  installed=""
  [ ! -e /usr/bin/tesserine ] || { echo "the package left /usr/bin/tesserine" >&2; exit 1; }
fi
echo "package checks passed"
