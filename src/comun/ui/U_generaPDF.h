#pragma once

#include "comun/U_modelopdf.h"

#include <QString>

// The suite's PDF generator: a Letter-size business report from the description. The first page
// carries the logo (when the file named by the "logo" element exists), the title and the business
// header (name, RFC, legal name, fiscal address, date and date range); every page repeats the
// table's header row and carries the footer image ("logoSoft", when it exists), the footer text
// and "Página n de N". The table is laid out by u_disenaTabla (comun/U_disenoTabla.h): amounts,
// numbers and dates on one line, text and headers wrapped only at spaces, the header widths the
// starting proportions. Wide tables (more than 700 width units or 8 columns, or whose figures and
// words do not fit a portrait page at readable sizes) go landscape. Separator rows (runs of
// dashes) are drawn as rules. Money cells holding a plain number print as "$ #,###,##0.00".
// Nothing is written without a column and a row; the file appears whole or not at all.
bool generaPDF(const cDescripcion &descripcion, QString *error = nullptr);
