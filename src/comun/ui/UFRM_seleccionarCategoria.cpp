#include "comun/ui/UFRM_seleccionarCategoria.h"

#include "comun/UNEG_catalogo.h"
#include "comun/U_mensajes.h"
#include "comun/ui/UFRM_selectorBase.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRolIdentidad = Qt::UserRole;
constexpr int kRolCarpeta = Qt::UserRole + 1;
} // namespace

TFRM_seleccionarCategoria::TFRM_seleccionarCategoria(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_seleccionarCategoria"));
    setWindowTitle(QStringLiteral("Seleccionar Categoría"));
    auto *columna = new QVBoxLayout(this);
    auto *titulo = new QLabel(QStringLiteral("Seleccionar Categoría"), this);
    titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(titulo);
    TRV_categorias = new QTreeWidget(this);
    TRV_categorias->setObjectName(QStringLiteral("TRV_categorias"));
    TRV_categorias->setHeaderHidden(true);
    columna->addWidget(TRV_categorias, 1);
    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    columna->addWidget(LBL_msg);
    u_botonesAceptarCancelar(this, columna, BTN_aceptar, BTN_cancelar);
    connect(BTN_aceptar, &QPushButton::clicked, this, &TFRM_seleccionarCategoria::BTN_aceptarClick);
    connect(TRV_categorias, &QTreeWidget::itemDoubleClicked, this,
            &TFRM_seleccionarCategoria::BTN_aceptarClick);
    u_aplicaEstiloDialogo(this);
    resize(420, 480);
}

bool TFRM_seleccionarCategoria::prepara(const QString &identidad) {
    uResultado = {};
    TRV_categorias->clear();
    const CmidTierResponse r = Tcatalogo(uSistema.conexion).selectCategorias(uSistema.negocio.getIdNegocio());
    if (!r.isSuccess()) {
        LBL_msg->setText(QStringLiteral("No se pudo consultar las categorías."));
        return false;
    }
    // Parents come first; a node hangs from the identity without its last character, or from the
    // top when that parent is missing.
    QHash<QString, QTreeWidgetItem *> nodos;
    for (int f = 0; f < r.getRowCount(); ++f) {
        const QString id = r.getCelda(f, QStringLiteral("categoria_identidad"));
        QTreeWidgetItem *padre = nodos.value(id.left(id.size() - 1));
        auto *item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(TRV_categorias);
        item->setText(0, r.getCelda(f, QStringLiteral("categoria_etiqueta")));
        item->setData(0, kRolIdentidad, id);
        item->setData(0, kRolCarpeta,
                      r.getCelda(f, QStringLiteral("categoria_carpeta")) == QLatin1String("True"));
        nodos.insert(id, item);
    }
    TRV_categorias->expandAll();
    LBL_msg->setText(nodos.isEmpty() ? QStringLiteral("No hay categorías") : QString());
    QTreeWidgetItem *actual = nodo(identidad);
    if (!actual && TRV_categorias->topLevelItemCount() > 0)
        actual = TRV_categorias->topLevelItem(0);
    TRV_categorias->setCurrentItem(actual);
    return true;
}

QTreeWidgetItem *TFRM_seleccionarCategoria::nodo(const QString &identidad) const {
    for (QTreeWidgetItemIterator it(TRV_categorias); *it; ++it) {
        if ((*it)->data(0, kRolIdentidad).toString() == identidad)
            return *it;
    }
    return nullptr;
}

void TFRM_seleccionarCategoria::init(TcategoriaSeleccionada &categoria) {
    prepara(categoria.identidad);
    if (exec() == QDialog::Accepted)
        categoria = uResultado;
    else
        categoria.seleccionado = false;
}

void TFRM_seleccionarCategoria::BTN_aceptarClick() {
    const QTreeWidgetItem *item = TRV_categorias->currentItem();
    if (!item) {
        u_mensaje(QStringLiteral("¡Seleccione una categoría!"), kAdvertencia);
        return;
    }
    uResultado.seleccionado = true;
    uResultado.identidad = item->data(0, kRolIdentidad).toString();
    uResultado.etiqueta = item->text(0);
    uResultado.carpeta = item->data(0, kRolCarpeta).toBool();
    accept();
}

TcategoriaSeleccionada TFRM_seleccionarCategoria::elige(const TsistemaDatos &sistema, QWidget *padre,
                                                        const QString &actual) {
    TFRM_seleccionarCategoria selector(sistema, padre);
    TcategoriaSeleccionada categoria;
    categoria.identidad = actual;
    selector.init(categoria);
    return categoria;
}
