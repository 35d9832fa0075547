#!/usr/bin/env bash
# Usage: make-test-certificate.sh DIR
# Makes a throwaway signing identity in DIR, for checking signed releases
# here, never for a release anyone downloads:
#   DIR/root.pem, DIR/root.der   a self-signed root certificate authority
#   DIR/signer.p12               a code-signing certificate issued by it, with
#                                its key and the root, as a maintainer's .pfx
#   DIR/password                 the .p12's password (random, one line)
#   DIR/signer.p8, DIR/chain.pem the same key alone (PKCS#8) and the same
#                                certificates (signer first), for a token
# The keys exist only in DIR: the caller makes DIR in a temporary folder and
# deletes it. No password or key is ever on a command line.
set -euo pipefail
dir=$1
mkdir -p "$dir"
chmod 700 "$dir"
cd "$dir"
umask 077

openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 3650 -subj "/CN=Veilux Test Root" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl x509 -in root.pem -outform DER -out root.der

# Windows accepts a code-signing certificate only with the codeSigning
# extended key usage and the digitalSignature key usage.
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Veilux Test Signer" 2>/dev/null
printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" "extendedKeyUsage=codeSigning" \
  "subjectKeyIdentifier=hash" "authorityKeyIdentifier=keyid" >signer.ext
openssl x509 -req -in signer.csr -CA root.pem -CAkey root.key -CAcreateserial -days 3650 -extfile signer.ext \
  -out signer.pem 2>/dev/null

openssl rand -hex 16 >password
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile root.pem -name "Veilux Test Signer" \
  -passout file:password -out signer.p12
openssl pkcs8 -topk8 -nocrypt -in signer.key -out signer.p8
cat signer.pem root.pem >chain.pem
rm -f root.key signer.key signer.csr signer.ext root.srl
