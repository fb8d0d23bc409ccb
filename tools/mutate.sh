#!/usr/bin/env bash
# Breaks the source on purpose, one place at a time (tools/mutants.tsv), rebuilds and runs the tests
# until one fails, and prints which test caught each break. A failure counts only when the same
# test fails a second time, so that a test upset by a loaded machine does not count as a catch.
#   tools/mutate.sh BUILD_DIR [FIRST [LAST]]     (BUILD_DIR configured from this tree)
# The tree's sources are restored after each break; output: one tab-separated row a break.
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
first=${2:-1}
last=${3:-1000}
table=tools/mutants.tsv
export GTEST_FAIL_FAST=1 ASAN_OPTIONS=detect_leaks=0

entries() { ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: //p'; }

# The first test entry that fails twice; the tests of the broken folder run first.
catcher() {
    local area=$1 name out
    for name in $( (entries | grep -x "$area"; entries | grep -vx "$area") ); do
        for attempt in 1 2; do
            out=$(timeout -s KILL 300 ctest --test-dir "$build" -R "^${name}\$" --output-on-failure 2>&1) && continue 2
        done
        echo "$name:$(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_./]*' <<<"$out" | cut -c14-)"
        return
    done
    echo "not caught"
}

n=0
grep -v '^#' "$table" | tr '\t' '\037' | while IFS=$'\037' read -r file text replacement what; do
    n=$((n + 1))
    [ "$n" -lt "$first" ] || [ "$n" -gt "$last" ] && continue
    start=$(date +%s)
    cp "$file" "$build/mutant.orig"
    OLD=$(printf '%b' "$text") NEW=$(printf '%b' "$replacement") \
        perl -0777 -i -pe 's/\Q$ENV{OLD}\E/$ENV{NEW}/' "$file"
    if cmp -s "$file" "$build/mutant.orig"; then
        result="text not found"
    elif ! cmake --build "$build" >"$build/mutant.log" 2>&1; then
        result="does not build"
    else
        area=$(cut -d/ -f2 <<<"$file")
        result=$(catcher "$area")
    fi
    cp "$build/mutant.orig" "$file"
    pkill -KILL -f "$build/(tests|tools|src)/" 2>/dev/null
    printf '%s\t%s\t%s\t%s\t%ss\n' "$n" "$file" "$what" "$result" "$(($(date +%s) - start))"
done
cmake --build "$build" >/dev/null 2>&1
