#!/usr/bin/env bash
# The Windows release end to end, in a fresh Wine prefix (its own, made for
# this run, on the display of the environment it runs in):
# - the installer carries a version block with the project's version, its
#   publisher and copyright;
# - it refuses a folder under Program Files (an earlier install's folder as
#   well), where the program could not keep its settings, and installs
#   nothing;
# - run silently (/S) with the sign-in option, it puts dozewell.exe,
#   wakeup.wav, dozewell-host.sh and the uninstaller into the user's own
#   programs folder, a
#   shortcut into the user's Start menu, a minimised one into the user's
#   Startup folder and an entry with publisher and web site into the user's
#   list of installed programs;
# - the installed program starts, shows its window with the program's icon
#   in the title bar, ends with exit code 0 from Exit and
#   writes its settings beside itself;
# - the uninstaller leaves a running program alone; once it has ended, the
#   silent uninstaller removes the program files, the host script's log,
#   both shortcuts and the entry, and keeps the settings file and so its
#   folder;
# - the portable zip holds the same dozewell.exe, wakeup.wav and
#   dozewell-host.sh, the script executable.
#
#   bash install.sh INSTALLER ZIP PROBE ARTEFACT_FOLDER
#
# Keeps installed-window.png in the artefact folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ "${1:-}" != --inside ]; then
  [ $# -eq 4 ] || { echo "usage: install.sh INSTALLER ZIP PROBE ARTEFACTS" >&2; exit 2; }
  for f in "$1" "$2" "$3"; do
    [ -f "$f" ] || { echo "FAIL: $f is missing (run the test package.make, or cpack)" >&2; exit 1; }
  done
  state=${DZ_WINE_STATE:?run inside scripts/wine-env}-install
  rm -rf "$state"  # fresh: nothing of an earlier install is there
  "$root/scripts/wine-env" exec "$state" --host-display -- bash "$0" --inside "$@"
  rc=$?
  [ $rc -ne 0 ] || rm -rf "$state"
  exit $rc
fi
shift
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
installer=$(absolute "$1") zip=$(absolute "$2") PROBE=$(absolute "$3")
mkdir -p "$4"
artefacts=$(cd "$4" && pwd)
# shellcheck source=../e2e/lib/app.bash
. "$root/tests/e2e/lib/app.bash"

windows_folder() { # %VARIABLE% -> the folder as a host path
  winepath -u "$(wine cmd /c echo "$1" </dev/null 2>/dev/null | tr -d '\r')" 2>/dev/null
}
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dozewell'
entry() { wine reg query "$key" </dev/null 2>/dev/null | tr -d '\r'; }

dir=$(windows_folder %LOCALAPPDATA%)/Programs/Dozewell
shortcut=$(windows_folder %APPDATA%)/Microsoft/Windows/"Start Menu"/Programs/Dozewell.lnk
programs=$(windows_folder %APPDATA%)/Microsoft/Windows/"Start Menu"/Programs
# Wine names the Startup folder "StartUp"; Windows does not mind the case.
startup_shortcut() { find "$programs" -maxdepth 2 -ipath "*/startup/dozewell.lnk" | head -n 1; }
[ ! -e "$dir" ] || fail "the fresh prefix already has $dir"
web_site=$(sed -nE 's/^ *HOMEPAGE_URL "([^"]*)".*/\1/p' "$root/CMakeLists.txt")

# --- the installer's version block ----------------------------------------
block=$(probe version "$(winepath -w "$installer")") || fail "the installer has no version block"
echo "$block" | sed 's/^/   /'
[ "$(field "$block" ProductVersion)" = "$DZ_VERSION" ] || fail "the installer's ProductVersion is not $DZ_VERSION"
[ "$(field "$block" ProductName)" = Dozewell ] || fail "the installer's ProductName is not Dozewell"
[ "$(field "$block" CompanyName)" = Dozewell ] || fail "the installer names no CompanyName"
grep -q '^LegalCopyright Copyright' <<<"$block" || fail "the installer carries no LegalCopyright"

# --- a folder under Program Files is refused --------------------------------
# As an earlier install there would leave it: the installer starts in it.
program_files=$(wine cmd /c echo %ProgramFiles% </dev/null 2>/dev/null | tr -d '\r')
wine reg add "$key" /v InstallLocation /d "$program_files\\Dozewell" /f </dev/null >/dev/null 2>&1
set +e
timeout 60 wine "$installer" /S </dev/null >/dev/null 2>&1
rc=$?
set -e
[ $rc -ne 0 ] || fail "the installer reported success for a folder under $program_files"
[ ! -e "$(winepath -u "$program_files")/Dozewell/dozewell.exe" ] || fail "the installer installed under $program_files"
wine reg delete "$key" /f </dev/null >/dev/null 2>&1
note "a folder under $program_files: refused with exit code $rc"

# --- silent install -----------------------------------------------------
start_ms=$(date +%s%3N)
set +e
timeout 60 wine "$installer" /S /STARTATSIGNIN </dev/null >/dev/null 2>&1
rc=$?
set -e
[ $rc -eq 0 ] || fail "the installer ended with exit code $rc"
note "installed in $(($(date +%s%3N) - start_ms)) ms into $dir"
for f in dozewell.exe wakeup.wav dozewell-host.sh Uninstall.exe; do
  [ -f "$dir/$f" ] || fail "no $f in $dir after the install"
done
note "installed dozewell-host.sh: $(stat -c %A "$dir/dozewell-host.sh")"
[ -f "$shortcut" ] || fail "no Start-menu shortcut at $shortcut"
grep -aq 'dozewell\.exe' "$shortcut" || fail "the shortcut does not name dozewell.exe"
startup=$(startup_shortcut)
[ -f "$startup" ] || fail "no Startup shortcut in $programs after an install with /STARTATSIGNIN"
grep -aq 'dozewell\.exe' "$startup" || fail "the Startup shortcut does not name dozewell.exe"
# The show command of a shortcut file, at byte 60: minimised (2, or 7 as
# the system itself writes it).
show=$(od -An -tu4 -j60 -N4 "$startup" | tr -d ' ')
[ "$show" = 2 ] || [ "$show" = 7 ] || fail "the Startup shortcut does not start the program minimised (show command $show)"
listed=$(entry) || fail "no entry $key"
echo "$listed" | sed 's/^/   /'
grep -Eq 'DisplayName +REG_SZ +Dozewell$' <<<"$listed" || fail "the entry has no DisplayName Dozewell"
grep -Eq "DisplayVersion +REG_SZ +${DZ_VERSION//./\\.}\$" <<<"$listed" || fail "the entry has no DisplayVersion $DZ_VERSION"
grep -Eq 'Publisher +REG_SZ +Dozewell$' <<<"$listed" || fail "the entry has no Publisher"
[ "$(awk '$1 == "URLInfoAbout" && $2 == "REG_SZ" { print $3 }' <<<"$listed")" = "$web_site" ] ||
  fail "the entry's URLInfoAbout is not $web_site"
grep -Eq 'UninstallString +REG_SZ +"C:\\.*\\Dozewell\\Uninstall\.exe"$' <<<"$listed" ||
  fail "the entry's UninstallString does not name the installed uninstaller"

# --- the installed program ------------------------------------------------
# The installer, run under Wine, gives the script no executable mark; the
# program's keep-awake request at start reaches this stand-in all the same.
stubs=$(mktemp -d)
printf '#!/bin/sh\necho "$*" >>"%s/inhibit.calls"\n' "$stubs" >"$stubs/systemd-inhibit"
chmod +x "$stubs/systemd-inhibit"
PATH=$stubs:$PATH start_app "$dir"
wid=$(timeout 10 xdotool search --sync --onlyvisible --name "$TITLE_RE" </dev/null | head -n 1) ||
  fail "xdotool does not see the window"
sleep 1  # the first activation reads the settings and opens the sound
shot "$artefacts/installed-window.png"
for _ in $(seq 50); do [ -s "$stubs/inhibit.calls" ] && break; sleep 0.1; done
[ -s "$stubs/inhibit.calls" ] || fail "the installed program's keep-awake request did not reach the desktop through dozewell-host.sh"
note "keep-awake through the installed script: $(head -n 1 "$stubs/inhibit.calls")"
rm -rf "$stubs"
client_origin
# The title bar's icon sits left of the caption text, above the client area.
caption_red=$(share_of "$artefacts/installed-window.png" 0 0 $((cx + 28)) "$cy" '#C82020')
note "share of the clock's red in the title bar's corner: $caption_red"
awk -v s="$caption_red" 'BEGIN { exit !(s > 0.02) }' || fail "the title bar shows no clock icon"

# Uninstalling while the program runs would leave the program behind without
# its entry: the uninstaller (run in place with _?=, so it can be waited for)
# gives up and changes nothing.
set +e
timeout 60 wine "$dir/Uninstall.exe" /S "_?=$(winepath -w "$dir")" </dev/null >/dev/null 2>&1
rc=$?
set -e
[ $rc -ne 0 ] || fail "the uninstaller reported success while the program was running"
[ -f "$dir/dozewell.exe" ] && entry >/dev/null || fail "the uninstaller removed files while the program was running"

exit_button=$(probe child "$TITLE" 600 516) || fail "nothing at the Exit button's place"
[ "$(field "$exit_button" text)" = Exit ] || fail "the control at the Exit button's place is not Exit"
read -r bx by <<<"$(rect_centre "$exit_button")"
click_screen "$bx" "$by"
wait_exit 15 || fail "the installed program is still running 15 s after Exit"
[ "$app_rc" = 0 ] || fail "the installed program ended with exit code $app_rc"
note "Exit: exit code 0"
mv "$dir/wine.log" "$artefacts/installed-wine.log"  # the test's, not the program's
missing_settings=""
if [ -f "$dir/folderS.txt" ]; then
  note "settings written: $(tr -d '\r' <"$dir/folderS.txt" | tr '\n' '|')"
else
  missing_settings="Exit did not write folderS.txt beside the installed program (the close handler writes no settings)"
  # The uninstaller's keeping of the settings is checked all the same.
  printf 'C:\\song.mp3\r\n06\r\n30\r\n10\r\n5\r\n' >"$dir/folderS.txt"
fi

# The host script logs beside the settings what it could not do on this
# desktop; when it had nothing to say, a line of its kind stands in.
[ -f "$dir/dozewell-host.log" ] && note "host log: $(tr '\n' '|' <"$dir/dozewell-host.log")" ||
  echo "display off: no way to switch the display here" >"$dir/dozewell-host.log"

# --- silent uninstall -----------------------------------------------------
# The uninstaller copies itself away and returns at once: wait for its work.
wine "$dir/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the uninstaller did not start"
for _ in $(seq 300); do
  [ ! -e "$dir/Uninstall.exe" ] && ! entry >/dev/null && break
  sleep 0.1
done
for f in dozewell.exe wakeup.wav dozewell-host.sh dozewell-host.log Uninstall.exe; do
  [ ! -e "$dir/$f" ] || fail "$f is still in $dir after the uninstall"
done
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there after the uninstall"
[ -z "$(startup_shortcut)" ] || fail "the Startup shortcut is still there after the uninstall"
! entry >/dev/null || fail "the entry $key is still there after the uninstall"
[ -f "$dir/folderS.txt" ] || fail "the silent uninstall removed the user's settings"
[ "$(ls -A "$dir")" = folderS.txt ] || fail "the uninstall left more than the settings: $(ls -A "$dir")"
note "uninstalled; the settings file stays"

# --- the portable zip -----------------------------------------------------
unpacked=$(mktemp -d)
(cd "$unpacked" && cmake -E tar xf "$zip")
top=$(ls "$unpacked")
[ "$(ls "$unpacked/$top" | sort | tr '\n' ' ')" = "dozewell-host.sh dozewell.exe wakeup.wav " ] ||
  fail "the zip holds $(cd "$unpacked" && find . -type f | tr '\n' ' ')"
[ -x "$unpacked/$top/dozewell-host.sh" ] || fail "the zip's dozewell-host.sh is not executable"
note "zip: $top/ with dozewell.exe, wakeup.wav and dozewell-host.sh"
rm -rf "$unpacked"

[ -z "$missing_settings" ] || fail "$missing_settings"
echo "PASS: install, run, uninstall and zip"
