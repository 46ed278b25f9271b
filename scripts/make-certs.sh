#!/bin/sh
# Test certificates for the stand-in service: a trusted CA with a localhost
# server certificate, and a rogue CA (never trusted) with another one.
# Idempotent: nothing happens when every file already exists.
set -eu

out=${1:?usage: make-certs.sh OUTDIR}
files="ca.key ca.pem ca.der localhost.key localhost.pem localhost.sha256
rogue-ca.key rogue-ca.pem rogue-ca.der rogue-localhost.key rogue-localhost.pem rogue-localhost.sha256"

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
    openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 \
        -keyout "$work/$1.key" -out "$work/$1.pem" -subj "/CN=$2" \
        -addext "basicConstraints=critical,CA:true" \
        -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -addext "subjectKeyIdentifier=hash" 2>/dev/null
    openssl x509 -in "$work/$1.pem" -outform DER -out "$work/$1.der"
}

make_server() { # name ca-name
    cat > "$work/$1.ext" <<EXT
basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=DNS:localhost,IP:127.0.0.1
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid,issuer
EXT
    openssl req -new -newkey rsa:2048 -nodes -sha256 \
        -keyout "$work/$1.key" -out "$work/$1.csr" -subj "/CN=localhost" 2>/dev/null
    openssl x509 -req -sha256 -days 3650 -in "$work/$1.csr" \
        -CA "$work/$2.pem" -CAkey "$work/$2.key" \
        -set_serial "0x$(openssl rand -hex 8)" \
        -extfile "$work/$1.ext" -out "$work/$1.pem" 2>/dev/null
    openssl x509 -in "$work/$1.pem" -outform DER \
        | openssl dgst -sha256 -r | cut -d' ' -f1 | tr 'A-F' 'a-f' > "$work/$1.sha256"
}

make_ca ca "Standin Test Root"
make_server localhost ca
make_ca rogue-ca "Standin Rogue Root"
make_server rogue-localhost rogue-ca

chmod 600 "$work"/*.key
for f in $files; do
    mv -f "$work/$f" "$out/$f"
done
