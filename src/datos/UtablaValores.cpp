#include "datos/UtablaValores.h"

QString u_tablaDeValores(std::initializer_list<std::pair<char, QString>> columnas, std::size_t filas) {
    QString tabla;
    for (std::size_t i = 0; i < filas; ++i) {
        const QString n = QString::number(i);
        tabla += i ? QStringLiteral(" UNION ALL SELECT ") : QStringLiteral("SELECT ");
        for (const auto &[prefijo, nombre] : columnas) {
            tabla += QLatin1Char(':');
            tabla += QLatin1Char(prefijo) + n;
            if (i == 0)
                tabla += QStringLiteral(" AS ") + nombre;
            tabla += QStringLiteral(", ");
        }
        tabla += n + (i ? QString() : QStringLiteral(" AS orden"));
    }
    return tabla;
}
