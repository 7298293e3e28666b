#!/bin/bash
# The end-to-end session under valgrind's memcheck: no invalid read or write,
# no use of uninitialised memory, no bad free, no definite leak of the
# game's own. The system libraries' noise is in valgrind.supp beside this.
# Usage: valgrind.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v valgrind >/dev/null || { echo "FAIL: valgrind is not installed" >&2; exit 1; }
log=$(mktemp /tmp/quonkle-valgrind-XXXXXX.log)
trap 'rm -f "$log"' EXIT
# A frame takes up to a second under memcheck; SDL's software path to the
# window saves a third of the time and runs the same game code.
export SDL12COMPAT_OPENGL_SCALING=0 SDL_RENDER_DRIVER=software
export WRAPPER="valgrind --tool=memcheck --error-exitcode=97 --leak-check=full
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --track-origins=yes
    --num-callers=30 --suppressions=$here/valgrind.supp --gen-suppressions=all --log-file=$log"
if ! bash "$here/session.sh" "$@"; then
    grep -v '^   \|^[{}]' "$log" >&2 || true
    exit 1
fi
grep -E "definitely lost|ERROR SUMMARY|suppressed:" "$log"
! grep -q "ERROR SUMMARY: [1-9]" "$log" || { cat "$log" >&2; exit 1; }
echo "valgrind: ok"
