#!/usr/bin/env bash
# Installs what Inventario needs on Debian 12 and builds it.
#   scripts/setup.sh [Release|Debug] [build folder] [further CMake options]
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tipo="${1:-Release}"
carpeta="${2:-$raiz/build}"

paquetes=(cmake ninja-build g++ ccache qt6-base-dev libqt6sql6-sqlite libqt6sql6-mysql libgl-dev
          mariadb-server mariadb-client libxlsxwriter-dev libminizip-dev libmariadb-dev libsqlite3-dev
          poppler-utils)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ "${#faltan[@]}" -gt 0 ]; then
    echo "Instalando: ${faltan[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

cmake -S "$raiz" -B "$carpeta" -G Ninja -DCMAKE_BUILD_TYPE="$tipo" "${@:3}" >/dev/null
cmake --build "$carpeta" -j "$(nproc)"
