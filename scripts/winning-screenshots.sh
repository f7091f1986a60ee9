#!/usr/bin/env bash
# Screenshots of the winning display for review: Freecell deal 1, saved by kestrane-cli a few
# moves before its end, is opened by the program with automatic play on, which wins it at once;
# each pattern is taken a few seconds into the display, under a virtual display.
#
#   scripts/winning-screenshots.sh [OUT_DIR] [SECONDS]
#
# SECONDS: how long after the program's start each picture is taken (default 9). Output:
# OUT_DIR/winning-<pattern>.png (default /tmp), the window of 1016 x 740.
set -euo pipefail

out=${1:-/tmp}
after=${2:-9}
program=$(dirname "$0")/../build/program
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The solver's line without its last eight moves, which only take cards home.
"$program/kestrane-cli" --data-dir "$work" solve Freecell 1 |
    grep -E '^(drop|click|dblclick|rclick|stock)\b' >"$work/line"
moves=$(wc -l <"$work/line")
{ head -n $((moves - 8)) "$work/line"; echo "save $work/near-win.gam"; } |
    "$program/kestrane-cli" --data-dir "$work" play Freecell 1 --autoplay off >/dev/null

for pattern in "Festoons" "Circles" "Lines" "Open order" "Left to right" "Up to down"; do
    data=$(mktemp -d -p "$work")
    printf '%s\r\n' "[Preference]" "Winning_Animations=$pattern" "Winning_Animations_Time=60" "AutoPlay=Y" \
        "ConfirmEnterHiScores=N" "MainWindowState_Maximized=N" "MainWindowState_Left=0" "MainWindowState_Top=0" \
        "MainWindowState_Width=1016" "MainWindowState_Height=740" >"$data/CFG.DAT"
    picture="$out/winning-$(echo "$pattern" | tr 'A-Z ' 'a-z-').png"
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
        '$program/kestrane' --no-sound --data-dir '$data' '$work/near-win.gam' & pid=\$!
        sleep $after
        /usr/bin/import -window root -crop 1016x740+0+0 '$picture'
        kill \$pid" 2>/dev/null
    echo "$picture"
done
