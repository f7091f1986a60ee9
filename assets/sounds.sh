#!/usr/bin/env bash
# Synthesizes the wave files of the SOUNDS folder with sox.
#
#   assets/sounds.sh OUTPUT_FOLDER
#
# The sox program is taken from $KST_SOX if set, else from the PATH.
#
# Every sound is built from sine partials and band-limited noise, shaped by fades, then written
# as 16-bit PCM mono at 44100 Hz, normalised to a peak of -3 dBFS. sox runs with -R so the noise
# and the dither are the same on every run: the files are byte-identical from build to build.
#
# Levels are kept soft on purpose: these sounds accompany a game played for hours.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUTPUT_FOLDER" >&2
    exit 2
fi
out_dir=$1
sox=${KST_SOX:-sox}
command -v "$sox" >/dev/null || { echo "$0: sox is missing (Debian package sox)" >&2; exit 1; }
mkdir -p "$out_dir"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=44100
# Intermediate files are 32-bit float so mixing keeps full precision until the last step.
SOX=("$sox" -R -V2)
# Synthesised parts are generated at the final rate (the rate goes before -n so nothing is resampled).
GEN=(-r "$rate" -c 1 -n)
FLOAT=(-e floating-point -b 32)

calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }

# One sine partial: quick half-sine attack, then an exponential decay (sox's "l" fade falls
# linearly in dB, 100 dB over its length) that ends with the sound.
#   partial NAME FREQ LEN LEVEL [SWEEP_TO]
partial() {
    local name=$1 freq=$2 len=$3 level=$4 to=${5:-}
    local tone=$freq
    [[ -n $to ]] && tone="$freq/$to"
    "${SOX[@]}" "${GEN[@]}" "${FLOAT[@]}" "$work/$name.wav" synth "$len" sine "$tone" \
        fade h 0.003 fade l 0 "$len" "$len" vol "$level"
}

# A struck tone: the fundamental with two harmonics that die away sooner, and for a chime an
# inharmonic partial that adds a little glassy shimmer at the start.
#   note NAME FREQ LEN LEVEL [BRIGHTNESS [SHIMMER]]
note() {
    local name=$1 freq=$2 len=$3 level=$4 bright=${5:-0.25} shimmer=${6:-0}
    partial "$name.1" "$freq" "$len" 1
    partial "$name.2" "$(calc "$freq * 2")" "$(calc "$len * 0.5")" "$bright"
    partial "$name.3" "$(calc "$freq * 3")" "$(calc "$len * 0.3")" "$(calc "$bright * 0.35")"
    local parts=("$name.1@0" "$name.2@0" "$name.3@0")
    if [[ $shimmer != 0 ]]; then
        partial "$name.4" "$(calc "$freq * 2.76")" "$(calc "$len * 0.2")" "$shimmer"
        parts+=("$name.4@0")
    fi
    mix "$name" "${parts[@]}"
    "${SOX[@]}" "$work/$name.wav" "$work/$name.v.wav" vol "$level"
    mv "$work/$name.v.wav" "$work/$name.wav"
}

# A warm sustained tone for chords: two slightly detuned sines and a soft octave, slow attack,
# long smooth release.
#   pad_tone NAME FREQ LEN LEVEL
pad_tone() {
    local name=$1 freq=$2 len=$3 level=$4
    local release
    release=$(calc "$len * 0.75")
    "${SOX[@]}" "${GEN[@]}" "${FLOAT[@]}" "$work/$name.a.wav" synth "$len" sine "$freq" \
        fade q 0.06 "$len" "$release" vol 0.5
    "${SOX[@]}" "${GEN[@]}" "${FLOAT[@]}" "$work/$name.b.wav" synth "$len" sine "$(calc "$freq * 1.004")" \
        fade q 0.08 "$len" "$release" vol 0.4
    "${SOX[@]}" "${GEN[@]}" "${FLOAT[@]}" "$work/$name.c.wav" synth "$len" sine "$(calc "$freq * 2")" \
        fade q 0.04 "$len" "$(calc "$len * 0.9")" fade l 0 "$len" "$len" vol 0.15
    mix "$name" "$name.a@0" "$name.b@0" "$name.c@0"
    "${SOX[@]}" "$work/$name.wav" "$work/$name.v.wav" vol "$level"
    mv "$work/$name.v.wav" "$work/$name.wav"
}

# One long stretch of white noise; every noise sound takes its own slice of it so no two bursts
# are the same.
"${SOX[@]}" "${GEN[@]}" "${FLOAT[@]}" "$work/noise.wav" synth 12 whitenoise vol 0.9

# A slice of the noise, limited to a frequency band and normalised to 0 dBFS before shaping.
#   band NAME OFFSET LEN LOW HIGH
band() {
    local name=$1 offset=$2 len=$3 low=$4 high=$5
    "${SOX[@]}" "$work/noise.wav" "$work/$name.wav" trim "$offset" "$len" sinc "$low-$high" gain -n -1
}

# A noise burst: band-limited noise with a short attack and an exponential decay.
#   burst NAME OFFSET LEN LOW HIGH ATTACK LEVEL
burst() {
    local name=$1 offset=$2 len=$3 low=$4 high=$5 attack=$6 level=$7
    band "$name.n" "$offset" "$len" "$low" "$high"
    "${SOX[@]}" "$work/$name.n.wav" "$work/$name.wav" fade h "$attack" fade l 0 "$len" \
        "$(calc "$len - $attack")" vol "$level"
}

# A swish: noise whose band glides from one centre frequency to another, made of overlapping
# half-sine windows of noise filtered one step apart, under a rise-and-fall envelope.
#   swish NAME OFFSET LEN FROM TO RISE LEVEL
swish() {
    local name=$1 offset=$2 len=$3 from=$4 to=$5 rise=$6 level=$7
    local steps=8 hop i parts=()
    hop=$(calc "$len / ($steps + 1)")
    for ((i = 0; i < steps; i++)); do
        local centre start
        centre=$(calc "$from * ($to / $from) ^ ($i / ($steps - 1))")
        start=$(calc "$i * $hop")
        band "$name.s$i.n" "$(calc "$offset + $start")" "$(calc "2 * $hop")" \
            "$(calc "$centre / 1.7")" "$(calc "$centre * 1.7")"
        "${SOX[@]}" "$work/$name.s$i.n.wav" "$work/$name.s$i.wav" fade h "$hop" -0 "$hop"
        parts+=("$name.s$i@$start")
    done
    mix "$name.raw" "${parts[@]}"
    "${SOX[@]}" "$work/$name.raw.wav" "$work/$name.wav" \
        fade q "$rise" -0 "$(calc "$len - $rise")" vol "$level"
}

# Mixes parts, each delayed by its time in seconds: mix NAME PART@SECONDS...
# Every part gets the same fixed attenuation, so their balance is kept and the sum never clips;
# the level is restored when the sound is normalised.
mix() {
    local name=$1
    shift
    local inputs=() i=0 entry
    for entry in "$@"; do
        local part=${entry%@*} delay=${entry#*@}
        "${SOX[@]}" "$work/$part.wav" "$work/$name.p$i.wav" pad "$delay"
        inputs+=(-v 0.25 "$work/$name.p$i.wav")
        i=$((i + 1))
    done
    if [[ $i -eq 1 ]]; then
        "${SOX[@]}" "$work/$name.p0.wav" "$work/$name.wav" vol 0.25
    else
        "${SOX[@]}" -m "${inputs[@]}" "$work/$name.wav"
    fi
}

# Joins parts end to end: concat NAME PART...
concat() {
    local name=$1
    shift
    local inputs=() part
    for part in "$@"; do inputs+=("$work/$part.wav"); done
    "${SOX[@]}" "${inputs[@]}" "$work/$name.wav"
}

# Writes a finished sound: normalised, with a few milliseconds of fade at each end so it neither
# starts nor stops with a click.
finish() {
    local file=$1 part=$2
    "${SOX[@]}" "$work/$part.wav" -r "$rate" -c 1 -e signed-integer -b 16 -t wavpcm "$out_dir/$file.wav" \
        fade h 0.002 -0 0.006 gain -n -3
}

# Writes a looping sound as it is: its two ends already join.
finish_loop() {
    local file=$1 part=$2
    "${SOX[@]}" "$work/$part.wav" -r "$rate" -c 1 -e signed-integer -b 16 -t wavpcm "$out_dir/$file.wav" \
        gain -n -3
}

# Notes of the pieces, equal temperament.
G4=392.00 C5=523.25 D5=587.33 E5=659.26 F5=698.46 G5=783.99 A5=880.00 B5=987.77
C6=1046.50 D6=1174.66 E6=1318.51 G6=1567.98 A6=1760.00 C7=2093.00 D7=2349.32 E7=2637.02
G7=3135.96 C4=261.63 G3=196.00 E4=329.63

# --- Card sounds ------------------------------------------------------------------------------

# Foundation: a woody tock (a sine dropping in pitch over a puff of filtered noise) with a small
# chime ringing on top.
partial fnd.body 1500 0.07 1 820
burst fnd.click 0.10 0.03 900 4000 0.001 0.35
note fnd.chime "$G6" 0.35 0.22 0.2 0.15
mix fnd fnd.body@0 fnd.click@0 fnd.chime@0.004
finish Foundation fnd

# Autoplay: the same idea, higher, lighter and quicker.
partial aut.body 2000 0.045 1 1150
burst aut.click 0.20 0.02 1500 5000 0.001 0.25
note aut.chime "$C7" 0.2 0.16 0.15 0.1
mix aut aut.body@0 aut.click@0 aut.chime@0.003
finish Autoplay aut

# Eddy: a short soft swish, the band rising as the card slides over.
swish edd 0.40 0.17 1400 3600 0.06 1
finish Eddy edd

# Tableau: a soft tap, a muffled click over a small low thump.
burst tab.click 0.80 0.05 600 2600 0.0015 1
partial tab.thump 210 0.06 0.45 150
mix tab tab.click@0 tab.thump@0
finish Tableau tab

# Stock: a quick flick, a short rising swish ending on a light tick.
swish stk.swish 1.00 0.08 1800 4500 0.02 0.8
burst stk.tick 1.20 0.04 2000 6000 0.001 0.6
mix stk stk.swish@0 stk.tick@0.055
finish Stock stk

# Face_up: a light flip, a gentle swish and a soft landing tap.
swish fup.swish 1.40 0.07 2400 4200 0.03 0.7
burst fup.tap 1.60 0.035 800 3200 0.0015 0.6
mix fup fup.swish@0 fup.tap@0.05
finish Face_up fup

# card_up: a tiny high tick with a whisper of slide.
partial cup.tick 3400 0.018 0.5 3900
burst cup.slide 1.80 0.04 3500 7000 0.004 0.25
mix cup cup.tick@0 cup.slide@0.002
finish card_up cup

# card_down: a tiny lower tap.
partial cdn.thump 520 0.04 0.7 360
burst cdn.click 1.90 0.03 900 2800 0.001 0.5
mix cdn cdn.thump@0 cdn.click@0
finish card_down cdn

# Shuffle: a riffle of short papery bursts, 0.8 s, looping. The bursts keep an even pace with a
# little jitter and the gap at the end equals the pace, so the riffle runs on across the loop.
# Both ends are silent between bursts, so the join is clean.
shuffle_parts=()
for ((i = 0; i < 20; i++)); do
    jitter=$(calc "((($i * 7) % 5) - 2) * 0.0025")
    at=$(calc "0.004 + $i * 0.04 + ($i > 0 && $i < 19 ? $jitter : 0)")
    lo=$(calc "1500 + (($i * 3) % 4) * 250")
    level=$(calc "0.55 + 0.35 * (0.5 + 0.5 * sin($i * 0.6283 * 2))")
    burst "shf.b$i" "$(calc "2.2 + $i * 0.05")" 0.022 "$lo" 7000 0.0015 "$level"
    shuffle_parts+=("shf.b$i@$at")
done
"${SOX[@]}" "${GEN[@]}" "${FLOAT[@]}" "$work/shf.len.wav" synth 0.8 sine 0 vol 0
mix shf.raw shf.len@0 "${shuffle_parts[@]}"
"${SOX[@]}" "$work/shf.raw.wav" "$work/shf.wav" trim 0 0.8
finish_loop Shuffle shf

# Redeal: a continuous whoosh, 1 s, looping. Two noise bands swell in turn twice a second. Each
# band is made seamless by cross-fading its overrun back into its beginning, so the noise runs on
# across the join; the swells repeat a whole number of times per loop.
loop_len=1.0
xfade=0.25
# seamless_band NAME OFFSET LOW HIGH
seamless_band() {
    local name=$1 offset=$2 low=$3 high=$4
    band "$name.all" "$offset" "$(calc "$loop_len + $xfade")" "$low" "$high"
    "${SOX[@]}" "$work/$name.all.wav" "$work/$name.head.wav" trim 0 "$xfade" fade q "$xfade"
    "${SOX[@]}" "$work/$name.all.wav" "$work/$name.rest.wav" trim "$xfade" "$(calc "$loop_len - $xfade")"
    "${SOX[@]}" "$work/$name.all.wav" "$work/$name.over.wav" trim "$loop_len" "$xfade" fade q 0 "$xfade" "$xfade"
    mix "$name.join" "$name.head@0" "$name.over@0"
    mix "$name.body" "$name.rest@0"   # the same attenuation as the cross-faded part
    concat "$name" "$name.join" "$name.body"
}
seamless_band rdl.low 3.5 250 1400
seamless_band rdl.high 5.0 1200 4000
"${SOX[@]}" "$work/rdl.low.wav" "$work/rdl.low.t.wav" tremolo 2 70
"${SOX[@]}" "$work/rdl.high.wav" "$work/rdl.high.t.wav" tremolo 2 70
# The high band swells half a swell later: rotate its loop by a quarter of a second.
"${SOX[@]}" "$work/rdl.high.t.wav" "$work/rdl.high.a.wav" trim 0.25
"${SOX[@]}" "$work/rdl.high.t.wav" "$work/rdl.high.b.wav" trim 0 0.25
concat rdl.high.r rdl.high.a rdl.high.b
"${SOX[@]}" "$work/rdl.low.t.wav" "$work/rdl.low.v.wav" vol 0.8
"${SOX[@]}" "$work/rdl.high.r.wav" "$work/rdl.high.v.wav" vol 0.45
mix rdl.mix rdl.low.v@0 rdl.high.v@0
"${SOX[@]}" "$work/rdl.mix.wav" "$work/rdl.wav" trim 0 "$loop_len"
finish_loop Redeal rdl

# Red_no_a: one whoosh of 0.4 s, gliding up and fading away.
swish rna 6.5 0.4 500 2600 0.16 1
finish Red_no_a rna

# --- Game sounds ------------------------------------------------------------------------------

# Pairing: a pleasant two-note ding, a major third up.
note par.1 "$C6" 0.5 0.5 0.25 0.08
note par.2 "$E6" 0.55 0.5 0.25 0.08
mix par par.1@0 par.2@0.09
finish Pairing par

# Reorder: a quick soft arpeggio up a major chord.
note reo.1 "$C6" 0.25 0.45 0.2
note reo.2 "$E6" 0.25 0.45 0.2
note reo.3 "$G6" 0.25 0.45 0.2
note reo.4 "$C7" 0.3 0.4 0.2
mix reo reo.1@0 reo.2@0.045 reo.3@0.09 reo.4@0.135
finish Reorder reo

# Undo / Redo: a soft blip gliding down or up.
partial und.1 880 0.14 1 560
partial und.2 1760 0.08 0.15 1120
mix und und.1@0 und.2@0
finish Undo und
partial red.1 560 0.14 1 880
partial red.2 1120 0.08 0.15 1760
mix red red.1@0 red.2@0
finish Redo red

# New: a short rising chord, its notes struck one after another.
note new.1 "$C5" 0.6 0.4 0.25
note new.2 "$E5" 0.6 0.4 0.25
note new.3 "$G5" 0.6 0.4 0.25
note new.4 "$C6" 0.6 0.35 0.25 0.05
mix new new.1@0 new.2@0.035 new.3@0.07 new.4@0.105
"${SOX[@]}" "$work/new.wav" "$work/new.t.wav" trim 0 0.7
finish New new.t

# Restart: falling, then rising again to where it began.
note rst.1 "$G5" 0.3 0.4 0.2
note rst.2 "$E5" 0.3 0.4 0.2
note rst.3 "$C5" 0.3 0.4 0.2
note rst.4 "$G5" 0.4 0.45 0.2
mix rst rst.1@0 rst.2@0.08 rst.3@0.16 rst.4@0.26
finish Restart rst

# Hi-Scor: a small bell phrase.
note his.1 "$E6" 0.7 0.4 0.2 0.12
note his.2 "$G6" 0.7 0.35 0.2 0.12
note his.3 "$D6" 0.7 0.35 0.2 0.12
note his.4 "$C6" 0.9 0.45 0.2 0.12
mix his his.1@0 his.2@0.14 his.3@0.28 his.4@0.42
finish Hi-Scor his

# Scores: a brighter, triumphant phrase, three quick notes up to a ringing chord.
note sco.1 "$G5" 0.3 0.4 0.3 0.1
note sco.2 "$C6" 0.3 0.4 0.3 0.1
note sco.3 "$E6" 0.3 0.4 0.3 0.1
note sco.4 "$G6" 1.3 0.4 0.3 0.12
note sco.5 "$C6" 1.3 0.3 0.25 0.08
note sco.6 "$E6" 1.3 0.25 0.25 0.08
note sco.7 "$C7" 1.2 0.2 0.2 0.1
mix sco sco.1@0 sco.2@0.09 sco.3@0.18 sco.4@0.3 sco.5@0.3 sco.6@0.3 sco.7@0.33
finish Scores sco

# Won: a cheerful fanfare, an arpeggio leaping into a held chord, then a scatter of little
# bells like a ripple of applause.
note won.1 "$C5" 0.3 0.4 0.3 0.05
note won.2 "$E5" 0.3 0.4 0.3 0.05
note won.3 "$G5" 0.3 0.4 0.3 0.05
note won.4 "$C6" 0.4 0.45 0.3 0.08
pad_tone won.c1 "$C5" 2.2 0.3
pad_tone won.c2 "$E5" 2.2 0.25
pad_tone won.c3 "$G5" 2.2 0.25
note won.c4 "$C6" 2.0 0.35 0.25 0.1
note won.c5 "$E6" 1.6 0.25 0.2 0.1
won_parts=(won.1@0 won.2@0.09 won.3@0.18 won.4@0.27 won.c1@0.38 won.c2@0.38 won.c3@0.38
    won.c4@0.38 won.c5@0.4)
sparkle=("$C7" "$E7" "$G6" "$D7" "$A6" "$G7" "$E7" "$C7" "$A6" "$D7")
for ((i = 0; i < ${#sparkle[@]}; i++)); do
    note "won.s$i" "${sparkle[$i]}" 0.35 "$(calc "0.16 - $i * 0.011")" 0.1 0.15
    won_parts+=("won.s$i@$(calc "0.55 + $i * 0.13 + (($i * 5) % 3) * 0.025")")
done
mix won "${won_parts[@]}"
finish Won won

# --- Program sounds ---------------------------------------------------------------------------

# About: a gentle chime chord, lightly spread.
note abo.1 "$F5" 1.4 0.35 0.2 0.1
note abo.2 "$A5" 1.4 0.3 0.2 0.1
note abo.3 "$C6" 1.4 0.3 0.2 0.1
note abo.4 "$E6" 1.4 0.25 0.2 0.12
mix abo abo.1@0 abo.2@0.03 abo.3@0.06 abo.4@0.09
finish About abo

# Splash: a warm welcoming chord that swells and fades.
pad_tone spl.1 "$C4" 1.8 0.35
pad_tone spl.2 "$G4" 1.8 0.3
pad_tone spl.3 "$C5" 1.75 0.25
pad_tone spl.4 "$E5" 1.7 0.22
note spl.5 "$G5" 1.4 0.12 0.15 0.05
mix spl spl.1@0 spl.2@0.02 spl.3@0.04 spl.4@0.06 spl.5@0.08
finish Splash spl
