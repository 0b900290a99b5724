#pragma once

#include "comun/U_escritorXlsx.h"
#include "comun/U_modelopdf.h"

struct TsistemaDatos;

// Spreadsheet export of any table (headers, cells, title): proposes the title + ".xlsx" in the
// save dialog, writes the workbook with the business line under the title and opens it. Writes
// nothing when there is no column or no row, or when the user cancels. True when written.
bool exportarREC(const RECexportar &datos, const TsistemaDatos &sistema);

// Spreadsheet export of a document's detail: the business block in A1:A8 (labels, with their
// values merged over B:C), a blank row, then the sheet's own rows. Same dialog rules as exportarREC.
bool exportarFicha(const RECficha &ficha, const TsistemaDatos &sistema);
// The business block alone, for callers that compose their own sheet.
QVector<TfilaFicha> u_bloqueNegocioFicha(const TsistemaDatos &sistema);
