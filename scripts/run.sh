#!/usr/bin/env bash
# Installs what is missing, builds Kelvaro, builds the sample library on first use and starts
# the offline edition on it.
#   scripts/run.sh [library folder]      (default: ~/.local/share/Kelvaro/library)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
library=${1:-${KELVARO_LIBRARY:-${XDG_DATA_HOME:-$HOME/.local/share}/Kelvaro/library}}
"$root/scripts/build.sh"
if [[ ! -f "$library/wxlb.dbx" ]]; then
    "$root/scripts/build-sample-library.sh" "$library"
fi
cd "$library"
exec "$root/build/kelvaro"
