#pragma once

#include "apoyo/UbasePrueba.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>

// A small business for ledger tests, written straight into the tables: warehouses, products,
// one concept per family and direction, receipts (inventarioEntrada) and issues
// (inventarioSalida) with their running columns.
class TnegocioKardex {
public:
    // metodo: 1 PEPS, 2 Promedio Ponderado, 0 none stored.
    TnegocioKardex(TbasePrueba &base, int metodo,
                   const QString &nombre = QStringLiteral("Ferretería Hidalgo"));

    int negocio() const { return uNegocio; }
    TsistemaDatos sistema() const { return uBase.sistema(uNegocio); }
    int almacen(const QString &nombre = QStringLiteral("Matriz"));
    int producto(const QString &nombre = QStringLiteral("Martillo"));

    // Running columns after the movement (as a posting would have stored them); null when not given.
    struct Tcorrida {
        QVariant existenciaTotal, existenciaCostoUnitario, existenciaCostoTotal;
    };
    // A receipt of the given concept family; its layer keeps `existencia` (the quantity when < 0).
    // The name (R1…) stands for its id when ledger rows are shown as text.
    int entrada(const QString &nombre, int almacen, int producto, const QString &fecha, double cantidad,
                double costo, int familia = 1, const Tcorrida &corrida = {}, int documento = 0);
    // An issue of `cantidad` from a layer, at that cost (salidaCostoUnitario and existenciaCostoUnitario).
    int salida(int capa, const QString &fecha, double cantidad, double costo, int documento, int familia = 1,
               const Tcorrida &corrida = {});
    // Ties a reversing receipt to the issue it returns.
    void devuelve(int entrada, int salida);
    // A mixed business drawn from a seed: `almacenes` × `productos` pairs (a fifth of them without
    // movements), each with `movimientos` receipts, issues over one or two layers (some on layers
    // already closed), initial stock, customer and purchase returns.
    void llenaAlAzar(quint32 semilla, int almacenes = 3, int productos = 5, int movimientos = 12);

    // The business's ledger, one text per row in id order:
    // "entrada docE cantE costoE | docS capa cantS costoS | totalCant totalCosto | revision division grupo"
    // with "-" for NULL and receipt ids by their names.
    QStringList kardex() const;
    qint64 cuenta(const QString &sentenciaConNegocio) const;
    void ejecuta(const QString &sentencia) const;
    // A trigger that makes the database refuse every ledger row (true) or lets it accept them
    // again (false).
    void rechazaKardex(bool rechaza) const;

    static QDateTime fecha(const QString &texto);

private:
    QString nombreDe(const QVariant &id) const;
    int concepto(int direccion, int familia);

    TbasePrueba &uBase;
    int uNegocio;
    QHash<QString, int> uConceptos;
    QHash<qint64, QString> uNombres;
    int uDocumentoEntrada = 0;
};
