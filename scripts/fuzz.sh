#!/usr/bin/env bash
# Fuzzes the table-stream decoder, the database reader and the settings-file
# readers with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer), each target for the given number of seconds
# (default 45). Seeds come from the test-database writer and, when present,
# the Access-made samples in ../shared/real-mdb (or $REAL_MDB_DIR), and from
# the program's own settings writers, copied into build/fuzz/seeds. The
# corpus grows in build/fuzz/corpus; a crash, hang or sanitizer report leaves
# its input in build/fuzz/findings and fails the run. A finding becomes a
# regression test: a small case in tests/orderdb that feeds the same bytes to
# the decoder or the reader and expects the unreadable-database error, or a
# case in tests/settings that reads the same file.
#
#   scripts/fuzz.sh            # as continuous integration runs it
#   scripts/fuzz.sh 3600       # a longer run: one hour per target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-45}
samples=${REAL_MDB_DIR:-../shared/real-mdb}

scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" \
    --target fuzz_table_stream fuzz_database_file fuzz_settings_files make-fuzz-seeds \
    qmdata-reader

out=build/fuzz
bin=$out/bin
# The stream's folders carry its format's version: a corpus of an older
# format would only feed the decoder inputs it refuses at once.
stream=stream-v5
rm -rf "$out/seeds"
mkdir -p "$out/seeds/file" "$out/seeds/$stream" "$out/seeds/settings" "$out/corpus/file" \
    "$out/corpus/$stream" "$out/corpus/settings" "$out/findings"
"$bin/make-fuzz-seeds" "$out/seeds/file"
SETTINGS_SEEDS="$out/seeds/settings" "$bin/fuzz_settings_files"
if [[ -d $samples ]]; then
    cp "$samples"/*.mdb "$out/seeds/file/"
else
    echo "No Access-made samples in $samples; seeding from the writer only."
fi
for database in "$out"/seeds/file/*.mdb; do
    for table in Orders Table1 Table; do
        seed="$out/seeds/$stream/$(basename "$database" .mdb)-$table"
        # Two leading bytes choose the decoder's block size and how the
        # stream is cut into pieces (see fuzz_table_stream.cpp).
        { printf '\001\003' && "$bin/qmdata-reader" "$database" "$table" 0 0; } >"$seed" \
            2>/dev/null || rm -f "$seed"
    done
done

export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
status=0
declare -A targets=([$stream]=fuzz_table_stream [file]=fuzz_database_file
    [settings]=fuzz_settings_files)
# Settings files are small: short inputs run many more times. 64 KiB still
# holds more lines than the comment list's bound.
declare -A lengths=([$stream]=1048576 [file]=1048576 [settings]=65536)
for kind in $stream file settings; do
    target=${targets[$kind]}
    echo "== $target, $seconds s"
    nice -n 10 "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="${lengths[$kind]}" -print_final_stats=1 \
        -artifact_prefix="$out/findings/$kind-" \
        "$out/corpus/$kind" "$out/seeds/$kind" 2>"$out/$kind.log" || status=1
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb|^==.*ERROR|SUMMARY" "$out/$kind.log" || true
done
ls "$out/findings"
exit $status
