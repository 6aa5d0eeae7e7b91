#!/usr/bin/env bash
# Writes the orientation reader's seed corpus into the folder given: a one-pixel baseline JPEG of
# our own, then exiftool's Exif segments on it for each of the eight orientations in both byte
# orders, with other IFD0 entries around the tag, a GPS directory, and an XMP segment beside.
set -euo pipefail
out=$1
rm -rf "$out"
mkdir -p "$out"
base="$out/base.jpg"
{
  printf '\xff\xd8'                                      # start
  printf '\xff\xdb\x00\x43\x00'                          # one table of 64 ones
  for _ in $(seq 64); do printf '\x01'; done
  printf '\xff\xc0\x00\x0b\x08\x00\x01\x00\x01\x01\x01\x11\x00'  # 1 by 1, one component
  printf '\xff\xc4\x00\x14\x00\x01'; printf '\x00%.0s' $(seq 16)  # DC: one code of 1 bit
  printf '\xff\xc4\x00\x14\x10\x01'; printf '\x00%.0s' $(seq 16)  # AC: one code, the end
  printf '\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00'      # the scan's head
  printf '\x3f\xff\xd9'                                  # its one block, and the end
} >"$base"
# One exiftool for all of them: its start is most of its time.
{
  for order in II MM; do
    for orientation in 1 2 3 4 5 6 7 8; do
      printf '%s\n' -q -n -o "$out/o$orientation-$order.jpg" -ExifByteOrder=$order \
        -Orientation=$orientation "$base" -execute
    done
    printf '%s\n' -q -n -o "$out/tags-$order.jpg" -ExifByteOrder=$order -Make=Motorola \
      -Model=E398 -Orientation=6 -Artist=Tonvale -GPSLatitude=51.5 -GPSLatitudeRef=N "$base" \
      -execute
  done
  printf '%s\n' -q -n -o "$out/xmp.jpg" -XMP-dc:Title=ring -Orientation=8 "$base"
} >"$out/arguments"
exiftool -@ "$out/arguments"
rm "$out/arguments"
