#!/bin/sh
# Builds the decoder, engine and rules fuzz targets with clang, makes seed corpora from valid files and
# runs each target for SECONDS seconds. Exits non-zero when a target crashes, leaks or hangs.
# The build directory is $FUZZ_BUILD_DIR, by default build-fuzz beside this directory.
set -eu
if [ $# -ne 1 ]; then
    echo "usage: $0 SECONDS" >&2
    exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUORVEL_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target profile_decoder_fuzz configuration_decoder_fuzz profile_poll_fuzz \
    rules_parser_fuzz fuzz_seeds qvtool

seeds=$build/fuzz-seeds
rm -rf "$seeds"
mkdir -p "$seeds/profile" "$seeds/configuration" "$seeds/polls" "$seeds/rules" \
    "$build/fuzz-artifacts"
cp "$root/tests/tools/cases/"*.rules "$seeds/rules/"
cp "$root/examples/Pad.qvp" "$seeds/profile/"
"$build/qvtool" default-config "$seeds/configuration/Quorvel.cfg"
"$build/fuzz/fuzz_seeds" "$seeds/profile" "$seeds/configuration"
# The engine target reads readings after the profile; it grows them from the profiles alone.
cp "$seeds/profile/"* "$seeds/polls/"

status=0
# run TARGET KIND [OPTIONS...]: the corpus grows in fuzz-corpus/KIND, the log is fuzz-KIND.log.
run() {
    target=$1
    kind=$2
    shift 2
    corpus=$build/fuzz-corpus/$kind
    log=$build/fuzz-$kind.log
    mkdir -p "$corpus"
    if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$kind-" "$@" "$corpus" "$seeds/$kind" \
        >"$log" 2>&1; then
        result="no crash"
    else
        result="FAILED, see $log and $build/fuzz-artifacts"
        status=1
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
    echo "$target: $result; ${executions:-?} executions in ${seconds} s; ${coverage:-no figures}"
}

run profile_decoder_fuzz profile -max_len=20000
run configuration_decoder_fuzz configuration
run profile_poll_fuzz polls -max_len=20000
run rules_parser_fuzz rules
exit $status
