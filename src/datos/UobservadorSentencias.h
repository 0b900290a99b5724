#pragma once

#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

// Benchmark hook of TmiddleTier: every statement about to run (transaction control included) with
// its bound values, named or (empty name) in placeholder order. For one thread at a time; an empty
// function switches it off.
using TparametrosSentencia = QVector<QPair<QString, QVariant>>;
using TobservadorSentencias =
    std::function<void(const QString &sentencia, const TparametrosSentencia &parametros)>;
void u_observaSentencias(TobservadorSentencias observador);
