// The receipt detail driven through its widgets: what it shows, the invoice and provider links
// (all or nothing, proven with the fault hook), serial numbers completed or removed, additional
// properties, permissions and both exports.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/UNEG_noSeries.h"
#include "comun/U_archivosSalida.h"
#include "comun/U_lectorXlsx.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UmiddleTier.h"
#include "entradas/UFRM_entradasDetalle.h"
#include "entradas/UNEG_entradaDetalle.h"
#include "entradas/UNEG_entradasConsulta.h"
#include "entradas/UNEG_propiedadesEntrada.h"
#include "entradas/UnegocioEntradas.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

class TpruebaEntradasDetalle : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioEntradas> uTienda;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TFRM_entradasDetalle> uDetalle;
    std::unique_ptr<QTemporaryDir> uCarpeta;
    int uEntrada = 0;
    TproximoDialogo uDialogo;

    TinteraccionGuionada &guion() const { return uGuion->guion(); }
    QWidget *d() const { return uDetalle.get(); }
    template <typename T = QWidget> T *w(const QString &nombre) const { return u_hijo<T>(d(), nombre); }
    QString texto(const QString &etiqueta) const { return w<QLabel>(etiqueta)->text(); }

    void abre(int nivel = 2) {
        localSYS = uBase->sistema(uTienda->negocio, nivel); // the invoice picker reads the module's session
        uDetalle = std::make_unique<TFRM_entradasDetalle>(uBase->sistema(uTienda->negocio, nivel));
        QVERIFY(uDetalle->prepara(uEntrada));
        uDetalle->show();
    }
    QStringList series() const {
        QStringList r;
        const TGridControl *g = uDetalle->gridNoSerie();
        for (int f = 0; f < g->filas(); ++f)
            r << g->getCelda(f, QStringLiteral("inventarioNoSerie_numero"));
        return r;
    }
    void agregaSerie(const QString &numero) {
        auto *campo = w<QLineEdit>(QStringLiteral("TXT_noSerie"));
        campo->setText(numero);
        QTest::keyClick(campo, Qt::Key_Return);
    }
    int filaSerie(const QString &numero) const { return int(series().indexOf(numero)); }
    int proveedorVinculado() const {
        return uTienda->n
            .valor(
                QStringLiteral("SELECT COALESCE(MAX(proveedor_id), 0) FROM inventarioEntradaProveedor WHERE "
                               "inventarioEntrada_id = :e"),
                {{QStringLiteral("e"), uEntrada}})
            .toInt();
    }
    int comprobante() const {
        return uTienda->n
            .valor(QStringLiteral("SELECT idComprobante FROM inventarioEntrada WHERE id = :e"),
                   {{QStringLiteral("e"), uEntrada}})
            .toInt();
    }
    // Runs a change with the n-th statement failing, n = 1, 2, ... until it succeeds; every failed
    // run must leave the stored state as it was.
    template <typename C, typename E> void todoONada(C cambio, E estado) {
        const auto antes = estado();
        int n = 1;
        for (; n < 20; ++n) {
            TmiddleTier::setFallaEnSentencia(n);
            const bool hecho = cambio();
            TmiddleTier::setFallaEnSentencia(0);
            if (hecho)
                break;
            QCOMPARE(estado(), antes);
        }
        QVERIFY2(n > 1, "the change never ran a statement that could fail");
        QVERIFY(estado() != antes);
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<TnegocioEntradas>(*uBase, QStringLiteral("Cómputo y Más"));
        TentradaPrueba e;
        e.documento = 41;
        e.producto = uTienda->laptop;
        e.cantidad = 3;
        e.costo = 12500.5;
        e.proveedor = uTienda->proveedor;
        e.pedimento = QStringLiteral("24 47 3807 4000123");
        e.lote = QStringLiteral("L-9");
        e.caducidad = QDate(2027, 5, 31);
        e.series = QStringList{QStringLiteral("SN1")};
        e.seriesConSalida = QStringList{QStringLiteral("SN2")};
        uEntrada = uTienda->entrada(e);
        uGuion = std::make_unique<TguionInstalado>();
        uCarpeta = std::make_unique<QTemporaryDir>();
        u_instalaDialogoGuardar(
            [this](const QString &propuesto, const QString &) { return uCarpeta->filePath(propuesto); });
        u_instalaAbridorArchivo([](const QString &) {});
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uDetalle.reset();
        u_instalaDialogoGuardar({});
        u_instalaAbridorArchivo({});
        uGuion.reset();
        localSYS = TsistemaDatos();
        uTienda.reset();
        uBase.reset();
    }

    void muestraLaEntrada() {
        abre();
        QCOMPARE(texto(QStringLiteral("LBL_entradaNo")), QStringLiteral("41"));
        QCOMPARE(texto(QStringLiteral("LBL_producto")), QStringLiteral("Laptop 14\""));
        QCOMPARE(texto(QStringLiteral("LBL_categoria")), QStringLiteral("Cómputo"));
        QCOMPARE(texto(QStringLiteral("LBL_precioUnitario")), QStringLiteral("$ 12,500.50"));
        QCOMPARE(texto(QStringLiteral("LBL_unidadCompra")), QStringLiteral("Caja"));
        QCOMPARE(texto(QStringLiteral("LBL_factorConversion")), QStringLiteral("12"));
        QCOMPARE(texto(QStringLiteral("LBL_unidadAlmacenamiento")), QStringLiteral("Pieza"));
        QCOMPARE(texto(QStringLiteral("LBL_proveedor")), QStringLiteral("Aceros del Norte"));
        QCOMPARE(texto(QStringLiteral("LBL_ordenCompra")), QString());
        QCOMPARE(texto(QStringLiteral("LBL_pedimentoNumero")), QStringLiteral("24 47 3807 4000123"));
        QCOMPARE(texto(QStringLiteral("LBL_pedimentoAduana")), QStringLiteral("47"));
        QCOMPARE(texto(QStringLiteral("LBL_loteNumero")), QStringLiteral("L-9"));
        QCOMPARE(texto(QStringLiteral("LBL_loteCaducidad")), QStringLiteral("31/05/2027"));
        QCOMPARE(texto(QStringLiteral("LBL_noSerieTotalPorCapa")), QStringLiteral("2\\3"));
        QCOMPARE(series(), (QStringList{"SN1", "SN2"}));
        QCOMPARE(w<QLineEdit>(QStringLiteral("control") + QString::number(uTienda->color))->text(),
                 QString());
        QCOMPARE(texto(QStringLiteral("aLBL_") + QString::number(uTienda->garantia)),
                 QStringLiteral("Garantía"));
        QVERIFY(w<QLabel>(QStringLiteral("LBL_sinPropiedades"))->isHidden());
        auto *pestanas = w<QTabWidget>(QStringLiteral("PGC_detalle"));
        for (int i = 0; i < pestanas->count(); ++i) {
            pestanas->setCurrentIndex(i);
            uDetalle->grab().save(TbasePrueba::carpetaSalida() +
                                  QStringLiteral("/entradasDetalle_%1.png").arg(i));
        }
    }

    void loteSinBanderaYAduanaSinDato() {
        // A production date stored without its flag, and no customs office (-1): both show empty.
        TentradaPrueba e;
        e.documento = 42;
        uEntrada = uTienda->entrada(e);
        u_insertaFila(uBase->sesion(), QStringLiteral("inventarioLote"),
                      {{QStringLiteral("inventarioEntrada_id"), uEntrada},
                       {QStringLiteral("numero"), QStringLiteral("L-10")},
                       {QStringLiteral("fechaProduccion"), QDateTime(QDate(2024, 1, 2), QTime(0, 0))},
                       {QStringLiteral("fechaProduccionEstablecida"), 0}});
        u_insertaFila(uBase->sesion(), QStringLiteral("inventarioPedimento"),
                      {{QStringLiteral("inventarioEntrada_id"), uEntrada},
                       {QStringLiteral("numeroPedimento"), QStringLiteral("X")}});
        abre();
        QCOMPARE(texto(QStringLiteral("LBL_loteNumero")), QStringLiteral("L-10"));
        QCOMPARE(texto(QStringLiteral("LBL_loteProduccion")), QString());
        QCOMPARE(texto(QStringLiteral("LBL_pedimentoAduana")), QString());
        QVERIFY(!w(QStringLiteral("TXT_noSerie"))->isEnabled()); // not a serial-numbered product
        QVERIFY(!w(QStringLiteral("BTN_agregarNoSerie"))->isEnabled());
        QVERIFY(!w<QLabel>(QStringLiteral("LBL_sinPropiedades"))->isHidden());
    }

    void otroNegocioNoSeVe() {
        TnegocioEntradas otra(*uBase, QStringLiteral("Ajena"));
        TentradaPrueba e;
        const int ajena = otra.entrada(e);
        TFRM_entradasDetalle detalle(uBase->sistema(uTienda->negocio));
        QVERIFY(!detalle.prepara(ajena));
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("No se encontró la entrada indicada.")});
        // The statements refuse another business's rows even when given their ids.
        TentradasConsulta t(uBase->sesion());
        QVERIFY(!t.insertEntradaProveedor(ajena, uTienda->proveedor, uTienda->negocio).isSuccess());
        QVERIFY(!t.insertEntradaProveedor(uEntrada, otra.proveedor, uTienda->negocio).isSuccess());
        QVERIFY(!TpropiedadesEntrada(uBase->sesion())
                     .insertPropiedad(ajena, uTienda->color, QStringLiteral("x"), uTienda->negocio)
                     .isSuccess());
        t.updateEntradaComprobanteID(uEntrada, otra.factura, uTienda->negocio);
        QCOMPARE(comprobante(), 0);
    }

    void cambioDeProveedorTodoONada() {
        const int nuevo = uTienda->n.fila(QStringLiteral("proveedor"),
                                          {{QStringLiteral("nombre"), QStringLiteral("Tornillería Sur")}});
        const TdetalleEntrada detalle = u_cargaDetalleEntrada(uBase->sesion(), uEntrada, uTienda->negocio);
        todoONada([&] { return u_cambiaProveedorEntrada(uBase->sesion(), detalle, nuevo, uTienda->negocio); },
                  [&] { return proveedorVinculado(); });
        QCOMPARE(proveedorVinculado(), nuevo);
        QCOMPARE(uTienda->n
                     .valor(QStringLiteral("SELECT COUNT(*) FROM inventarioEntradaProveedor WHERE "
                                           "inventarioEntrada_id = :e"),
                            {{QStringLiteral("e"), uEntrada}})
                     .toInt(),
                 1);
    }

    void vincularComprobanteTodoONada() {
        const TdetalleEntrada detalle = u_cargaDetalleEntrada(uBase->sesion(), uEntrada, uTienda->negocio);
        todoONada(
            [&] {
                return u_vinculaComprobanteEntrada(uBase->sesion(), detalle, uTienda->factura,
                                                   uTienda->negocio);
            },
            [&] { return qMakePair(comprobante(), proveedorVinculado()); });
        QCOMPARE(comprobante(), uTienda->factura);
        QCOMPARE(proveedorVinculado(), 0);
        // An invoiced receipt keeps its provider from the invoice.
        QVERIFY(!u_cambiaProveedorEntrada(uBase->sesion(),
                                          u_cargaDetalleEntrada(uBase->sesion(), uEntrada, uTienda->negocio),
                                          uTienda->proveedor, uTienda->negocio));
    }

    void vincularComprobanteDesdeLaPantalla() {
        abre();
        QVERIFY(w(QStringLiteral("BTN_proveedor"))->isEnabled());
        // Cancelling the question changes nothing and opens no picker.
        guion().respuestas({false});
        u_clicBoton(d(), QStringLiteral("BTN_comprobante"));
        QCOMPARE(guion().preguntas(),
                 QStringList{QStringLiteral("Seleccionar un comprobante eliminará la selección del proveedor "
                                            "actual.\r¿Desea continuar?")});
        QCOMPARE(comprobante(), 0);
        guion().respuestas({true});
        uDialogo.alAbrir<TFRM_seleccionarComprobante>(this, [](TFRM_seleccionarComprobante *s) {
            auto *grid = s->findChild<QTableWidget *>(QStringLiteral("GRD_comprobantes"));
            QCOMPARE(grid->rowCount(), 1);
            grid->setCurrentCell(0, 1);
            QTest::mouseClick(s->findChild<QPushButton *>(QStringLiteral("BTN_aceptar")), Qt::LeftButton);
        });
        u_clicBoton(d(), QStringLiteral("BTN_comprobante"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(comprobante(), uTienda->factura);
        QCOMPARE(texto(QStringLiteral("LBL_serieFolio")), QStringLiteral("F-77"));
        QCOMPARE(texto(QStringLiteral("LBL_proveedor")), QStringLiteral("Cómputo Global"));
        QVERIFY(!w(QStringLiteral("BTN_proveedor"))->isEnabled());
    }

    // "Serie - Folio" joins both parts, and shows nothing when the invoice lacks one of them.
    void serieFolio_data() {
        QTest::addColumn<QString>("serie");
        QTest::addColumn<QString>("folio");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("ambos") << "F"
                               << "77"
                               << "F-77";
        QTest::newRow("sin serie") << ""
                                   << "77"
                                   << "";
        QTest::newRow("sin folio") << "F"
                                   << ""
                                   << "";
    }
    void serieFolio() {
        QFETCH(QString, serie);
        QFETCH(QString, folio);
        QFETCH(QString, mostrado);
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral(
            "UPDATE Comprobante SET serie = :serie, folio = :folio WHERE idComprobante = :id"));
        mt.setParametroTexto(QStringLiteral("serie"), serie);
        mt.setParametroTexto(QStringLiteral("folio"), folio);
        mt.setParametroEntero(QStringLiteral("id"), uTienda->factura);
        QVERIFY(mt.nonQuery().isSuccess());
        const int negocio = uTienda->negocio;
        const TdetalleEntrada antes = u_cargaDetalleEntrada(uBase->sesion(), uEntrada, negocio);
        QVERIFY(u_vinculaComprobanteEntrada(uBase->sesion(), antes, uTienda->factura, negocio));
        const TdetalleEntrada d = u_cargaDetalleEntrada(uBase->sesion(), uEntrada, negocio);
        QString valor = QStringLiteral("(no está)");
        for (const auto &par : d.valores)
            if (par.first == QLatin1String("Serie - Folio"))
                valor = par.second;
        QCOMPARE(valor, mostrado);
    }

    void numerosDeSerieHastaLaCapa() {
        abre();
        agregaSerie(QStringLiteral("SN2"));
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("El número de serie esta duplicado")});
        agregaSerie(QStringLiteral("  SN3 "));
        QCOMPARE(series(), (QStringList{"SN1", "SN2", "SN3"}));
        QCOMPARE(texto(QStringLiteral("LBL_noSerieTotalPorCapa")), QStringLiteral("3\\3"));
        QVERIFY(!w(QStringLiteral("TXT_noSerie"))->isEnabled());
        QVERIFY(!w(QStringLiteral("BTN_agregarNoSerie"))->isEnabled());
        // An issued number stays.
        guion().limpia();
        u_clicCelda(uDetalle->gridNoSerie()->grid(), filaSerie(QStringLiteral("SN2")), 0);
        QCOMPARE(guion().textos(),
                 QStringList{
                     QStringLiteral("No se puede eliminar este numero de serie, ya ha registrado salida")});
        QVERIFY(guion().preguntas().isEmpty());
        QCOMPARE(series().size(), 3);
        // One in stock goes after the confirmation, and the field opens again.
        guion().respuestas({false, true});
        u_clicCelda(uDetalle->gridNoSerie()->grid(), filaSerie(QStringLiteral("SN1")), 0);
        QCOMPARE(series().size(), 3);
        u_clicCelda(uDetalle->gridNoSerie()->grid(), filaSerie(QStringLiteral("SN1")), 0);
        QCOMPARE(guion().preguntas().last(),
                 QStringLiteral("¿Desea eliminar el no. de serie?\rEsta acción no se puede deshacer."));
        QCOMPARE(series(), (QStringList{"SN2", "SN3"}));
        QVERIFY(w(QStringLiteral("TXT_noSerie"))->isEnabled());
        QVERIFY(w(QStringLiteral("BTN_agregarNoSerie"))->isEnabled());
    }

    void emitidoNoSeBorraNiPorSentencia() {
        const int id =
            uTienda->n.valor(QStringLiteral("SELECT id FROM inventarioNoSerie WHERE numero = 'SN2'")).toInt();
        QVERIFY(!TnoSeries(uBase->sesion()).deleteNoSerie(id, uEntrada, uTienda->negocio).isSuccess());
        QCOMPARE(uTienda->n
                     .valor(QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie WHERE id = :i"),
                            {{QStringLiteral("i"), id}})
                     .toInt(),
                 1);
    }

    void listadoPegadoTodoONada() {
        abre();
        u_clicBoton(d(), QStringLiteral("BTN_listado"));
        auto *memo = w<QPlainTextEdit>(QStringLiteral("MEM_listado"));
        memo->setPlainText(QStringLiteral("P1\nP2"));
        guion().respuestas({true});
        u_clicBoton(d(), QStringLiteral("BTN_insertarListado"));
        QCOMPARE(guion().textos(),
                 QStringList{QStringLiteral("Los elementos capturados exceden la cantidad requerida.")});
        QCOMPARE(series().size(), 2);

        // Room for one: a failed insert keeps nothing.
        guion().limpia();
        memo->setPlainText(QStringLiteral("P1\n"));
        guion().respuestas({true});
        TmiddleTier::setFallaEnSentencia(4); // product lookup, serial check, room, then the insert
        u_clicBoton(d(), QStringLiteral("BTN_insertarListado"));
        TmiddleTier::setFallaEnSentencia(0);
        QCOMPARE(series().size(), 2);
        QCOMPARE(guion().preguntas(),
                 QStringList{QStringLiteral("Se detectaron 1 números de serie, ¿continuar?")});
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("No se pudo guardar el número de serie.")});

        guion().limpia();
        guion().respuestas({true});
        u_clicBoton(d(), QStringLiteral("BTN_insertarListado"));
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("operación completada!")});
        QCOMPARE(series(), (QStringList{"SN1", "SN2", "P1"}));
        QVERIFY(!w(QStringLiteral("BTN_listado"))->isEnabled());
    }

    void propiedadesGuardadas() {
        abre();
        const QString color = QStringLiteral("control") + QString::number(uTienda->color);
        const QString garantia = QStringLiteral("control") + QString::number(uTienda->garantia);
        w<QLineEdit>(color)->setText(QStringLiteral("Rojo 'mate'"));
        w<QLineEdit>(garantia)->setText(QString(300, QLatin1Char('g')));
        u_clicBoton(d(), QStringLiteral("BTN_guardarPropiedades"));
        w<QLineEdit>(color)->setText(QStringLiteral("Azul"));
        u_clicBoton(d(), QStringLiteral("BTN_guardarPropiedades"));
        const auto valor = [&](int propiedad) {
            return uTienda->n
                .valor(QStringLiteral("SELECT valor FROM inventarioProductoPropiedad WHERE "
                                      "inventarioEntrada_id = :e AND inventarioPropiedadListado_id = :p"),
                       {{QStringLiteral("e"), uEntrada}, {QStringLiteral("p"), propiedad}})
                .toString();
        };
        QCOMPARE(valor(uTienda->color), QStringLiteral("Azul"));
        QCOMPARE(valor(uTienda->garantia).size(), 250);
        QCOMPARE(uTienda->n.valor(QStringLiteral("SELECT COUNT(*) FROM inventarioProductoPropiedad")).toInt(),
                 2);
        QCOMPARE(guion().textos(), QStringList(2, QStringLiteral("operación completada!")));
        QCOMPARE(w<QLineEdit>(color)->text(), QStringLiteral("Azul"));
    }

    void usuarioRestringidoSoloConsulta() {
        abre(kNivelRestringido);
        for (const char *c : {"BTN_exportarExcel", "BTN_exportarPDF", "BTN_comprobante", "BTN_proveedor",
                              "BTN_agregarNoSerie", "BTN_listado", "TXT_noSerie", "BTN_guardarPropiedades"})
            QVERIFY2(!w(QString::fromLatin1(c))->isEnabled(), c);
        // Nor does the delete column remove anything.
        u_clicCelda(uDetalle->gridNoSerie()->grid(), 0, 0);
        QVERIFY(guion().preguntas().isEmpty());
        QCOMPARE(series().size(), 2);
    }

    void exportaciones() {
        u_insertaFila(uBase->sesion(), QStringLiteral("inventarioProductoPropiedad"),
                      {{QStringLiteral("inventarioEntrada_id"), uEntrada},
                       {QStringLiteral("inventarioPropiedadListado_id"), uTienda->color},
                       {QStringLiteral("valor"), QStringLiteral("Plata")}});
        abre();
        u_clicBoton(d(), QStringLiteral("BTN_exportarPDF"));
        u_clicBoton(d(), QStringLiteral("BTN_exportarExcel"));
        const QString pdf = uCarpeta->filePath(QStringLiteral("Detalle Entrada.pdf"));
        QVERIFY(QFile::exists(pdf));
        QFile::remove(TbasePrueba::carpetaSalida() + QStringLiteral("/entradasDetalle.pdf"));
        QFile::copy(pdf, TbasePrueba::carpetaSalida() + QStringLiteral("/entradasDetalle.pdf"));
        const QString texto = u_textoPDF(pdf);
        for (const char *t :
             {"Detalle Entrada", "Cómputo y Más", "Entrada No.", "PEDIMENTO", "24 47 3807 4000123", "LOTE",
              "NO. DE SERIE", "ESTADO", "con salida", "PROPIEDADES ADICIONALES", "Plata"})
            QVERIFY2(texto.contains(QString::fromUtf8(t)), t);
        // The sections' separators are rules, not dashes; every figure is whole on one line.
        const QStringList faltas = u_faltasImpresion(texto, u_tablaDetalleEntrada(uDetalle->detalle()));
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n'))));

        TlectorXlsx libro;
        QVERIFY(libro.abre(uCarpeta->filePath(QStringLiteral("Entrada de Producto al Almacén.xlsx"))));
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), QStringLiteral("Negocio"));
        QCOMPARE(libro.valor(0, QStringLiteral("B1")), QStringLiteral("Cómputo y Más"));
        QCOMPARE(libro.valor(0, QStringLiteral("A2")), QStringLiteral("RFC"));
        QCOMPARE(libro.valor(0, QStringLiteral("A10")), QStringLiteral("Entrada de Producto al Almacén"));
        QCOMPARE(libro.valor(0, QStringLiteral("A11")), QStringLiteral("Entrada No."));
        QCOMPARE(libro.valor(0, QStringLiteral("B11")), QStringLiteral("41"));
        const TceldaXlsx precio = libro.celda(0, QStringLiteral("B16"));
        QCOMPARE(libro.valor(0, QStringLiteral("A16")), QStringLiteral("Precio Unitario"));
        QVERIFY(precio.numerica);
        QCOMPARE(precio.valor.toDouble(), 12500.5);
        QVERIFY(precio.formato.contains(QStringLiteral("#,##0.00")));
        QStringList columnaA;
        for (const auto &fila : libro.hoja(0))
            columnaA << (fila.isEmpty() ? QString() : fila[0].valor);
        for (const char *t : {"Pedimento", "Lote", "No. Serie", "SN2", "Propiedades Adicionales", "Color"})
            QVERIFY2(columnaA.contains(QString::fromUtf8(t)), t);
        const int serie = int(columnaA.indexOf(QStringLiteral("No. Serie")));
        QCOMPARE(libro.hoja(0)[serie][1].valor, QStringLiteral("Estatus"));
    }
};

QTEST_MAIN(TpruebaEntradasDetalle)
#include "tst_entradasDetalle.moc"
