// The shared catalogue screens and pickers driven through their widgets, as a user would: create
// and edit a product, find it by name, key and barcode, keep units and providers, pick warehouses
// and categories, type numbers and properties, and what a read-only user may not do.
#include "UnegocioCatalogos.h"
#include "apoyo/UinteraccionGuionada.h"
#include "comun/UNEG_productos.h"
#include "comun/U_productoCaptura.h"
#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"
#include "comun/ui/UFRM_editar.h"
#include "comun/ui/UFRM_productoCaptura.h"
#include "comun/ui/UFRM_productos.h"
#include "comun/ui/UFRM_proveedores.h"
#include "comun/ui/UFRM_seleccionarAlmacen.h"
#include "comun/ui/UFRM_seleccionarCategoria.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/UFRM_unidadesMedida.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "inventario/UpantallasInventario.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace {
QStringList gModalesFaltantes;

// Runs accion on the modal dialog of type T as soon as it is showing. A dialog that never shows
// is recorded, and whatever modal is open then is closed so that no test waits on it.
template <typename T> void alAbrirse(std::function<void(T *)> accion) {
    auto *reloj = new QTimer(qApp);
    auto intentos = std::make_shared<int>(0);
    QObject::connect(reloj, &QTimer::timeout, qApp, [=] {
        T *dialogo = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialogo && ++*intentos < 300)
            return;
        reloj->stop();
        reloj->deleteLater();
        if (dialogo) {
            accion(dialogo);
            return;
        }
        gModalesFaltantes << QString::fromLatin1(T::staticMetaObject.className());
        if (auto *otro = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            otro->reject();
    });
    reloj->start(10);
}

template <typename T = QWidget> T *hijo(QWidget *w, const QString &nombre) {
    T *h = w->findChild<T *>(nombre);
    if (!h)
        qWarning() << "no existe el control" << nombre;
    return h;
}

void clic(QWidget *w, const QString &boton) {
    QPushButton *b = hijo<QPushButton>(w, boton);
    QVERIFY2(b && b->isEnabled(), qPrintable(boton));
    b->click();
}

void escribe(QWidget *w, const QString &campo, const QString &texto) {
    QLineEdit *t = hijo<QLineEdit>(w, campo);
    QVERIFY2(t, qPrintable(campo));
    t->clear();
    QTest::keyClicks(t, texto);
}

// Selects the grid row whose alias holds valor.
void eligeFila(TGridControl *g, const QString &alias, const QVariant &valor) {
    for (int f = 0; f < g->filas(); ++f) {
        if (g->getValor(f, alias).toString() == valor.toString()) {
            g->grid()->selectRow(f);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no hay fila con %1 = %2").arg(alias, valor.toString())));
}

void guardaImagen(QWidget *w, const QString &nombre) {
    w->show();
    QVERIFY(
        w->grab().save(TbasePrueba::carpetaSalida() + QLatin1Char('/') + nombre + QStringLiteral(".png")));
}
} // namespace

class TpruebaPantallasCatalogos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    TnegocioCatalogos uN;
    TsistemaDatos uSistema;

    int productoGuardado() {
        TproductoCaptura p = productoValido(uN);
        return productoCaptura::guarda(uBase->sesion(), p, uN.id).id;
    }

private slots:
    void init() {
        gModalesFaltantes.clear();
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uN = creaNegocioCatalogos(*uBase, QStringLiteral("Ferretería El Clavo"));
        uSistema = uBase->sistema(uN.id);
        uGuion = std::make_unique<TguionInstalado>();
    }
    void cleanup() {
        QVERIFY2(gModalesFaltantes.isEmpty(), qPrintable(gModalesFaltantes.join(QLatin1Char(','))));
        uGuion.reset();
        uBase.reset();
    }

    // A product made and corrected through the catalogue, then found and picked three ways.
    void productoDeIdaYVuelta() {
        TFRM_productos pantalla;
        QVERIFY(pantalla.init(uSistema, true, false));
        QCOMPARE(hijo<QLabel>(&pantalla, "LBL_msg")->text(), QStringLiteral("No hay elementos que mostrar"));
        alAbrirse<TFRM_productoCaptura>([](TFRM_productoCaptura *d) {
            escribe(d, "TXT_clave", "TOR-010");
            escribe(d, "TXT_nombre", "Tornillo hexagonal 3/8\"");
            escribe(d, "TXT_descripcion", "Grado 2, galvanizado");
            escribe(d, "TXT_codigoBarras", "7501234000101");
            hijo<QCheckBox>(d, "CHK_noSerie")->setChecked(true);
            alAbrirse<TFRM_seleccionarCategoria>([](TFRM_seleccionarCategoria *c) {
                auto *arbol = hijo<QTreeWidget>(c, "TRV_categorias");
                arbol->setCurrentItem(c->nodo(QStringLiteral("0A")));
                clic(c, "BTN_aceptar");
            });
            clic(d, "BTN_categoria");
            alAbrirse<TFRM_seleccionarUnidadMedida>([](TFRM_seleccionarUnidadMedida *u) {
                escribe(u, "TXT_buscar", "caja");
                QCOMPARE(u->gridControl()->filas(), 1);
                clic(u, "BTN_aceptar");
            });
            clic(d, "BTN_unidadMedida");
            QCOMPARE(hijo<QLabel>(d, "LBL_unidadMedida")->text(), QStringLiteral("Caja de 12"));
            auto *stock = hijo<QTableView>(d, "GRD_stock");
            stock->selectRow(1);
            escribe(d, "TXT_minimo", "4");
            escribe(d, "TXT_maximo", "40");
            clic(d, "BTN_aplicarStock");
            guardaImagen(d, "producto_captura");
            clic(d, "BTN_aceptar");
        });
        clic(&pantalla, "BTN_nuevo");
        QCOMPARE(pantalla.gridControl()->filas(), 1);
        QCOMPARE(pantalla.gridControl()->getCelda(0, "categoria_etiqueta"), QStringLiteral("Tornillos"));
        QCOMPARE(pantalla.gridControl()->getCelda(0, "_noSerie"), QStringLiteral("Sí"));
        const int id = int(pantalla.gridControl()->getCeldaAsInt(0, "producto_id"));
        QCOMPARE(u_valorConsulta(uBase->sesion(),
                                 "SELECT maximo FROM inventarioStock WHERE inventarioProducto_id = :p AND "
                                 "inventarioAlmacen_id = :a",
                                 {{"p", id}, {"a", uN.bodega}})
                     .toLongLong(),
                 40);

        alAbrirse<TFRM_productoCaptura>([](TFRM_productoCaptura *d) {
            QCOMPARE(hijo<QLineEdit>(d, "TXT_clave")->text(), QStringLiteral("TOR-010"));
            escribe(d, "TXT_nombre", "Tornillo hexagonal 3/8 x 2\"");
            clic(d, "BTN_aceptar");
        });
        pantalla.gridControl()->grid()->selectRow(0);
        clic(&pantalla, "BTN_editar");
        QCOMPARE(pantalla.gridControl()->getCelda(0, "producto_nombre"),
                 QStringLiteral("Tornillo hexagonal 3/8 x 2\""));
        pantalla.resize(1000, 520);
        guardaImagen(&pantalla, "productos");

        for (const QString &buscado :
             {QStringLiteral("hexagonal"), QStringLiteral("tor-010"), QStringLiteral("7501234000101")}) {
            TFRM_seleccionarProducto picker(uSistema);
            picker.prepara({});
            escribe(&picker, "TXT_buscar", buscado);
            QCOMPARE(picker.gridControl()->filas(), 1);
            clic(&picker, "BTN_aceptar");
            const TproductoSeleccionadoDescripcion &p = picker.resultado();
            QVERIFY(p.seleccionado);
            QCOMPARE(p.productoId, id);
            QCOMPARE(p.clave, QStringLiteral("TOR-010"));
            QCOMPARE(p.nombre, QStringLiteral("Tornillo hexagonal 3/8 x 2\""));
            QCOMPARE(p.codigoBarras, QStringLiteral("7501234000101"));
            QCOMPARE(p.categoriaId, uN.tornillos);
            QCOMPARE(p.categoriaEtiqueta, QStringLiteral("Tornillos"));
            QCOMPARE(p.unidadMedidaId, uN.caja);
            QCOMPARE(p.unidadMedidaEtiqueta, QStringLiteral("Caja de 12"));
            QCOMPARE(p.unidadMedidaConjunto, uN.conjuntoPiezas);
            QCOMPARE(p.unidadMedidaRelacion, 12.0);
            QCOMPARE(p.opControladoNoSerie, 1);
            QCOMPARE(p.estatus, 1);
        }
    }

    // The caller's category filters the list at first; "Todas" widens it.
    void pickerModalConCategoria() {
        productoGuardado();
        TproductoSeleccionadoDescripcion p;
        p.categoriaId = uN.pinturas;
        alAbrirse<TFRM_seleccionarProducto>([](TFRM_seleccionarProducto *d) {
            QCOMPARE(hijo<QLabel>(d, "LBL_categoria")->text(), QStringLiteral("Pinturas"));
            QCOMPARE(d->gridControl()->filas(), 0);
            clic(d, "BTN_reiniciarCategoria");
            QCOMPARE(d->gridControl()->filas(), 1);
            guardaImagen(d, "seleccionar_producto");
            d->gridControl()->grid()->selectRow(0);
            emit d->gridControl()->filaActivada(0);
        });
        TFRM_seleccionarProducto(uSistema).init(p, uSistema);
        QVERIFY(p.seleccionado);
        QCOMPARE(p.clave, QStringLiteral("TOR-001"));

        alAbrirse<TFRM_seleccionarProducto>([](TFRM_seleccionarProducto *d) { clic(d, "BTN_cancelar"); });
        TFRM_seleccionarProducto(uSistema).init(p, uSistema);
        QVERIFY(!p.seleccionado);
    }

    void productoRechazadoSeQuedaAbierto() {
        productoGuardado();
        TFRM_productoCaptura d(uSistema);
        QVERIFY(d.preparaNuevo());
        escribe(&d, "TXT_clave", "tor-001");
        escribe(&d, "TXT_nombre", "Otro tornillo");
        clic(&d, "BTN_aceptar");
        QCOMPARE(d.idGuardado(), 0);
        QCOMPARE(uGuion->guion().textos(),
                 QStringList{"Ya existe un producto con la clave tor-001: Tornillo para madera 1/4\"."});
        // What cannot be typed never arrives; what is typed past the limit is cut.
        escribe(&d, "TXT_clave", "TOR-099");
        hijo<QTableView>(&d, "GRD_stock")->selectRow(0);
        escribe(&d, "TXT_maximo", "-1e308x");
        QCOMPARE(hijo<QLineEdit>(&d, "TXT_maximo")->text(), QStringLiteral("1308"));
        escribe(&d, "TXT_nombre", QString(200, QLatin1Char('n')));
        QCOMPARE(hijo<QLineEdit>(&d, "TXT_nombre")->text().size(), limites::kNombreProducto);
        hijo<QLineEdit>(&d, "TXT_minimo")->setText(QStringLiteral("5000"));
        clic(&d, "BTN_aplicarStock");
        clic(&d, "BTN_aceptar");
        QCOMPARE(uGuion->guion().textos().last(),
                 QStringLiteral("En Almacén General el mínimo no puede ser mayor que el máximo."));
        QCOMPARE(u_valorConsulta(uBase->sesion(), "SELECT COUNT(*) FROM inventarioProducto").toLongLong(), 1);
    }

    void unidadesConConjuntosYRelaciones() {
        TFRM_unidadesMedida d(uSistema);
        QVERIFY(d.prepara());
        clic(&d, "BTN_nuevoConjunto");
        escribe(&d, "TXT_conjunto", "Peso");
        clic(&d, "BTN_guardarConjunto");
        QCOMPARE(d.gridConjuntos()->getCelda(d.gridConjuntos()->filaSeleccionada(), "conjunto_nombre"),
                 QStringLiteral("Peso"));
        for (const auto &u : {std::pair{"Kilogramo", "1"}, std::pair{"Gramo", "0.001"}}) {
            clic(&d, "BTN_nuevaUnidad");
            escribe(&d, "TXT_descripcion", QString::fromUtf8(u.first));
            escribe(&d, "TXT_relacion", QString::fromUtf8(u.second));
            clic(&d, "BTN_guardarUnidad");
        }
        QCOMPARE(d.gridUnidades()->filas(), 2);
        clic(&d, "BTN_nuevaUnidad");
        escribe(&d, "TXT_descripcion", "Tonelada");
        escribe(&d, "TXT_relacion", "0");
        clic(&d, "BTN_guardarUnidad");
        QCOMPARE(uGuion->guion().textos(), QStringList{"El valor de la relación debe ser mayor a 0."});
        QCOMPARE(d.gridUnidades()->filas(), 2);
        // Correcting a unit keeps its row.
        eligeFila(d.gridUnidades(), "unidadMedida_descripcion", "Gramo");
        escribe(&d, "TXT_abreviatura", "g");
        clic(&d, "BTN_guardarUnidad");
        QCOMPARE(u_valorConsulta(uBase->sesion(),
                                 "SELECT COUNT(*) FROM inventarioUnidadesMedida WHERE abreviatura = 'g'")
                     .toLongLong(),
                 1);
        d.resize(820, 480);
        guardaImagen(&d, "unidades_medida");

        TFRM_seleccionarUnidadMedida picker(uSistema);
        picker.prepara(
            QStringLiteral("Seleccione la unidad de medida a utilizar con el factor de conversión."));
        QCOMPARE(hijo<QLabel>(&picker, "LBL_mensaje")->text(),
                 QStringLiteral("Seleccione la unidad de medida a utilizar con el factor de conversión."));
        QCOMPARE(picker.gridControl()->filas(), 4);
        auto *conjunto = hijo<QComboBox>(&picker, "CMB_conjunto");
        conjunto->setCurrentIndex(conjunto->findText(QStringLiteral("Peso")));
        QCOMPARE(picker.gridControl()->filas(), 2);
        eligeFila(picker.gridControl(), "unidadMedida_descripcion", "Gramo");
        guardaImagen(&picker, "seleccionar_unidad");
        clic(&picker, "BTN_aceptar");
        QVERIFY(picker.resultado().aceptado);
        QCOMPARE(picker.resultado().etiqueta, QStringLiteral("Gramo"));
        QCOMPARE(picker.resultado().relacionTexto(), QStringLiteral("0.001"));
        QCOMPARE(picker.resultado().conjunto, conjunto->currentData().toInt());
    }

    // A provider created from the picker comes back selected and is taken.
    void proveedorCreadoYElegido() {
        Rproveedor elegido;
        alAbrirse<TFRM_seleccionarProveedor>([](TFRM_seleccionarProveedor *d) {
            alAbrirse<TFRM_proveedores>([](TFRM_proveedores *c) {
                clic(c, "BTN_nuevo");
                escribe(c, "TXT_nombre", "Aceros O'Brien & Hijos");
                escribe(c, "TXT_rfc", "aob010203ab1");
                escribe(c, "TXT_telefono", "33 3630 1122");
                clic(c, "BTN_guardar");
                QCOMPARE(c->gridControl()->filas(), 1);
                escribe(c, "TXT_nombre", "Duplicado");
                clic(c, "BTN_nuevo");
                escribe(c, "TXT_nombre", "Otro");
                escribe(c, "TXT_rfc", "AOB010203AB1");
                clic(c, "BTN_guardar");
                guardaImagen(c, "proveedores");
                clic(c, "BTN_cerrar");
            });
            clic(d, "BTN_proveedores");
            QCOMPARE(d->gridControl()->filas(), 1);
            clic(d, "BTN_aceptar");
        });
        TFRM_seleccionarProveedor(uSistema).init(elegido);
        QCOMPARE(uGuion->guion().textos(), QStringList{"Ya existe un proveedor con el RFC AOB010203AB1."});
        QVERIFY(elegido.aceptado);
        QCOMPARE(elegido.nombre, QStringLiteral("Aceros O'Brien & Hijos"));
        QCOMPARE(elegido.rfc, QStringLiteral("AOB010203AB1"));
        QCOMPARE(u_valorConsulta(uBase->sesion(), "SELECT COUNT(*) FROM proveedor").toLongLong(), 1);
    }

    void almacenesDelNegocio() {
        creaNegocioCatalogos(*uBase, QStringLiteral("Otro negocio"));
        TFRM_seleccionarAlmacen d(uSistema);
        d.prepara();
        QCOMPARE(d.gridControl()->filas(), 2);
        escribe(&d, "TXT_buscar", "norte");
        QCOMPARE(d.gridControl()->filas(), 1);
        guardaImagen(&d, "seleccionar_almacen");
        clic(&d, "BTN_aceptar");
        QVERIFY(d.resultado().seleccionado);
        QCOMPARE(d.resultado().id, uN.bodega);
        QCOMPARE(d.resultado().sucursalNombre, QStringLiteral("Sucursal Norte"));
        escribe(&d, "TXT_buscar", "'; DELETE FROM inventarioAlmacen;--");
        QCOMPARE(d.gridControl()->filas(), 0);
        QCOMPARE(hijo<QLabel>(&d, "LBL_msg")->text(), QStringLiteral("No hay elementos que mostrar"));
        QCOMPARE(u_valorConsulta(uBase->sesion(), "SELECT COUNT(*) FROM inventarioAlmacen").toLongLong(), 4);
    }

    void arbolDeCategorias() {
        TFRM_seleccionarCategoria d(uSistema);
        QVERIFY(d.prepara(uN.pinturas));
        auto *arbol = hijo<QTreeWidget>(&d, "TRV_categorias");
        QCOMPARE(arbol->topLevelItemCount(), 1);
        QCOMPARE(arbol->topLevelItem(0)->childCount(), 2);
        QCOMPARE(arbol->currentItem()->text(0), QStringLiteral("Pinturas"));
        guardaImagen(&d, "seleccionar_categoria");
        clic(&d, "BTN_aceptar");
        QCOMPARE(d.resultado().identidad, uN.pinturas);
        QCOMPARE(d.resultado().etiqueta, QStringLiteral("Pinturas"));
    }

    void editorNumerico_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("entero") << "24" << true << "24";
        QTest::newRow("fracción") << "0.50" << true << "0.5";
        QTest::newRow("cero") << "0" << true << "0";
        QTest::newRow("vacío") << "  " << false << "Capture un valor para cantidad.";
        QTest::newRow("letras") << "doce" << false
                                << "El valor de cantidad debe ser un número positivo, sin signos ni letras.";
        QTest::newRow("negativo")
            << "-3" << false << "El valor de cantidad debe ser un número positivo, sin signos ni letras.";
        QTest::newRow("1e308") << "1e308" << false
                               << "El valor de cantidad debe ser un número positivo, sin signos ni letras.";
        QTest::newRow("enorme") << "99999999999999" << false << "El valor de cantidad es demasiado grande.";
    }
    void editorNumerico() {
        QFETCH(QString, texto);
        QFETCH(bool, acepta);
        QFETCH(QString, resultado);
        TFRM_editar d;
        d.preparaNumericoFraccion(QStringLiteral("Cantidad"), QString());
        // Pasted or set text skips the key filter: the check on "Aceptar" still holds.
        hijo<QLineEdit>(&d, "TXT_valor")->setText(texto);
        clic(&d, "BTN_aceptar");
        QCOMPARE(d.aceptado(), acepta);
        if (acepta)
            QCOMPARE(d.valor(), resultado);
        else
            QCOMPARE(uGuion->guion().textos(), QStringList{resultado});
    }

    void editorNumericoModal() {
        alAbrirse<TFRM_editar>([](TFRM_editar *d) {
            QCOMPARE(hijo<QLabel>(d, "LBL_titulo")->text(), QStringLiteral("Costo Unitario"));
            escribe(d, "TXT_valor", "120.5");
            guardaImagen(d, "editar_numerico");
            QTest::keyClick(hijo<QLineEdit>(d, "TXT_valor"), Qt::Key_Return);
        });
        bool aceptado = false;
        QString valor;
        TFRM_editar().initNumericoFraccion(QStringLiteral("Costo Unitario"), aceptado, valor);
        QVERIFY(aceptado);
        QCOMPARE(valor, QStringLiteral("120.5"));
    }

    void propiedadesAdicionales() {
        const QString color = u_clavePropiedad(uN.propiedadColor);
        const QString largo = u_clavePropiedad(uN.propiedadLargo);
        const QString caducidad = u_clavePropiedad(uN.propiedadCaducidad);
        TFRM_capturarPropiedadesAdicionales d(uSistema);
        QVERIFY(
            d.prepara(uN.pinturas, QStringLiteral("Pintura vinílica"), {{color, QStringLiteral("Blanco")}}));
        QCOMPARE(d.propiedades(), 3);
        QCOMPARE(hijo<QLineEdit>(&d, color)->text(), QStringLiteral("Blanco"));
        escribe(&d, largo, "2.5");
        escribe(&d, caducidad, "31/02/2025");
        clic(&d, "BTN_aceptar");
        QVERIFY(!d.aceptado());
        QCOMPARE(uGuion->guion().textos(),
                 QStringList{"La fecha de Caducidad debe escribirse como dd/mm/aaaa."});
        escribe(&d, caducidad, "28/02/2025");
        escribe(&d, color, "Blanco \"hueso\" 'mate'");
        guardaImagen(&d, "propiedades_adicionales");
        clic(&d, "BTN_aceptar");
        QVERIFY(d.aceptado());
        const TpropiedadesAdicionales esperado{{color, QStringLiteral("Blanco \"hueso\" 'mate'")},
                                               {largo, QStringLiteral("2.5")},
                                               {caducidad, QStringLiteral("28/02/2025")}};
        QCOMPARE(d.resultado(), esperado);
        QCOMPARE(u_idPropiedad(largo), uN.propiedadLargo);

        TFRM_capturarPropiedadesAdicionales sin(uSistema);
        QVERIFY(sin.prepara(uN.tornillos, QString(), {}));
        QCOMPARE(sin.propiedades(), 0);
        QCOMPARE(hijo<QLabel>(&sin, "LBL_msg")->text(), QStringLiteral("Sin propiedades"));
    }

    void usuarioDeSoloLectura() {
        const int id = productoGuardado();
        const TsistemaDatos lector = uBase->sistema(uN.id, kNivelRestringido);
        TFRM_productos pantalla;
        QVERIFY(pantalla.init(lector, true, false));
        QVERIFY(!hijo<QPushButton>(&pantalla, "BTN_nuevo")->isEnabled());
        QCOMPARE(hijo<QPushButton>(&pantalla, "BTN_editar")->text(), QStringLiteral("Ver"));
        TFRM_productoCaptura captura(lector);
        QVERIFY(captura.preparaEdicion(id));
        for (const char *nombre : {"BTN_aceptar", "BTN_aplicarStock", "BTN_categoria", "BTN_unidadMedida"})
            QVERIFY2(!hijo<QPushButton>(&captura, nombre)->isEnabled(), nombre);
        QVERIFY(hijo<QLineEdit>(&captura, "TXT_nombre")->isReadOnly());
        TFRM_unidadesMedida unidades(lector);
        for (const char *nombre :
             {"BTN_nuevoConjunto", "BTN_guardarConjunto", "BTN_nuevaUnidad", "BTN_guardarUnidad"})
            QVERIFY2(!hijo<QPushButton>(&unidades, nombre)->isEnabled(), nombre);
        TFRM_proveedores proveedores(lector);
        QVERIFY(!hijo<QPushButton>(&proveedores, "BTN_guardar")->isEnabled());
        TFRM_seleccionarProducto picker(lector);
        QVERIFY(!hijo<QPushButton>(&picker, "BTN_nuevo")->isEnabled());
        // Picking still works for them.
        picker.prepara({});
        clic(&picker, "BTN_aceptar");
        QCOMPARE(picker.resultado().productoId, id);
    }

    // The main screen's "Productos" sub-entry makes this catalogue and opens it with the session.
    void ranuraDeLaPantallaPrincipal() {
        productoGuardado();
        localSYS = uSistema;
        std::unique_ptr<QWidget> w(fabricaPantalla(Tpantalla::Productos)());
        auto *pantalla = dynamic_cast<TFRM_productos *>(w.get());
        QVERIFY(pantalla);
        QVERIFY(pantalla->init());
        QCOMPARE(pantalla->gridControl()->filas(), 1);
        QVERIFY(hijo<QPushButton>(pantalla, "BTN_nuevo")->isVisible() || !pantalla->isVisible());
        // The program hands in the movement import, which lives above the catalogue.
        QVERIFY(!hijo<QPushButton>(pantalla, "BTN_importarMovimientos")->isHidden());
        localSYS = TsistemaDatos();
    }
};

QTEST_MAIN(TpruebaPantallasCatalogos)
#include "tst_pantallasCatalogos.moc"
