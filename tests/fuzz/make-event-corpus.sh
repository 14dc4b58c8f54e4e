#!/usr/bin/env bash
# Writes the seed inputs of the fuzzer of the order of events into tests/fuzz/event-corpus/
# (see EventOrderFuzzer.cpp for the layout: a tag byte and an argument byte an event).
set -euo pipefail
corpus=$(cd "$(dirname "$0")" && pwd)/event-corpus
rm -rf "$corpus"
mkdir -p "$corpus"

event() { # <tag> <argument>
    printf "\\x$(printf %02x "$1")\\x$(printf %02x "$2")"
}
right_keys() { # <count>: the key the lesson expects, <count> times
    for ((i = 0; i < $1; ++i)); do event 0 0; done
}
# Arguments of a key event (tag 0): the right key is 0; Enter 7, Space 9, x 1.
enter() { event 0 7; }
space() { event 0 9; }
wrong_key() { event 0 1; }
ok() { event 5 0; }        # a click on the open box's button
wait_release() { event 9 200; }  # long enough for a Space click's wait on a lesson button

# Lesson 1 typed right from a click, its boxes answered, then lesson 2 from the keyboard.
{ event 2 0; ok; right_keys 30; ok; ok; enter; enter; right_keys 30; enter; enter; } \
    >"$corpus/lessons-typed"
# A double click on lesson 1, the window system activating the menu under the start box.
{ event 2 21; event 8 0; enter; wrong_key; enter; right_keys 5; } >"$corpus/double-click"
# The board's close button while its start box is open, then the menu's.
{ event 2 0; event 6 1; event 6 0; ok; wrong_key; ok; event 4 1; enter; } >"$corpus/close-under-box"
# Space on a lesson button, another lesson clicked before its release is confirmed.
{ space; event 2 1; wait_release; ok; right_keys 3; } >"$corpus/space-then-click"
# A run with ticks, a right click, help and speed items, and the quit question answered No.
{ event 2 0; ok; event 7 0; right_keys 4; event 7 0; event 4 1; event 3 0; ok; event 3 9; \
  event 6 0; event 5 1; enter; } >"$corpus/menus-and-quit"
