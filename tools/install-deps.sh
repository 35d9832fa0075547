#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, once.
# As root it runs apt-get; otherwise it prints the one command to run.
set -euo pipefail
packages=(cmake make g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth xdotool imagemagick openssl python3 fonts-wqy-microhei
          clang libclang-rt-14-dev clang-tidy clang-format cppcheck osslsigncode
          python3-yaml softhsm2 libengine-pkcs11-openssl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
