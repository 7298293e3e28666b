#!/bin/bash
# Builds the program of another commit beside the current build's data, for
# cpu-use.sh to measure both in one run: the commit's source from git, its
# program alone, and a game folder of links to this build's data.
# Usage: build-base.sh COMMIT BUILD_DIR  (makes BUILD_DIR/bench-base/game)
set -euo pipefail
commit=$1
build=$(readlink -f "$2")
base=$build/bench-base
rev=$(git rev-parse --verify "$commit^{commit}")
if [ "$(cat "$base/rev" 2>/dev/null)" != "$rev" ]; then
    rm -rf "$base"
    mkdir -p "$base/src"
    git archive "$rev" | tar -x -C "$base/src"
    cmake -S "$base/src" -B "$base/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUONKLE_TESTS=OFF -DQUONKLE_BENCH=OFF -DQUONKLE_TOOLS=OFF >/dev/null
    echo "$rev" >"$base/rev"
fi
cmake --build "$base/build" --target quonkle -j"$(nproc)" >/dev/null
rm -rf "$base/game"
mkdir "$base/game"
for f in "$build"/game/*; do
    case "${f##*/}" in quonkle | high.txt | settings.txt) ;; *) ln -s "$f" "$base/game/" ;; esac
done
cp "$build/game-defaults/high.txt" "$base/game/"
ln -s "$base/build/game/quonkle" "$base/game/quonkle"
