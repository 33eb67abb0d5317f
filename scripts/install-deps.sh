#!/bin/sh
# Installs the Debian packages the project needs when any is missing.
# As root it runs apt-get; otherwise it prints the command and stops.
# Arguments name further packages a single job needs (the fuzz targets).
set -e

PACKAGES="cmake make g++ libgtest-dev libgmock-dev libxml2-utils libwxgtk3.2-dev xvfb xdotool imagemagick librsvg2-common fp-utils desktop-file-utils man-db groff-base dpkg-dev python3 $*"

missing=""
for pkg in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $pkg"
  fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages:$missing" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get install -y$missing" >&2
  exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends $missing
