#!/usr/bin/env bash
# Installs, builds, starts a throwaway MariaDB of its own and runs every test with ctest.
# The MariaDB suites always run: when the server cannot start, the run fails.
#   scripts/test.sh [ctest options]
#   scripts/test.sh --sanitizers [ctest options]   AddressSanitizer and UndefinedBehaviorSanitizer
#       build in a folder of its own; runs every suite but the MariaDB ones (the hostile-input
#       corpus among them) and the package test. Any finding fails the run.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = "--sanitizers" ]; then
    shift
    carpeta="${INVENTARIO_BUILD_SANITIZERS:-$raiz/build-sanitizers}"
    banderas="-O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all"
    "$raiz/scripts/setup.sh" Debug "$carpeta" -DINVENTARIO_BENCH=OFF \
        "-DCMAKE_CXX_FLAGS=$banderas" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
        "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined"
    supresiones="$raiz/scripts/sanitizers"
    export ASAN_OPTIONS="detect_leaks=1:exitcode=86"
    export LSAN_OPTIONS="suppressions=$supresiones/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supresiones/ubsan.supp"
    cd "$carpeta"
    exec ctest --output-on-failure -j "$(nproc)" -LE 'mysql|paquete' "$@"
fi

carpeta="${INVENTARIO_BUILD:-$raiz/build-test}"
"$raiz/scripts/setup.sh" Debug "$carpeta"
"$raiz/scripts/package.sh" "$carpeta" >/dev/null

servidor="$carpeta/mariadb"
pid=""
detiene() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
        kill -9 "$pid" 2>/dev/null || true
    fi
}
trap detiene EXIT INT TERM

rm -rf "$servidor"
mkdir -p "$servidor"
usuario="$(id -un)"
mariadb-install-db --user="$usuario" --datadir="$servidor/data" --auth-root-authentication-method=normal \
    --skip-test-db >"$servidor/install.log" 2>&1 || { cat "$servidor/install.log"; exit 1; }
# Throwaway data: no per-table files, no doublewrite, no binary log: DDL and commits stay cheap.
mariadbd --user="$usuario" --datadir="$servidor/data" --socket="$servidor/sock" --skip-networking \
    --pid-file="$servidor/pid" --innodb-buffer-pool-size=256M --innodb-flush-log-at-trx-commit=2 \
    --innodb-file-per-table=0 --innodb-doublewrite=0 --skip-log-bin \
    >"$servidor/server.log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
    [ -S "$servidor/sock" ] && mariadb --socket="$servidor/sock" -uroot -e "SELECT 1" >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || { echo "MariaDB no arrancó:"; cat "$servidor/server.log"; exit 1; }
    sleep 0.2
done
mariadb --socket="$servidor/sock" -uroot -e "SELECT VERSION()" >/dev/null || { echo "MariaDB no responde"; exit 1; }

export INVENTARIO_MYSQL_SOCKET="$servidor/sock"
export INVENTARIO_MYSQL_USER=root
cd "$carpeta"
ctest --output-on-failure -j "$(nproc)" "$@"
