#!/usr/bin/env bash
# Runs a scripted call against the bundled PBX simulator and checks that the
# face went through registration, the idle display, ringing, connection and
# back to idle; then that a call state that never comes fails the run.
set -u
softphone=$1
out=$(mktemp)
script=$(mktemp)
trap 'rm -f "$out" "$script"' EXIT

fail() { echo "FAIL: $*"; cat "$out"; exit 1; }

"$softphone" --timeout 3000 \
  --steps "register;wait-display;dial 1234;wait-call-state CONNECT;hangup;wait-call-state IDLE;quit" \
  >"$out" 2>&1 || fail "scripted call exited with $?"
for expected in "registered" "|Ready           |" "(call state OPPRINGING)" "CONNECT (0)" "|Connected       |" \
                "Dialled    : 1234" "IDLE (1)" "LARGE_CALL_DISCONNECT" "DND off, absence on, voice 2"; do
  grep -qF -- "$expected" "$out" || fail "missing '$expected'"
done

"$softphone" --timeout 500 --steps "register;wait-call-state HOLD;quit" >"$out" 2>&1 && fail "a missing state passed"
grep -qF "FAILED: call state HOLD did not come within 500 ms" "$out" || fail "no failure reason"

"$softphone" --steps "register;dial" >"$out" 2>&1
[ $? -eq 2 ] || fail "a dial without number was accepted"
# A script file on the IAP system type, with comments and several steps a line.
printf '# a call\nregister\ndial 4321; wait-call-state CONNECT\nhangup; wait-call-state IDLE\n' >"$script"
"$softphone" --system iap --timeout 3000 --script "$script" >"$out" 2>&1 || fail "script file exited with $?"
grep -qF "Dialled    : 4321" "$out" || fail "script file did not dial"

echo "softphone scripted call passed"
