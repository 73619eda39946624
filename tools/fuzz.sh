#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build directory, makes
# a seed corpus with trailcam-param, and fuzzes each target for SECONDS (all
# targets unless some are named). Exits 0 when the fuzzer finds nothing; a
# crashing input is left in build-fuzz/artifacts/, named after its target.
# Extra libFuzzer options can come in FUZZ_ARGS (e.g. "-runs=10000000").
#   bash tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail

# fuzz_read: Load's file reader, through a file on disk.
# fuzz_image: reading and building images in memory.
# fuzz_json: encode's reading of a values file.
all_targets=(fuzz_read fuzz_image fuzz_json)

seconds=${1:-30}
case "$seconds" in ''|*[!0-9]*) echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 64 ;; esac
shift $(($# > 0 ? 1 : 0))
if (($#)); then targets=("$@"); else targets=("${all_targets[@]}"); fi

here=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$here/build-fuzz}

bash "$here/tools/install-packages.sh" cmake make pkg-config qt6-base-dev clang
# libFuzzer's runtime comes with the version of the system's clang.
clang_major=$(clang -dumpversion | cut -d. -f1)
bash "$here/tools/install-packages.sh" "libclang-rt-$clang_major-dev"

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRAILCAM_FUZZ=ON -DTRAILCAM_BENCHMARKS=OFF -DBUILD_TESTING=OFF
cmake --build "$build" --target "${targets[@]}" trailcam-param -j "$jobs"

# Seeds: images of a few value sets, plus a file one byte short and one with
# bytes to spare; for the JSON side the value sets and what decode makes of
# the images, and a dictionary of JSON's tokens and the members decode names.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/images" "$seeds/json" "$build/artifacts"
clock='"clock": {"year": 2026, "month": 12, "day": 7, "hour": 13, "minute": 5, "second": 9}'
value_sets=(
  "{$clock}"
  "{$clock, \"ComboBox1\": 1, \"ComboBox10\": 0, \"apn\": \"mms.example\", \"phone1\": \"+4312345678\",
    \"email1\": \"a@example.com\", \"langcmb\": 11, \"passedit\": \"1234\", \"idedit\": \"TRAIL1\"}"
  "{$clock, \"ComboBox10\": 1, \"ftpapn\": \"ftp\", \"smtpapn\": \"smtp.apn.longer\",
    \"ComboBox13\": \"an operator name running on\", \"ftpserver\": \"ftp.example.org\", \"path\": \"/cam/\"}"
  "{$clock, \"modecmb\": -1, \"ComboBox5\": -1, \"ComboBox10\": -1, \"security\": 2, \"ComboBox9\": 1,
    \"porttxt\": \"$(printf '9%.0s' {1..29})\", \"servertxt\": \"$(printf 's%.0s' {1..63})\"}"
)
tool="$build/src/cli/trailcam-param"
i=0
for values in "${value_sets[@]}"; do
  printf '%s' "$values" > "$seeds/json/values$i.json"
  "$tool" encode "$seeds/json/values$i.json" -o "$seeds/images/values$i.dat"
  "$tool" decode "$seeds/images/values$i.dat" > "$seeds/json/decoded$i.json"
  i=$((i + 1))
done
head -c 2127 "$seeds/images/values1.dat" > "$seeds/images/short.dat"
{ cat "$seeds/images/values2.dat"; printf 'trailing bytes the reader ignores'; } > "$seeds/images/long.dat"
{
  printf '"%s"\n' '{' '}' '[' ']' ':' ',' '\"' 'true' 'false' 'null' '-1' '0' '1.5' '1e3' '\\u0000' '\\ud83d\\ude00' '\\n'
  { sed -n 's/^ *"\([A-Za-z0-9]*\)":.*/\1/p' "$seeds/json/decoded0.json"; printf '%s\n' clock year month day; } |
    sort -u | sed 's/.*/"\\"&\\":"/'
} > "$seeds/json.dict"

# fuzz_read writes every input to a file: on a memory filesystem the disk's
# flushes do not set its pace.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

for target in "${targets[@]}"; do
  echo "== $target for $seconds s =="
  mkdir -p "$build/corpus/$target"
  if [ "$target" = fuzz_json ]; then
    target_seeds=("$seeds/json" -dict="$seeds/json.dict")
  else
    target_seeds=("$seeds/images")
  fi
  # shellcheck disable=SC2086 # FUZZ_ARGS holds separate options
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
  "$build/fuzz/$target" "$build/corpus/$target" "${target_seeds[@]}" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 ${FUZZ_ARGS:-}
done
