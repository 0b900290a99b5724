#pragma once

#include "datos/UconexionSesion.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Importing a history of receipts and issues from a spreadsheet (.xlsx, first sheet) or a CSV
// file: a header row names the columns (any order; the optional ones may be absent), one row per
// line. Rows of the same `documento`, date, kind and warehouse form one document; without
// `documento` every row is a document of its own. Documents are posted in date order (the file's
// order within the same instant), each through the receipt and issue documents, so numbers,
// layers, ledger, stock and journal entries are the ones a user capturing them would get.
//
// Everything runs inside one envelope transaction (`TtransaccionEnvolvente`), committed every few
// hundred documents so other workstations get their turn. A document that cannot be posted stops
// the import: it leaves nothing, and what was posted before it stays. A trial run posts the same
// way and rolls the envelope back at the end, so it proves exactly what a real run would write.
namespace importacionMovimientos {
inline const QStringList kColumnasRequeridas = {QStringLiteral("fecha"),    QStringLiteral("tipo"),
                                                QStringLiteral("almacen"),  QStringLiteral("concepto"),
                                                QStringLiteral("producto"), QStringLiteral("cantidad")};
inline const QStringList kColumnasOpcionales = {
    QStringLiteral("costo_unitario"), QStringLiteral("documento"), QStringLiteral("nombre"),
    QStringLiteral("lote"),           QStringLiteral("pedimento"), QStringLiteral("rfc_proveedor")};
// The largest file taken, CSV or workbook.
constexpr qint64 kTamanoMaximo = 64 * 1024 * 1024;
// Documents committed together outside a trial run.
constexpr int kDocumentosPorConfirmacion = 250;
} // namespace importacionMovimientos

struct TopcionesImportacion {
    bool simular = false;        // roll everything back at the end
    bool crearProductos = false; // a key not in the catalogue becomes a product (its `nombre`)
};

// A document that was posted: where it starts in the file, its label there and its number.
struct TdocumentoImportado {
    int fila = 0;
    QString documento; // the file's `documento`, empty when the file has none
    bool entrada = true;
    int numero = 0;
    bool asientoPendiente = false; // posted, but its journal entry was not
};

// One issue line as written: the layer (receipt row) it drew on.
struct TlineaSalidaImportada {
    int documento = 0;
    QDateTime fecha;
    QString producto; // key
    int capa = 0;
    double cantidad = 0;
    double costoUnitario = 0;
};

struct TresultadoImportacionMovimientos {
    bool completa = false;                   // every document posted (and committed, unless a trial run)
    QString mensaje;                         // why it stopped, naming the row
    int filaFallida = 0;                     // 0: none, or the file as a whole
    QVector<TdocumentoImportado> documentos; // posted (and committed unless a trial run), in order
    int lineas = 0;
    int productosCreados = 0;
    double valorRecibido = 0;
    double costoSalidas = 0;
    QVector<TlineaSalidaImportada> lineasSalida;
};

// Progress: documents posted of the total; a screen repaints there.
using TavanceMovimientos = std::function<void(int hechos, int total)>;

// Reads the file (CSV or .xlsx by its extension, any letter case) into rows of text, the header
// first. False with the reason when it cannot be read.
bool u_leeTablaMovimientos(const QString &ruta, QVector<QStringList> &tabla, QString &error);

// Imports rows already read (header first) into the business.
TresultadoImportacionMovimientos u_importaMovimientos(TConexionSesion *sesion, int idNegocio,
                                                      const QVector<QStringList> &tabla,
                                                      const TopcionesImportacion &opciones,
                                                      const TavanceMovimientos &avance = {});
// The same from a file.
TresultadoImportacionMovimientos u_importaArchivoMovimientos(TConexionSesion *sesion, int idNegocio,
                                                             const QString &ruta,
                                                             const TopcionesImportacion &opciones,
                                                             const TavanceMovimientos &avance = {});

// What a user reads afterwards: each document posted (row, label, number), the summary
// (documents, lines, value received, cost of issues, products created, pending journal entries)
// and, when it stopped, the row and the reason.
QStringList u_resumenImportacion(const TresultadoImportacionMovimientos &r, bool simulada);

// The issue lines as CSV: documento,fecha,producto,capa,cantidad,costo_unitario. Written aside and
// moved into place; false with the reason.
bool u_escribeInformeImportacion(const QString &ruta, const TresultadoImportacionMovimientos &r,
                                 QString &error);
