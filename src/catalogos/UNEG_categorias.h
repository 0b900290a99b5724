#pragma once

#include "comun/UNEG_catalogo.h"

#include <QSet>
#include <QVector>

// The category tree below the screens: building it from identities, the SAT code a node shows,
// the one identity allocator, and the writes of the capture, delete and property dialogs. Every
// write runs in one transaction under the business's lock, so two workstations never allocate the
// same identity nor delete what the other just filled.

// One node of the tree as built from the tree query: parent by index (-1 for the root).
struct TnodoCategoria {
    QString identidad;
    QString etiqueta;
    bool carpeta = false;
    int padre = -1;
    int hijos = 0;
};
// The tree from selectCategorias' rows (parents before children). The first row is the root and
// always a folder. A row whose parent is not in the tree is skipped and logged.
QVector<TnodoCategoria> u_arbolCategorias(const CmidTierResponse &categorias);

// The SAT 3.3 product/service code a category shows: its own, else its nearest ancestor's.
struct TclaveSatCategoria {
    bool encontrada = false;
    QString nombre;
    QString clave;
    bool heredada = false; // taken from an ancestor
};
TclaveSatCategoria u_claveSatCategoria(Tcatalogo &datos, const QString &identidad, int idNegocio);

// Names compare trimmed and without letter case (any alphabet, on both engines alike).
QString u_nombreComparable(const QString &nombre);

// Identities: a child is its folder's identity + the character 64 + k for its position k ("A" the
// first), skipping identities that exist.
enum class TlimiteCategoria { Dentro, Carpeta, Anidado };
class TasignadorIdentidades {
public:
    static constexpr int kHijosPorCarpeta = 24;
    static constexpr int kLargoCarpeta = 24;
    static constexpr int kLargoSubcategoria = 25;

    explicit TasignadorIdentidades(QSet<QString> existentes) : uExistentes(std::move(existentes)) {}
    // Advances `k` to the next free position under `padre` and answers that identity, with the
    // limit it breaks: a position past kHijosPorCarpeta, or an identity longer than its kind allows.
    QString siguiente(const QString &padre, int &k, bool carpeta, TlimiteCategoria &limite) const;
    void registra(const QString &identidad) { uExistentes.insert(identidad); }

private:
    QSet<QString> uExistentes;
};
inline const QString kMensajeLimiteCarpeta =
    QStringLiteral("Se ha superado el límite de elementos para una carpeta.\rElemento: ");
inline const QString kMensajeLimiteAnidado =
    QStringLiteral("Se ha superado el límite de elementos anidados.\rElemento: ");
inline const QString kMensajeNombreDuplicado =
    QStringLiteral("El nombre capturado esta duplicado, intente nuevamente..");

// What the capture dialog gathers.
struct TdatosCategoria {
    QString nombre;
    bool carpeta = false;
    QString claveSat; // empty: no code of its own
};
// A new child of the folder `padre`: checks (name, duplicate, SAT code, parent a folder, limits),
// then allocates its identity and inserts it with its SAT link. True when saved; `identidad`
// receives the new code. Refusals are told through u_mensaje.
bool u_creaCategoria(TConexionSesion *sesion, int idNegocio, const QString &padre,
                     const TdatosCategoria &datos, QString *identidad = nullptr);
// Renames a category, changes its kind where allowed and replaces its SAT link.
bool u_editaCategoria(TConexionSesion *sesion, int idNegocio, const QString &identidad,
                      const TdatosCategoria &datos);
// Deletes a category after its checks and the user's "yes": never the root, nor one with children
// or products (checked in the database under the lock); its SAT link and property links go with
// it. True when deleted.
bool u_eliminaCategoria(TConexionSesion *sesion, int idNegocio, const QString &identidad);

// Replaces the property links of a subcategory with `propiedades` (ids of the business).
bool u_guardaSeleccionPropiedades(TConexionSesion *sesion, int idNegocio, const QString &identidad,
                                  const QVector<int> &propiedades);
// The property capture's "Aceptar": a new property (id 0) or the edit of one. True when saved.
bool u_guardaPropiedad(TConexionSesion *sesion, int idNegocio, int id, const QString &nombre, int tipoId);
