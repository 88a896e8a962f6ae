#!/usr/bin/env bash
# Works the softphone by keys in a tmux pane: a number keyed in and dialled
# shows on the face as dialled and connected, 'h' brings the idle state back.
set -u
softphone=$1
command -v tmux >/dev/null || { echo "tmux not installed"; exit 77; }
session=softphone-test-$$
trap 'tmux kill-session -t "$session" 2>/dev/null' EXIT

fail() { echo "FAIL: $*"; tmux capture-pane -p -t "$session"; exit 1; }

# Waits up to 5 s for the pane to show a text.
await() {
  for _ in $(seq 50); do
    tmux capture-pane -p -t "$session" | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "pane never showed '$1'"
}

tmux new-session -d -s "$session" -x 100 -y 40 "$softphone; sleep 5" || exit 77
await "|Ready           |"
tmux send-keys -t "$session" 5 6 7 8
await "Keypad     : 5678_"
tmux send-keys -t "$session" Enter
await "CONNECT (0)"
await "Dialled    : 5678"
tmux send-keys -t "$session" h
await "IDLE (1)"
tmux send-keys -t "$session" q
for _ in $(seq 50); do
  [ "$(tmux display-message -p -t "$session" '#{pane_current_command}')" = sleep ] && break
  sleep 0.1
done
[ "$(tmux display-message -p -t "$session" '#{pane_current_command}')" = sleep ] || fail "'q' did not quit"
echo "softphone interactive call passed"
