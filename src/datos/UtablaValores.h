#pragma once

#include <QString>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <utility>

// The values of `filas` rows as a table a statement joins, one bound name a column and row, and
// the row's place in "orden": "SELECT :o0 AS origen, :n0 AS nueva, 0 AS orden UNION ALL SELECT
// :o1, :n1, 1 …" for the columns {'o', "origen"}, {'n', "nueva"}. Writes of many rows take them
// in one statement this way, in their order, on either engine.
QString u_tablaDeValores(std::initializer_list<std::pair<char, QString>> columnas, std::size_t filas);

// Hands `filas` to `escribe` in order, at most `porSentencia` at a time (a statement's worth of
// the rows u_tablaDeValores binds); stops at the first part `escribe` refuses.
template <typename T, typename Fescribe>
bool u_enTramos(std::span<const T> filas, std::size_t porSentencia, Fescribe escribe) {
    for (std::size_t desde = 0; desde < filas.size(); desde += porSentencia)
        if (!escribe(filas.subspan(desde, std::min(porSentencia, filas.size() - desde))))
            return false;
    return true;
}
