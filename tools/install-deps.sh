#!/bin/sh
# Installs the Debian packages listed in debian-packages.txt that are missing.
# Runs apt-get as root, or through sudo for anyone else.
set -eu
here=$(dirname "$0")
missing=""
for pkg in $(grep -v '^#' "$here/debian-packages.txt"); do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    case "$status" in
        *" installed") ;;
        *) missing="$missing $pkg" ;;
    esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
