#!/usr/bin/env bash
# Installs, builds, starts a throwaway MariaDB of its own and runs every test with ctest.
# The MariaDB suites always run: when the server cannot start, the run fails.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
carpeta="${INVENTARIO_BUILD:-$raiz/build-test}"
"$raiz/scripts/setup.sh" Debug "$carpeta"

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
