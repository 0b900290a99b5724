#!/usr/bin/env bash
# Builds Inventario (Release) and opens it on a demo SQLite database, created on the first run.
#   scripts/run.sh [more options for the program]
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/setup.sh" Release "$raiz/build"
datos="${XDG_DATA_HOME:-$HOME/.local/share}/inventario"
mkdir -p "$datos"
exec "$raiz/build/src/host/inventario" --sqlite "$datos/demo.db" --demo "$@"
