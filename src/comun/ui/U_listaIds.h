#pragma once

#include "datos/UmidTierResponse.h"

#include <QString>

#include <QVariant>
#include <QVector>

class QComboBox;
class TsistemaDatos;

// A list whose items stand for ids kept in a parallel vector (the screens' warehouse and state
// lists). Refilled from a response's id and text columns, keeping the id chosen before when it is
// still there, without emitting a change. With `todos` the list opens with that item (id 0),
// chosen when nothing else is. False, leaving the list as it was, when the response failed.
bool u_llenaListaIds(QComboBox *lista, QVector<int> &ids, const CmidTierResponse &r, const QString &aliasId,
                     const QString &aliasTexto, const QString &todos = {});
// The same with the session's business's warehouses by name.
bool u_llenaAlmacenes(QComboBox *lista, QVector<int> &ids, const TsistemaDatos &sistema,
                      const QString &todos = {});
// The chosen item's id; null when none is chosen.
QVariant u_idElegido(const QComboBox *lista, const QVector<int> &ids);
