#include "kardex/UNEG_escrituraKardex.h"

#include <QStringList>

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
} // namespace

CmidTierResponse TescrituraKardex::insertRenglonKardex(const TkardexRenglon &renglon) {
    renglonKardex::preparaInsercion(*this, renglon);
    return nonQuery();
}

std::unique_ptr<TinsercionMultiple> TescrituraKardex::insercionRenglonesKardex() {
    return std::make_unique<TinsercionMultiple>(*this, QStringLiteral("inventarioKardex"),
                                                renglonKardex::columnas());
}

CmidTierResponse TescrituraKardex::deleteInventarioKardex(int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

std::unique_ptr<TactualizacionMultiple> TescrituraKardex::updateTablaEntradas() {
    return std::make_unique<TactualizacionMultiple>(*this, QStringLiteral("inventarioEntrada"),
                                                    QStringList{QStringLiteral("existenciaCostoUnitario"),
                                                                QStringLiteral("existenciaCostoTotal"),
                                                                QStringLiteral("existenciaTotal")});
}

std::unique_ptr<TactualizacionMultiple> TescrituraKardex::updateTablaSalidas() {
    return std::make_unique<TactualizacionMultiple>(
        *this, QStringLiteral("inventarioSalida"),
        QStringList{QStringLiteral("salidaCostoUnitario"), QStringLiteral("existenciaCostoUnitario"),
                    QStringLiteral("existenciaCostoTotal"), QStringLiteral("existenciaTotal")});
}
