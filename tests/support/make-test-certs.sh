#!/usr/bin/env bash
# Makes the certificates of the TLS tests in the folder $1, fresh each run so
# that nothing kept in the repository can expire:
#   ca.pem                    the tests' own certificate authority
#   server.pem, server.key    for 127.0.0.1 and localhost, signed by the CA
#   wronghost.pem/.key        for example.test only, signed by the CA
#   expired.pem/.key          for 127.0.0.1, signed by the CA, expired in 2020
#   selfsigned.pem/.key       for 127.0.0.1, signed by itself
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
quiet() { "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }; }
newkey() { quiet openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1"; }

newkey ca.key
quiet openssl req -x509 -new -key ca.key -subj "/CN=Team Editor Test CA" -days 2 -out ca.pem \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign"

# sign NAME SUBJECT_ALT_NAMES [extra openssl ca options]
sign() {
    local name=$1 names=$2
    shift 2
    newkey "$name.key"
    quiet openssl req -new -key "$name.key" -subj "/CN=${name}" -out "$name.csr"
    printf 'subjectAltName=%s\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n' "$names" >"$name.ext"
    quiet openssl x509 -req -in "$name.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -extfile "$name.ext" \
        -out "$name.pem" "$@"
}
sign server "IP:127.0.0.1,DNS:localhost" -days 2
sign wronghost "DNS:example.test" -days 2

# An expired certificate needs dates in the past, which only `openssl ca` sets.
mkdir -p expired-ca
: >expired-ca/index.txt
cat >expired-ca/ca.cnf <<CNF
[ca]
default_ca = test
[test]
dir = $dir/expired-ca
database = \$dir/index.txt
new_certs_dir = \$dir
serial = \$dir/serial
default_md = sha256
policy = anything
copy_extensions = none
[anything]
commonName = supplied
[server]
subjectAltName = IP:127.0.0.1
basicConstraints = CA:FALSE
CNF
echo 01 >expired-ca/serial
newkey expired.key
quiet openssl req -new -key expired.key -subj "/CN=expired" -out expired.csr
quiet openssl ca -batch -config expired-ca/ca.cnf -cert ca.pem -keyfile ca.key -in expired.csr -out expired.pem \
    -extensions server -startdate 20200101000000Z -enddate 20200102000000Z -notext

newkey selfsigned.key
quiet openssl req -x509 -new -key selfsigned.key -subj "/CN=127.0.0.1" -days 2 -out selfsigned.pem \
    -addext "subjectAltName=IP:127.0.0.1"
