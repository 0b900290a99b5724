#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/UNEG_catalogo.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_filtrosEntrada.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
// propiedadTipo ids.
constexpr int kTipoNumero = 2;
constexpr int kTipoFecha = 3;
const QString kFormatoFecha = QStringLiteral("dd/MM/yyyy");
} // namespace

TFRM_capturarPropiedadesAdicionales::TFRM_capturarPropiedadesAdicionales(const TsistemaDatos &sistema,
                                                                         QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_capturarPropiedadesAdicionales"));
    setWindowTitle(QStringLiteral("Propiedades Adicionales"));
    auto *columna = new QVBoxLayout(this);
    auto *titulo = new QLabel(QStringLiteral("Propiedades Adicionales"), this);
    titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(titulo);
    LBL_producto = new QLabel(this);
    LBL_producto->setObjectName(QStringLiteral("LBL_producto"));
    columna->addWidget(LBL_producto);
    auto *desplazable = new QScrollArea(this);
    desplazable->setWidgetResizable(true);
    desplazable->setFrameShape(QFrame::NoFrame);
    uContenedor = new QWidget(desplazable);
    uForma = new QFormLayout(uContenedor);
    desplazable->setWidget(uContenedor);
    columna->addWidget(desplazable, 1);
    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    LBL_msg->setWordWrap(true);
    columna->addWidget(LBL_msg);
    u_botonesAceptarCancelar(this, columna, BTN_aceptar, BTN_cancelar);
    connect(BTN_aceptar, &QPushButton::clicked, this, &TFRM_capturarPropiedadesAdicionales::BTN_aceptarClick);
    u_aplicaEstiloDialogo(this);
    resize(460, 420);
}

bool TFRM_capturarPropiedadesAdicionales::prepara(const QString &categoria, const QString &producto,
                                                  const TpropiedadesAdicionales &valores) {
    uAceptar = false;
    uResultado = valores;
    LBL_producto->setText(producto);
    while (uForma->rowCount() > 0)
        uForma->removeRow(0);
    uCampos.clear();
    uOrden.clear();
    const CmidTierResponse r =
        Tcatalogo(uSistema.conexion).selectCategoriaPropiedades(categoria, uSistema.negocio.getIdNegocio());
    if (!r.isSuccess()) {
        LBL_msg->setText(QStringLiteral("No se pudo consultar las propiedades."));
        return false;
    }
    for (int f = 0; f < r.getRowCount(); ++f) {
        const int id = int(r.getCeldaAsInt(f, QStringLiteral("propiedadListado_id")));
        const QString clave = u_clavePropiedad(id);
        const QString nombre = r.getCelda(f, QStringLiteral("propiedadListado_nombre"));
        const int tipo = int(r.getCeldaAsInt(f, QStringLiteral("propiedadTipo_id")));
        auto *edit = new QLineEdit(uContenedor);
        edit->setObjectName(clave);
        edit->setMaxLength(limites::kValorPropiedad);
        if (tipo == kTipoNumero)
            u_soloDecimales(edit);
        else if (tipo == kTipoFecha)
            edit->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
        edit->setText(valores.value(clave));
        auto *etiqueta = new QLabel(nombre, uContenedor);
        etiqueta->setObjectName(QStringLiteral("LBL_propiedadListadoID") + QString::number(id));
        uForma->addRow(etiqueta, edit);
        uCampos.insert(clave, {edit, nombre, tipo});
        uOrden.append(clave);
    }
    LBL_msg->setText(uCampos.isEmpty() ? QStringLiteral("Sin propiedades") : QString());
    return true;
}

void TFRM_capturarPropiedadesAdicionales::init(const QString &categoria, const QString &producto,
                                               TpropiedadesAdicionales &valores) {
    prepara(categoria, producto, valores);
    exec();
    if (uAceptar)
        valores = uResultado;
}

QString TFRM_capturarPropiedadesAdicionales::revisaCampo(const QString &clave) const {
    const Tcampo &c = uCampos[clave];
    const QString texto = c.edit->text().trimmed();
    if (texto.isEmpty())
        return {};
    if (c.tipo == kTipoNumero)
        return u_leeNumeroCapturado(texto, c.nombre, TreglaNumero::CeroOPositivo).mensaje;
    if (c.tipo == kTipoFecha && !QDate::fromString(texto, kFormatoFecha).isValid())
        return QStringLiteral("La fecha de %1 debe escribirse como dd/mm/aaaa.").arg(c.nombre);
    return {};
}

void TFRM_capturarPropiedadesAdicionales::BTN_aceptarClick() {
    for (const QString &clave : std::as_const(uOrden)) {
        const QString error = revisaCampo(clave);
        if (!error.isEmpty()) {
            LBL_msg->setText(error);
            u_mensaje(error, kAdvertencia);
            uCampos[clave].edit->setFocus();
            return;
        }
    }
    TpropiedadesAdicionales resultado;
    for (const QString &clave : std::as_const(uOrden))
        resultado.insert(clave, uCampos[clave].edit->text().trimmed().left(limites::kValorPropiedad));
    uResultado = resultado;
    uAceptar = true;
    accept();
}
