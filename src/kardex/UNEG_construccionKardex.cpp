#include "kardex/UNEG_construccionKardex.h"

#include "comun/UNEG_opciones.h"
#include "datos/ULog.h"
#include "datos/UcachePaginas.h"
#include "datos/UcodigosInventario.h"
#include "kardex/UNEG_escritorKardex.h"
#include "kardex/UNEG_escrituraKardex.h"
#include "kardex/UNEG_kardexPEPS.h"
#include "kardex/UNEG_kardexPromedio.h"
#include "kardex/UNEG_lecturaReconstruccion.h"

namespace {
// Products read together in one pass of a warehouse.
constexpr int kProductosPorBloque = 256;
} // namespace

// Hands out the movement list of each warehouse and product in walk order.
class TconstruccionKardex::Tlector {
public:
    Tlector(TlecturaReconstruccion &movimientos, Tlectura lectura, int negocio,
            const CmidTierResponse &productos)
        : uFuente(movimientos), uLectura(lectura), uNegocio(negocio), uProductos(productos),
          uColumnaProducto(productos.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_id"))) {}

    CmidTierResponse lista(int almacen, int j) {
        const int producto = int(uProductos.getCeldaAsInt(j, uColumnaProducto));
        if (uLectura == Tlectura::PorPar)
            return uFuente.selectEntradasSalidasPorOrdenCronologicoPorAlmacen(almacen, producto, uNegocio);
        if (almacen != uAlmacen || j >= uHasta) {
            uAlmacen = almacen;
            uHasta = qMin(j + kProductosPorBloque, uProductos.getRowCount());
            uBloque = uFuente.selectEntradasSalidasPorOrdenCronologicoPorProductos(
                almacen, producto, int(uProductos.getCeldaAsInt(uHasta - 1, uColumnaProducto)), uNegocio);
            uFila = 0;
            uColumna = uBloque.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_id"));
        }
        if (!uBloque.isSuccess())
            return uBloque;
        // The block is ordered by product, and products are asked for in ascending order.
        while (uFila < uBloque.getRowCount() && uBloque.getCeldaAsInt(uFila, uColumna) < producto)
            ++uFila;
        const int desde = uFila;
        while (uFila < uBloque.getRowCount() && uBloque.getCeldaAsInt(uFila, uColumna) == producto)
            ++uFila;
        return uBloque.filas(desde, uFila - desde);
    }

private:
    TlecturaReconstruccion &uFuente;
    Tlectura uLectura;
    int uNegocio;
    const CmidTierResponse &uProductos;
    int uColumnaProducto;
    int uAlmacen = 0;
    int uHasta = 0;
    CmidTierResponse uBloque;
    int uColumna = -1;
    int uFila = 0;
};

TconstruccionKardex::TconstruccionKardex(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio) {}

bool TconstruccionKardex::hayQueConstruir(TConexionSesion *sesion, int idNegocio) {
    TlecturaReconstruccion lectura(sesion);
    if (lectura.selectRegistrosKardex(idNegocio).getCeldaAsInt(0, QStringLiteral("_registros")) > 0)
        return false;
    return lectura.selectEntradasSalidasTodas(idNegocio).getRowCount() > 0;
}

void TconstruccionKardex::avance(int productos, int almacenes) {
    if (uAvance)
        uAvance(productos, almacenes);
}

bool TconstruccionKardex::construye() {
    TlecturaReconstruccion opciones(uSesion);
    TescrituraKardex escritura(uSesion); // the same connection, inside the transaction below
    u_ampliaCachePaginas(opciones);
    // One transaction for the whole ledger; on SQLite BEGIN IMMEDIATE, and on MariaDB the
    // business row's lock, make a second workstation wait and then find the ledger built.
    if (!opciones.transaccionInicia())
        return false;
    if (!opciones.selectNegocioParaReconstruir(uNegocio).isSuccess())
        return false;
    if (uVaciaPrimero && !escritura.deleteInventarioKardex(uNegocio).isSuccess())
        return false;
    const CmidTierResponse registros = opciones.selectRegistrosKardex(uNegocio);
    if (!registros.isSuccess() || registros.getCeldaAsInt(0, QStringLiteral("_registros")) > 0)
        return false;
    const CmidTierResponse metodo = Topciones(uSesion).selectMetodoValoracionInventario(uNegocio);
    const CmidTierResponse almacenes = opciones.selectAlmacenesExistentes(uNegocio);
    const CmidTierResponse productos = opciones.selectProductosExistentes(uNegocio);
    bool ok = metodo.isSuccess() && almacenes.isSuccess() && productos.isSuccess() &&
              recorre(opciones, escritura, almacenes, productos, int(metodo.getScalarAsInt()));
    ok = ok && opciones.transaccionTermina();
    if (!ok) {
        // Nothing of a failed rebuild stays: the ledger and the running columns are as they were
        // (an empty ledger makes the next start try again).
        opciones.transaccionRollback();
        Log::log(QStringLiteral("kardex: la reconstrucción falló; el kardex quedó como estaba"), 1);
    }
    return ok;
}

bool TconstruccionKardex::recorre(TlecturaReconstruccion &lectura, TescrituraKardex &escritura,
                                  const CmidTierResponse &almacenes, const CmidTierResponse &productos,
                                  int metodo) {
    const int nA = almacenes.getRowCount();
    const int nP = productos.getRowCount();
    const int columnaAlmacen = almacenes.getIndiceColumnaPorNombre(QStringLiteral("inventarioAlmacen_id"));
    TescritorKardex escritor(escritura);
    TkardexPEPS peps(escritor);
    TkardexPromedio promedio(escritor);
    Tlector lector(lectura, uLectura, uNegocio, productos);
    avance(0, int(100.0 / (nA + 1)));
    bool ok = true;
    for (int i = 0; ok && i < nA; ++i) {
        const int almacen = int(almacenes.getCeldaAsInt(i, columnaAlmacen));
        int j = 0;
        for (; ok && j < nP; ++j) {
            const CmidTierResponse lista = lector.lista(almacen, j);
            ok = lista.isSuccess();
            uMovimientos += lista.getRowCount();
            // Under PEPS the running columns are not restated: issues there leave at their
            // layer's cost, which an average would overwrite.
            if (ok && metodo == kMetodoPEPS)
                ok = peps.creaKardexPEPS(lista, almacen);
            else if (ok && metodo == kMetodoPromedioPonderado)
                ok = promedio.construye(lista, almacen);
            ok = ok && !escritor.fallo();
            if (ok)
                avance(int(100.0 / (nP + 1) * j), int(100.0 / (nA + 1) * (i + 1)));
        }
        avance(int(100.0 / (nP + 1) * j), int(100.0 / (nA + 1) * (i + 1)));
    }
    ok = escritor.termina() && ok;
    uRenglones = escritor.renglonesEscritos();
    uActualizaciones = escritor.actualizaciones();
    return ok;
}
