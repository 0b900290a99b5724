#pragma once

#include "comun/U_escritorXlsx.h"
#include "comun/U_modelopdf.h"

#include <QDateTime>

struct TsistemaDatos;

// Spreadsheet export of any table (headers, cells, title): proposes the title + ".xlsx" in the
// save dialog, writes the workbook with the business line under the title and opens it. Writes
// nothing when there is no column or no row, or when the user cancels. True when written.
bool exportarREC(const RECexportar &datos, const TsistemaDatos &sistema);

// One line of a document's detail: its caption, the value as shown and, for money, the amount.
struct TparDetalle {
    QString etiqueta;
    QString texto;
    QVariant importe; // a double for money values, null otherwise
};

// Money format of the detail sheets.
inline const QString kFormatoMonedaDetalle = QStringLiteral("$#,##0.00");

// The detail workbook of one document row: the business block (captions "Negocio", "RFC", "Razón
// Social", "Estado", "Colonia", "Calle", "No.", "Fecha Documento" in A1:A8, values merged over
// B:C; "No." is the exterior number), the title merged over A:E on row 10, then from row 11 one row per pair,
// its caption merged over A:C and its value in D (money as a number in kFormatoMonedaDetalle).
ThojaXlsx u_hojaDetalle(const QString &titulo, const QVector<TparDetalle> &pares,
                        const TsistemaDatos &sistema, const QDateTime &momento);
// Asks the path (nombre + ".xlsx"), writes the sheet whole and opens it. True when written.
bool exportarHojaXlsx(const ThojaXlsx &hoja, const QString &nombre);
// Spreadsheet export of a document's detail: the business block in A1:A8 (labels, with their
// values merged over B:C), a blank row, then the sheet's own rows. Same dialog rules as exportarREC.
bool exportarFicha(const RECficha &ficha, const TsistemaDatos &sistema);
// The business block alone, for callers that compose their own sheet.
QVector<TfilaFicha> u_bloqueNegocioFicha(const TsistemaDatos &sistema);
