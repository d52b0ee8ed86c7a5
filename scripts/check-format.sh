#!/usr/bin/env bash
# Fails when a C++ source differs from what clang-format makes of it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
command -v clang-format >/dev/null || { echo "clang-format not installed; skipping format check"; exit 0; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
bad=0
for f in "${files[@]}"; do
    if ! clang-format --style=file "$f" | cmp -s - "$f"; then
        echo "not formatted: $f"
        bad=1
    fi
done
((bad == 0)) && echo "format check: ${#files[@]} files formatted"
exit $bad
