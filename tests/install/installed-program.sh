#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the installed programs from there: the
# command line lists the catalogue, and the program runs (offscreen) until it is stopped.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/kestrane bin/kestrane-cli share/kestrane/GAMES.DAT share/kestrane/KST.RGF share/kestrane/LICENSE \
            share/kestrane/CARDS/C003.svgz \
            share/applications/kestrane.desktop share/mime/packages/kestrane-game.xml \
            share/icons/hicolor/scalable/apps/kestrane.svg; do
    [[ -e $prefix/$file ]] || { echo "not installed: $file"; exit 1; }
done
"$prefix/bin/kestrane-cli" games | grep -q "Freecell"
status=0
env -u DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$prefix" timeout 4 \
    "$prefix/bin/kestrane" --no-sound --data-dir "$prefix/data" >/dev/null 2>&1 || status=$?
# Still running when the time was up: started and playing.
[[ $status -eq 124 ]] || { echo "the installed program ended with status $status"; exit 1; }
[[ -f $prefix/data/CFG.DAT ]] || { echo "the installed program wrote no preferences"; exit 1; }
# Its start-up marks the program folder it found: the installed one, with its catalogue loaded.
[[ -f $prefix/share/kestrane/KSTV0430.DAT ]] || { echo "the installed program did not find its folder"; exit 1; }
echo "installed and started from $prefix"
