// The issue detail: the row shown, an invoice linked to that one row through the invoice picker,
// the PDF and the .xlsx read back (business block, merged cells, money format), permissions and
// business isolation.
#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_exportarExcel.h"
#include "comun/U_lectorXlsx.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "datos/UmiddleTier.h"
#include "salidas/UFRM_salidasDetalle.h"
#include "salidas/UnegocioSalidas.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

class TpruebaSalidasDetalle : public QObject {
    Q_OBJECT

    std::unique_ptr<TentornoSalidas> uEntorno;
    TnegocioSalidas *uNegocio = nullptr;
    std::unique_ptr<TFRM_salidasDetalle> uDetalle;

    bool abre(int salida, int nivel = 2) {
        localSYS = uEntorno->base->sistema(uNegocio->negocio, nivel);
        uDetalle = std::make_unique<TFRM_salidasDetalle>(localSYS);
        uDetalle->show();
        return uDetalle->prepara(salida);
    }
    QString texto(const char *nombre) const {
        return uDetalle->findChild<QLabel *>(QString::fromLatin1(nombre))->text();
    }
    QPushButton *boton(const char *nombre) const {
        return uDetalle->findChild<QPushButton *>(QString::fromLatin1(nombre));
    }
    QString exporta(const char *nombre, const QString &extension) {
        const QString ruta = uEntorno->rutaSiguiente(QStringLiteral("detalle") + extension);
        QTest::mouseClick(boton(nombre), Qt::LeftButton);
        return QFile::exists(ruta) ? ruta : QString();
    }

private slots:
    void init() {
        uEntorno = std::make_unique<TentornoSalidas>();
        QVERIFY2(uEntorno->error().isEmpty(), qPrintable(uEntorno->error()));
        uNegocio = uEntorno->negocio.get();
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uDetalle.reset();
        uEntorno.reset();
    }

    void muestraElRenglon() {
        QVERIFY(abre(uNegocio->salida5[1]));
        QCOMPARE(uDetalle->windowTitle(), QStringLiteral("Detalle"));
        QCOMPARE(texto("LBL_no"), QStringLiteral("5"));
        QCOMPARE(texto("LBL_fechaHora"),
                 TnegocioSalidas::momento(0, {10, 0}).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
        QCOMPARE(texto("LBL_almacen"), QStringLiteral("Bodega Centro"));
        QCOMPARE(texto("LBL_categoria"), QStringLiteral("Fijación"));
        QCOMPARE(texto("LBL_producto"), QStringLiteral("Tornillo 1/4"));
        QCOMPARE(texto("LBL_precioUnitario"), QStringLiteral("$ 2.60"));
        QCOMPARE(texto("LBL_cantidad"), QStringLiteral("1"));
        QCOMPARE(texto("LBL_unidadMedida"), QStringLiteral("Pieza"));
        // No invoice yet.
        QCOMPARE(texto("LBL_serieFolio"), QStringLiteral("-"));
        QCOMPARE(texto("LBL_uuid"), QString());
        uDetalle->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/salidas_detalle.png"));
    }

    void comprobanteSoloParaEseRenglon() {
        QVERIFY(abre(uNegocio->salida5[1]));
        const int factura =
            uNegocio->comprobante(QStringLiteral("22222222-BBBB-4BBB-8BBB-000000000002"), QStringLiteral("B"),
                                  QStringLiteral("7"), QStringLiteral("Cliente Dos"));
        bool elegido = false;
        QTimer::singleShot(0, this, [&elegido] {
            auto *picker = qobject_cast<TFRM_seleccionarComprobante *>(QApplication::activeModalWidget());
            if (!picker)
                return;
            auto *grid = picker->findChild<QTableWidget *>(QStringLiteral("GRD_comprobantes"));
            for (int f = 0; f < grid->rowCount(); ++f)
                if (grid->item(f, 1)->text().startsWith(QLatin1String("22222222")))
                    grid->selectRow(f);
            elegido = true;
            picker->findChild<QPushButton *>(QStringLiteral("BTN_aceptar"))->click();
            if (picker->isVisible())
                picker->reject();
        });
        QTest::mouseClick(boton("BTN_buscarComprobante"), Qt::LeftButton);
        QVERIFY(elegido);
        QCOMPARE(uNegocio->comprobanteDeSalida(uNegocio->salida5[1]), factura);
        QCOMPARE(uNegocio->comprobanteDeSalida(uNegocio->salida5[0]), -1);
        QCOMPARE(uNegocio->comprobanteDeSalida(uNegocio->salida5[2]), -1);
        QCOMPARE(texto("LBL_serieFolio"), QStringLiteral("B-7"));
        QCOMPARE(texto("LBL_uuid"), QStringLiteral("22222222-BBBB-4BBB-8BBB-000000000002"));
    }

    void vinculoFallidoNoCambiaNada() {
        QVERIFY(abre(uNegocio->salida1));
        TnegocioSalidas ajeno(*uEntorno->base, QStringLiteral("Otra Ferretería"));
        // Another business's invoice is refused, and so is a failing statement.
        QVERIFY(!uDetalle->vinculaComprobante(ajeno.facturaUno));
        const int otra =
            uNegocio->comprobante(QStringLiteral("33333333-CCCC-4CCC-8CCC-000000000003"), QStringLiteral("C"),
                                  QStringLiteral("9"), QStringLiteral("Cliente Tres"));
        TmiddleTier::setFallaEnSentencia(1);
        QVERIFY(!uDetalle->vinculaComprobante(otra));
        TmiddleTier::setFallaEnSentencia(0);
        QCOMPARE(uNegocio->comprobanteDeSalida(uNegocio->salida1), uNegocio->facturaUno);
        QCOMPARE(texto("LBL_serieFolio"), QStringLiteral("A-101"));
        // Nor does this business open another business's issue row.
        QVERIFY(!uDetalle->prepara(ajeno.salida1));
        QCOMPARE(texto("LBL_serieFolio"), QStringLiteral("A-101"));
        QVERIFY(uEntorno->guion.guion().mensajes().isEmpty());
    }

    // A row that cannot be read still opens the screen with its captions and empty values; there is
    // nothing to link an invoice to.
    void filaIlegibleMuestraLasEtiquetas() {
        localSYS = uEntorno->base->sistema(uNegocio->negocio);
        TFRM_salidasDetalle detalle(localSYS);
        TproximoDialogo proximo;
        QStringList etiquetas;
        proximo.alAbrir<TFRM_salidasDetalle>(this, [&etiquetas](TFRM_salidasDetalle *d) {
            for (const QLabel *l : d->findChildren<QLabel *>())
                etiquetas << l->objectName() + QLatin1Char('=') + l->text();
            QVERIFY(!d->findChild<QPushButton *>(QStringLiteral("BTN_buscarComprobante"))->isEnabled());
            d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar"))->click();
        });
        TmiddleTier::setFallaEnSentencia(1);
        detalle.init(uNegocio->salida1);
        TmiddleTier::setFallaEnSentencia(0);
        QVERIFY(proximo.abierto);
        QVERIFY(!proximo.quedoAbierto);
        for (const char *caption : {"Salida No.", "Fecha/Hora", "Almacén", "Producto", "Precio Unitario"})
            QVERIFY2(
                std::any_of(etiquetas.cbegin(), etiquetas.cend(),
                            [caption](const QString &e) { return e.endsWith(QString::fromUtf8(caption)); }),
                caption);
        QVERIFY(etiquetas.contains(QStringLiteral("LBL_no=")));
        QVERIFY(etiquetas.contains(QStringLiteral("LBL_producto=")));
    }

    void hojaDeCalculo() {
        TmiddleTier mt(uEntorno->base->sesion());
        mt.setQuery(QStringLiteral("UPDATE negocio SET calle = 'Av. Juárez', numeroExterior = '1450', "
                                   "numeroInterior = 'B', colonia = 'Centro', codigoPostal = '44100', "
                                   "municipio = 'Guadalajara', estado = 'Jalisco' WHERE id = :n"));
        mt.setParametroEntero(QStringLiteral("n"), uNegocio->negocio);
        QVERIFY(mt.nonQuery().isSuccess());
        QVERIFY(abre(uNegocio->salida1));
        const QString xlsx = exporta("BTN_exportarExcel", QStringLiteral(".xlsx"));
        QVERIFY(!xlsx.isEmpty());
        const QString fecha =
            QLocale(QLocale::Spanish, QLocale::Mexico).toString(QDate::currentDate(), QLocale::LongFormat);
        QCOMPARE(uEntorno->propuestos.last(),
                 QStringLiteral("Salida de Producto del Almacén - ") + fecha + QStringLiteral(".xlsx"));
        QFile::copy(xlsx, TbasePrueba::carpetaSalida() + QStringLiteral("/salidas_detalle.xlsx"));
        TlectorXlsx libro;
        QVERIFY2(libro.abre(xlsx), qPrintable(libro.error()));
        const QStringList bloque{"Negocio", "RFC",   "Razón Social", "Estado",
                                 "Colonia", "Calle", "No.",          "Fecha Documento"};
        const QStringList valores{
            "Ferretería El Clavo", "XEXX010101000", "Ferretería El Clavo S.A. de C.V.", "Jalisco", "Centro",
            "Av. Juárez",          "1450"};
        const QStringList combinadas = libro.combinadas(0);
        for (int f = 0; f < bloque.size(); ++f) {
            QCOMPARE(libro.valor(0, QStringLiteral("A%1").arg(f + 1)), bloque[f]);
            if (f < valores.size())
                QCOMPARE(libro.valor(0, QStringLiteral("B%1").arg(f + 1)), valores[f]);
            QVERIFY(combinadas.contains(QStringLiteral("B%1:C%1").arg(f + 1)));
        }
        QVERIFY(libro.valor(0, QStringLiteral("B8"))
                    .startsWith(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
        QCOMPARE(libro.valor(0, QStringLiteral("A10")), QStringLiteral("Salida de Producto del Almacén"));
        QVERIFY(combinadas.contains(QStringLiteral("A10:E10")));
        const QStringList pares{"Salida No.",      "Fecha/Hora", "Almacén",          "Categoría",  "Producto",
                                "Precio Unitario", "Cantidad",   "Unidad de Medida", "Comprobante"};
        for (int i = 0; i < pares.size(); ++i) {
            QCOMPARE(libro.valor(0, QStringLiteral("A%1").arg(11 + i)), pares[i]);
            QVERIFY(combinadas.contains(QStringLiteral("A%1:C%1").arg(11 + i)));
        }
        QCOMPARE(libro.valor(0, QStringLiteral("D11")), QStringLiteral("1"));
        const TceldaXlsx precio = libro.celda(0, QStringLiteral("D16"));
        QVERIFY(precio.numerica);
        QCOMPARE(precio.valor.toDouble(), 2.5);
        QCOMPARE(precio.formato, QStringLiteral("$#,##0.00"));
        QCOMPARE(libro.valor(0, QStringLiteral("D19")),
                 QStringLiteral("A-101 11111111-AAAA-4AAA-8AAA-000000000001"));
    }

    void pdf() {
        QVERIFY(abre(uNegocio->salida1));
        const QString ruta = exporta("BTN_exportarPDF", QStringLiteral(".pdf"));
        QVERIFY(!ruta.isEmpty());
        QVERIFY(uEntorno->propuestos.last().startsWith(QStringLiteral("Salida de Producto del Almacén - ")));
        const QString texto = u_textoPDF(ruta);
        for (const char *esperado :
             {"Detalle Salida", "Salida No.", "Precio Unitario", "$ 2.50", "Tornillo 1/4", "A-101"})
            QVERIFY2(texto.contains(QString::fromUtf8(esperado)), qPrintable(texto));
        const QStringList faltas = u_faltasImpresion(
            texto, {},
            {this->texto("LBL_no"), this->texto("LBL_fechaHora"), this->texto("LBL_precioUnitario")});
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n'))));
        u_conservaEnSalida(ruta, QStringLiteral("salidas_detalle.pdf"));
    }

    void usuarioDeSoloLectura() {
        QVERIFY(abre(uNegocio->salida2, kNivelRestringido));
        for (const char *nombre : {"BTN_exportarExcel", "BTN_exportarPDF", "BTN_buscarComprobante"})
            QVERIFY2(!boton(nombre)->isEnabled(), nombre);
        QVERIFY(boton("BTN_aceptar")->isEnabled());
        QTest::mouseClick(boton("BTN_exportarPDF"), Qt::LeftButton);
        QVERIFY(uEntorno->propuestos.isEmpty());
    }
};

QTEST_MAIN(TpruebaSalidasDetalle)
#include "tst_salidasDetalle.moc"
