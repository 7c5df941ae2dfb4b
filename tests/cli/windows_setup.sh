#!/usr/bin/env bash
# The setup program as an administrator or a user runs it, silently, in a Wine prefix of its own
# (made anew, apart from the tests' prefix): an earlier version (made here from the same script,
# with walkconv.exe standing in for the windows when the build has none) installed for all
# users with the PATH option, the build's version over it, walkconv run from the installed
# folder by cmd.exe, the uninstaller, and an install for the user alone.
#
#   windows_setup.sh SETUP WORK_DIR WINE_RUN WINESERVER MAKENSIS SCRIPT HAS_WINDOWS VERSION \
#                    [makensis -D definitions of the build's setup program...]
set -euo pipefail
setup=$1 work=$2 wine_run=$3 wineserver=$4 makensis=$5 script=$6 has_windows=$7 version=$8
shift 8
defines=("$@")

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/prefix" "$work/ships/models" "$work/ships/ini"
export WINEPREFIX="$work/prefix"
stop_wineserver() { "$wineserver" -k 2>/dev/null || true; }
trap stop_wineserver EXIT
"$wineserver" -p
"$wine_run" cmd /c exit >/dev/null 2>&1 || true
wine() { "$wine_run" "$@" 2>/dev/null | tr -d '\r'; }

# The earlier version, with the windows (or a stand-in for them).
earlier=(-DVERSION=0.0.1 "-DOUTFILE=$work/earlier-setup.exe")
for define in "${defines[@]}"; do
    case $define in
    -DWALKCONV_EXE=*) stand_in=${define#-DWALKCONV_EXE=} ;;
    -DWALK_CONVERTER_EXE=*) stand_in= ;;
    esac
done
if [ -n "${stand_in:-}" ]; then
    earlier+=("-DWALK_CONVERTER_EXE=$stand_in")
fi
"$makensis" -V1 -WX "${earlier[@]}" "${defines[@]}" "$script" >/dev/null

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\walk-converter'
machine_env='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
drive_c="$WINEPREFIX/drive_c"
machine_dir='C:\Program Files\Walk files converter'
machine_folder="$drive_c/Program Files/Walk files converter"
machine_shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Walk files converter.lnk"

has_key() { wine reg query "$1" >/dev/null; }
has_value() { wine reg query "$1" | grep -q -x " *$2 .*"; }
value_of() { wine reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
files_in() { (cd "$1" && ls -A | tr '\n' ' '); }

# The windows' Start menu shortcut and "Open with" entries: present after an install that holds
# the windows, absent otherwise.
expect_windows_entries() {
    local root=$1 expected=$2 shortcut=$3
    local present=() absent=()
    local classes="$root\\Software\\Classes"
    check() { if "$@"; then present+=("${*: -1}"); else absent+=("${*: -1}"); fi; }
    check has_key "$classes\\Applications\\walk-converter.exe\\shell\\open\\command"
    for progid in .c=WalkConverter.WalkSource .ini=WalkConverter.Sailorpoints; do
        check has_key "$classes\\${progid#*=}\\shell\\open\\command"
        check has_value "$classes\\${progid%=*}\\OpenWithProgids" "${progid#*=}"
    done
    check test -e "$shortcut"
    if [ "$expected" = yes ] && [ ${#absent[@]} -gt 0 ]; then
        fail "missing after the install: ${absent[*]}"
    elif [ "$expected" = no ] && [ ${#present[@]} -gt 0 ]; then
        fail "left without the windows: ${present[*]}"
    fi
}

# A user's remembered folders and a file of theirs, which no uninstall touches.
wine reg add 'HKCU\Software\walk-converter\folders' /v walk /d 'C:\ships' /f >/dev/null

# 1. The earlier version for all users, with PATH.
wine "$work/earlier-setup.exe" /S /AddToPath || fail "the earlier version's setup failed"
[ "$(files_in "$machine_folder")" = "README.txt uninstall.exe walk-converter.exe walkconv.exe " ] ||
    fail "earlier version installed [$(files_in "$machine_folder")]"
[ "$(value_of "HKLM\\$uninstall_key" DisplayVersion)" = 0.0.1 ] || fail "no entry of 0.0.1"
expect_windows_entries HKLM yes "$machine_shortcut"
echo notes >"$machine_folder/notes.txt"

# 2. The build's version over it: one entry, the PATH choice kept.
wine "$setup" /S || fail "the setup program failed"
[ "$(value_of "HKLM\\$uninstall_key" DisplayVersion)" = "$version" ] || fail "not upgraded"
has_key "HKCU\\$uninstall_key" && fail "an entry for the user too"
for name in DisplayName Publisher DisplayIcon UninstallString QuietUninstallString EstimatedSize; do
    [ -n "$(value_of "HKLM\\$uninstall_key" $name)" ] || fail "the entry lacks $name"
done
for name in UninstallString QuietUninstallString; do
    expected="\"$machine_dir\\uninstall.exe\" /AllUsers"
    [ $name = UninstallString ] || expected+=" /S"
    [ "$(value_of "HKLM\\$uninstall_key" $name)" = "$expected" ] ||
        fail "$name: $(value_of "HKLM\\$uninstall_key" $name)"
done
path=$(value_of "$machine_env" Path)
[ "$(grep -o -F "$machine_dir" <<<"$path" | wc -l)" = 1 ] || fail "PATH after the upgrade: $path"
if [ "$has_windows" = ON ]; then
    expect_windows_entries HKLM yes "$machine_shortcut"
else
    [ -e "$machine_folder/walk-converter.exe" ] && fail "the earlier windows were left behind"
    expect_windows_entries HKLM no "$machine_shortcut"
fi

# 3. The README's batch example as typed in cmd.exe, walkconv found through PATH.
printf '[POINT_DATA]\npoint 0 = 1,2,3,0\npoint 1 = 4,5,6,1\n[LINK_DATA]\nlink 0 = 0,1\n' \
    >"$work/ships/deck1.ini"
ships="Z:$(tr / '\\' <<<"$work/ships")"
wine cmd /c "cd /d $ships && walkconv to-walk deck1.ini -d models && copy models\\deck_walk.c models\\Brig_WALK.C >nul && walkconv to-ini models\\*_walk.c -d ini" >"$work/out.txt"
[ "$(cat "$work/out.txt")" = 'deck1.ini -> models\deck_walk.c (2 points, 1 link)
models\Brig_WALK.C -> ini\Brig1.ini (2 points, 1 link)
models\deck_walk.c -> ini\deck1.ini (2 points, 1 link)' ] || fail "walkconv in cmd.exe: $(cat "$work/out.txt")"

# 4. The silent uninstall, run from the folder without saying for whom: the uninstaller finds
# its entry, and goes on in a copy of itself.
wine "$machine_dir\\uninstall.exe" /S
for _ in $(seq 50); do
    [ -e "$machine_folder/uninstall.exe" ] || break
    sleep 0.2
done
[ "$(files_in "$machine_folder")" = "notes.txt " ] ||
    fail "left in the folder after uninstalling: [$(files_in "$machine_folder")]"
has_key "HKLM\\$uninstall_key" && fail "the entry stays after uninstalling"
expect_windows_entries HKLM no "$machine_shortcut"
grep -q -F "$machine_dir" <<<"$(value_of "$machine_env" Path)" && fail "PATH keeps the folder"
[ "$(value_of 'HKCU\Software\walk-converter\folders' walk)" = 'C:\ships' ] ||
    fail "the remembered folders were removed"

# 5. For the user alone: no machine entry, and nothing left after the uninstall as "Apps" runs
# it.
wine "$setup" /S /CurrentUser || fail "the setup program failed for the user alone"
user_folder=$(find "$drive_c/users" -maxdepth 5 -path '*/AppData/Local/Programs/Walk files converter')
[ -n "$user_folder" ] && [ -e "$user_folder/walkconv.exe" ] || fail "nothing installed for the user"
has_key "HKLM\\$uninstall_key" && fail "an install for the user has a machine entry"
[ "$(value_of "HKCU\\$uninstall_key" DisplayVersion)" = "$version" ] || fail "no entry for the user"
eval "wine $(value_of "HKCU\\$uninstall_key" QuietUninstallString | sed 's/\\/\\\\/g')"
for _ in $(seq 50); do
    [ -e "$user_folder" ] || break
    sleep 0.2
done
[ -e "$user_folder" ] && fail "left after uninstalling for the user: [$(files_in "$user_folder")]"
has_key "HKCU\\$uninstall_key" && fail "the user's entry stays after uninstalling"
echo "setup program: installed, upgraded, used and uninstalled"
