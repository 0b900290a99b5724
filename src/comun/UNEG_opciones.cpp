#include "comun/UNEG_opciones.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
} // namespace

CmidTierResponse Topciones::selectRegistroOpciones(int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Topciones::insertRegistroOpciones(int idNegocio) {
    setQuery(QStringLiteral("INSERT INTO inventarioOpciones (idNegocioFk) VALUES (:idNegocio)"));
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::updateVersionTablaSalidas(int version, int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioOpciones SET versionTablaSalidas = :version "
                            "WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("version"), version);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::selectVersionTablaSalidas(int idNegocio) {
    setQuery(
        QStringLiteral("SELECT versionTablaSalidas FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Topciones::selectMetodoValoracionInventario(int idNegocio) {
    setQuery(QStringLiteral("SELECT metodoValoracionInventario FROM inventarioOpciones "
                            "WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Topciones::insertMetodoValoracionInventario(int idNegocio, int metodo) {
    // The method is chosen once: the write only lands where none is stored yet.
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    if (getScalarAsInt() == 0) {
        CmidTierResponse r = insertRegistroOpciones(idNegocio);
        if (!r.isSuccess())
            return r;
    }
    setQuery(QStringLiteral("UPDATE inventarioOpciones SET metodoValoracionInventario = :metodo "
                            "WHERE idNegocioFk = :idNegocio AND (metodoValoracionInventario IS NULL OR "
                            "metodoValoracionInventario = 0)"));
    setParametroEntero(QStringLiteral("metodo"), metodo);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}
