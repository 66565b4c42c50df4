#!/usr/bin/env bash
# Makes the files of the update service for a new version of the program, signed with the
# maker's Ed25519 key.
#
#   scripts/make-update.sh new-key KEY.pem
#       makes a key pair; prints the public key to build the program with
#       (cmake -DKORVANE_UPDATE_PUBLIC_KEY=<hex>). Keep KEY.pem away from the repository.
#
#   scripts/make-update.sh publish --key KEY.pem --program-dir DIR --version 0.1.0.2 \
#       --description "Korvane 0.1.0.2" --base-url https://updates.example.org --out OUT \
#       [--notes NOTES.txt]
#       packs DIR (the program folder as it is to be installed) into a tar.gz and writes, under
#       OUT/files/autoupdates/: Velmora_AU.cfg and its signature, the package and its
#       signature (over the description followed by the package), and UpdDescr/ with the notes.
#       OUT/files is what the service at --base-url serves as /files. The description offers
#       the version to both programs of the folder (Korvane and korvane-cli).
set -euo pipefail

die() {
  echo "make-update: $*" >&2
  exit 2
}

public_hex() {
  openssl pkey -in "$1" -pubout -outform DER | tail -c 32 | od -An -tx1 | tr -d ' \n'
}

sign() {  # KEY MESSAGE-FILE SIGNATURE-FILE
  openssl pkeyutl -sign -inkey "$1" -rawin -in "$2" -out "$3"
}

case "${1:-}" in
new-key)
  [ $# -eq 2 ] || die "usage: $0 new-key KEY.pem"
  [ -e "$2" ] && die "$2 exists already"
  (umask 077 && openssl genpkey -algorithm ed25519 -out "$2")
  public_hex "$2"
  echo
  exit 0
  ;;
publish) shift ;;
*) die "usage: $0 new-key KEY.pem | publish --key ... (see the head of this script)" ;;
esac

key="" dir="" version="" description="" base="" out="" notes=""
while [ $# -gt 0 ]; do
  case "$1" in
  --key) key=$2 ;;
  --program-dir) dir=$2 ;;
  --version) version=$2 ;;
  --description) description=$2 ;;
  --base-url) base=${2%/} ;;
  --out) out=$2 ;;
  --notes) notes=$2 ;;
  *) die "unknown option $1" ;;
  esac
  shift 2
done
[ -n "$key" ] && [ -n "$dir" ] && [ -n "$version" ] && [ -n "$base" ] && [ -n "$out" ] ||
  die "--key, --program-dir, --version, --base-url and --out are needed"
[[ "$version" =~ ^[0-9]+[.][0-9]+[.][0-9]+[.][0-9]+$ ]] || die "the version needs four numbers"
[ -d "$dir" ] || die "no folder $dir"

site="$out/files/autoupdates"
mkdir -p "$site/UpdDescr"
package="korvane-$version.tar.gz"
tar -C "$dir" --owner=0 --group=0 --numeric-owner --exclude=./SelfUpdate -czf "$site/$package" .
crc=$(python3 -c 'import sys,zlib; print("%08X" % (zlib.crc32(open(sys.argv[1],"rb").read()) & 0xffffffff))' "$site/$package")

cfg="$site/Velmora_AU.cfg"
{
  for exe in Korvane korvane-cli; do
    printf '[%s]\r\n' "$exe"
    printf 'VerId=%s\r\n' "$version"
    printf 'Description=%s\r\n' "${description:-Korvane $version}"
    printf 'DownloadUrl=%s/files/autoupdates/%s\r\n' "$base" "$package"
    printf 'OriginalFileName=%s\r\n' "$package"
    printf 'ChecksumCRC32=%s\r\n' "$crc"
  done
} | iconv -f UTF-8 -t CP1251 >"$cfg"
if [ -n "$notes" ]; then
  iconv -f UTF-8 -t CP1251 "$notes" >"$site/UpdDescr/UpdDescr_$version.txt"
fi

sign "$key" "$cfg" "$cfg.sig"
both=$(mktemp)
trap 'rm -f "$both"' EXIT
cat "$cfg" "$site/$package" >"$both"
sign "$key" "$both" "$site/$package.sig"
echo "$site/$package"
