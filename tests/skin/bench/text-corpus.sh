#!/bin/sh
# Writes the LZH benchmark's real text corpus of at least 8 MiB: the catalogue's sources, the
# project's documents and its C++ sources, repeated.   text-corpus.sh SOURCE_DIR OUTPUT
set -eu
src=$1
out=$2
once=$out.once
{
  cat "$src"/assets/catalogue/*.txt "$src"/docs/*.md "$src"/README.md "$src"/assets/skin/README.md
  find "$src"/app "$src"/skin "$src"/framework -name '*.cpp' -o -name '*.h' | sort | xargs cat
} >"$once"
: >"$out"
while [ "$(wc -c <"$out")" -lt 8388608 ]; do cat "$once" >>"$out"; done
rm -f "$once"
