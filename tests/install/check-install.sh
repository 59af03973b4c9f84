#!/bin/sh
# Installs the build into a temporary prefix and checks what lands there: exactly the
# expected files, valid desktop and AppStream metadata that name each other and the
# installed program, icons of the sizes their folders claim, a systemd user unit that starts
# the installed program at log-in, and the shell completions.
# Usage: check-install.sh <cmake> <build dir> <application id> <icon size>...
set -eu
cmake=$1
build=$2
app_id=$3
shift 3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

desktop=share/applications/$app_id.desktop
metainfo=share/metainfo/$app_id.metainfo.xml
icons=share/icons/hicolor
expected="bin/tesserine libexec/tesserine/tesserine libexec/tesserine/tesserine-command libexec/tesserine/tesserine-background $desktop $metainfo $icons/scalable/apps/$app_id.svg
share/dbus-1/interfaces/org.tesserine.Tesserine1.xml share/man/man1/tesserine.1.gz
share/doc/tesserine/changelog.gz share/doc/tesserine/copyright lib/systemd/user/tesserine.service
share/bash-completion/completions/tesserine share/zsh/vendor-completions/_tesserine
share/fish/vendor_completions.d/tesserine.fish"
for size in "$@"; do
  expected="$expected $icons/${size}x${size}/apps/$app_id.png"
done

echo "$expected" | tr ' ' '\n' | grep . | sort >"$work/expected"
(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$work/installed"
diff "$work/expected" "$work/installed" >&2 || fail "the installed files differ from the expected ones"

desktop-file-validate "$prefix/$desktop" || fail "$desktop does not validate"
# validate-tree checks the metainfo as "validate" does and also finds the desktop entry it launches.
appstreamcli validate-tree --no-net --strict "$prefix" >"$work/appstream" || {
  cat "$work/appstream" >&2
  fail "the AppStream metadata does not validate"
}

# A key of the entry's main group, [Desktop Entry] (the actions' groups have keys of their own).
entry_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$prefix/$desktop"
}
# The Exec of the desktop action named $1.
action_exec() {
  sed -n "/^\[Desktop Action $1\]/,/^\[/s/^Exec=//p" "$prefix/$desktop"
}
exec_name=$(entry_value Exec | cut -d' ' -f1)
program=$prefix/bin/$exec_name
if [ -z "$exec_name" ] || [ ! -f "$program" ] || [ ! -x "$program" ]; then
  fail "Exec=$exec_name is not an installed program"
fi
[ "$(entry_value Icon)" = "$app_id" ] || fail "Icon= is not $app_id"
grep -q "<binary>$exec_name</binary>" "$prefix/$metainfo" || fail "the metainfo does not provide $exec_name"
# It opens pictures ("Open With") but is made nobody's default: no mimeapps.list is installed
# (the list of files above holds none), and the metainfo names the same types.
[ "$(entry_value Exec)" = "$exec_name %F" ] || fail "Exec= does not take files (%F)"
mime_types="image/bmp;image/jpeg;image/gif;image/png;image/webp;"
[ "$(entry_value MimeType)" = "$mime_types" ] || fail "MimeType= is not $mime_types"
provided=$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1;|p' "$prefix/$metainfo" | tr -d '\n')
[ "$provided" = "$mime_types" ] || fail "the metainfo's media types ($provided) are not the entry's"
[ "$(entry_value Actions)" = "next-wallpaper;previous-wallpaper;" ] || fail "Actions= is not the two wallpaper actions"
[ "$(action_exec next-wallpaper)" = "$exec_name --next" ] || fail "Next Wallpaper does not run --next"
[ "$(action_exec previous-wallpaper)" = "$exec_name --previous" ] || fail "Previous Wallpaper does not run --previous"

for size in "$@"; do
  png=$prefix/$icons/${size}x${size}/apps/$app_id.png
  [ -f "$png" ] || continue
  file -b "$png" | grep -q "^PNG image data, $size x $size," ||
    fail "${size}x${size} icon is $(file -b "$png")"
done
file -b "$prefix/$icons/scalable/apps/$app_id.svg" | grep -q "SVG" || fail "the scalable icon is not SVG"
xmllint --noout "$prefix/share/dbus-1/interfaces/org.tesserine.Tesserine1.xml" 2>/dev/null ||
  fail "the D-Bus interface description is not well-formed XML"
zcat "$prefix/share/man/man1/tesserine.1.gz" | grep -q '^\.TH TESSERINE 1' || fail "the manual page is not tesserine(1)"

unit=$prefix/lib/systemd/user/tesserine.service
[ "$(sed -n 's/^ExecStart=//p' "$unit")" = "$prefix/bin/tesserine --login" ] ||
  fail "the unit does not start $prefix/bin/tesserine --login"
for line in PartOf=graphical-session.target After=graphical-session.target WantedBy=graphical-session.target \
  KillMode=process; do
  grep -qx "$line" "$unit" || fail "the unit lacks $line"
done
# verify ends with 0 after warnings of values it ignores: any output fails.
if command -v systemd-analyze >/dev/null; then
  mkdir -m 700 "$work/runtime"
  if ! XDG_RUNTIME_DIR=$work/runtime systemd-analyze verify --user --man=no "$unit" >"$work/verify" 2>&1 ||
    [ -s "$work/verify" ]; then
    cat "$work/verify" >&2
    fail "systemd-analyze does not accept the unit"
  fi
fi
bash -c ". '$prefix/share/bash-completion/completions/tesserine' && complete -p tesserine" >/dev/null 2>&1 ||
  fail "the bash completion does not load"

[ "$failures" -eq 0 ] || exit 1
echo "install checks passed"
