#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for the same time each.
#
#   fuzz/run_fuzz.sh SECONDS [BUILD_DIR [CORPUS_ROOT]] [-- EXTRA_LIBFUZZER_FLAGS...]
#
# BUILD_DIR defaults to build-fuzz beside this folder (configure it with
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DPEXA_FUZZ=ON \
#     -DPEXA_UI=OFF -DPEXA_BENCH=OFF && cmake --build build-fuzz).
# Each target keeps its corpus and any crash artifacts in CORPUS_ROOT/<target>
# (default /tmp/pexa-fuzz), so later runs start from what earlier ones found;
# the seeds in fuzz/corpus/<target> are read as well.
# The exit status is non-zero when any target reported a finding.
set -uo pipefail

usage() {
    sed -n '2,12s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

[[ $# -ge 1 && $1 =~ ^[0-9]+$ && $1 -gt 0 ]] || usage
seconds=$1
shift

here=$(cd "$(dirname "$0")" && pwd)
build_dir="$here/../build-fuzz"
corpus_root=/tmp/pexa-fuzz
if [[ $# -ge 1 && $1 != -- ]]; then
    build_dir=$1
    shift
fi
if [[ $# -ge 1 && $1 != -- ]]; then
    corpus_root=$1
    shift
fi
if [[ $# -ge 1 && $1 == -- ]]; then
    shift
fi
extra_flags=("$@")

[[ -d $build_dir ]] || { echo "no fuzz build at $build_dir" >&2; exit 2; }

mapfile -t targets < <(find "$build_dir" -maxdepth 2 -type f -name 'fuzz_*' -perm -u+x | sort)
[[ ${#targets[@]} -gt 0 ]] || { echo "no fuzz_* targets in $build_dir" >&2; exit 2; }

failed=()
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus="$corpus_root/$name"
    mkdir -p "$corpus/artifacts"
    echo "=== $name: ${seconds}s, corpus $corpus"
    # The repository's seeds are read too; new inputs go to the first folder only.
    seeds=()
    [[ -d $here/corpus/$name ]] && seeds=("$here/corpus/$name")
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$corpus/artifacts/" "${extra_flags[@]}" "$corpus" "${seeds[@]}"; then
        failed+=("$name")
    fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "findings in: ${failed[*]} (see $corpus_root/<target>/artifacts)" >&2
    exit 1
fi
echo "no findings in ${#targets[@]} target(s)"
