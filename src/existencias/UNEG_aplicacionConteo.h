#pragma once

#include "comun/U_posteoMovimientos.h"
#include "comun/UsistemaDatos.h"
#include "datos/UcodigosInventario.h"
#include "entradas/UMOD_entrada.h"
#include "existencias/UNEG_inventarioFisico.h"
#include "salidas/UMOD_salida.h"

#include <functional>

namespace aplicacionConteo {
inline const QString kRestringido =
    QStringLiteral("Su nivel de usuario no permite aplicar los ajustes de un inventario físico.");
inline const QString kSinGuardar =
    QStringLiteral("Guarde el inventario físico antes de aplicar sus ajustes: se aplica lo guardado.");
inline const QString kSinAlmacen = QStringLiteral(
    "Este inventario físico suma todos los almacenes; solo puede aplicarse el conteo de un almacén.");
inline const QString kYaAplicado =
    QStringLiteral("Los ajustes de este inventario físico ya se aplicaron el %1; no se aplican de nuevo.");
inline const QString kSinDiferencias =
    QStringLiteral("No hay diferencias que ajustar en este inventario físico.");
inline const QString kCambio = QStringLiteral(
    "Otra estación registró movimientos de productos del conteo mientras lo revisaba, por lo que no se "
    "aplicó nada. Revise el inventario físico y aplíquelo de nuevo.");
inline const QString kNoLeido = QStringLiteral("No se pudo leer el inventario físico; intente de nuevo.");
inline const QString kSinConceptos = QStringLiteral(
    "No se pudieron leer los conceptos \"Ajuste por inventario físico (entrada)\" y \"(salida)\" del "
    "negocio; no se aplicó nada. Intente de nuevo.");
} // namespace aplicacionConteo

// Why a counted product is listed and left out of the adjustments.
enum class TmotivoFuera {
    Movido,       // its stock moved after the count was taken
    ConSerie,     // its units carry serial numbers: adjusted by hand, number by number
    SinCosto,     // no receipt in the warehouse to take a cost from
    Inconsistente // figures that cannot be read, a product not of the warehouse, listed twice
};

// One product's adjustment: `cantidad` up (a surplus) or down (a shortage), in storage units.
struct TajusteConteo {
    int productoID = 0;
    QString nombre;
    int unidadID = 0;
    double cantidad = 0;
    double costo = 0; // a surplus: the unit cost of its new layer
    double valor = 0; // what the adjustment moves (a shortage: its split over the layers)
};

struct TproductoFuera {
    QString nombre;
    TmotivoFuera motivo;
};

// What applying a count would post.
struct TplanAjuste {
    QVector<TajusteConteo> sobrantes;
    QVector<TajusteConteo> faltantes;
    QVector<TproductoFuera> fuera;

    static double valor(const QVector<TajusteConteo> &ajustes);
    bool vacio() const { return sobrantes.isEmpty() && faltantes.isEmpty(); }
    // The same products and quantities on each side.
    bool mismosAjustes(const TplanAjuste &otro) const;
};

// Reads the warehouse as it is now against a count's lines: products whose counted quantity
// differs from the recorded one, each on its side, the rest listed when left out. A product is
// left out when its stock row no longer holds the recorded quantity or it has a movement dated
// after the count's modification. A surplus gets its layer's cost (the current average under
// Promedio Ponderado while there is stock, else its newest layer's) and a shortage its value (a
// split over the layers). Given the plan the user `confirmado`, nothing is valued again: a product
// that has not moved keeps its cost, and only what changed matters. False when a read failed.
bool u_planAjusteConteo(TConexionSesion *sesion, const UREC_inventarioFisicoIndice &conteo,
                        const QVector<TlineaConteo> &lineas, int metodoKardex, const TplanAjuste *confirmado,
                        TplanAjuste &plan);

enum class TfinAplicacion {
    Aplicada,  // posted and recorded on the count
    Rechazada, // a check, the user or another workstation stopped it (told)
    Fallida    // a statement failed; nothing was written (told)
};

// Applies a saved count: after one confirmation, its surpluses go in as one receipt and its
// shortages out as one issue, under the two system concepts, through the receipt and issue
// postings in one transaction with the record of the application on the count, then their
// journal entries. The count's state and the plan are read again under the lock, so a count is
// applied once and never on stock that moved after the confirmation.
class TaplicacionConteo {
public:
    // `paso`: what is being done, for a progress indication.
    using Tavance = std::function<void(const QString &paso)>;

    TaplicacionConteo(const TsistemaDatos &sistema, int conteoID);
    void setAvance(Tavance avance) { uAvance = std::move(avance); }

    TfinAplicacion aplica();
    // The count as recorded after the application (its documents), and what was planned.
    const UREC_inventarioFisicoIndice &conteo() const { return uConteo; }
    const TplanAjuste &plan() const { return uPlan; }
    // The confirmation: how many products go up and down, the value of each side and the products
    // left out.
    QString pregunta() const;

private:
    TfinAplicacion rechaza(const QString &mensaje);
    bool leeConceptos();
    bool escribe(TintentoPosteo &intento);
    void contabiliza();
    void avanza(const QString &paso) const;

    TsistemaDatos uSistema;
    int uNegocio;
    int uMetodo = 0;
    UREC_inventarioFisicoIndice uConteo;
    QVector<TlineaConteo> uLineas;
    TplanAjuste uPlan;
    TconceptoMovimiento uConceptoEntrada;
    TconceptoMovimiento uConceptoSalida;
    QDateTime uFecha;
    TdatosEntrada uEntrada;
    QVector<double> uCantidadesEntrada;
    TdatosSalida uSalida;
    bool uYaAplicado = false;
    bool uCambio = false;
    Tavance uAvance;
};
