#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from its SVG into packaging/linux/icons/NxN/apps/
# (the layout of share/icons/hicolor/).
# The PNG files are kept in the repository, so a build needs no SVG renderer; run this after
# changing the SVG. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/linux/icons"
command -v rsvg-convert >/dev/null || { echo "make-icons: rsvg-convert missing (apt-get install librsvg2-bin)" >&2; exit 1; }
svg=scalable/apps/org.example.Meldewerk.svg
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "${size}x${size}/apps/org.example.Meldewerk.png"
done
