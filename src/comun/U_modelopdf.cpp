#include "comun/U_modelopdf.h"

void cTabla::addCabecera(const QString &texto, int tipo, int ancho, int alineacion) {
    uCabeceras.append({texto, tipo, ancho, alineacion});
}

int cTabla::anchoTotal() const {
    int total = 0;
    for (const TcabeceraTabla &c : uCabeceras)
        total += qMax(0, c.ancho);
    return total;
}

void cDescripcion::addElemento(const QString &tipo, const QString &nombre, const QString &valor) {
    uElementos.append({tipo, nombre, valor});
}

QString cDescripcion::elemento(const QString &nombre) const {
    for (const TelementoReporte &e : uElementos)
        if (e.nombre == nombre)
            return e.valor;
    return {};
}
