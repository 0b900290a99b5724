#include "UestacionPosteos.h"

#include "comun/U_mensajes.h"
#include "comun/U_posteoMovimientos.h"
#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UNEG_documentoSalida.h"

#include <QStringList>
#include <QThread>

#include <array>
#include <cmath>

namespace {
const QStringList kClaves{QStringLiteral("entradas"),   QStringLiteral("salidas"),
                          QStringLiteral("existencia"), QStringLiteral("series"),
                          QStringLiteral("fecha"),      QStringLiteral("otros"),
                          QStringLiteral("fallas"),     QStringLiteral("repartidas")};

// The counts in the order of kClaves (const or not as the count).
template <class Tcuenta> auto campos(Tcuenta &c) {
    return std::array{&c.entradas, &c.salidas, &c.existencia, &c.series,
                      &c.fecha,    &c.otros,   &c.fallas,     &c.repartidas};
}

void fijaFecha(TdocumentoEntrada &doc, const QDateTime &fecha) {
    doc.datos().fechaHora = fecha;
}
void fijaFecha(TdocumentoSalida &doc, const QDateTime &fecha) {
    doc.setFechaHora(fecha);
}
TmotivoConflicto motivo(const TdocumentoEntrada &) {
    return TmotivoConflicto::Otro;
}
TmotivoConflicto motivo(const TdocumentoSalida &doc) {
    return doc.motivoConflicto();
}
} // namespace

QString TcuentaEstacion::texto() const {
    QStringList partes;
    const auto valores = campos(*this);
    for (int i = 0; i < kClaves.size(); ++i)
        partes << kClaves[i] + QLatin1Char('=') + QString::number(*valores[i]);
    return partes.join(QLatin1Char(' '));
}

TcuentaEstacion TcuentaEstacion::deTexto(const QString &texto) {
    TcuentaEstacion c;
    const auto valores = campos(c);
    for (const QString &parte : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int i = int(kClaves.indexOf(parte.section(QLatin1Char('='), 0, 0)));
        if (i >= 0)
            *valores[i] = parte.section(QLatin1Char('='), 1).toLongLong();
    }
    return c;
}

TcuentaEstacion &TcuentaEstacion::operator+=(const TcuentaEstacion &o) {
    const auto a = campos(*this);
    const auto b = campos(o);
    for (size_t i = 0; i < a.size(); ++i)
        *a[i] += *b[i];
    return *this;
}

// Nobody at the screen: every question is accepted, the last warning or error is the reason of a
// refusal, and the note that an issue was split again is counted.
class TestacionPosteos::Tusuario : public TInteraccion {
public:
    explicit Tusuario(TcuentaEstacion &cuenta) : uCuenta(cuenta) {}
    void mensaje(const QString &texto, int tipo) override {
        if (tipo == kInformacion && texto.contains(QStringLiteral("capas actuales")))
            ++uCuenta.repartidas;
        else if (tipo != kInformacion)
            uAviso = texto;
    }
    bool confirmaAceptarCancelar(const QString &) override { return true; }
    bool confirmaSiNo(const QString &) override { return true; }
    QString uAviso;

private:
    TcuentaEstacion &uCuenta;
};

TestacionPosteos::TestacionPosteos(TConexionSesion *sesion, const TparametrosEstacion &parametros)
    : uSesion(sesion), uParametros(parametros), uUsuario(std::make_shared<Tusuario>(uCuenta)),
      uPrevio(u_instalaInteraccion(uUsuario)) {
    // After every movement already there, so that the station's documents pass the date check.
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("SELECT MAX(fechaHora) FROM inventarioKardex WHERE idNegocioFk = :negocio"));
    mt.setParametroEntero(QStringLiteral("negocio"), parametros.negocio);
    const QVariant ultimo = mt.scalar().getScalar();
    uMomento = ultimo.isNull() ? QDateTime(QDate(2025, 1, 1), QTime(8, 0)) : fechaHora::deValorBD(ultimo);
}

TestacionPosteos::~TestacionPosteos() {
    u_instalaInteraccion(uPrevio);
}

QString TestacionPosteos::ultimoAviso() const {
    return uUsuario->uAviso;
}

int TestacionPosteos::entre(int minimo, int maximo) {
    return minimo + int(uAzar() % unsigned(maximo - minimo + 1));
}

QDateTime TestacionPosteos::siguienteFecha() {
    return uMomento = uParametros.reloj ? QDateTime::currentDateTime() : uMomento.addSecs(60);
}

QDateTime TestacionPosteos::otraFecha() {
    // Dated again by the clock: a later instant than the one refused, or it is refused again.
    const QDateTime rechazada = uMomento;
    QDateTime fecha = siguienteFecha();
    while (fecha <= rechazada) {
        QThread::msleep(1);
        fecha = siguienteFecha();
    }
    return fecha;
}

void TestacionPosteos::cuentaRechazo() {
    const QString aviso = uUsuario->uAviso;
    if (aviso.startsWith(QStringLiteral("Revise fecha/hora")))
        ++uCuenta.fecha;
    else if (aviso.startsWith(QStringLiteral("No se guardó nada")))
        ++uCuenta.fallas;
    else if (aviso.startsWith(QStringLiteral("La cantidad capturada sobrepasa")))
        ++uCuenta.existencia;
    else
        ++uCuenta.otros;
}

template <class Tdocumento> bool TestacionPosteos::guarda(Tdocumento &doc) {
    for (int intento = 0; intento < 5; ++intento) {
        uUsuario->uAviso.clear();
        if (doc.guardar())
            return true;
        const bool porFecha = uUsuario->uAviso.startsWith(QStringLiteral("Revise fecha/hora"));
        if (!uParametros.reloj || !porFecha)
            break;
        // The user sets the time again and presses "Aceptar" once more: the capture is still there.
        ++uCuenta.fecha;
        fijaFecha(doc, otraFecha());
    }
    if (uUsuario->uAviso == kMensajeConflictoPosteo) {
        const TmotivoConflicto m = motivo(doc);
        ++(m == TmotivoConflicto::Existencia ? uCuenta.existencia
           : m == TmotivoConflicto::Series   ? uCuenta.series
                                             : uCuenta.otros);
    } else {
        cuentaRechazo();
    }
    return false;
}

bool TestacionPosteos::recibe() {
    TdocumentoEntrada doc(uSesion, uParametros.negocio);
    TdatosEntrada &d = doc.datos();
    d.almacenID = uParametros.almacen;
    d.conceptoID = uParametros.compra;
    d.proveedorID = 1;
    d.fechaHora = siguienteFecha();
    for (const int producto : std::as_const(uParametros.productos)) {
        TlineaEntrada l;
        l.productoID = producto;
        l.producto = QStringLiteral("Producto %1").arg(producto);
        l.cantidad = QString::number(entre(1, 6));
        l.costoUnitario = entre(100, 999) / 100.0;
        d.lineas << l;
    }
    if (!guarda(doc))
        return false;
    ++uCuenta.entradas;
    return true;
}

bool TestacionPosteos::entrega() {
    TdocumentoSalida doc(uSesion, uParametros.negocio);
    doc.setAlmacen(uParametros.almacen);
    doc.setConcepto(uParametros.venta);
    doc.setFechaHora(siguienteFecha());
    uUsuario->uAviso.clear();
    for (const int producto : std::as_const(uParametros.productos)) {
        const double existencia = doc.consultaExistenciaArticulo(producto);
        TproductoSalida p;
        p.id = producto;
        p.nombre = QStringLiteral("Producto %1").arg(producto);
        const double cantidad = std::floor(existencia * entre(20, 90) / 100.0);
        if (cantidad >= 1 && !doc.agregarProducto(p, cantidad)) {
            cuentaRechazo();
            return false;
        }
    }
    if (doc.lineas().isEmpty())
        return true;
    if (!guarda(doc))
        return false;
    ++uCuenta.salidas;
    return true;
}
