#pragma once

#include <QString>

#include <cstddef>
#include <initializer_list>
#include <utility>

// The values of `filas` rows as a table a statement joins, one bound name a column and row, and
// the row's place in "orden": "SELECT :o0 AS origen, :n0 AS nueva, 0 AS orden UNION ALL SELECT
// :o1, :n1, 1 …" for the columns {'o', "origen"}, {'n', "nueva"}. Writes of many rows take them
// in one statement this way, in their order, on either engine.
QString u_tablaDeValores(std::initializer_list<std::pair<char, QString>> columnas, std::size_t filas);
