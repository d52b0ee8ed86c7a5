#!/usr/bin/env bash
# Builds the sample library from real texts and dictionary data carried by npm and Debian
# packages: the packages are fetched into a cache, turned into a library source folder and
# imported.
#   scripts/build-sample-library.sh <library folder>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
library=${1:?usage: build-sample-library.sh <library folder>}
cache=${KELVARO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvaro}
mkdir -p "$cache"
source="$cache/sample-source"
echo "Building the sample library in $library (first run only; the downloads take a few minutes)"
rm -rf "$source"
node "$root/tools/sample-library/build-sources.js" --out "$source" --cache "$cache/packages"
"$root/build/kelvaro-import" "$source" "$library"
rm -rf "$source"
