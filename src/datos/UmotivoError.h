#pragma once

#include <QSqlError>
#include <QString>

// What a database failure means to the user, in Spanish, from the engine's error number. The
// driver's own text is for the log; the user reads what failed and what to do about it.
QString u_motivoErrorBD(int codigo, bool mysql);
QString u_motivoErrorBD(const QSqlError &error, bool mysql);
