#include "comun/ui/U_listaIds.h"

#include "comun/UNEG_almacenesLista.h"
#include "comun/UsistemaDatos.h"

#include <QComboBox>
#include <QSignalBlocker>

bool u_llenaListaIds(QComboBox *lista, QVector<int> &ids, const CmidTierResponse &r, const QString &aliasId,
                     const QString &aliasTexto, const QString &todos) {
    if (!r.isSuccess())
        return false;
    const int elegido = u_idElegido(lista, ids).toInt();
    const QSignalBlocker bloqueo(lista);
    lista->clear();
    ids.clear();
    if (!todos.isEmpty()) {
        lista->addItem(todos);
        ids.append(0);
    }
    for (int f = 0; f < r.getRowCount(); ++f) {
        lista->addItem(r.getCelda(f, aliasTexto));
        ids.append(int(r.getCeldaAsInt(f, aliasId)));
    }
    const int indice = elegido > 0 ? int(ids.indexOf(elegido)) : -1;
    lista->setCurrentIndex(indice < 0 && !todos.isEmpty() ? 0 : indice);
    return true;
}

bool u_llenaAlmacenes(QComboBox *lista, QVector<int> &ids, const TsistemaDatos &sistema,
                      const QString &todos) {
    TalmacenesLista datos(sistema.getConexion());
    return u_llenaListaIds(lista, ids,
                           datos.selectAlmacenesSeleccion(QString(), sistema.getNegocio().getIdNegocio()),
                           QStringLiteral("almacen_id"), QStringLiteral("almacen_nombre"), todos);
}

QVariant u_idElegido(const QComboBox *lista, const QVector<int> &ids) {
    const int i = lista->currentIndex();
    return i >= 0 && i < ids.size() ? QVariant(ids[i]) : QVariant();
}
