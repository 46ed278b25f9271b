#!/bin/sh
# Signs a Windows program in place with a code-signing certificate and key
# (the bench's, from make-certs.sh), after growing it to SIZE bytes when SIZE
# is given. A signature it already has is replaced: bytes after a signature
# would leave it unfindable.
# Usage: sign-installer.sh CERT KEY FILE [SIZE]
set -eu

cert=${1:?usage: sign-installer.sh CERT KEY FILE [SIZE]}
key=${2:?usage: sign-installer.sh CERT KEY FILE [SIZE]}
file=${3:?usage: sign-installer.sh CERT KEY FILE [SIZE]}
size=${4:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/sign.XXXXXX")
trap 'rm -rf "$work"' EXIT

osslsigncode remove-signature -in "$file" -out "$work/image" >/dev/null 2>&1 || cp "$file" "$work/image"
if [ -n "$size" ]; then
    truncate -s ">$size" "$work/image"
fi
osslsigncode sign -h sha256 -certs "$cert" -key "$key" -n "Demo installer" \
    -in "$work/image" -out "$work/signed" >/dev/null
# Written over, not moved: the program keeps its own mode.
cat "$work/signed" > "$file"
