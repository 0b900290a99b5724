#pragma once

#include "datos/UconexionSesion.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

// Fixture rows written straight to a table: column names come from the test, values are bound.
using TcamposPrueba = QVector<QPair<QString, QVariant>>;

// Inserts one row and returns its id (0 when the insert failed).
int u_insertaFila(TConexionSesion *sesion, const QString &tabla, const TcamposPrueba &campos);
// Inserts one issue row and returns its id (0 when the insert failed): its warehouse, product and
// business are copied from the layer `campos` names ("inventarioEntrada_id"), as the posting does.
int u_insertaSalida(TConexionSesion *sesion, const TcamposPrueba &campos);
// Every row of a query as text, its cells joined by "|".
QStringList u_filasTexto(TConexionSesion *sesion, const QString &sentencia);
// The single value of a query whose parameters are bound from `parametros`.
QVariant u_valorConsulta(TConexionSesion *sesion, const QString &sentencia,
                         const TcamposPrueba &parametros = {});

// Where a test provokes a technical failure (with u_fallaCuando): "bloqueo" is a posting's lock
// (BEGIN IMMEDIATE on SQLite, the business row read FOR UPDATE on MariaDB), "escritura" any write,
// "contexto" a document's checks' read of its context (on the business's options row), anything
// else a statement of exactly that text ("COMMIT").
std::function<bool(const QString &)> u_sentenciaDelPunto(const QString &punto);
