#include "existencias/UNEG_importacionMovimientos.h"

#include "comun/U_interaccionAutomatica.h"
#include "comun/U_lectorCsv.h"
#include "comun/U_lectorXlsx.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_posteoMovimientos.h"
#include "comun/U_productoCaptura.h"
#include "comun/U_utilerias.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UmiddleTier.h"
#include "datos/UtransaccionEnvolvente.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UNEG_documentoSalida.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>

namespace {
using namespace importacionMovimientos;

constexpr int kLargoLote = 50;
constexpr int kLargoPedimento = 50;
constexpr int kDireccionEntrada = 1;
constexpr int kFamiliaOrdinaria = 1;
constexpr int kFamiliaExistenciaInicial = -4;

// A name compared as the catalogues compare them: trimmed, without case.
QString comparable(const QString &texto) {
    return texto.trimmed().toCaseFolded();
}

// A text from the file quoted in a message, cut so a hostile cell cannot flood it.
QString cita(const QString &texto) {
    const QString limpio = texto.trimmed();
    return QStringLiteral("«") + (limpio.size() > 60 ? limpio.left(60) + QStringLiteral("…") : limpio) +
           QStringLiteral("»");
}

// One line of the file, read and checked as text.
struct Trenglon {
    int fila = 0;
    QString documento;
    QDateTime fecha;
    bool entrada = true;
    QString almacen, concepto, producto, nombre, lote, pedimento, rfc;
    double cantidad = 0;
    double costo = 0;
};

// Rows that form one document, with what the catalogue resolved them to.
struct Tdocumento {
    QVector<Trenglon> renglones;
    int almacen = 0;
    int concepto = 0;
    int proveedor = 0;
    const Trenglon &primero() const { return renglones.first(); }
};

struct Tproducto {
    int id = 0; // 0: to be created by the import
    QString clave;
    QString nombre;
    int unidad = 0;
    bool series = false;
    bool activo = true;
};

struct Tfalla {
    int fila = 0;
    QString mensaje;
};

QString filaTexto(int fila, const QString &mensaje) {
    return fila > 0 ? QStringLiteral("Fila %1: %2").arg(fila).arg(mensaje) : mensaje;
}

// ---- The file's rows ---------------------------------------------------------------------------

// A workbook's first sheet as text: dates typed as dates come back as date-times, numbers as the
// number they hold.
QVector<QStringList> hojaComoTexto(const QVector<QVector<TceldaXlsx>> &hoja) {
    QVector<QStringList> tabla;
    for (const auto &fila : hoja) {
        QStringList textos;
        for (const TceldaXlsx &c : fila) {
            const QString formato = c.formato.toLower();
            const bool fecha = c.numerica && (formato.contains(QLatin1String("yy")) ||
                                              formato.contains(QLatin1String("dd")) ||
                                              formato.contains(QLatin1String("h:")));
            if (fecha) {
                bool ok = false;
                const double serie = c.valor.toDouble(&ok);
                const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC); // the serial counts days
                textos << (ok && serie >= 0 && serie < 2958466                   // up to 9999-12-31
                               ? base.addSecs(qRound64(serie * 86400.0))
                                     .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                               : c.valor);
            } else if (c.numerica && c.valor.contains(QLatin1Char('E'), Qt::CaseInsensitive)) {
                textos << FloatToStr(c.valor.toDouble());
            } else {
                textos << c.valor;
            }
        }
        tabla << textos;
    }
    return tabla;
}

QDateTime leeFecha(const QString &texto) {
    const QString t = texto.trimmed();
    for (const char *formato : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm"}) {
        const QDateTime f = QDateTime::fromString(t, QString::fromLatin1(formato));
        if (f.isValid())
            return f;
    }
    return {};
}

// The header's columns by name; false with the reason.
bool leeEncabezado(const QStringList &encabezado, QHash<QString, int> &columnas, Tfalla &falla) {
    for (int i = 0; i < encabezado.size(); ++i) {
        const QString nombre = encabezado[i].trimmed().toLower();
        if (nombre.isEmpty())
            continue;
        if (!kColumnasRequeridas.contains(nombre) && !kColumnasOpcionales.contains(nombre)) {
            falla = {1, QStringLiteral("la columna %1 no es una de las que se importan.").arg(cita(nombre))};
            return false;
        }
        if (columnas.contains(nombre)) {
            falla = {1, QStringLiteral("la columna %1 aparece dos veces.").arg(cita(nombre))};
            return false;
        }
        columnas.insert(nombre, i);
    }
    for (const QString &c : kColumnasRequeridas) {
        if (!columnas.contains(c)) {
            falla = {1, QStringLiteral("falta la columna %1.").arg(cita(c))};
            return false;
        }
    }
    return true;
}

// One row's texts checked; false with the reason.
bool leeRenglon(const QStringList &campos, const QHash<QString, int> &columnas, Trenglon &r, Tfalla &falla) {
    auto valor = [&](const QString &nombre) { return campos.value(columnas.value(nombre, -1)).trimmed(); };
    auto mal = [&](const QString &mensaje) {
        falla = {r.fila, mensaje};
        return false;
    };
    r.documento = valor(QStringLiteral("documento"));
    r.fecha = leeFecha(valor(QStringLiteral("fecha")));
    if (!r.fecha.isValid())
        return mal(QStringLiteral("la fecha %1 no es AAAA-MM-DD HH:MM[:SS].")
                       .arg(cita(valor(QStringLiteral("fecha")))));
    const QString tipo = valor(QStringLiteral("tipo")).toLower();
    if (tipo != QLatin1String("entrada") && tipo != QLatin1String("salida"))
        return mal(QStringLiteral("el tipo %1 no es «entrada» ni «salida».").arg(cita(tipo)));
    r.entrada = tipo == QLatin1String("entrada");
    r.almacen = valor(QStringLiteral("almacen"));
    r.concepto = valor(QStringLiteral("concepto"));
    r.producto = valor(QStringLiteral("producto"));
    r.nombre = valor(QStringLiteral("nombre"));
    r.lote = valor(QStringLiteral("lote"));
    r.pedimento = valor(QStringLiteral("pedimento"));
    r.rfc = valor(QStringLiteral("rfc_proveedor")).toUpper();
    for (const auto &[texto, campo] : {std::pair{r.almacen, "almacen"}, std::pair{r.concepto, "concepto"},
                                       std::pair{r.producto, "producto"}}) {
        if (texto.isEmpty())
            return mal(QStringLiteral("falta el valor de «%1».").arg(QLatin1String(campo)));
    }
    if (r.nombre.size() > limites::kNombreProducto)
        return mal(QStringLiteral("el nombre pasa de %1 caracteres.").arg(limites::kNombreProducto));
    if (r.lote.size() > kLargoLote)
        return mal(QStringLiteral("el lote pasa de %1 caracteres.").arg(kLargoLote));
    if (r.pedimento.size() > kLargoPedimento)
        return mal(QStringLiteral("el pedimento pasa de %1 caracteres.").arg(kLargoPedimento));
    if (r.rfc.size() > limites::kRfc)
        return mal(QStringLiteral("el RFC del proveedor pasa de %1 caracteres.").arg(limites::kRfc));
    if (!r.entrada && (!r.lote.isEmpty() || !r.pedimento.isEmpty() || !r.rfc.isEmpty()))
        return mal(QStringLiteral("lote, pedimento y rfc_proveedor son datos de una entrada."));
    const TnumeroCapturado cantidad = u_leeNumeroCapturado(
        valor(QStringLiteral("cantidad")), QStringLiteral("cantidad"), TreglaNumero::Positivo);
    if (!cantidad.ok)
        return mal(cantidad.mensaje);
    r.cantidad = cantidad.valor;
    if (r.entrada) {
        const TnumeroCapturado costo =
            u_leeNumeroCapturado(valor(QStringLiteral("costo_unitario")), QStringLiteral("costo_unitario"),
                                 TreglaNumero::CeroOPositivo);
        if (!costo.ok)
            return mal(costo.mensaje);
        r.costo = costo.valor;
    }
    return true;
}

// Rows of the same documento, date, kind and warehouse are one document, in date order (the file's
// order within an instant). A document's rows must agree on concept and provider.
bool agrupa(const QVector<Trenglon> &renglones, QVector<Tdocumento> &documentos, Tfalla &falla) {
    QHash<QString, int> indice;
    for (const Trenglon &r : renglones) {
        const QString clave =
            r.documento.isEmpty()
                ? QString()
                : QStringList{r.documento, r.fecha.toString(Qt::ISODate),
                              r.entrada ? QStringLiteral("e") : QStringLiteral("s"), comparable(r.almacen)}
                      .join(QChar(0x1f));
        const auto it = clave.isEmpty() ? indice.constEnd() : indice.constFind(clave);
        if (it == indice.constEnd()) {
            if (!clave.isEmpty())
                indice.insert(clave, int(documentos.size()));
            documentos.append({{r}});
            continue;
        }
        Tdocumento &d = documentos[it.value()];
        if (comparable(d.primero().concepto) != comparable(r.concepto) || d.primero().rfc != r.rfc) {
            falla = {r.fila,
                     QStringLiteral("el documento %1 ya tiene otro concepto o proveedor en la fila %2.")
                         .arg(cita(r.documento))
                         .arg(d.primero().fila)};
            return false;
        }
        d.renglones.append(r);
    }
    std::stable_sort(documentos.begin(), documentos.end(), [](const Tdocumento &a, const Tdocumento &b) {
        return a.primero().fecha < b.primero().fecha;
    });
    return true;
}

// ---- The business's catalogue -----------------------------------------------------------------

// The names the file may use, read once and only from the business.
class Tcatalogo {
public:
    Tcatalogo(TConexionSesion *sesion, int idNegocio) : uMt(sesion), uNegocio(idNegocio) {}

    bool carga() {
        return lee(QStringLiteral("SELECT id, nombre FROM inventarioAlmacen WHERE idNegocioFk = :negocio"),
                   [&](const CmidTierResponse &r, int f) {
                       uAlmacenes.insert(comparable(r.getCelda(f, 1)), int(r.getCeldaAsInt(f, 0)));
                   }) &&
               lee(QStringLiteral("SELECT id, etiqueta, direccion, familia FROM inventarioMovimientoConcepto "
                                  "WHERE idNegocioFk = :negocio"),
                   [&](const CmidTierResponse &r, int f) {
                       const int familia = int(r.getCeldaAsInt(f, 3));
                       const int direccion = int(r.getCeldaAsInt(f, 2));
                       const bool admitido =
                           familia == kFamiliaOrdinaria ||
                           (familia == kFamiliaExistenciaInicial && direccion == kDireccionEntrada);
                       const QString clave = QString::number(direccion) + comparable(r.getCelda(f, 1));
                       // Of two concepts with one label, the one an import may use wins.
                       if (admitido || !uConceptos.contains(clave))
                           uConceptos.insert(clave, admitido ? int(r.getCeldaAsInt(f, 0)) : -1);
                   }) &&
               lee(QStringLiteral(
                       "SELECT id, clave, nombre, unidadesMedida_id, opControladoNoSerie, estatus FROM "
                       "inventarioProducto WHERE idNegocioFk = :negocio"),
                   [&](const CmidTierResponse &r, int f) {
                       uProductos.insert(comparable(r.getCelda(f, 1)),
                                         {int(r.getCeldaAsInt(f, 0)), r.getCelda(f, 1), r.getCelda(f, 2),
                                          int(r.getCeldaAsInt(f, 3)), r.getCeldaAsInt(f, 4) > 0,
                                          r.getCeldaAsInt(f, 5) > 0});
                   }) &&
               lee(QStringLiteral("SELECT id, rfc FROM proveedor WHERE idNegocioFk = :negocio"),
                   [&](const CmidTierResponse &r, int f) {
                       uProveedores.insert(r.getCelda(f, 1).trimmed().toUpper(), int(r.getCeldaAsInt(f, 0)));
                   }) &&
               lee(QStringLiteral("SELECT id FROM inventarioUnidadesMedida WHERE idNegocioFk = :negocio AND "
                                  "razon = 1 ORDER BY id"),
                   [&](const CmidTierResponse &r, int f) {
                       if (f == 0)
                           uUnidadBasica = int(r.getCeldaAsInt(f, 0));
                   });
    }

    // Every name of the document known; its products found or, when allowed, to be created.
    bool resuelve(Tdocumento &d, bool crearProductos, Tfalla &falla) {
        const Trenglon &p = d.primero();
        d.almacen = uAlmacenes.value(comparable(p.almacen));
        if (d.almacen <= 0)
            return mal(falla, p.fila, QStringLiteral("el almacén %1 no existe.").arg(cita(p.almacen)));
        d.concepto = uConceptos.value(QString::number(p.entrada ? 1 : 2) + comparable(p.concepto));
        if (d.concepto == 0)
            return mal(
                falla, p.fila,
                QStringLiteral("no hay un concepto de %1 llamado %2.")
                    .arg(p.entrada ? QStringLiteral("entrada") : QStringLiteral("salida"), cita(p.concepto)));
        if (d.concepto < 0)
            return mal(falla, p.fila,
                       QStringLiteral("el concepto %1 tiene su propia pantalla; no se importa.")
                           .arg(cita(p.concepto)));
        if (!p.rfc.isEmpty()) {
            d.proveedor = uProveedores.value(p.rfc);
            if (d.proveedor <= 0)
                return mal(falla, p.fila, QStringLiteral("no hay un proveedor con RFC %1.").arg(cita(p.rfc)));
        }
        for (const Trenglon &r : d.renglones) {
            const QString clave = comparable(r.producto);
            auto it = uProductos.find(clave);
            if (it == uProductos.end()) {
                if (!crearProductos)
                    return mal(falla, r.fila,
                               QStringLiteral("el producto %1 no existe.").arg(cita(r.producto)));
                if (r.nombre.isEmpty())
                    return mal(
                        falla, r.fila,
                        QStringLiteral("el producto nuevo %1 necesita su nombre.").arg(cita(r.producto)));
                if (uUnidadBasica <= 0)
                    return mal(falla, r.fila,
                               QStringLiteral("el negocio no tiene una unidad de medida básica."));
                it = uProductos.insert(clave, {0, r.producto, r.nombre, uUnidadBasica, false, true});
            }
            if (it->series)
                return mal(falla, r.fila,
                           QStringLiteral("el producto %1 lleva números de serie; capture sus documentos en "
                                          "pantalla.")
                               .arg(cita(r.producto)));
            if (r.entrada && !it->activo)
                return mal(falla, r.fila,
                           QStringLiteral("el producto %1 está inactivo.").arg(cita(r.producto)));
        }
        return true;
    }

    Tproducto &producto(const QString &clave) { return uProductos[comparable(clave)]; }

private:
    static bool mal(Tfalla &falla, int fila, const QString &mensaje) {
        falla = {fila, mensaje};
        return false;
    }
    bool lee(const QString &sentencia, const std::function<void(const CmidTierResponse &, int)> &fila) {
        uMt.setQuery(sentencia);
        uMt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        const CmidTierResponse r = uMt.reader();
        for (int f = 0; r.isSuccess() && f < r.getRowCount(); ++f)
            fila(r, f);
        return r.isSuccess();
    }

    TmiddleTier uMt;
    int uNegocio;
    QHash<QString, int> uAlmacenes, uConceptos, uProveedores;
    QHash<QString, Tproducto> uProductos;
    int uUnidadBasica = 0;
};

// ---- Posting ----------------------------------------------------------------------------------

// Adds what `parte` posted to `total`.
void suma(TresultadoImportacionMovimientos &total, const TresultadoImportacionMovimientos &parte) {
    total.documentos += parte.documentos;
    total.lineas += parte.lineas;
    total.productosCreados += parte.productosCreados;
    total.valorRecibido += parte.valorRecibido;
    total.costoSalidas += parte.costoSalidas;
    total.lineasSalida += parte.lineasSalida;
}

// Posts documents one by one. What they add waits in pendientes() until the envelope around them
// is committed; a document that fails adds nothing.
class Timportador {
public:
    Timportador(TConexionSesion *sesion, int idNegocio, Tcatalogo &catalogo)
        : uSesion(sesion), uNegocio(idNegocio), uCatalogo(catalogo) {}

    // The document and the products it creates, as one savepoint of the envelope.
    bool postea(const Tdocumento &d, Tfalla &falla) {
        TresultadoImportacionMovimientos aporte;
        aporte.documentos = {{d.primero().fila, d.primero().documento, d.primero().entrada}};
        aporte.lineas = int(d.renglones.size());
        TmiddleTier marco(uSesion);
        if (!marco.transaccionInicia() || !creaProductos(d, aporte, falla))
            return detiene(marco, d.primero().fila, falla);
        const bool ok = d.primero().entrada ? recibe(d, aporte) : entrega(d, aporte, falla);
        if (!ok || !marco.transaccionTermina())
            return detiene(marco, d.primero().fila, falla);
        suma(uPendiente, aporte);
        return true;
    }

    TresultadoImportacionMovimientos &pendientes() { return uPendiente; }

private:
    bool detiene(TmiddleTier &marco, int fila, Tfalla &falla) {
        marco.transaccionRollback();
        if (falla.mensaje.isEmpty()) {
            const QString aviso = uUsuario.ultimoAviso();
            falla = {falla.fila > 0 ? falla.fila : fila,
                     aviso.isEmpty() ? QStringLiteral("no se pudo guardar el documento.") : aviso};
        }
        return false;
    }

    bool creaProductos(const Tdocumento &d, TresultadoImportacionMovimientos &aporte, Tfalla &falla) {
        for (const Trenglon &r : d.renglones) {
            Tproducto &p = uCatalogo.producto(r.producto);
            if (p.id > 0)
                continue;
            TproductoCaptura alta;
            alta.clave = p.clave;
            alta.nombre = p.nombre;
            alta.unidadMedidaId = p.unidad;
            const TresultadoCaptura hecho =
                productoCaptura::guarda(uSesion, alta, uNegocio, productoCaptura::Tcategoria::Opcional);
            if (!hecho.ok()) {
                falla = {r.fila, hecho.mensaje};
                return false;
            }
            p.id = hecho.id;
            ++aporte.productosCreados;
        }
        return true;
    }

    bool recibe(const Tdocumento &d, TresultadoImportacionMovimientos &aporte) {
        TdocumentoEntrada doc(uSesion, uNegocio);
        TdatosEntrada &datos = doc.datos();
        datos.almacenID = d.almacen;
        datos.conceptoID = d.concepto;
        datos.fechaHora = d.primero().fecha;
        datos.proveedorID = d.proveedor;
        for (const Trenglon &r : d.renglones) {
            const Tproducto &p = uCatalogo.producto(r.producto);
            TlineaEntrada l;
            l.productoID = p.id;
            l.producto = p.nombre;
            l.cantidad = FloatToStr(r.cantidad);
            l.costoUnitario = r.costo;
            l.unidadRecibidaID = p.unidad;
            l.informacion.lote.numero = r.lote;
            l.informacion.pedimento.numeroPedimento = r.pedimento;
            datos.lineas << l;
            aporte.valorRecibido += r.cantidad * r.costo;
        }
        if (!doc.guardar())
            return false;
        aporte.documentos.first().numero = doc.documento();
        aporte.documentos.first().asientoPendiente = doc.asientoPendiente();
        return true;
    }

    bool entrega(const Tdocumento &d, TresultadoImportacionMovimientos &aporte, Tfalla &falla) {
        TdocumentoSalida doc(uSesion, uNegocio);
        if (!doc.setAlmacen(d.almacen) || !doc.setConcepto(d.concepto))
            return false;
        doc.setFechaHora(d.primero().fecha);
        QHash<int, QString> claves;
        for (const Trenglon &r : d.renglones) {
            const Tproducto &p = uCatalogo.producto(r.producto);
            TproductoSalida producto;
            producto.id = p.id;
            producto.nombre = p.nombre;
            claves.insert(p.id, p.clave);
            // The capture's "Agregar": a product met again in the document takes the sum.
            if (!doc.agregaAlDocumento(producto, r.cantidad)) {
                falla.fila = r.fila;
                return false;
            }
        }
        if (!doc.guardar())
            return false;
        aporte.documentos.first().numero = doc.documento();
        aporte.documentos.first().asientoPendiente = doc.asientoPendiente();
        for (const TlineaSalida &l : doc.lineas()) {
            aporte.lineasSalida << TlineaSalidaImportada{
                doc.documento(), d.primero().fecha, claves.value(l.producto.id),
                l.entradaID,     l.cantidad,        l.costoUnitario};
            aporte.costoSalidas += l.total;
        }
        return true;
    }

    TConexionSesion *uSesion;
    int uNegocio;
    Tcatalogo &uCatalogo;
    TinteraccionAutomatica uUsuario;
    TresultadoImportacionMovimientos uPendiente;
};

// Opens the envelope and, on MariaDB, takes the business's lock for the whole of it.
bool abre(TtransaccionEnvolvente &envolvente, TConexionSesion *sesion, int idNegocio) {
    if (!envolvente.inicia())
        return false;
    TmiddleTier mt(sesion);
    if (u_bloqueaNegocio(mt, idNegocio))
        return true;
    envolvente.revierte();
    return false;
}

TresultadoImportacionMovimientos detenida(TresultadoImportacionMovimientos r, const Tfalla &falla) {
    r.completa = false;
    r.filaFallida = falla.fila;
    r.mensaje = filaTexto(falla.fila, falla.mensaje);
    return r;
}

QString sinDatos() {
    const TfallaSentencia f = u_ultimaFalla();
    return QStringLiteral("no se pudo escribir en la base de datos") +
           (f.hay ? QStringLiteral(" (%1).").arg(f.texto.left(200)) : QStringLiteral("."));
}

// A text cell of the report that a spreadsheet would take for a formula is written as text.
QString campoInforme(const QString &texto) {
    QString t = texto;
    if (!t.isEmpty() && QStringLiteral("=+-@").contains(t.front()))
        t.prepend(QLatin1Char('\''));
    if (t.contains(QLatin1Char(',')) || t.contains(QLatin1Char('"')) || t.contains(QLatin1Char('\n')))
        return QLatin1Char('"') + t.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return t;
}
} // namespace

bool u_leeTablaMovimientos(const QString &ruta, QVector<QStringList> &tabla, QString &error) {
    const QFileInfo info(ruta);
    const QString extension = info.suffix().toLower();
    if (extension != QLatin1String("csv") && extension != QLatin1String("xlsx")) {
        error = QStringLiteral("El archivo debe ser .csv o .xlsx.");
        return false;
    }
    if (!info.isFile()) {
        error = QStringLiteral("No existe el archivo %1.").arg(ruta);
        return false;
    }
    if (info.size() > kTamanoMaximo) {
        error = QStringLiteral("El archivo pasa de %1 MB.").arg(kTamanoMaximo / (1024 * 1024));
        return false;
    }
    if (extension == QLatin1String("xlsx")) {
        TlectorXlsx lector;
        if (!lector.abre(ruta) || lector.hojas().isEmpty()) {
            error = QStringLiteral("No se pudo leer el libro: ") + lector.error();
            return false;
        }
        tabla = hojaComoTexto(lector.hoja(0));
        return true;
    }
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("No se pudo abrir el archivo: ") + archivo.errorString();
        return false;
    }
    TlectorCsv lector;
    if (!lector.lee(archivo.read(kTamanoMaximo))) {
        error = QStringLiteral("No se pudo leer el archivo CSV: ") + lector.error();
        return false;
    }
    tabla = lector.filas();
    return true;
}

namespace {
// The file's rows as documents in date order, every name resolved against the business; false
// with the row at fault.
bool documentosDeTabla(const QVector<QStringList> &tabla, Tcatalogo &catalogo, bool crearProductos,
                       QVector<Tdocumento> &documentos, Tfalla &falla) {
    QHash<QString, int> columnas;
    if (tabla.isEmpty()) {
        falla = {0, QStringLiteral("El archivo está vacío.")};
        return false;
    }
    if (!leeEncabezado(tabla.first(), columnas, falla))
        return false;
    QVector<Trenglon> renglones;
    for (int i = 1; i < tabla.size(); ++i) {
        if (std::all_of(tabla[i].begin(), tabla[i].end(),
                        [](const QString &c) { return c.trimmed().isEmpty(); }))
            continue;
        Trenglon renglon;
        renglon.fila = i + 1;
        if (!leeRenglon(tabla[i], columnas, renglon, falla))
            return false;
        renglones << renglon;
    }
    if (renglones.isEmpty()) {
        falla = {0, QStringLiteral("El archivo no tiene renglones que importar.")};
        return false;
    }
    if (!agrupa(renglones, documentos, falla))
        return false;
    if (!catalogo.carga()) {
        falla = {0, QStringLiteral("No se pudo leer el catálogo del negocio.")};
        return false;
    }
    return std::all_of(documentos.begin(), documentos.end(),
                       [&](Tdocumento &d) { return catalogo.resuelve(d, crearProductos, falla); });
}

// Posts the documents inside the envelope, committed every few hundred (or rolled back at the end
// of a trial run); `r` gets what was committed. False with the row at fault.
bool posteaDocumentos(TConexionSesion *sesion, int idNegocio, Tcatalogo &catalogo,
                      const QVector<Tdocumento> &documentos, const TopcionesImportacion &opciones,
                      const TavanceMovimientos &avance, TresultadoImportacionMovimientos &r, Tfalla &falla) {
    Timportador importador(sesion, idNegocio, catalogo);
    TtransaccionEnvolvente envolvente(sesion);
    if (!abre(envolvente, sesion, idNegocio)) {
        falla = {0, sinDatos()};
        return false;
    }
    // Only what the envelope committed counts as posted.
    auto confirma = [&]() {
        const bool ok = envolvente.confirma();
        if (ok)
            suma(r, importador.pendientes());
        importador.pendientes() = {};
        return ok;
    };
    const int total = int(documentos.size());
    for (int i = 0; i < total; ++i) {
        if (!importador.postea(documentos[i], falla))
            break;
        if (!opciones.simular && importador.pendientes().documentos.size() >= kDocumentosPorConfirmacion) {
            if (!confirma()) {
                falla = {0, sinDatos()};
                break;
            }
            if (!abre(envolvente, sesion, idNegocio)) {
                falla = {i + 1 < total ? documentos[i + 1].primero().fila : 0, sinDatos()};
                break;
            }
        }
        if (avance)
            avance(i + 1, total);
    }
    // A trial run proves everything and keeps nothing; a real one keeps what was posted.
    if (opciones.simular) {
        envolvente.revierte();
        suma(r, importador.pendientes());
    } else if (envolvente.abierta() && !confirma()) {
        falla = {0, sinDatos()}; // the documents since the last commit are lost with it
    }
    return falla.mensaje.isEmpty();
}
} // namespace

TresultadoImportacionMovimientos u_importaMovimientos(TConexionSesion *sesion, int idNegocio,
                                                      const QVector<QStringList> &tabla,
                                                      const TopcionesImportacion &opciones,
                                                      const TavanceMovimientos &avance) {
    TresultadoImportacionMovimientos r;
    Tfalla falla;
    Tcatalogo catalogo(sesion, idNegocio);
    QVector<Tdocumento> documentos;
    if (!documentosDeTabla(tabla, catalogo, opciones.crearProductos, documentos, falla) ||
        !posteaDocumentos(sesion, idNegocio, catalogo, documentos, opciones, avance, r, falla))
        return detenida(r, falla);
    r.completa = true;
    return r;
}

TresultadoImportacionMovimientos u_importaArchivoMovimientos(TConexionSesion *sesion, int idNegocio,
                                                             const QString &ruta,
                                                             const TopcionesImportacion &opciones,
                                                             const TavanceMovimientos &avance) {
    QVector<QStringList> tabla;
    QString error;
    if (!u_leeTablaMovimientos(ruta, tabla, error)) {
        TresultadoImportacionMovimientos r;
        r.mensaje = error;
        return r;
    }
    return u_importaMovimientos(sesion, idNegocio, tabla, opciones, avance);
}

QStringList u_resumenImportacion(const TresultadoImportacionMovimientos &r, bool simulada) {
    QStringList lineas;
    const QString verbo = simulada ? QStringLiteral("Se guardaría") : QStringLiteral("Guardado");
    int entradas = 0;
    for (const TdocumentoImportado &d : r.documentos) {
        entradas += d.entrada ? 1 : 0;
        lineas << QStringLiteral("%1: fila %2%3 -> %4 %5")
                      .arg(verbo)
                      .arg(d.fila)
                      .arg(d.documento.isEmpty() ? QString() : QStringLiteral(" documento ") + d.documento,
                           d.entrada ? QStringLiteral("entrada") : QStringLiteral("salida"))
                      .arg(d.numero);
    }
    if (simulada)
        lineas << QStringLiteral("Simulación: no se guardó nada.");
    lineas << QStringLiteral("Documentos: %1 (entradas: %2, salidas: %3)")
                  .arg(r.documentos.size())
                  .arg(entradas)
                  .arg(r.documentos.size() - entradas)
           << QStringLiteral("Renglones: %1").arg(r.lineas)
           << QStringLiteral("Valor recibido: %1").arg(u_formatoMoneda(r.valorRecibido))
           << QStringLiteral("Costo de las salidas: %1").arg(u_formatoMoneda(r.costoSalidas));
    if (r.productosCreados > 0)
        lineas << QStringLiteral("Productos creados: %1").arg(r.productosCreados);
    for (const TdocumentoImportado &d : r.documentos)
        if (d.asientoPendiente)
            lineas << QStringLiteral("El asiento contable de la %1 %2 quedó pendiente.")
                          .arg(d.entrada ? QStringLiteral("entrada") : QStringLiteral("salida"))
                          .arg(d.numero);
    if (!r.completa) {
        lineas << QStringLiteral("La importación se detuvo. ") + r.mensaje;
        if (!simulada && !r.documentos.isEmpty())
            lineas << QStringLiteral("Los documentos anteriores quedaron guardados.");
    }
    return lineas;
}

bool u_escribeInformeImportacion(const QString &ruta, const TresultadoImportacionMovimientos &r,
                                 QString &error) {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) {
        error = archivo.errorString();
        return false;
    }
    QTextStream s(&archivo);
    s << "documento,fecha,producto,capa,cantidad,costo_unitario\n";
    for (const TlineaSalidaImportada &l : r.lineasSalida)
        s << l.documento << ',' << l.fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << ','
          << campoInforme(l.producto) << ',' << l.capa << ',' << FloatToStr(l.cantidad) << ','
          << FloatToStr(l.costoUnitario) << '\n';
    s.flush();
    if (!archivo.commit()) {
        error = archivo.errorString();
        return false;
    }
    return true;
}
