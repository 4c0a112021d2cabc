#!/bin/sh
# Link launcher of the game executable: runs the link command it is handed, then appends the
# asset archive to the linked file, so the executable carries every asset.
# Usage: link_with_archive.sh <archive.zip> <link command...>
set -e
archive=$1
shift
"$@"
out=
previous=
for arg in "$@"; do
    if [ "$previous" = "-o" ]; then out=$arg; fi
    previous=$arg
done
if [ -z "$out" ]; then
    echo "link_with_archive.sh: the link command has no -o <output>" >&2
    exit 1
fi
cat "$archive" >>"$out"
# Shift the archive's offsets past the executable, so every ZIP reader accepts it without warnings.
zip -A -q "$out"
