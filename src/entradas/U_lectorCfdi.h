#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A supplier's electronic invoice (CFDI, versions 4.0 and 3.3) as the receipt capture needs it:
// the parties, the type, the stamp's UUID and the lines. Read with QXmlStreamReader under the
// same guards as the other readers of outside files: a size limit, a depth limit, no DTD, and
// every number read as a user would type it. A file is read whole or refused whole.

struct TconceptoCfdi {
    QString noIdentificacion; // the supplier's own key of the product
    QString claveProdServ;
    QString claveUnidad;
    QString descripcion;
    double cantidad = 0;
    double valorUnitario = 0;
    double importe = 0;
    double descuento = 0;
    QStringList pedimentos; // NumeroPedimento of each customs entry, as written

    // Unit cost after the line's discount.
    double costoUnitarioNeto() const;
};

struct Tcfdi {
    QString version; // "4.0" or "3.3"
    QString tipoDeComprobante;
    QString serie;
    QString folio;
    QString fecha;
    QString emisorRfc;
    QString emisorNombre;
    QString receptorRfc;
    QString uuid; // upper case
    QVector<TconceptoCfdi> conceptos;
};

struct TlecturaCfdi {
    Tcfdi cfdi;
    QString error; // in Spanish; empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

namespace lectorCfdi {
// An invoice of a few thousand lines is well under this.
constexpr qint64 kTamanoMaximo = 8 * 1024 * 1024;
// Comprobante > Conceptos > Concepto > Parte > InformacionAduanera, with room for addenda.
constexpr int kProfundidadMaxima = 16;
constexpr int kConceptosMaximos = 10000;
} // namespace lectorCfdi

TlecturaCfdi u_leeCfdi(const QByteArray &xml);
TlecturaCfdi u_leeCfdiArchivo(const QString &ruta);
