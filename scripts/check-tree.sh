#!/usr/bin/env bash
# Checks the C++ tree: every file formatted by .clang-format, and every #include going down the
# layers framework < ui < settings < clips < app (docs/architecture.md), never up.
# Exits non-zero and names the files when either check fails.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find app bench clips framework settings tests ui -name '*.cpp' -o -name '*.h' | sort)
fi
status=0

echo "== format (clang-format --dry-run --Werror)"
clang-format --dry-run --Werror "${files[@]}" || status=1

echo "== layers"
awk '
  BEGIN { n = split("framework ui settings clips app", order, " "); for (i = 1; i <= n; ++i) rank[order[i]] = i }
  FNR == 1 { split(FILENAME, part, "/"); layer = part[1] }
  (layer in rank) && match($0, /^[ \t]*#[ \t]*include[ \t]*"[a-z]+\//) {
    used = substr($0, RSTART, RLENGTH); sub(/.*"/, "", used); sub(/\/$/, "", used)
    if ((used in rank) && rank[used] > rank[layer]) {
      printf "%s:%d: %s/ includes from %s/, a layer above it\n", FILENAME, FNR, layer, used; bad = 1
    }
  }
  END { exit bad }' "${files[@]}" || status=1

exit "$status"
