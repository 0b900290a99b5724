#pragma once

#include "comun/U_modelopdf.h"

#include <QString>

// Excel's code for money as the suite shows it ("$ #,###,##0.00").
inline const QString kFormatoMonedaXlsx = QStringLiteral("\"$ \"#,##0.00");

// Writes a one-sheet workbook: the title, a subtitle line (business and date), the headers and
// the rows. Cells are typed by column (RECexportar::tipos) or, where a column has no type, by
// their text: "$ 1,234.50" is money, "12.5" a number, anything else (keys like "00123" too) text.
// The file appears whole or not at all; on failure *error says why.
bool u_escribeXlsx(const QString &ruta, const RECexportar &datos, const QString &subtitulo, QString *error);
