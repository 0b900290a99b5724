#pragma once

#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UNEG_documentoSalida.h"

#include <QHash>
#include <QStringList>
#include <memory>
#include <utility>

// A small business whose movements are posted through the postings themselves: warehouses,
// products, concepts with accounting templates, receipts and issue documents. A scripted user
// answers "Aceptar" to whatever the postings ask unless a test queues other answers.
class TnegocioMovimientos {
public:
    // metodo: 1 PEPS, 2 Promedio Ponderado.
    TnegocioMovimientos(TbasePrueba &base, int metodo,
                        const QString &nombre = QStringLiteral("Papelería Morelos"),
                        TConexionSesion *sesion = nullptr);
    // The fixture over a business that already exists (the demo's, say), valued as stored.
    struct Texistente {
        int negocio;
    };
    TnegocioMovimientos(TbasePrueba &base, Texistente existente);

    int negocio() const { return uNegocio; }
    TConexionSesion *sesion() const { return uSesion; }
    // The connection the fixture posts and reads through from now on (another workstation's);
    // answers the previous one.
    TConexionSesion *setEstacion(TConexionSesion *sesion) { return std::exchange(uSesion, sesion); }
    TinteraccionGuionada &guion() const { return uGuion.guion(); }

    int almacen(const QString &nombre = QStringLiteral("Matriz"));
    int producto(const QString &nombre, int controlNoSerie = 0);
    // A product as the pickers list it: with its barcode, the unit "Pieza" and the category
    // "Papelería" (both made the first time).
    int productoEnCatalogo(const QString &nombre, const QString &codigoBarras, int controlNoSerie = 0);
    // A concept of the direction and family, with its own accounting template.
    int concepto(int direccion, int familia, const QString &etiqueta = QString());
    int plantilla(const QString &nombre);

    // A receipt document of one line, ready to post (concept of family `familia`).
    TdocumentoEntrada entrada(int almacen, int producto, const QString &fecha, double cantidad, double costo,
                              int familia = 1);
    // Posts a one-line receipt and returns the new layer's id (0 when it was not posted). The name
    // stands for the id in kardex().
    int recibe(const QString &nombre, int almacen, int producto, const QString &fecha, double cantidad,
               double costo, const QStringList &series = {});
    // An issue document on the warehouse, of an ordinary concept (or of `familia`), dated `fecha`.
    std::unique_ptr<TdocumentoSalida> salida(int almacen, const QString &fecha, int familia = 1);
    // Posts an issue of one product split over its layers; the document number, 0 when not posted.
    int entrega(int almacen, int producto, const QString &fecha, double cantidad);

    double existenciaCapa(int entrada) const;
    // The stock row's quantity; -1 when there is none.
    double existencia(int almacen, int producto) const;
    // The ledger of the business in id order:
    // "capa entradaCant | capaSalida salidaCant costo | totalCant totalCosto | revision division grupo".
    QStringList kardex() const;
    // A count over the business's rows: the statement binds :negocio.
    qint64 cuenta(const QString &sentencia) const;
    // What an issue posting may change (issue rows, ledger rows, layers, stock rows, issued serial
    // numbers, journal entries), to prove a failed one changed nothing.
    QStringList estadoSalidas() const;
    // Answers for the next questions: `n` times "Aceptar".
    void acepta(int n = 4) const;

    static QDateTime fecha(const QString &texto);

private:
    TbasePrueba &uBase;
    TConexionSesion *uSesion;
    TguionInstalado uGuion;
    int uNegocio = 0;
    QHash<QString, int> uConceptos;
    int uPieza = 0;
    QHash<qint64, QString> uNombres;
};
