#include "inventario/UpaqueteInventario.h"

#include "inventario/UFRM_inventario.h"

#include <QHash>

namespace {
QHash<QString, registroClases::Tfabrica> &clases() {
    static QHash<QString, registroClases::Tfabrica> registro;
    return registro;
}
int gCargas = 0;
const QString kClase = QStringLiteral("TFRM_inventario");

struct TcargaAutomatica {
    TcargaAutomatica() { inventario_cargaPaquete(); }
    ~TcargaAutomatica() { inventario_descargaPaquete(); }
} gCargaAutomatica;
} // namespace

void registroClases::registra(const QString &clase, Tfabrica fabrica) {
    clases().insert(clase, std::move(fabrica));
}

void registroClases::desregistra(const QString &clase) {
    clases().remove(clase);
}

bool registroClases::registrada(const QString &clase) {
    return clases().contains(clase);
}

void inicializaBPL() {}
void finalizaBPL() {}

void inventario_cargaPaquete() {
    if (gCargas++ > 0)
        return;
    inicializaBPL();
    registroClases::registra(kClase, [] { return new TFRM_inventario(); });
}

void inventario_descargaPaquete() {
    if (gCargas == 0 || --gCargas > 0)
        return;
    finalizaBPL();
    registroClases::desregistra(kClase);
}

int inventario_cargasPaquete() {
    return gCargas;
}
