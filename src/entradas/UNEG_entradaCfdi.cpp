#include "entradas/UNEG_entradaCfdi.h"

#include "comun/UNEG_productos.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/U_proveedorCaptura.h"
#include "comun/U_utilerias.h"
#include "datos/UmiddleTier.h"
#include "entradas/UNEG_pedimento.h"

#include <algorithm>

namespace {
constexpr int kLargoClave = 100; // NoIdentificacion holds at most 100 characters
const QString kNegocio = QStringLiteral("negocio");

// The statements of a CFDI's matching, every one of the business. UUIDs are stored by the suite
// in either case; both spellings are bound so the uuid index still serves.
class TconsultasCfdi : public TmiddleTier {
public:
    TconsultasCfdi(TConexionSesion *sesion, int idNegocio) : TmiddleTier(sesion), uNegocio(idNegocio) {}

    QString rfcNegocio() {
        setQuery(QStringLiteral("SELECT rfc FROM negocio WHERE id = :negocio"));
        setParametroEntero(kNegocio, uNegocio);
        return celda(reader());
    }
    CmidTierResponse proveedorPorRfc(const QString &rfc) {
        setQuery(QStringLiteral("SELECT id, nombre FROM proveedor WHERE idNegocioFk = :negocio AND "
                                "UPPER(rfc) = :rfc ORDER BY id"));
        setParametroEntero(kNegocio, uNegocio);
        setParametroTexto(QStringLiteral("rfc"), rfc);
        return reader();
    }
    // An expense invoice (the suite's kinds 1 and 11) with that UUID.
    int comprobantePorUuid(const QString &uuid) {
        setQuery(QStringLiteral("SELECT idComprobante FROM Comprobante WHERE idNegocioFk = :negocio AND "
                                "uuid IN (:mayusculas, :minusculas) AND tipo IN (1, 11) ORDER BY "
                                "idComprobante"));
        bindUuid(uuid);
        return celda(reader()).toInt();
    }
    // The first receipt document of the business linked to an invoice with that UUID; empty when
    // none.
    QString documentoConUuid(const QString &uuid) {
        setQuery(QStringLiteral(
            "SELECT MIN(e.documento) FROM inventarioEntrada e JOIN Comprobante c ON c.idComprobante = "
            "e.idComprobante AND c.idNegocioFk = e.idNegocioFk WHERE e.idNegocioFk = :negocio AND c.uuid "
            "IN (:mayusculas, :minusculas)"));
        bindUuid(uuid);
        return celda(reader());
    }
    int productoRelacionado(const QString &rfc, const QString &clave) {
        setQuery(
            QStringLiteral("SELECT inventarioProducto_id FROM inventarioRelacionCfdi WHERE idNegocioFk = "
                           ":negocio AND rfcProveedor = :rfc AND noIdentificacion = :clave"));
        setParametroEntero(kNegocio, uNegocio);
        setParametroTexto(QStringLiteral("rfc"), rfc);
        setParametroTexto(QStringLiteral("clave"), clave);
        return celda(reader()).toInt();
    }
    int productoPorClave(const QString &clave) {
        setQuery(
            QStringLiteral("SELECT id FROM inventarioProducto WHERE idNegocioFk = :negocio AND clave <> '' "
                           "AND UPPER(clave) = :clave ORDER BY id"));
        setParametroEntero(kNegocio, uNegocio);
        setParametroTexto(QStringLiteral("clave"), clave.toUpper());
        return celda(reader()).toInt();
    }

private:
    void bindUuid(const QString &uuid) {
        setParametroEntero(kNegocio, uNegocio);
        setParametroTexto(QStringLiteral("mayusculas"), uuid.toUpper());
        setParametroTexto(QStringLiteral("minusculas"), uuid.toLower());
    }
    static QString celda(const CmidTierResponse &r) {
        return r.isSuccess() && r.getRowCount() > 0 ? r.getCelda(0, 0) : QString();
    }

    int uNegocio;
};

REC_unidadMedidacomunicacion unidadPropia(const TproductoSeleccionadoDescripcion &p) {
    return {true, p.unidadMedidaId, p.unidadMedidaEtiqueta, p.unidadMedidaConjunto, p.unidadMedidaRelacion};
}

// The CFDI's figures through the footer's own path: received in the product's unit, factor 1.
TrenglonArmado arma(const TproductoSeleccionadoDescripcion &producto, double cantidad, double costo) {
    return u_armaRenglon(producto, unidadPropia(producto),
                         {FloatToStr(cantidad), QStringLiteral("1"), FloatToStr(costo)});
}
} // namespace

int TllenadoCfdi::sinRelacionar() const {
    return int(std::count_if(renglones.cbegin(), renglones.cend(),
                             [](const TrenglonCaptura &r) { return r.productoID <= 0; }));
}

QString TllenadoCfdi::aviso() const {
    QStringList avisos;
    if (!comprobante.valido())
        avisos << QStringLiteral("El comprobante con UUID %1 no está registrado en el sistema; la entrada no "
                                 "quedará ligada a él.")
                      .arg(uuid);
    if (sinRelacionar() > 0)
        avisos << QStringLiteral("Artículos sin producto relacionado: %1. Haga clic en el nombre de cada uno "
                                 "para elegir su producto.")
                      .arg(sinRelacionar());
    return avisos.join(QStringLiteral("\r"));
}

TentradaCfdi::TentradaCfdi(TConexionSesion *sesion, int idNegocio) : uSesion(sesion), uNegocio(idNegocio) {}

TllenadoCfdi TentradaCfdi::llena(const Tcfdi &cfdi) const {
    TllenadoCfdi r;
    TconsultasCfdi consultas(uSesion, uNegocio);
    const QString rfcNegocio = consultas.rfcNegocio().trimmed().toUpper();
    if (rfcNegocio.isEmpty() || cfdi.receptorRfc != rfcNegocio) {
        r.error =
            QStringLiteral("El CFDI no está dirigido a este negocio: el RFC del receptor es \"%1\" y el "
                           "del negocio \"%2\".")
                .arg(cfdi.receptorRfc, rfcNegocio);
        return r;
    }
    if (cfdi.tipoDeComprobante != QLatin1String("I")) {
        r.error =
            QStringLiteral("El CFDI no es un comprobante de ingreso del proveedor (tipo \"%1\"); solo una "
                           "factura de compra puede dar una entrada.")
                .arg(cfdi.tipoDeComprobante);
        return r;
    }
    const QString documento = consultas.documentoConUuid(cfdi.uuid);
    if (!documento.isEmpty()) {
        r.error = QStringLiteral("El CFDI con UUID %1 ya está ligado a la entrada %2 de este negocio.")
                      .arg(cfdi.uuid, documento);
        return r;
    }
    r.uuid = cfdi.uuid;
    r.proveedor.rfc = cfdi.emisorRfc;
    r.proveedor.nombre = cfdi.emisorNombre;
    const CmidTierResponse proveedor = consultas.proveedorPorRfc(cfdi.emisorRfc);
    if (proveedor.isSuccess() && proveedor.getRowCount() > 0) {
        r.proveedor.id = int(proveedor.getCeldaAsInt(0, 0));
        r.proveedor.nombre = proveedor.getCelda(0, 1);
    }
    r.comprobante = getComprobanteById(consultas.comprobantePorUuid(cfdi.uuid), uNegocio, uSesion);
    for (const TconceptoCfdi &c : cfdi.conceptos)
        r.renglones.append(renglon(cfdi, c));
    return r;
}

TrenglonCaptura TentradaCfdi::renglon(const Tcfdi &cfdi, const TconceptoCfdi &concepto) const {
    const QString clave = concepto.noIdentificacion.left(kLargoClave);
    const double costo = concepto.costoUnitarioNeto();
    const TproductoSeleccionadoDescripcion p = producto(cfdi.emisorRfc, clave);
    const TrenglonArmado armado = arma(p, concepto.cantidad, costo);
    TrenglonCaptura l = armado.renglon;
    if (!p.seleccionado || !armado.ok) {
        // No product (or one whose figures do not fit): the line waits for the user's link.
        l = {};
        l.producto = QStringLiteral("Sin relacionar: ") + concepto.descripcion.left(limites::kNombreProducto);
        l.cantidad = concepto.cantidad;
        l.costoUnitario = costo;
        l.total = costo * concepto.cantidad;
        l.factor = QStringLiteral("1");
    }
    l.claveProveedor = clave;
    if (!concepto.pedimentos.isEmpty())
        l.informacion.pedimento = u_pedimentoDeCfdi(concepto.pedimentos.first());
    return l;
}

// The user's last link first (it settles a key that names another product here), then the
// product key, then the barcode; only a product that may be received.
TproductoSeleccionadoDescripcion TentradaCfdi::producto(const QString &rfc, const QString &clave) const {
    if (clave.isEmpty())
        return {};
    TconsultasCfdi consultas(uSesion, uNegocio);
    for (const int id : {consultas.productoRelacionado(rfc, clave), consultas.productoPorClave(clave)}) {
        const TproductoSeleccionadoDescripcion p = u_productoPorId(uSesion, id, uNegocio);
        if (p.seleccionado && p.estatus == 1)
            return p;
    }
    const CmidTierResponse barras = Tproductos(uSesion).selectProductoByCodigoBarras(clave, uNegocio);
    if (barras.isSuccess() && barras.getRowCount() > 0) {
        const TproductoSeleccionadoDescripcion p = u_productoDeFila(barras, 0);
        if (p.estatus == 1)
            return p;
    }
    return {};
}

int TentradaCfdi::creaProveedor(const TproveedorCaptura &proveedor, QString &error) const {
    const TresultadoCaptura r = proveedorCaptura::guarda(uSesion, proveedor, uNegocio);
    error = r.mensaje;
    return r.id;
}

UREC_comprobante u_recComprobante(const TComprobante &comprobante) {
    UREC_comprobante r;
    r.aceptar = comprobante.valido();
    r.id = comprobante.idComprobante;
    r.emisorRFC = comprobante.emisorRfc;
    r.emisorNombre = comprobante.emisorNombre;
    r.fechaHora = comprobante.fecha.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    r.total = u_formatoMoneda(comprobante.total);
    r.serie = comprobante.serie;
    r.folio = comprobante.folio;
    r.comprobante = comprobante;
    return r;
}

TrenglonArmado u_relacionaRenglonCfdi(const TrenglonCaptura &renglon,
                                      const TproductoSeleccionadoDescripcion &producto) {
    TrenglonArmado r = arma(producto, renglon.cantidad, renglon.costoUnitario);
    if (!r.ok)
        return r;
    r.renglon.informacion = renglon.informacion;
    r.renglon.claveProveedor = renglon.claveProveedor;
    r.renglon.relacionManual = !renglon.claveProveedor.isEmpty();
    return r;
}

TposteoEntrada::TescrituraAdicional u_escrituraCfdi(int idNegocio, int idComprobante, const QString &rfc,
                                                    const QVector<TrenglonCaptura> &renglones) {
    QVector<QPair<QString, int>> relaciones;
    for (const TrenglonCaptura &r : renglones)
        if (r.relacionManual && r.productoID > 0)
            relaciones.append({r.claveProveedor, r.productoID});
    return [=](TintentoPosteo &intento, Tentradas &t) {
        if (idComprobante > 0) {
            t.setQuery(
                QStringLiteral("SELECT COUNT(DISTINCT documento) FROM inventarioEntrada WHERE idNegocioFk "
                               "= :negocio AND idComprobante = :comprobante"));
            t.setParametroEntero(kNegocio, idNegocio);
            t.setParametroEntero(QStringLiteral("comprobante"), idComprobante);
            const CmidTierResponse documentos = t.scalar();
            if (!intento.ok(documentos))
                return false;
            if (documentos.getScalarAsInt() > 1)
                return intento.conflicto();
        }
        for (const auto &[clave, producto] : relaciones) {
            t.setQuery(QStringLiteral("DELETE FROM inventarioRelacionCfdi WHERE idNegocioFk = :negocio AND "
                                      "rfcProveedor = :rfc AND noIdentificacion = :clave"));
            t.setParametroEntero(kNegocio, idNegocio);
            t.setParametroTexto(QStringLiteral("rfc"), rfc);
            t.setParametroTexto(QStringLiteral("clave"), clave);
            if (!intento.ok(t.nonQuery()))
                return false;
            t.setQuery(QStringLiteral(
                "INSERT INTO inventarioRelacionCfdi (idNegocioFk, rfcProveedor, noIdentificacion, "
                "inventarioProducto_id) SELECT p.idNegocioFk, :rfc, :clave, p.id FROM inventarioProducto p "
                "WHERE "
                "p.id = :producto AND p.idNegocioFk = :negocio"));
            t.setParametroEntero(kNegocio, idNegocio);
            t.setParametroTexto(QStringLiteral("rfc"), rfc);
            t.setParametroTexto(QStringLiteral("clave"), clave);
            t.setParametroEntero(QStringLiteral("producto"), producto);
            if (!intento.ok(t.nonQuery()))
                return false;
        }
        return true;
    };
}
