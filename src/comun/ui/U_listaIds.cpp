#include "comun/ui/U_listaIds.h"

#include <QComboBox>
#include <QSignalBlocker>

bool u_llenaListaIds(QComboBox *lista, QVector<int> &ids, const CmidTierResponse &r, const QString &aliasId,
                     const QString &aliasTexto) {
    if (!r.isSuccess())
        return false;
    const int elegido = u_idElegido(lista, ids).toInt();
    const QSignalBlocker bloqueo(lista);
    lista->clear();
    ids.clear();
    for (int f = 0; f < r.getRowCount(); ++f) {
        lista->addItem(r.getCelda(f, aliasTexto));
        ids.append(int(r.getCeldaAsInt(f, aliasId)));
    }
    lista->setCurrentIndex(elegido > 0 ? int(ids.indexOf(elegido)) : -1);
    return true;
}

QVariant u_idElegido(const QComboBox *lista, const QVector<int> &ids) {
    const int i = lista->currentIndex();
    return i >= 0 && i < ids.size() ? QVariant(ids[i]) : QVariant();
}
