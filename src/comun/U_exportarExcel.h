#pragma once

#include "comun/U_modelopdf.h"

struct TsistemaDatos;

// Spreadsheet export of any table (headers, cells, title): proposes the title + ".xlsx" in the
// save dialog, writes the workbook with the business line under the title and opens it. Writes
// nothing when there is no column or no row, or when the user cancels. True when written.
bool exportarREC(const RECexportar &datos, const TsistemaDatos &sistema);
