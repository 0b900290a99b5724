#include "catalogos/UNEG_categorias.h"

#include "comun/U_mensajes.h"
#include "comun/U_posteoMovimientos.h"
#include "datos/ULog.h"

#include <QHash>

namespace {
const QString kIdentidad = QStringLiteral("categoria_identidad");
const QString kEtiqueta = QStringLiteral("categoria_etiqueta");

bool esRaiz(const QString &identidad) {
    return identidad.size() <= 1;
}

// Runs `escribe` in one transaction under the business's lock; true when committed.
bool escribeBajoBloqueo(Tcatalogo &datos, int idNegocio,
                        const std::function<bool(TintentoPosteo &)> &escribe) {
    return u_posteaEnTransaccion(datos, idNegocio, escribe) == TfinPosteo::Confirmado;
}

// Another category of the business already carries the name (read under the caller's lock).
bool nombreOcupado(Tcatalogo &datos, int idNegocio, const QString &nombre, const QString &excepto,
                   bool &leido) {
    const CmidTierResponse r = datos.selectCategorias(idNegocio);
    leido = r.isSuccess();
    const QString buscado = u_nombreComparable(nombre);
    for (int f = 0; leido && f < r.getRowCount(); ++f) {
        if (r.getCelda(f, kIdentidad) != excepto && u_nombreComparable(r.getCelda(f, kEtiqueta)) == buscado)
            return true;
    }
    return false;
}

// The catalogue row of a typed SAT code: 0 for none typed, -1 when the code does not exist.
int idClaveSat(Tcatalogo &datos, const QString &clave) {
    if (clave.trimmed().isEmpty())
        return 0;
    const CmidTierResponse r = datos.selectClaveSAT33(clave.trimmed());
    if (!r.isSuccess() || r.getRowCount() == 0)
        return -1;
    return int(r.getCeldaAsInt(0, 0));
}

// Replaces the SAT link of a category row: removed, then written when a code is given.
bool fijaClaveSat(Tcatalogo &datos, TintentoPosteo &intento, const QString &identidad, int idSat,
                  int idNegocio) {
    const CmidTierResponse id = datos.selectInventarioCategoriaIDFROMidentidad(identidad, idNegocio);
    if (!intento.ok(id) || id.getRowCount() != 1)
        return false;
    const int idCategoria = int(id.getCeldaAsInt(0, 0));
    if (!intento.ok(datos.deleteRelacionCatSAT33(idCategoria, idNegocio)))
        return false;
    if (idSat <= 0)
        return true;
    const CmidTierResponse r = datos.insertRelacionCatSAT33(idCategoria, idSat, idNegocio);
    return intento.ok(r) && r.getFilasAfectadas() == 1;
}

struct TcomprobacionCaptura {
    QString nombre;
    int idSat = 0;
};
// The checks both captures share, in the order the user meets them; false after telling why.
bool compruebaCaptura(Tcatalogo &datos, const TdatosCategoria &capturada, TcomprobacionCaptura &c) {
    c.nombre = capturada.nombre.trimmed().left(Tcatalogo::kLargoEtiqueta);
    if (c.nombre.isEmpty()) {
        u_mensaje(QStringLiteral("Capture el nombre de la categoría"), kAdvertencia);
        return false;
    }
    c.idSat = idClaveSat(datos, capturada.claveSat);
    if (c.idSat < 0) {
        u_mensaje(QStringLiteral("La clave SAT capturada no existe en el catálogo de productos y servicios"),
                  kAdvertencia);
        return false;
    }
    return true;
}

qint64 cuenta(const CmidTierResponse &r, TintentoPosteo &intento, bool &ok) {
    ok = intento.ok(r) && ok;
    return r.isSuccess() ? r.getScalarAsInt() : 0;
}
} // namespace

QVector<TnodoCategoria> u_arbolCategorias(const CmidTierResponse &categorias) {
    QVector<TnodoCategoria> nodos;
    QHash<QString, int> indices;
    for (int f = 0; f < categorias.getRowCount(); ++f) {
        TnodoCategoria n;
        n.identidad = categorias.getCelda(f, kIdentidad);
        n.etiqueta = categorias.getCelda(f, kEtiqueta);
        if (nodos.isEmpty()) {
            n.carpeta = true;
        } else {
            n.padre = indices.value(n.identidad.left(n.identidad.size() - 1), -1);
            if (n.padre < 0) {
                Log::log(QStringLiteral("categoría sin padre; no se muestra"), 1, n.identidad);
                continue;
            }
            n.carpeta = categorias.getCelda(f, QStringLiteral("categoria_carpeta")) == QLatin1String("True");
            ++nodos[n.padre].hijos;
        }
        indices.insert(n.identidad, int(nodos.size()));
        nodos.append(n);
    }
    return nodos;
}

TclaveSatCategoria u_claveSatCategoria(Tcatalogo &datos, const QString &identidad, int idNegocio) {
    TclaveSatCategoria c;
    for (qsizetype k = identidad.size(); k >= 1; --k) {
        const CmidTierResponse r = datos.selectCategoriaRelacionSAT33(identidad.left(k), idNegocio);
        if (!r.isSuccess() || r.getRowCount() == 0 || r.getCelda(0, 1).isEmpty())
            continue;
        c.encontrada = true;
        c.nombre = r.getCelda(0, 1);
        c.clave = r.getCelda(0, 2);
        c.heredada = k < identidad.size();
        break;
    }
    return c;
}

QString u_nombreComparable(const QString &nombre) {
    return nombre.trimmed().toCaseFolded();
}

QString TasignadorIdentidades::siguiente(const QString &padre, int &k, bool carpeta,
                                         TlimiteCategoria &limite) const {
    QString identidad;
    do {
        ++k;
        identidad = padre + QChar(64 + k);
    } while (k <= kHijosPorCarpeta && uExistentes.contains(identidad));
    if (k > kHijosPorCarpeta)
        limite = TlimiteCategoria::Carpeta;
    else if (identidad.size() > (carpeta ? kLargoCarpeta : kLargoSubcategoria))
        limite = TlimiteCategoria::Anidado;
    else
        limite = TlimiteCategoria::Dentro;
    return identidad;
}

bool u_creaCategoria(TConexionSesion *sesion, int idNegocio, const QString &padre,
                     const TdatosCategoria &datos, QString *identidad) {
    Tcatalogo catalogo(sesion);
    TcomprobacionCaptura c;
    if (!compruebaCaptura(catalogo, datos, c))
        return false;
    QString mensaje;
    QString nueva;
    const bool guardado = escribeBajoBloqueo(catalogo, idNegocio, [&](TintentoPosteo &intento) {
        mensaje.clear();
        const CmidTierResponse r = catalogo.selectCategorias(idNegocio);
        if (!intento.ok(r))
            return false;
        const QVector<TnodoCategoria> arbol = u_arbolCategorias(r);
        QSet<QString> existentes;
        const TnodoCategoria *nodoPadre = nullptr;
        for (const TnodoCategoria &n : arbol) {
            existentes.insert(n.identidad);
            if (n.identidad == padre)
                nodoPadre = &n;
            if (u_nombreComparable(n.etiqueta) == u_nombreComparable(c.nombre))
                mensaje = kMensajeNombreDuplicado;
        }
        if (!nodoPadre || !nodoPadre->carpeta)
            mensaje = QStringLiteral("Las Categorías con Propiedades no pueden tener Subcategorías");
        if (!mensaje.isEmpty())
            return false;
        int k = 0;
        TlimiteCategoria limite;
        nueva = TasignadorIdentidades(existentes).siguiente(padre, k, datos.carpeta, limite);
        if (limite != TlimiteCategoria::Dentro) {
            mensaje = (limite == TlimiteCategoria::Carpeta ? kMensajeLimiteCarpeta : kMensajeLimiteAnidado) +
                      c.nombre;
            return false;
        }
        const CmidTierResponse alta = catalogo.insertCategoria(nueva, c.nombre, datos.carpeta, idNegocio);
        return intento.ok(alta) && fijaClaveSat(catalogo, intento, nueva, c.idSat, idNegocio);
    });
    if (!mensaje.isEmpty())
        u_mensaje(mensaje, kAdvertencia);
    if (guardado && identidad)
        *identidad = nueva;
    return guardado;
}

bool u_editaCategoria(TConexionSesion *sesion, int idNegocio, const QString &identidad,
                      const TdatosCategoria &datos) {
    Tcatalogo catalogo(sesion);
    TcomprobacionCaptura c;
    if (!compruebaCaptura(catalogo, datos, c))
        return false;
    // The root stays a folder: everything hangs from it.
    const bool carpeta = datos.carpeta || esRaiz(identidad);
    QString mensaje;
    const bool guardado = escribeBajoBloqueo(catalogo, idNegocio, [&](TintentoPosteo &intento) {
        mensaje.clear();
        bool leido = false;
        if (nombreOcupado(catalogo, idNegocio, c.nombre, identidad, leido))
            mensaje = kMensajeNombreDuplicado;
        const CmidTierResponse actual = catalogo.selectCategoriaPorIdentidad(identidad, idNegocio);
        if (!leido || !intento.ok(actual) || actual.getRowCount() != 1 || !mensaje.isEmpty())
            return false;
        const bool eraCarpeta =
            actual.getCelda(0, QStringLiteral("categoria_carpeta")) == QLatin1String("True");
        bool ok = true;
        if (eraCarpeta && !carpeta &&
            cuenta(catalogo.selectHijosCategoria(identidad, idNegocio), intento, ok) > 0)
            mensaje = QStringLiteral("Una carpeta con subcategorías no puede convertirse en subcategoría");
        if (!eraCarpeta && carpeta) {
            const CmidTierResponse p = catalogo.selectPropiedadesSeleccionadas(identidad, idNegocio);
            ok = intento.ok(p) && ok;
            if (p.getRowCount() > 0 ||
                cuenta(catalogo.selectProductosCategoria(identidad, idNegocio), intento, ok) > 0)
                mensaje = QStringLiteral(
                    "Una subcategoría con propiedades o productos no puede convertirse en carpeta");
        }
        if (!ok || !mensaje.isEmpty())
            return false;
        const CmidTierResponse nombre = catalogo.updateCategoria(identidad, c.nombre, idNegocio);
        const CmidTierResponse tipo = catalogo.updateCarpetaCategoria(identidad, carpeta, idNegocio);
        return intento.ok(nombre) && intento.ok(tipo) &&
               fijaClaveSat(catalogo, intento, identidad, c.idSat, idNegocio);
    });
    if (!mensaje.isEmpty())
        u_mensaje(mensaje, kAdvertencia);
    return guardado;
}

bool u_eliminaCategoria(TConexionSesion *sesion, int idNegocio, const QString &identidad) {
    static const QString kNoVacia = QStringLiteral(
        "¡La categoría no esta vacia y no se puede eliminar! \rElimine el contenido de la categoría e "
        "intentelo nuevamente");
    static const QString kConProductos =
        QStringLiteral("La categoría tiene productos asignados y no se puede eliminar.");
    if (esRaiz(identidad)) {
        u_mensaje(QStringLiteral("¡No se puede eliminar el nodo principal!"), kAdvertencia);
        return false;
    }
    Tcatalogo catalogo(sesion);
    if (catalogo.selectHijosCategoria(identidad, idNegocio).getScalarAsInt() > 0) {
        u_mensaje(kNoVacia, kAdvertencia);
        return false;
    }
    if (!u_confirmaSiNo(QStringLiteral("¿Eliminar Categoría?")))
        return false;
    QString mensaje;
    const bool eliminada = escribeBajoBloqueo(catalogo, idNegocio, [&](TintentoPosteo &intento) {
        // Another workstation may have filled it since the question: look again under the lock.
        bool ok = true;
        mensaje.clear();
        if (cuenta(catalogo.selectHijosCategoria(identidad, idNegocio), intento, ok) > 0)
            mensaje = kNoVacia;
        else if (cuenta(catalogo.selectProductosCategoria(identidad, idNegocio), intento, ok) > 0)
            mensaje = kConProductos;
        if (!ok || !mensaje.isEmpty() || !fijaClaveSat(catalogo, intento, identidad, 0, idNegocio))
            return false;
        const CmidTierResponse propiedades = catalogo.deletePropiedades(identidad, idNegocio);
        const CmidTierResponse categoria = catalogo.deleteCategoria(identidad, idNegocio);
        return intento.ok(propiedades) && intento.ok(categoria) && categoria.getFilasAfectadas() == 1;
    });
    if (!mensaje.isEmpty())
        u_mensaje(mensaje, kAdvertencia);
    return eliminada;
}

bool u_guardaSeleccionPropiedades(TConexionSesion *sesion, int idNegocio, const QString &identidad,
                                  const QVector<int> &propiedades) {
    Tcatalogo catalogo(sesion);
    return escribeBajoBloqueo(catalogo, idNegocio, [&](TintentoPosteo &intento) {
        const CmidTierResponse categoria = catalogo.selectCategoriaPorIdentidad(identidad, idNegocio);
        if (!intento.ok(categoria) || categoria.getRowCount() != 1 ||
            categoria.getCelda(0, QStringLiteral("categoria_carpeta")) == QLatin1String("True"))
            return false;
        if (!intento.ok(catalogo.deletePropiedades(identidad, idNegocio)))
            return false;
        for (int id : propiedades) {
            const CmidTierResponse r = catalogo.insertPropiedad(identidad, id, idNegocio);
            if (!intento.ok(r) || r.getFilasAfectadas() != 1)
                return false;
        }
        return true;
    });
}

bool u_guardaPropiedad(TConexionSesion *sesion, int idNegocio, int id, const QString &nombre, int tipoId) {
    if (tipoId <= 0) {
        u_mensaje(QStringLiteral("Seleccione un tipo de Propiedad"), kAdvertencia);
        return false;
    }
    const QString limpio = nombre.trimmed().left(Tcatalogo::kLargoPropiedad).trimmed();
    if (limpio.isEmpty()) {
        u_mensaje(QStringLiteral("Capture el nombre de la Propiedad"), kAdvertencia);
        return false;
    }
    Tcatalogo catalogo(sesion);
    bool duplicada = false;
    const bool guardada = escribeBajoBloqueo(catalogo, idNegocio, [&](TintentoPosteo &intento) {
        const CmidTierResponse todas = catalogo.selectPropiedades(idNegocio);
        if (!intento.ok(todas))
            return false;
        for (int f = 0; f < todas.getRowCount() && !duplicada; ++f)
            duplicada = todas.getCeldaAsInt(f, 0) != id &&
                        u_nombreComparable(todas.getCelda(f, 1)) == u_nombreComparable(limpio);
        if (duplicada)
            return false;
        const CmidTierResponse r = id > 0 ? catalogo.updatePropiedad(id, limpio, tipoId, idNegocio)
                                          : catalogo.insertPropiedadListado(limpio, tipoId, idNegocio);
        return intento.ok(r) && r.getFilasAfectadas() == 1;
    });
    if (duplicada)
        u_mensaje(QStringLiteral("Ya existe una propiedad con ese nombre"), kAdvertencia);
    return guardada;
}
