#include "comun/U_modelopdf.h"

#include "comun/UsistemaDatos.h"

#include <QDateTime>

void cTabla::addCabecera(const QString &texto, int tipo, int ancho, int alineacion) {
    uCabeceras.append({texto, tipo, ancho, alineacion});
}

bool cTabla::tieneTitulos() const {
    for (const TcabeceraTabla &c : uCabeceras)
        if (!c.texto.isEmpty())
            return true;
    return false;
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

namespace {
QString fechaActual() {
    return QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}
} // namespace

cDescripcion u_descripcionReporte(const QString &titulo, const TsistemaDatos &sistema, const QString &ruta,
                                  const cTabla &tabla, double escala, const QString &desde,
                                  const QString &hasta) {
    const TNegocio &negocio = sistema.getNegocio();
    const TdatosFiscales &fiscales = negocio.getDatosFiscales();
    cDescripcion d;
    d.creador = QStringLiteral("Tolvaran Software");
    d.titulo = titulo;
    d.fuente = QStringLiteral("Calibri");
    d.escala = escala;
    d.ruta = ruta;
    d.pie = negocio.getNombre();
    d.primeraPagina = 1;
    d.disposicion = QStringLiteral("tabulado");
    d.tabla = tabla;
    d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("titulo"), titulo);
    d.addElemento(QStringLiteral("imagen"), QStringLiteral("logo"),
                  QStringLiteral("Formatos/") + fiscales.rfc + QStringLiteral("/logo.png"));
    d.addElemento(QStringLiteral("imagen"), QStringLiteral("logoSoft"), QStringLiteral("footer.png"));
    d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("-empresa"), negocio.getNombre());
    d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("-rfc"), fiscales.rfc);
    d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("-razonsocial"), fiscales.razonSocial);
    d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("-direccion1"), fiscales.domicilio.enUnaLinea());
    d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("-fecha"), fechaActual());
    if (!desde.isEmpty() || !hasta.isEmpty())
        d.addElemento(QStringLiteral("etiqueta"), QStringLiteral("-rangoFechas"),
                      QStringLiteral("Del: ") + desde + QStringLiteral(" Al: ") + hasta);
    return d;
}

QString u_subtituloReporte(const TsistemaDatos &sistema) {
    const TNegocio &negocio = sistema.getNegocio();
    QStringList partes{negocio.getNombre()};
    if (!negocio.getDatosFiscales().rfc.isEmpty())
        partes.append(QStringLiteral("RFC ") + negocio.getDatosFiscales().rfc);
    partes.append(fechaActual());
    return partes.join(QStringLiteral(" · "));
}
