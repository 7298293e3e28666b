#!/bin/sh
# Records the outcomes of the named replays (all when none is named) into
# their files, each in a process of its own as ctest runs them. Review the
# change with git diff before committing it.
# Usage: tests/replays/record.sh BUILD_DIR [NAME...]
build=${1:?usage: record.sh BUILD_DIR [NAME...]}
shift
here=$(dirname "$0")
[ $# -gt 0 ] || set -- $(ls "$here" | sed -n 's/\.txt$//p')
for name in "$@"; do
    QUONKLE_RECORD=1 "$build/tests/quonkle_tests" \
        --gtest_filter="Replays/ReplayTest.ShowsTheRecordedOutcome/$name" >/dev/null
done
