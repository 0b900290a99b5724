#pragma once

#include "datos/UmidTierResponse.h"

#include <QVariant>
#include <QVector>

class QComboBox;

// A list whose items stand for ids kept in a parallel vector (the screens' warehouse and state
// lists). Refilled from a response's id and text columns, keeping the id chosen before when it is
// still there, without emitting a change. False, leaving the list as it was, when the response
// failed.
bool u_llenaListaIds(QComboBox *lista, QVector<int> &ids, const CmidTierResponse &r, const QString &aliasId,
                     const QString &aliasTexto);
// The chosen item's id; null when none is chosen.
QVariant u_idElegido(const QComboBox *lista, const QVector<int> &ids);
