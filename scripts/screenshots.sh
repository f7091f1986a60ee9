#!/usr/bin/env bash
# Screenshots of the running program for review: each game of the list at each window size,
# started on a fresh data folder under a virtual display.
#
#   scripts/screenshots.sh [OUT_DIR] [GAME_ID ...]
#
# Sizes: 1016x740 and 800x560. Output: OUT_DIR/game-<id>-<width>x<height>.png (default /tmp).
set -euo pipefail

out=${1:-/tmp}
shift || true
games=("$@")
[[ ${#games[@]} -gt 0 ]] || games=(1 2)
program=$(dirname "$0")/../build/program/kestrane

for game in "${games[@]}"; do
    for size in 1016x740 800x560; do
        data=$(mktemp -d)
        printf '[Preference]\r\nGame=%s\r\nGame_name=\r\nMainWindowState_Maximized=N\r\nMainWindowState_Left=0\r\nMainWindowState_Top=0\r\nMainWindowState_Width=%s\r\nMainWindowState_Height=%s\r\n' \
            "$game" "${size%x*}" "${size#*x}" >"$data/CFG.DAT"
        xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
            '$program' --no-sound --data-dir '$data' & pid=\$!
            sleep 5
            xdotool key Return   # the game browser opens on the game of CFG.DAT: start it
            sleep 4
            /usr/bin/import -window root -crop ${size}+0+0 '$out/game-$game-$size.png'
            kill \$pid" 2>/dev/null
        rm -rf "$data"
        echo "$out/game-$game-$size.png"
    done
done
