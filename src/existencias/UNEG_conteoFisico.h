#pragma once

#include "comun/UsistemaDatos.h"
#include "existencias/UNEG_aplicacionConteo.h"
#include "existencias/UNEG_inventarioFisico.h"

#include <QPair>
#include <QVector>

namespace conteoFisico {
inline const QString kGuardado = QStringLiteral("Inventario físico guardado.");
inline const QString kNoGuardado =
    QStringLiteral("No se guardó el inventario físico; lo capturado se conserva. Intente guardar de nuevo.");
inline const QString kNombreTomado = QStringLiteral(
    "Otra estación guardó un reporte con ese nombre mientras capturaba; guarde con otro nombre o "
    "sobreescríbalo.");
inline const QString kAplicadoNoSeSobreescribe = QStringLiteral(
    "Los ajustes de ese inventario físico ya se aplicaron, por lo que no puede sobreescribirse; guárdelo con "
    "otro nombre.");
inline const QString kNoAbierto = QStringLiteral("No se pudo abrir el reporte seleccionado.");
} // namespace conteoFisico

// The physical count sheet the screen shows: its filters (warehouse, category), its lines with the
// counted quantities, and the saved count it came from. The screen forwards its controls here.
class TconteoFisico {
public:
    explicit TconteoFisico(const TsistemaDatos &sistema);

    // The business's warehouses (id, name); false when the read failed.
    bool cargaAlmacenes();
    const QVector<QPair<int, QString>> &almacenes() const { return uAlmacenes; }

    void setAlmacen(int id, const QString &nombre);
    void setCategoria(const QString &clave, const QString &etiqueta);
    int almacenID() const { return uAlmacenID; }
    QString almacenNombre() const { return uAlmacenNombre; }
    QString categoriaID() const { return uCategoriaID; }
    QString categoriaEtiqueta() const { return uCategoriaEtiqueta; }

    // Reads the sheet for the filters (a fresh count, no longer a saved one); false when the read
    // failed, and the lines stay as they were.
    bool busca();
    const QVector<TlineaConteo> &lineas() const { return uLineas; }
    // The counted quantity of a line as typed; an emptied cell counts 0.
    void fijaConteo(int fila, const QString &texto);

    // The header the save dialog starts from: filters, now, and the name and note of the count
    // that was opened.
    UREC_inventarioFisicoIndice encabezado() const;
    // Saves after the dialog (resultado 1 or 2); tells the user how it ended.
    TfinGuardadoConteo guarda(UREC_inventarioFisicoIndice indice);
    // Opens a saved count, restoring its filters; false (told) when it cannot.
    bool abre(int id);
    // The saved count shown (id 0 when the sheet is a fresh one).
    const UREC_inventarioFisicoIndice &archivo() const { return uArchivo; }

    // "Aplicar ajustes": the saved count shown, as saved (a count changed since is saved first),
    // once; not for a read-only user.
    bool puedeAplicar() const;
    TfinAplicacion aplica(const TaplicacionConteo::Tavance &avance = {});
    // "Ajustes aplicados el …" for an applied count; empty otherwise.
    QString estadoAplicacion() const;

private:
    TsistemaDatos uSistema;
    QVector<QPair<int, QString>> uAlmacenes;
    int uAlmacenID = 0;
    QString uAlmacenNombre;
    QString uCategoriaID;
    QString uCategoriaEtiqueta;
    QVector<TlineaConteo> uLineas;
    UREC_inventarioFisicoIndice uArchivo;
    bool uModificado = false; // counted quantities typed since it was read, opened or saved
};
