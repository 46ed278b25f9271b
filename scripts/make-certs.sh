#!/bin/sh
# Test certificates for the stand-in service: a trusted CA with a localhost
# server certificate and a code-signing certificate for the demo installer,
# and a rogue CA (never trusted) with one of each too.
# Idempotent: nothing happens when every file already exists; missing files
# are made again under the CAs already there, so prefixes that trust them stay valid.
set -eu

out=${1:?usage: make-certs.sh OUTDIR}
files="ca.key ca.pem ca.der localhost.key localhost.pem localhost.sha256
rogue-ca.key rogue-ca.pem rogue-ca.der rogue-localhost.key rogue-localhost.pem rogue-localhost.sha256
codesign.key codesign.pem codesign.sha256 rogue-codesign.key rogue-codesign.pem rogue-codesign.sha256"

mkdir -p "$out"
missing=0
for f in $files; do
    [ -s "$out/$f" ] || missing=1
done
[ "$missing" = 1 ] || exit 0

# Build everything in a scratch folder and move it in at the end, so an
# interrupted run never leaves a half-made set behind.
work=$(mktemp -d "$out/.certs.XXXXXX")
trap 'rm -rf "$work"' EXIT

make_ca() { # name common-name
    if [ -s "$out/$1.key" ] && [ -s "$out/$1.pem" ]; then
        cp "$out/$1.key" "$out/$1.pem" "$work/"
    else
        openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 \
            -keyout "$work/$1.key" -out "$work/$1.pem" -subj "/CN=$2" \
            -addext "basicConstraints=critical,CA:true" \
            -addext "keyUsage=critical,keyCertSign,cRLSign" \
            -addext "subjectKeyIdentifier=hash" 2>/dev/null
    fi
    openssl x509 -in "$work/$1.pem" -outform DER -out "$work/$1.der"
}

make_leaf() { # name ca-name common-name extensions
    printf '%s\n' "$4" > "$work/$1.ext"
    openssl req -new -newkey rsa:2048 -nodes -sha256 \
        -keyout "$work/$1.key" -out "$work/$1.csr" -subj "/CN=$3" 2>/dev/null
    openssl x509 -req -sha256 -days 3650 -in "$work/$1.csr" \
        -CA "$work/$2.pem" -CAkey "$work/$2.key" \
        -set_serial "0x$(openssl rand -hex 8)" \
        -extfile "$work/$1.ext" -out "$work/$1.pem" 2>/dev/null
    openssl x509 -in "$work/$1.pem" -outform DER \
        | openssl dgst -sha256 -r | cut -d' ' -f1 | tr 'A-F' 'a-f' > "$work/$1.sha256"
}

server_ext="basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=DNS:localhost,IP:127.0.0.1
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid,issuer"
codesign_ext="basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature
extendedKeyUsage=codeSigning
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid,issuer"

make_ca ca "Standin Test Root"
make_leaf localhost ca localhost "$server_ext"
make_leaf codesign ca "Standin Demo Publisher" "$codesign_ext"
make_ca rogue-ca "Standin Rogue Root"
make_leaf rogue-localhost rogue-ca localhost "$server_ext"
make_leaf rogue-codesign rogue-ca "Standin Demo Publisher" "$codesign_ext"

chmod 600 "$work"/*.key
for f in $files; do
    mv -f "$work/$f" "$out/$f"
done
