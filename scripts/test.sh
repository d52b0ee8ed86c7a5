#!/usr/bin/env bash
# Installs what is missing, builds Kelvaro with warnings as errors and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"
build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARO_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

status=0
"$root/scripts/check-format.sh" || status=1
if [[ -d "$root/tools/sample-library/test" ]]; then
    echo "== sample-library script tests"
    node --test "$root/tools/sample-library/test/" || status=1
fi
echo "== C++ tests"
export QT_QPA_PLATFORM=offscreen
(cd "$build" && ctest --output-on-failure --timeout 300 -j"$(nproc)") || status=1
exit $status
