#!/usr/bin/env bash
# Builds the libFuzzer target for the Localization.txt reader with clang++ (AddressSanitizer
# and UndefinedBehaviorSanitizer on) and runs it for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 60). Exits non-zero on any finding; the input
# that caused it is left in the work folder printed at the start.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=${FUZZ_DIR:-build-fuzz}
mkdir -p "$out/corpus" "$out/artifacts"
echo "fuzz: building into $out"
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
    -I src fuzz/localization/LocalizationFuzz.cpp src/localization/LocalizationParser.cpp \
    -o "$out/localization_fuzz"
# The seed corpus is copied so that the checked-in folder never changes; what the fuzzer
# learns stays in the work folder for the next run.
cp -n fuzz/localization/corpus/* "$out/corpus/" 2>/dev/null || true
echo "fuzz: running for ${seconds}s"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
"$out/localization_fuzz" "$out/corpus" \
    -dict=fuzz/localization/markers.dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$out/artifacts/" -print_final_stats=1 >"$out/fuzz.log" 2>&1 || {
    status=$?
    tail -n 60 "$out/fuzz.log"
    echo "fuzz: FINDING (exit $status); input in $out/artifacts/"
    exit "$status"
}
# The progress lines go to the log; the summary is enough here.
grep -E '^(Done|stat::)' "$out/fuzz.log" || true
echo "fuzz: no finding in ${seconds}s"
