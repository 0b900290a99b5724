#!/usr/bin/env bash
# Builds the Debian package of Inventario with CPack.
#   scripts/package.sh [build folder] [Release|Debug]
# Without a folder: a Release build in build-paquete/. With a folder that is already configured
# (scripts/test.sh passes its own), the package is made from that build as it is.
# The package is left in <build folder>/paquetes/inventario_<version>_<arch>.deb.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
carpeta="${1:-$raiz/build-paquete}"
tipo="${2:-Release}"

if [ ! -f "$carpeta/CMakeCache.txt" ]; then
    "$raiz/scripts/setup.sh" "$tipo" "$carpeta" -DINVENTARIO_PRUEBAS=OFF -DINVENTARIO_BENCH=OFF
fi
cmake --build "$carpeta" -j "$(nproc)" --target inventario
rm -rf "$carpeta/paquetes"
(cd "$carpeta" && cpack -G DEB >/dev/null)
ls "$carpeta"/paquetes/inventario_*.deb
