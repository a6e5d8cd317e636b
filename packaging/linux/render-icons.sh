#!/bin/sh
# Renders the application icon into the hicolor PNG sizes the package installs.
# Run after editing vandor.svg (needs rsvg-convert from librsvg2-bin); the PNGs are kept in the repository.
set -eu
cd "$(dirname "$0")"
for n in 16 24 32 48 64 128 256; do
    mkdir -p "icons/${n}x${n}"
    rsvg-convert -w "$n" -h "$n" vandor.svg -o "icons/${n}x${n}/vandor.png"
done
