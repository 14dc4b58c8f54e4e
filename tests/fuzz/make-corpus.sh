#!/usr/bin/env bash
# Writes the fuzzer's seed inputs into tests/fuzz/corpus/ (see RunFuzzer.cpp for the
# layout): every lesson typed right, the other spellings, misses of every kind of key,
# a right-click and a clock held at its limit.
set -euo pipefail
corpus=$(cd "$(dirname "$0")" && pwd)/corpus
rm -rf "$corpus"
mkdir -p "$corpus"

right_keys() { # <count>: the right key for the head, <count> times
    local count=$1
    for ((i = 0; i < count; ++i)); do printf '\x00'; done
}
ticks() { # <n>: the clock runs on by n ticks (n < 65536)
    printf "\\x0c\\x$(printf %02x $(($1 / 256)))\\x$(printf %02x $(($1 % 256)))"
}
seed() { # <name> <bytes...>
    local name=$1
    shift
    printf '%s' "$@" >"$corpus/$name"
}

# Each lesson at a different target speed and pace; lessons have at most 27 keys.
for lesson in $(seq 0 19); do
    first=$((lesson + 20 * (lesson % 5)))
    {
        printf "\\x$(printf %02x $first)"
        ticks $((100 + 40 * lesson))
        right_keys 30
    } >"$corpus/lesson-$(printf %02d "$lesson")-typed"
done

# ちゅう typed as CHU; じん as ZIN; しゅ typed as SYU after S.
{ printf '\x00'; ticks 150; printf '\x06\x00\x06\x01'; right_keys 40; } >"$corpus/spelling-ch"
{ printf '\x0a'; ticks 150; printf '\x06\x05'; right_keys 40; } >"$corpus/spelling-zi"
{ printf '\x10'; ticks 200; right_keys 8; printf '\x06\x03'; right_keys 30; } \
    >"$corpus/spelling-sy"
# As an input method taught it: つ as TSU, ん as NN before a blank, し as SHI, っ as XTU.
{ printf '\x08'; ticks 200; right_keys 2; printf '\x06\x07'; right_keys 40; } >"$corpus/spelling-tsu"
{ printf '\x00'; ticks 200; right_keys 21; printf '\x06\x0a'; right_keys 5; } >"$corpus/spelling-nn"
{ printf '\x09'; ticks 200; right_keys 8; printf '\x06\x01'; right_keys 30; } >"$corpus/spelling-shi"
{ printf '\x04'; ticks 200; right_keys 8; printf '\x06\x08'; right_keys 30; } >"$corpus/spelling-xtu"
# An S, the run given up; the next lesson begins YO, and its H after that S swaps in for Y.
{ printf '\x01'; ticks 100; right_keys 1; printf '\x0d\x06\x01'; right_keys 30; } \
    >"$corpus/spelling-swap-after-s"
# Capitals as stored, then every kind of wrong key: a letter, a control code, Latin-1, a
# kana, a surrogate, a negative code, a code beyond Unicode, F8 and a stray F-key number.
{
    printf '\x01'
    ticks 300
    printf '\x05\x05\x07x\x07\x09\x07\xe9\x0a\x4b\x08\xd8\x00\x09\xff\xff\xfe\x09\x11\x00\x00'
    printf '\x0b\x01\x0b\xf0'
    right_keys 30
} >"$corpus/misses"
# Key events that type no character, on the first lesson (TY_U_...): Ctrl+Space (NUL),
# Ctrl+C (ETX), Ctrl+Shift+T carrying its letter, Ctrl+F7, Delete (DEL), Insert, Home, Left
# and Page Down; then Escape, Tab and Shift+Tab, misses named readably; then the lesson
# typed right.
key_event() { # <entry of kEventKeys> <modifier bits> <text code, 255 for none>
    printf "\\x0e\\x$(printf %02x "$1")\\x$(printf %02x "$2")\\x$(printf %02x "$3")"
}
{
    printf '\x00'
    ticks 200
    key_event 32 2 0
    key_event 34 2 3
    key_event 36 3 84
    key_event 27 2 255
    key_event 8 0 127
    key_event 7 0 255
    key_event 11 0 255
    key_event 13 0 255
    key_event 18 0 255
    key_event 1 0 27
    key_event 2 0 9
    key_event 3 1 9
    key_event 1 0 255
    right_keys 30
} >"$corpus/keys-without-character"
# Enter, BackSpace, F7 and letters as key events, and a kana from an unknown key.
{
    printf '\x00'
    ticks 150
    key_event 5 0 13
    key_event 4 0 8
    key_event 27 1 255
    key_event 29 0 255
    key_event 0 0 48
    key_event 36 0 116
    key_event 33 1 65
    right_keys 30
} >"$corpus/key-events"
# Eleven misses: a fast run that is not cleared.
{ printf '\x02'; for ((i = 0; i < 11; ++i)); do printf '\x07q'; done; right_keys 20; } \
    >"$corpus/too-many-misses"
# A right-click in the middle of a lesson; the next lesson is then typed.
{ printf '\x03'; right_keys 5; printf '\x0d'; ticks 90; right_keys 30; } >"$corpus/right-click"
# The clock held at 32,767 ticks: the slowest speed a run can show.
{ printf '\x02'; ticks 65535; right_keys 20; } >"$corpus/clock-held"
