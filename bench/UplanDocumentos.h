#pragma once

#include "UapoyoBench.h"
#include "comun/UNEG_opciones.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// A plan of documents for the whole-document benchmarks, in the movement-import format (fecha,
// tipo, almacen, concepto, producto, cantidad, costo_unitario, documento), and a business made
// to post it.

struct Tlinea {
    QString producto; // product key
    double cantidad = 0;
    double costo = 0;
};

struct Tdocumento {
    QString numero;
    QDateTime fecha;
    bool entrada = true;
    QString almacen;
    QString concepto;
    QVector<Tlinea> lineas;
};
using Tplan = QVector<Tdocumento>;

inline const QString kAlmacen = QStringLiteral("Almacén general");
inline const QString kCompra = QStringLiteral("Compra");
inline const QString kVenta = QStringLiteral("Venta");
inline const QString kFormatoFecha = QStringLiteral("yyyy-MM-dd HH:mm:ss");
inline const QStringList kColumnas = {QStringLiteral("fecha"),          QStringLiteral("tipo"),
                                      QStringLiteral("almacen"),        QStringLiteral("concepto"),
                                      QStringLiteral("producto"),       QStringLiteral("cantidad"),
                                      QStringLiteral("costo_unitario"), QStringLiteral("documento")};

// The options of the programs that post a plan: --documentos, --productos, --metodo peps|promedio.
class TopcionesPlan {
public:
    explicit TopcionesPlan(QCommandLineParser &p);
    // After p.process(): false (with the message on stderr) when a value is wrong; the sizes are
    // checked only when the plan is generated.
    bool lee(const QCommandLineParser &p, bool generado);
    int documentos = 0;
    int productos = 0;
    QString nombreMetodo;
    int metodo() const { return nombreMetodo == QLatin1String("peps") ? 1 : 2; }

private:
    QCommandLineOption uDocumentos, uProductos, uMetodo;
};

// Round by round, a receipt of each product and then an issue of part of it.
Tplan planGenerado(int documentos, int productos);
// The plan as a CSV file of the import's format; false with the reason.
bool escribePlan(const Tplan &plan, const QString &ruta, QString &error);
// A plan from a CSV or .xlsx file of that format; consecutive rows of the same documento, fecha,
// tipo and almacen are one document.
bool leePlan(const QString &ruta, Tplan &plan, QString &error);

// A business of its own for one run of the plan: its warehouses, concepts (each with its journal
// template) and products are made as the plan names them.
class Tnegocio {
public:
    Tnegocio(TConexionSesion *sesion, const QString &nombre, int metodo) : uMt(sesion) {
        uId = int(u_inserta(uMt, QStringLiteral("INSERT INTO negocio (nombre) VALUES (:x)"),
                            {{QStringLiteral("x"), nombre}}));
        uSucursal = int(
            u_inserta(uMt, QStringLiteral("INSERT INTO sucursal (nombre, idNegocioFk) VALUES ('Matriz', :n)"),
                      {{QStringLiteral("n"), uId}}));
        uOk = uId > 0 && uSucursal > 0 &&
              Topciones(sesion).insertMetodoValoracionInventario(uId, metodo).isSuccess();
    }

    // Everything the plan names exists; false when a write failed.
    bool prepara(const Tplan &plan) {
        for (const Tdocumento &d : plan) {
            uOk = uOk && almacen(d.almacen) > 0 && concepto(d.concepto, d.entrada) > 0;
            for (const Tlinea &l : d.lineas)
                uOk = uOk && producto(l.producto) > 0;
        }
        return uOk;
    }

    int id() const { return uId; }
    int almacen(const QString &nombre) {
        return creaSiFalta(uAlmacenes, nombre, [&] {
            return u_inserta(
                uMt,
                QStringLiteral("INSERT INTO inventarioAlmacen (nombre, sucursal_id, idNegocioFk) "
                               "VALUES (:x, :s, :n)"),
                {{QStringLiteral("x"), nombre},
                 {QStringLiteral("s"), uSucursal},
                 {QStringLiteral("n"), uId}});
        });
    }
    int concepto(const QString &etiqueta, bool entrada) {
        return creaSiFalta(uConceptos, etiqueta, [&] {
            const qint64 plantilla =
                u_inserta(uMt,
                          QStringLiteral("INSERT INTO AsientosContables (nombre, "
                                         "ModuloAsientosContables_id, idNegocioFk) VALUES "
                                         "(:x, 1, :n)"),
                          {{QStringLiteral("x"), etiqueta}, {QStringLiteral("n"), uId}});
            return u_inserta(
                uMt,
                QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, familia, "
                               "AsientosContables_id, idNegocioFk) VALUES (:x, :d, 1, :a, :n)"),
                {{QStringLiteral("x"), etiqueta},
                 {QStringLiteral("d"), entrada ? 1 : 2},
                 {QStringLiteral("a"), plantilla},
                 {QStringLiteral("n"), uId}});
        });
    }
    int producto(const QString &clave) {
        return creaSiFalta(uProductos, clave, [&] {
            return u_inserta(
                uMt,
                QStringLiteral("INSERT INTO inventarioProducto (clave, nombre, idNegocioFk) VALUES "
                               "(:c, :x, :n)"),
                {{QStringLiteral("c"), clave},
                 {QStringLiteral("x"), QStringLiteral("Artículo ") + clave},
                 {QStringLiteral("n"), uId}});
        });
    }

private:
    template <typename Crea> int creaSiFalta(QHash<QString, int> &ids, const QString &nombre, Crea crea) {
        auto it = ids.find(nombre);
        if (it == ids.end())
            it = ids.insert(nombre, int(crea()));
        return it.value();
    }

    TmiddleTier uMt;
    int uId = 0;
    int uSucursal = 0;
    bool uOk = false;
    QHash<QString, int> uAlmacenes, uConceptos, uProductos;
};
