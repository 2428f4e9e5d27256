#!/usr/bin/env bash
# Fuzzes the molecule file reader for the given number of seconds (default 60).
# The corpus lives in fuzz/corpus (ignored by git) so that each run starts
# from what the earlier runs found; crashes land in fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=${KOVALA_FUZZ_BUILD:-build-fuzz}

# Builds share the machine: take the team's build lock when it exists.
if [ -z "${KOVALA_FUZZ_NOBUILD:-}" ]; then
  if command -v flock >/dev/null; then
    CXX=clang++ flock /tmp/kovala-build.lock nice -n 5 scripts/build.sh "$dir" -DKOVALA_FUZZ=ON -DKOVALA_GUI=OFF
  else
    CXX=clang++ scripts/build.sh "$dir" -DKOVALA_FUZZ=ON -DKOVALA_GUI=OFF
  fi
fi

mkdir -p fuzz/corpus fuzz/findings
"$dir/fuzz/fuzz_moleculefile" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix=fuzz/findings/ fuzz/corpus tests/data
echo "fuzz: no crash in $seconds seconds; corpus: $(ls fuzz/corpus | wc -l) inputs"
