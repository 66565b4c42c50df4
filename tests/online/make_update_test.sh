#!/usr/bin/env bash
# The release tooling end to end: a key and a signed update made by scripts/make-update.sh with
# the openssl command, served by the local service, installed by korvane-cli over a copy of
# itself.
#   make_update_test.sh SOURCE_DIR KORVANE_CLI
set -euo pipefail
src=$1
cli=$2
work=$(mktemp -d)
trap 'kill "$server_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
server_pid=

hex=$("$src/scripts/make-update.sh" new-key "$work/key.pem")
[[ "$hex" =~ ^[0-9a-f]{64}$ ]] || { echo "bad public key: $hex"; exit 1; }

# The running program: a copy of korvane-cli in a folder of its own, with its data beside it.
mkdir -p "$work/prog"
cp "$cli" "$work/prog/korvane-cli"
echo "user data" >"$work/prog/notes.txt"

# The new version's folder.
mkdir -p "$work/release/doc"
printf '#!/bin/sh\necho "korvane-cli 0.1.0.9"\n' >"$work/release/korvane-cli"
chmod 755 "$work/release/korvane-cli"
echo "readme" >"$work/release/doc/README"
printf 'Что нового\n' >"$work/notes-0.1.0.9.txt"

# The service ends when its input closes: it reads from a pipe this script holds open.
mkfifo "$work/port" "$work/input"
python3 "$src/tests/online/results_server.py" --files "$work/out/files" <"$work/input" >"$work/port" &
server_pid=$!
exec 3>"$work/input"
read -r _ port <"$work/port"
base="http://127.0.0.1:$port"

"$src/scripts/make-update.sh" publish --key "$work/key.pem" --program-dir "$work/release" \
  --version 0.1.0.9 --description "Korvane 0.1.0.9" --base-url "$base" --out "$work/out" \
  --notes "$work/notes-0.1.0.9.txt" >/dev/null

run() {
  env -u KORVANE_DATA_DIR KORVANE_TEST_UPDATE_KEY="$hex" "$work/prog/korvane-cli" "$@"
}
out=$(run --yes check-update --url "$base/files/autoupdates/Velmora_AU.cfg" 2>&1)
echo "$out"
grep -q "Новая версия программы:	Korvane 0.1.0.9" <<<"$out"
grep -q "Что нового" <<<"$out"
[ "$(run --version)" = "korvane-cli 0.1.0.9" ]
[ "$(cat "$work/prog/doc/README")" = "readme" ]
[ "$(cat "$work/prog/notes.txt")" = "user data" ]
