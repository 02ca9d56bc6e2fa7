#!/bin/bash
# links_test.sh SOURCE_DIR LINKS_TEST_EXE: makes directory links inside the prefix (Linux
# symbolic links, never pointing outside drive_c), runs links_test.exe on them, and checks from
# the host side as well that the linked-to files are still there.
set -euo pipefail
source_dir="$1"
program="$2"
source "$source_dir/tools/wine-env"
tido_wine_env
tido_wine_prefix
root="$WINEPREFIX/drive_c/TidoLinkTest"
rm -rf "$root"  # rm removes links without following them
mkdir -p "$root/elsewhere/inner" "$root/data/sub"
echo keep >"$root/elsewhere/keep.txt"
echo keep >"$root/elsewhere/inner/deep.txt"
echo x >"$root/data/sub/f.txt"
ln -s ../elsewhere "$root/data/link"
ln -s elsewhere "$root/toplink"

status=0
"$source_dir/tools/wine-run" "$program" || status=$?
if [ ! -f "$root/elsewhere/keep.txt" ] || [ ! -f "$root/elsewhere/inner/deep.txt" ]; then
    echo "links_test.sh: files behind a directory link were deleted" >&2
    status=1
fi
rm -rf "$root"
exit $status
