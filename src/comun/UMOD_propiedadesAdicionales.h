#pragma once

#include <QMap>
#include <QString>

// Values of a receipt line's additional properties: edit-control name -> value text. Keys are
// kPrefijoPropiedad followed by the property id.
using TpropiedadesAdicionales = QMap<QString, QString>;

inline const QString kPrefijoPropiedad = QStringLiteral("TXT_propiedadListadoID");

inline QString u_clavePropiedad(int idPropiedad) {
    return kPrefijoPropiedad + QString::number(idPropiedad);
}
// The property id behind a key, 0 when the key is not one.
inline int u_idPropiedad(const QString &clave) {
    if (!clave.startsWith(kPrefijoPropiedad))
        return 0;
    return clave.mid(kPrefijoPropiedad.size()).toInt();
}
