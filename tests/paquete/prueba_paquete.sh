#!/usr/bin/env bash
# Unpacks the Debian package into a temporary folder and runs the unpacked program there: it must
# find its module and catalogues inside the package (never in the build tree), fill a demo
# database, pass the consistency check and draw its window offscreen.
#   prueba_paquete.sh <folder with the .deb>
set -euo pipefail
paquetes="$1"
deb=$(ls "$paquetes"/inventario_*.deb 2>/dev/null | head -n 1 || true)
if [ -z "$deb" ]; then
    echo "No hay paquete en $paquetes: ejecute scripts/package.sh (scripts/test.sh lo hace)."
    exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/raiz"
programa="$tmp/raiz/usr/bin/inventario"

falla() { echo "FALLA: $*"; exit 1; }
for archivo in usr/bin/inventario usr/lib/inventario/libinventario_modulo.so \
    usr/share/inventario/ArchivosXml/CAduanas.xml usr/share/inventario/ArchivosXml/CPais.xml \
    usr/share/applications/inventario.desktop usr/share/icons/hicolor/scalable/apps/inventario.svg; do
    [ -f "$tmp/raiz/$archivo" ] || falla "el paquete no trae $archivo"
done
grep -q '^Exec=inventario' "$tmp/raiz/usr/share/applications/inventario.desktop" || falla "entrada de escritorio"
dpkg-deb -f "$deb" Depends | grep -q libqt6sql6-sqlite || falla "dependencias sin el controlador SQLite"
dpkg-deb -f "$deb" Depends | grep -q libmariadb3 || falla "dependencias sin la biblioteca cliente de MariaDB"
dpkg-deb -f "$deb" Depends | grep -q libsqlite3-0 || falla "dependencias sin la biblioteca de SQLite"
modulo=$(ldd "$programa" | awk '/libinventario_modulo/ {print $3}')
[ "$(readlink -f "$modulo")" = "$(readlink -f "$tmp/raiz/usr/lib/inventario/libinventario_modulo.so")" ] ||
    falla "el programa no usa el módulo del paquete ($modulo)"

export QT_QPA_PLATFORM=offscreen HOME="$tmp/casa"
base="$tmp/demo.db"
"$programa" --sqlite "$base" --demo --captura "$tmp/ventana.png" || falla "captura (salida $?)"
[ -s "$tmp/ventana.png" ] || falla "la captura está vacía"
"$programa" --sqlite "$base" --verificar || falla "--verificar (salida $?)"
