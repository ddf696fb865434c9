#!/usr/bin/env bash
# The installer as a user and an administrator meet it, in a fresh copy of the project's Wine
# prefix: a silent install per user, its program's /s (ended by a move of the pointer) and /c,
# an older installer over it and an update from one, removal while the saver runs and removal,
# and the install for all users. Arguments: the release test's output folder (cpack's, with the
# installer and its project.nsi), the version, the architecture, and a folder of its own.
set -euo pipefail
out=$1 version=$2 arch=$3 work=$4
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env"
"$root/scripts/wine-prefix" >/dev/null

user=$(id -un)  # Wine names the profile after the Unix user
fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
setup=$(echo "$out"/Lumivale-"$version"-"$arch"-setup.exe)
[ -f "$setup" ] || fail "no installer $setup"

# A fresh prefix: a copy of the project's, whose system folders (over a gigabyte, which Wine
# only reads) are hard links.
base=$WINEPREFIX
export WINEPREFIX=$work/prefix
rm -rf "$work"
mkdir -p "$WINEPREFIX"
tar -C "$base" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - . |
  tar -C "$WINEPREFIX" -xf -
cp -al "$base/drive_c/windows/system32" "$base/drive_c/windows/syswow64" "$WINEPREFIX/drive_c/windows/"
# Wine's services start here, not inside a step whose output is read (see scripts/test); the
# server outlives a killed run by two minutes at most.
start_wine() { wineserver -p120; "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true; }
trap 'wineserver -k 2>/dev/null || true' EXIT
start_wine

run() { "$WINE" "$@" </dev/null 2>/dev/null; }
# A registry value's data, or <none>; in the registry view of the package's programs.
view=/reg:64
[ "$arch" = x86_64 ] || view=/reg:32
value() {
  run reg query "$1" /v "$2" "$view" | tr -d '\r' | awk -v n="$2" 'tolower($1) == tolower(n) { sub(/^[ ]*[^ ]+[ ]+[^ ]+[ ]+/, ""); print; f = 1 }
    END { if (!f) print "<none>" }'
}
expect() {  # what, found, wanted
  [ "$2" = "$3" ] || fail "$1: [$2], expected [$3]"
}
install() { local rc=0; run "$(winpath "$1")" "${@:2}" || rc=$?; echo "$rc"; }
desktop='HKCU\Control Panel\Desktop'
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivale'
folder='C:\users\'"$user"'\AppData\Local\Programs\Lumivale'
unix_folder=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Lumivale
payload=$(echo "$out"/_CPack_Packages/*/NSIS/Lumivale-"$version"-"$arch"-setup)
# The entry's quiet uninstall command (given key), run as a script would, and its exit code.
uninstall_quietly() {
  { value "$1" QuietUninstallString; printf '\r\nexit /b %%errorlevel%%\r\n'; } > "$work/uninstall.cmd"
  local rc=0; run cmd /c "$(winpath "$work/uninstall.cmd")" >/dev/null || rc=$?; echo "$rc"
}
same_files() {  # the installed program files are the package's
  for f in Lumivale.scr LumivaleCore.dll; do
    cmp -s "$payload/$f" "$unix_folder/$f" || fail "$1: installed $f is not the package's"
  done
}

# The user had another screen saver, switched off.
mkdir -p "$WINEPREFIX/drive_c/windows/system32"
: > "$WINEPREFIX/drive_c/windows/system32/earlier.scr"
run reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\earlier.scr' /f >/dev/null
run reg add "$desktop" /v ScreenSaveActive /d 0 /f >/dev/null

echo "== silent install per user"
expect "exit code" "$(install "$setup" /S)" 0
same_files "install"
expect "installed files" "$(ls "$unix_folder" | tr '\n' ' ')" "Lumivale.scr LumivaleCore.dll Uninstall.exe "
if LC_ALL=C grep -qa "L.U.M.I.V.A.L.E._.C.O.R.E._" "$unix_folder/LumivaleCore.dll"; then
  fail "the installed core reads the test double's variables"
fi
# Windows writes the short (8.3) form; every part of this path already is one.
expect "screen saver" "$(value "$desktop" SCRNSAVE.EXE)" "$folder\\Lumivale.scr"
expect "screen saver active" "$(value "$desktop" ScreenSaveActive)" 1
expect "name" "$(value "$entry" DisplayName)" "Lumivale! Screen Saver"
expect "version" "$(value "$entry" DisplayVersion)" "$version"
expect "publisher" "$(value "$entry" Publisher)" "Orvane Team"
expect "icon" "$(value "$entry" DisplayIcon)" "$folder\\Lumivale.scr,0"
expect "uninstall command" "$(value "$entry" UninstallString)" "\"$folder\\Uninstall.exe\""
size=$(value "$entry" EstimatedSize)
kib=$(( $(cat "$unix_folder"/* | wc -c) / 1024 ))
(( size >= kib - 3 && size <= kib + 3 )) || fail "size $size, the files take $kib KiB"

# The window of the core's screen saver and the settings dialog, by their titles.
wait_window() {  # title regex, tenths of a second
  for _ in $(seq "$2"); do
    xdotool search --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

echo "== the installed /s, and removal while it runs"
run "$folder\\Lumivale.scr" /s & saver=$!
wait_window '^Lumivale$' 600 || fail "the installed screen saver did not show"
expect "removal while the saver runs: exit code" "$(uninstall_quietly "$entry")" 3
same_files "after the refused removal"
expect "entry after the refused removal" "$(value "$entry" DisplayVersion)" "$version"
for i in $(seq 100); do
  xdotool mousemove $((300 + i % 2 * 60)) 300 2>/dev/null
  sleep 0.2
  kill -0 "$saver" 2>/dev/null || break
done
kill -0 "$saver" 2>/dev/null && fail "the screen saver did not end on a move of the pointer"
wait "$saver" || fail "the screen saver ended with an error"

echo "== the installed /c, and an update while its dialog is open"
run "$folder\\Lumivale.scr" /c &
wait_window '^Lumivale! Screen Saver - Setting$' 600 || fail "the installed /c showed no settings dialog"
expect "update while the dialog is open: exit code" "$(install "$setup" /S)" 3
same_files "after the refused update"
wineserver -k; wait || true; start_wine
settings=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Lumivale!!/Lumivale!!.xml
[ -f "$settings" ] || fail "no settings file after /s and /c"
cp "$settings" "$work/settings.xml"

echo "== an older installer over it"
old=$work/old
mkdir -p "$old"
for f in Lumivale.scr LumivaleCore.dll; do cp "$payload/$f" "$old/$f"; printf 'older build' >> "$old/$f"; done
makensis -V1 -DVERSION=0.9.0 -DPAYLOAD="$old" -DOUTFILE="$work/old-setup.exe" -DCOMPRESSOR=zlib \
  "$(dirname "$payload")/project.nsi" >/dev/null
expect "older over newer: exit code" "$(install "$work/old-setup.exe" /S)" 4
same_files "after the older installer"
expect "version after the older installer" "$(value "$entry" DisplayVersion)" "$version"

echo "== removal"
expect "removal: exit code" "$(uninstall_quietly "$entry")" 0
for _ in $(seq 100); do [ -e "$unix_folder" ] || break; sleep 0.1; done
[ -e "$unix_folder" ] && fail "the folder is still there: $(ls "$unix_folder")"
expect "entry after removal" "$(value "$entry" DisplayName)" "<none>"
expect "screen saver after removal" "$(value "$desktop" SCRNSAVE.EXE)" 'C:\windows\system32\earlier.scr'
expect "screen saver active after removal" "$(value "$desktop" ScreenSaveActive)" 0
cmp -s "$settings" "$work/settings.xml" || fail "the settings file changed or went"

echo "== update from an older version"
expect "older install: exit code" "$(install "$work/old-setup.exe" /S)" 0
cmp -s "$old/Lumivale.scr" "$unix_folder/Lumivale.scr" || fail "the older version's files are not installed"
: > "$WINEPREFIX/drive_c/windows/system32/chosen.scr"
run reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\chosen.scr' /f >/dev/null  # the user's choice since
expect "update: exit code" "$(install "$setup" /S)" 0
same_files "update"
expect "version after the update" "$(value "$entry" DisplayVersion)" "$version"
expect "entries after the update" "$(run reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | grep -c 'Lumivale! Screen Saver')" 1
expect "screen saver after the update" "$(value "$desktop" SCRNSAVE.EXE)" 'C:\windows\system32\chosen.scr'

echo "== for all users"
system=system32
[ "$arch" = x86_64 ] || system=syswow64
all_entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivale'
expect "all users: exit code" "$(install "$setup" /ALLUSERS /S)" 0
for f in Lumivale.scr LumivaleCore.dll; do
  cmp -s "$payload/$f" "$WINEPREFIX/drive_c/windows/$system/$f" || fail "all users: $f is not in $system"
done
expect "all users: version" "$(value "$all_entry" DisplayVersion)" "$version"
expect "all users: screen saver untouched" "$(value "$desktop" SCRNSAVE.EXE)" 'C:\windows\system32\chosen.scr'
expect "all users: removal" "$(uninstall_quietly "$all_entry")" 0
for f in Lumivale.scr LumivaleCore.dll; do
  [ -e "$WINEPREFIX/drive_c/windows/$system/$f" ] && fail "all users: $f still in $system after removal"
done
expect "all users: entry after removal" "$(value "$all_entry" DisplayName)" "<none>"

echo "== removal when the user has chosen another saver since"
expect "removal: exit code" "$(uninstall_quietly "$entry")" 0
expect "entry after removal" "$(value "$entry" DisplayName)" "<none>"
expect "the user's choice after removal" "$(value "$desktop" SCRNSAVE.EXE)" 'C:\windows\system32\chosen.scr'
echo "installer: every step as expected"
