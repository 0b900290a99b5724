#include "traspasos/UFRM_traspasoDetalle.h"

#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_formaCaptura.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfechaHora.h"
#include "traspasos/UNEG_traspasos.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const TcolumnaCaptura kColumnas[] = {
    {"inventarioProducto_id", "_productoID", 0, kColTexto},
    {"inventarioProducto_nombre", "Producto", 500, kColTexto},
    {"inventarioTraspasoDetalle_cantidad", "Cantidad", 70, kColNumero},
    {"inventarioTraspasoDetalle_costo", "Costo", 70, kColMoneda},
    {"inventarioEntrada_id", "entradaIDrelacionada", 70, kColTexto},
    {"inventarioTraspasoDetalle_id", "_inventarioTraspasoDetalleID", 70, kColTexto},
};
} // namespace

TFRM_traspasoDetalle::TFRM_traspasoDetalle(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Detalle"), padre), uSistema(sistema),
      uCierre(sistema.getConexion(), sistema.getNegocio().getIdNegocio()) {
    setObjectName(QStringLiteral("FRM_traspasoDetalle"));
    auto *raiz = new QVBoxLayout(this);
    auto *pestanas = new QTabWidget(this);
    pestanas->setObjectName(QStringLiteral("PGC_detalle"));
    auto *traspaso = new QWidget(pestanas);
    traspaso->setObjectName(QStringLiteral("TAB_traspaso"));
    pestanas->addTab(traspaso, QStringLiteral("Traspaso"));
    raiz->addWidget(pestanas, 1);

    auto *capa = new QVBoxLayout(traspaso);
    auto *datos = new QGridLayout;
    const auto par = [&](int columna, const char *titulo, const char *nombre) {
        QLabel *valor = u_etiqueta(traspaso, QString::fromLatin1(nombre));
        valor->setTextInteractionFlags(Qt::TextSelectableByMouse);
        datos->addWidget(u_etiqueta(traspaso, QString::fromLatin1(nombre) + QStringLiteral("Titulo"),
                                    QString::fromUtf8(titulo)),
                         0, columna);
        datos->addWidget(valor, 1, columna);
        return valor;
    };
    LBL_no = par(0, "No.", "LBL_no");
    LBL_origen = par(1, "Origen", "LBL_origen");
    LBL_destino = par(2, "Destino", "LBL_destino");
    LBL_estatus = par(3, "Estatus", "LBL_estatus");
    datos->setColumnStretch(1, 1);
    datos->setColumnStretch(2, 1);
    capa->addLayout(datos);

    GRD_detalle = new QTableView(traspaso);
    GRD_detalle->setObjectName(QStringLiteral("GRD_detalle"));
    uGRD_detalleControl = new TGridControl(GRD_detalle);
    capa->addWidget(GRD_detalle, 1);
    capa->addWidget(creaCierre(traspaso));
    agregaBotones(raiz);
    creaColumnas();
    u_aplicaEstiloDialogo(this);
    resize(900, 560);
}

QWidget *TFRM_traspasoDetalle::creaCierre(QWidget *padre) {
    contenedor_cierre = new QWidget(padre);
    contenedor_cierre->setObjectName(QStringLiteral("contenedor_cierre"));
    QWidget *p = contenedor_cierre;
    RAD_recibirTraspaso = new QRadioButton(QStringLiteral("Recibir Traspaso"), p);
    RAD_recibirTraspaso->setObjectName(QStringLiteral("RAD_recibirTraspaso"));
    RAD_cancelarTraspaso = new QRadioButton(QStringLiteral("Cancelar Traspaso"), p);
    RAD_cancelarTraspaso->setObjectName(QStringLiteral("RAD_cancelarTraspaso"));
    DTP_fechaRecepcion = u_fecha(p, QStringLiteral("DTP_fechaRecepcion"));
    DTP_horaRecepcion = new QTimeEdit(p);
    DTP_horaRecepcion->setObjectName(QStringLiteral("DTP_horaRecepcion"));
    DTP_horaRecepcion->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    LBL_fechaHoraUltimo = u_etiqueta(p, QStringLiteral("LBL_fechaHoraUltimo"));
    LBL_fechaHoraUltimo->setMinimumWidth(140);

    auto *capa = new QGridLayout(p);
    capa->setContentsMargins(0, 6, 0, 0);
    capa->addWidget(RAD_recibirTraspaso, 1, 0);
    capa->addWidget(RAD_cancelarTraspaso, 1, 1);
    capa->addWidget(u_etiqueta(p, QStringLiteral("LBL_fechaHoraTitulo"), QStringLiteral("Fecha/Hora")), 0, 2);
    auto *fechaHora = new QHBoxLayout;
    fechaHora->addWidget(DTP_fechaRecepcion);
    fechaHora->addWidget(DTP_horaRecepcion);
    capa->addLayout(fechaHora, 1, 2);
    capa->addWidget(
        u_etiqueta(p, QStringLiteral("LBL_fechaHoraUltimoTitulo"), QString::fromUtf8("Último Movimiento")), 0,
        3);
    capa->addWidget(LBL_fechaHoraUltimo, 1, 3);
    capa->setColumnStretch(4, 1);
    for (QRadioButton *radio : {RAD_recibirTraspaso, RAD_cancelarTraspaso})
        connect(radio, &QRadioButton::toggled, this, &TFRM_traspasoDetalle::RAD_cambio);
    return p;
}

void TFRM_traspasoDetalle::creaColumnas() {
    u_agregaColumnasCaptura(uGRD_detalleControl, kColumnas);
    uGRD_detalleControl->setColumnaEstirada(QStringLiteral("inventarioProducto_nombre"));
}

bool TFRM_traspasoDetalle::prepara(const Rtraspaso &traspaso) {
    uTraspaso = traspaso;
    const bool leido = uCierre.carga(traspaso.id);
    if (leido)
        uTraspaso = uCierre.traspaso();
    cargaLineas();
    {
        // Both unchecked: a closing is always chosen by the user.
        const QSignalBlocker r(RAD_recibirTraspaso);
        const QSignalBlocker c(RAD_cancelarTraspaso);
        RAD_recibirTraspaso->setAutoExclusive(false);
        RAD_recibirTraspaso->setChecked(false);
        RAD_cancelarTraspaso->setChecked(false);
        RAD_recibirTraspaso->setAutoExclusive(true);
    }
    const QDateTime ahora = QDateTime::currentDateTime();
    DTP_fechaRecepcion->setDate(ahora.date());
    DTP_horaRecepcion->setTime(ahora.time());
    LBL_fechaHoraUltimo->clear();
    muestra();
    return leido;
}

bool TFRM_traspasoDetalle::init(const Rtraspaso &traspaso) {
    prepara(traspaso);
    exec();
    return uAceptar;
}

void TFRM_traspasoDetalle::cargaLineas() {
    Ttraspaso datos(uSistema.getConexion());
    if (!uGRD_detalleControl->carga(
            datos.selectTraspasoDetalle(uTraspaso.id, uSistema.getNegocio().getIdNegocio())))
        uGRD_detalleControl->limpia();
}

// The closing controls work only on a transfer in transit, and never for a read-only user.
void TFRM_traspasoDetalle::muestra() {
    LBL_no->setText(QString::number(uTraspaso.id));
    LBL_origen->setText(uTraspaso.almacenOrigen);
    LBL_destino->setText(uTraspaso.almacenDestino);
    LBL_estatus->setText(uTraspaso.estado);
    contenedor_cierre->setEnabled(uCierre.abierto() && !uSistema.esRestringido());
}

bool TFRM_traspasoDetalle::accion(TaccionCierre &elegida) const {
    if (RAD_recibirTraspaso->isChecked())
        elegida = TaccionCierre::Recibir;
    else if (RAD_cancelarTraspaso->isChecked())
        elegida = TaccionCierre::Cancelar;
    else
        return false;
    return true;
}

void TFRM_traspasoDetalle::RAD_cambio() {
    LBL_fechaHoraUltimo->clear();
    TaccionCierre elegida;
    if (!accion(elegida))
        return;
    bool ok = false;
    const QVariant ultimo = uCierre.fechaHoraUltimoMovimiento(elegida, ok);
    if (ok && !ultimo.isNull())
        LBL_fechaHoraUltimo->setText(
            fechaHora::deValorBD(ultimo).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
}

void TFRM_traspasoDetalle::alAceptar() {
    if (uSistema.esRestringido()) {
        reject();
        return;
    }
    if (!uCierre.abierto()) {
        acepta();
        return;
    }
    TaccionCierre elegida;
    if (!accion(elegida) || uGRD_detalleControl->filas() == 0)
        return;
    const QTime hora = DTP_horaRecepcion->time();
    const QDateTime recepcion(DTP_fechaRecepcion->date(), QTime(hora.hour(), hora.minute(), hora.second()));
    if (uCierre.cierra(elegida, recepcion)) {
        acepta();
        return;
    }
    // Another workstation may have closed it meanwhile: what is stored now is shown.
    if (uCierre.carga(uTraspaso.id) && !uCierre.abierto()) {
        uTraspaso = uCierre.traspaso();
        muestra();
    }
    RAD_cambio();
}
