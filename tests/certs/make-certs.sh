#!/bin/sh
# Makes the TLS test certificates in this folder again.
#
# TEST-ONLY MATERIAL: every key here is public, committed to the repository and
# protected (if at all) by a password written below. Never trust the test CA
# outside the test suite.
#
# Needs the openssl command (OpenSSL 3.0 is enough: the expired certificate is
# made with `openssl ca` and explicit dates rather than a faked clock).
#
#   ca.pem / ca.key                    test CA
#   server.pem / server.key            localhost, 127.0.0.1, ::1, signed by the CA, until 2124
#   expired.pem / expired.key          same names, signed by the CA, valid 2020-01-01 .. 2021-01-01
#   wrongname.pem / wrongname.key      wrong.example only, signed by the CA
#   selfsigned.pem / selfsigned.key    localhost, 127.0.0.1, ::1, signed by itself
#   client.pem / client.key            client certificate signed by the CA
#   client.p12                         the client pair as PKCS#12, password "p12-test"
#   client-encrypted.key               the client key as encrypted PEM, password "key-test"
set -eu

cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

SERVER_SAN="DNS:localhost,IP:127.0.0.1,IP:::1"

newkey() { openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1" 2>/dev/null; }

# Signs $1.csr into $1.pem using `openssl ca`, so the dates can be given
# exactly. $2 = extensions (config lines), $3/$4 = start and end dates, $5 =
# "self" to sign with the request's own key instead of the CA's.
sign() {
    name=$1 ext=$2 start=$3 end=$4 self=${5:-}
    mkdir -p "$work/db"
    : > "$work/db/index.txt"
    [ -f "$work/db/serial" ] || openssl rand -hex 16 > "$work/db/serial"
    cat > "$work/ca.cnf" <<CNF
[ca]
default_ca = test
[test]
dir = $work/db
database = \$dir/index.txt
serial = \$dir/serial
new_certs_dir = \$dir
certificate = $PWD/ca.pem
private_key = $PWD/ca.key
default_md = sha256
policy = any
unique_subject = no
copy_extensions = none
email_in_dn = no
[any]
organizationName = optional
commonName = supplied
[ext]
subjectKeyIdentifier = hash
$ext
CNF
    if [ "$self" = self ]; then set -- -selfsign -keyfile "$name.key"; else set --; fi
    openssl ca -batch -notext -config "$work/ca.cnf" -extensions ext "$@" \
        -startdate "$start" -enddate "$end" -in "$work/$name.csr" -out "$name.pem" \
        2>"$work/ca.log" || { cat "$work/ca.log" >&2; exit 1; }
}

# Certificate $1 with subject CN $2, extensions $3, dates $4..$5, signed by
# the CA (or by itself with $6 = self).
cert() {
    newkey "$1.key"
    openssl req -new -key "$1.key" -subj "/O=wireProbeDesk Test/CN=$2" -out "$work/$1.csr"
    name=$1; shift 2
    sign "$name" "$@"
}

# Fixed dates keep the files valid on any sensible clock.
from=20240101000000Z
until=21240101000000Z
LEAF="basicConstraints=critical,CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment"

cert ca "wireProbeDesk Test CA" "basicConstraints=critical,CA:TRUE
keyUsage=critical,keyCertSign,cRLSign" "$from" "$until" self
cert server localhost "$LEAF
subjectAltName=$SERVER_SAN
extendedKeyUsage=serverAuth" "$from" "$until"
cert expired localhost "$LEAF
subjectAltName=$SERVER_SAN
extendedKeyUsage=serverAuth" 20200101000000Z 20210101000000Z
cert wrongname wrong.example "$LEAF
subjectAltName=DNS:wrong.example
extendedKeyUsage=serverAuth" "$from" "$until"
cert client "wireProbeDesk Test Client" "$LEAF
extendedKeyUsage=clientAuth" "$from" "$until"

cert selfsigned localhost "$LEAF
subjectAltName=$SERVER_SAN
extendedKeyUsage=serverAuth" "$from" "$until" self

openssl pkcs12 -export -in client.pem -inkey client.key -certfile ca.pem \
    -name "wireProbeDesk Test Client" -passout pass:p12-test -out client.p12
openssl pkcs8 -topk8 -v2 aes-256-cbc -in client.key -passout pass:key-test -out client-encrypted.key

chmod 644 ./*.pem ./*.key ./*.p12
echo "made test certificates in $PWD"
