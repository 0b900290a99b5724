#pragma once

#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "datos/UcodigosInventario.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UNEG_documentoSalida.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>

// A small business for a test case, in a few lines: warehouses, products (serial-numbered or not),
// concepts by direction and family (each with its accounting template), and movements filled one
// of two ways:
// - by SQL (filaEntrada, filaSalida, fila): rows straight into the tables, for screens and
//   queries that only read, or for a ledger rebuild that must start from given rows;
// - by posting (recibe, entrega, documentoEntrada, documentoSalida): documents through
//   TdocumentoEntrada / TdocumentoSalida, for anything that must tell the postings' story.
// A scripted user answers "Aceptar" to whatever the postings ask unless a test queues other answers
// (a business built for reading only installs none).
//
// The ledger reads back as one compact text a row, in id order (see kardex()); a receipt given a
// name (R1…) shows by that name wherever its id would stand.
class TnegocioPrueba {
public:
    // metodo: the valuation method stored for the business (kMetodoNinguno stores none).
    explicit TnegocioPrueba(TbasePrueba &base, int metodo = kMetodoPEPS,
                            const QString &nombre = QStringLiteral("Papelería Morelos"),
                            TConexionSesion *sesion = nullptr);
    // The fixture over a business that already exists (the demo's, say), valued as stored.
    struct Texistente {
        int negocio;
    };
    TnegocioPrueba(TbasePrueba &base, Texistente existente);
    // A business only read by the test (filled by SQL): no valuation method stored and no scripted
    // user installed, the test keeping its own.
    struct Tlectura {
        QString nombre;
    };
    TnegocioPrueba(TbasePrueba &base, Tlectura lectura);

    int negocio() const { return uNegocio; }
    TConexionSesion *sesion() const { return uSesion; }
    TsistemaDatos sistema(int nivel = 2) const { return uBase.sistema(uNegocio, nivel); }
    // The connection the fixture posts and reads through from now on (another workstation's);
    // answers the previous one.
    TConexionSesion *setEstacion(TConexionSesion *sesion) { return std::exchange(uSesion, sesion); }
    TinteraccionGuionada &guion() const { return uGuion->guion(); }

    // A row of the business's own (idNegocioFk added); its id, 0 when the insert failed.
    int fila(const QString &tabla, TcamposPrueba campos) const;
    // A warehouse of the business's branch.
    int almacen(const QString &nombre = QStringLiteral("Matriz"));
    int producto(const QString &nombre = QStringLiteral("Martillo"), int controlNoSerie = 0);
    // A product as the pickers list it: with its barcode, the unit "Pieza" and the category
    // "Papelería" (both made the first time).
    int productoEnCatalogo(const QString &nombre, const QString &codigoBarras, int controlNoSerie = 0);
    // The concept of that direction and family (one per label, made the first time), with its own
    // accounting template.
    int concepto(int direccion, int familia, const QString &etiqueta = QString());
    int plantilla(const QString &nombre) const;

    // --- By SQL ---
    // Running columns after the movement (as a posting would have stored them); null when not given.
    struct Tcorrida {
        QVariant existenciaTotal, existenciaCostoUnitario, existenciaCostoTotal;
    };
    // A receipt row of the given concept family whose layer keeps all of it; its id.
    int filaEntrada(const QString &nombre, int almacen, int producto, const QString &fecha, double cantidad,
                    double costo, int familia = kFamiliaOrdinaria, const Tcorrida &corrida = {},
                    int documento = 0);
    // An issue row of `cantidad` from a layer, at that cost (salidaCostoUnitario and, unless the
    // running columns say otherwise, existenciaCostoUnitario).
    int filaSalida(int capa, const QString &fecha, double cantidad, double costo, int documento,
                   int familia = kFamiliaOrdinaria, const Tcorrida &corrida = {});
    // Ties a reversing receipt to the issue it returns.
    void devuelve(int entrada, int salida) const;
    // A mixed business drawn from a seed: `almacenes` × `productos` pairs (a fifth of them without
    // movements), each with `movimientos` receipts, issues over one or two layers (some on layers
    // already closed), initial stock, customer and purchase returns.
    void llenaAlAzar(quint32 semilla, int almacenes = 3, int productos = 5, int movimientos = 12);

    // --- By posting ---
    // A receipt document of one line, ready to post (concept of family `familia`).
    TdocumentoEntrada documentoEntrada(int almacen, int producto, const QString &fecha, double cantidad,
                                       double costo, int familia = kFamiliaOrdinaria);
    // Posts a one-line receipt and returns the new layer's id (0 when it was not posted).
    int recibe(const QString &nombre, int almacen, int producto, const QString &fecha, double cantidad,
               double costo, const QStringList &series = {});
    // An issue document on the warehouse, of an ordinary concept (or of `familia`), dated `fecha`.
    std::unique_ptr<TdocumentoSalida> documentoSalida(int almacen, const QString &fecha,
                                                      int familia = kFamiliaOrdinaria);
    // Posts an issue of one product split over its layers; the document number, 0 when not posted.
    int entrega(int almacen, int producto, const QString &fecha, double cantidad);
    // Answers for the next questions: `n` times "Aceptar".
    void acepta(int n = 4) const;
    // Names every layer of the business made elsewhere (a capture, an import) by its product in
    // kardex(); layers of other products keep their ids.
    void nombraCapas(const QHash<int, QString> &porProducto);

    // --- Reading back ---
    // The business's ledger, one text per row in id order:
    //   "entrada docE cantE costoE | docS capa cantS costoS | totalCant totalCosto | revision division grupo"
    // with "-" for NULL and receipt ids (entrada, capa) by their names.
    QStringList kardex() const;
    double existenciaCapa(int entrada) const;
    // The stock row's quantity; -1 when there is none.
    double existencia(int almacen, int producto) const;
    // The single value of a query; the statement may bind :negocio.
    QVariant valor(const QString &sentencia, TcamposPrueba parametros = {}) const;
    qint64 cuenta(const QString &sentencia) const { return valor(sentencia).toLongLong(); }
    void ejecuta(const QString &sentencia) const;
    // What an issue posting may change (issue rows, ledger rows, layers, stock rows, issued serial
    // numbers, journal entries), to prove a failed one changed nothing.
    QStringList estadoSalidas() const;
    // A trigger that makes the database refuse every ledger row (true) or lets it accept them
    // again (false).
    void rechazaKardex(bool rechaza) const;

    static QDateTime fecha(const QString &texto);
    // "yyyy-MM-dd <hora>" of the day `dias` away from today, for fecha texts.
    static QString dia(int dias, const char *hora);

private:
    QString nombreDe(const QVariant &id) const;

    TbasePrueba &uBase;
    TConexionSesion *uSesion;
    std::optional<TguionInstalado> uGuion;
    int uNegocio = 0;
    QHash<QString, int> uConceptos;
    int uPieza = 0;
    int uSucursal = 0;
    int uDocumentoEntrada = 0;
    QHash<qint64, QString> uNombres;
};
