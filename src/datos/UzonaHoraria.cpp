#include "datos/UzonaHoraria.h"

#include <QByteArray>
#include <QtGlobal>

void u_zonaHorariaLeidaUnaVez() {
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
}
