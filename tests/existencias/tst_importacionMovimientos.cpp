// Movement import: a history from a file tells the same ledger story as the same documents
// captured one by one; workbooks; the stop at a row that cannot be posted (earlier documents
// kept); the trial run leaving nothing; products created on the way; hostile files refused with
// nothing written; the dialog.
#include "apoyo/UnegocioPrueba.h"

#include "apoyo/UfilasPrueba.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_escritorXlsx.h"
#include "comun/U_semillas.h"
#include "datos/UfallaBaseDatos.h"
#include "existencias/UFRM_importacionMovimientos.h"
#include "existencias/UNEG_importacionMovimientos.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kEncabezado =
    QStringLiteral("fecha,tipo,almacen,concepto,producto,cantidad,costo_unitario,documento");

// The ledger with each layer named by its order of appearance, so two businesses compare.
QStringList kardexComparable(const QStringList &kardex) {
    QHash<QString, QString> nombres;
    QStringList filas;
    for (const QString &fila : kardex) {
        QStringList t = fila.split(QLatin1Char(' '));
        for (const int i : {0, 6}) {
            if (t.value(i) != QLatin1String("-"))
                t[i] = nombres.contains(t[i])
                           ? nombres[t[i]]
                           : *nombres.insert(t[i], QStringLiteral("c%1").arg(nombres.size() + 1));
        }
        filas << t.join(QLatin1Char(' '));
    }
    return filas;
}

QVector<QStringList> tabla(const QStringList &lineas) {
    QVector<QStringList> t;
    for (const QString &l : lineas)
        t << l.split(QLatin1Char(','));
    return t;
}
} // namespace

class TpruebaImportacionMovimientos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    QTemporaryDir uCarpeta;

    // A business with "Matriz", the concepts "Compra" and "Venta", and products TOR-1 and PIN-2.
    struct Tescena {
        std::unique_ptr<TnegocioPrueba> n;
        int almacen = 0;
        QHash<QString, int> productos;
    };
    Tescena escena(int metodo = 1, const QString &nombre = QStringLiteral("Ferretería Juárez")) {
        Tescena e;
        e.n = std::make_unique<TnegocioPrueba>(*uBase, metodo, nombre);
        e.almacen = e.n->almacen(QStringLiteral("Matriz"));
        e.n->concepto(1, 1, QStringLiteral("Compra"));
        e.n->concepto(2, 1, QStringLiteral("Venta"));
        compruebaUnidadesMedidaDummyExiste(e.n->sesion(), e.n->negocio());
        for (const QString &clave : {QStringLiteral("TOR-1"), QStringLiteral("PIN-2")})
            e.productos.insert(clave,
                               e.n->fila(QStringLiteral("inventarioProducto"),
                                         {{QStringLiteral("clave"), clave},
                                          {QStringLiteral("nombre"), QStringLiteral("Artículo ") + clave}}));
        return e;
    }
    TresultadoImportacionMovimientos importa(const Tescena &e, const QStringList &lineas,
                                             TopcionesImportacion opciones = {}) {
        return u_importaMovimientos(e.n->sesion(), e.n->negocio(), tabla(lineas), opciones);
    }
    qint64 movimientos(const Tescena &e) const {
        return e.n->cuenta(
                   QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio")) +
               e.n->cuenta(
                   QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio")) +
               e.n->cuenta(
                   QStringLiteral("SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio")) +
               e.n->cuenta(
                   QStringLiteral("SELECT COUNT(*) FROM inventarioProducto WHERE idNegocioFk = :negocio"));
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() { uBase.reset(); }

    void historiaIgualQueCapturada_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("peps") << 1;
        QTest::newRow("promedio") << 2;
    }
    // The file's documents in another order than their dates: posted by date all the same.
    void historiaIgualQueCapturada() {
        QFETCH(int, metodo);
        Tescena capturada = escena(metodo, QStringLiteral("Capturada"));
        const int tor = capturada.productos[QStringLiteral("TOR-1")];
        const int pin = capturada.productos[QStringLiteral("PIN-2")];
        QVERIFY(capturada.n->recibe(QStringLiteral("a"), capturada.almacen, tor,
                                    QStringLiteral("2024-03-01 09:00:00"), 10, 4.5));
        QVERIFY(capturada.n->recibe(QStringLiteral("b"), capturada.almacen, pin,
                                    QStringLiteral("2024-03-01 09:30:00"), 3, 120));
        QVERIFY(capturada.n->recibe(QStringLiteral("c"), capturada.almacen, tor,
                                    QStringLiteral("2024-03-02 10:00:00"), 5, 5.1));
        QVERIFY(capturada.n->entrega(capturada.almacen, tor, QStringLiteral("2024-03-03 12:00:00"), 12));
        QVERIFY(capturada.n->entrega(capturada.almacen, pin, QStringLiteral("2024-03-03 12:05:00"), 1.5));

        Tescena importada = escena(metodo, QStringLiteral("Importada"));
        const TresultadoImportacionMovimientos r = importa(
            importada, {kEncabezado, QStringLiteral("2024-03-03 12:00,salida,matriz,Venta,tor-1,12,,"),
                        QStringLiteral("2024-03-01 09:00,entrada,Matriz,Compra,TOR-1,10,4.5,"),
                        QStringLiteral("2024-03-01 09:30:00,entrada,Matriz,compra,PIN-2,3,120,"),
                        QStringLiteral("2024-03-02 10:00,entrada,Matriz,Compra,TOR-1,5,5.1,"),
                        QStringLiteral("2024-03-03 12:05,salida,Matriz,Venta,PIN-2,1.5,,")});
        QVERIFY2(r.completa, qPrintable(r.mensaje));
        QCOMPARE(kardexComparable(importada.n->kardex()), kardexComparable(capturada.n->kardex()));
        QCOMPARE(importada.n->existencia(importada.almacen, importada.productos[QStringLiteral("TOR-1")]),
                 3.0);
        QCOMPARE(r.documentos.size(), 5);
        QCOMPARE(r.documentos.first().fila, 3); // the earliest document is the file's third row
        QCOMPARE(r.valorRecibido, 10 * 4.5 + 3 * 120 + 5 * 5.1);
        QCOMPARE(importada.n->cuenta(
                     QStringLiteral("SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio")),
                 5);

        // The report: one line per layer an issue drew on, the layer being its receipt row.
        const QString ruta = uCarpeta.filePath(QStringLiteral("informe.csv"));
        QString error;
        QVERIFY2(u_escribeInformeImportacion(ruta, r, error), qPrintable(error));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList informe =
            QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(informe.first(), QStringLiteral("documento,fecha,producto,capa,cantidad,costo_unitario"));
        const qint64 primeraCapa = importada.n->cuenta(
            QStringLiteral("SELECT MIN(id) FROM inventarioEntrada WHERE idNegocioFk = :negocio"));
        if (metodo == 1) {
            QCOMPARE(informe.size(), 4); // 12 of TOR-1 over two layers, 1.5 of PIN-2 over one
            QCOMPARE(informe[1].section(QLatin1Char(','), 1),
                     QStringLiteral("2024-03-03 12:00:00,TOR-1,%1,10,4.5").arg(primeraCapa));
        }
        const QStringList resumen = u_resumenImportacion(r, false);
        QCOMPARE(resumen.first(),
                 QStringLiteral("Guardado: fila 3 -> entrada %1").arg(r.documentos.first().numero));
        QCOMPARE(resumen.mid(5, 2), QStringList({QStringLiteral("Documentos: 5 (entradas: 3, salidas: 2)"),
                                                 QStringLiteral("Renglones: 5")}));
    }

    // An issue and a receipt of the same instant: the receipt is posted first, as the ledger tells
    // them, whatever the file's order (here the issue needs the receipt's stock).
    void mismoInstanteEntradaPrimero() {
        Tescena e = escena();
        const TresultadoImportacionMovimientos r =
            importa(e, {kEncabezado, QStringLiteral("2024-03-01 09:00,entrada,Matriz,Compra,TOR-1,10,4.5,"),
                        QStringLiteral("2024-03-02 10:00,salida,Matriz,Venta,TOR-1,12,,"),
                        QStringLiteral("2024-03-02 10:00,entrada,Matriz,Compra,TOR-1,5,5.1,")});
        QVERIFY2(r.completa, qPrintable(r.mensaje));
        QCOMPARE(r.documentos.size(), 3);
        QCOMPARE(r.documentos[1].fila, 4);
        QVERIFY(r.documentos[1].entrada);
        QCOMPARE(e.n->existencia(e.almacen, e.productos[QStringLiteral("TOR-1")]), 3.0);
    }

    // Rows of one document (documento, date, kind and warehouse) from a workbook's first sheet.
    void libroXlsx() {
        Tescena e = escena();
        ThojaXlsx hoja;
        const QStringList filas[] = {
            kEncabezado.split(QLatin1Char(',')) << QStringLiteral("lote"),
            {QStringLiteral("2024-05-01 08:00"), QStringLiteral("entrada"), QStringLiteral("Matriz"),
             QStringLiteral("Compra"), QStringLiteral("TOR-1"), QStringLiteral("4"), QStringLiteral("2.25"),
             QStringLiteral("F-77"), QStringLiteral("L-1")},
            {QStringLiteral("2024-05-01 08:00"), QStringLiteral("entrada"), QStringLiteral("Matriz"),
             QStringLiteral("Compra"), QStringLiteral("PIN-2"), QStringLiteral("2"), QStringLiteral("80"),
             QStringLiteral("F-77"), QString()}};
        for (int f = 0; f < 3; ++f)
            for (int c = 0; c < filas[f].size(); ++c)
                if (!filas[f][c].isEmpty())
                    hoja.celdas.append({f, c, -1, filas[f][c], {}, false, 0});
        // A quantity typed as a number, and a date typed as a date (the serial of 2024-05-01 08:00).
        hoja.celdas[hoja.celdas.size() - 3].valor = 2.0;
        hoja.celdas[9] = {1, 0, -1, 45413.0 + 8.0 / 24.0, QStringLiteral("yyyy-mm-dd hh:mm"), false, 0};
        const QString ruta = uCarpeta.filePath(QStringLiteral("movimientos.XLSX"));
        QString error;
        QVERIFY2(u_escribeHojaXlsx(ruta, hoja, &error), qPrintable(error));
        const TresultadoImportacionMovimientos r =
            u_importaArchivoMovimientos(e.n->sesion(), e.n->negocio(), ruta, {});
        QVERIFY2(r.completa, qPrintable(r.mensaje));
        QCOMPARE(r.documentos.size(), 1);
        QCOMPARE(r.lineas, 2);
        QCOMPARE(e.n->existencia(e.almacen, e.productos[QStringLiteral("PIN-2")]), 2.0);
        QCOMPARE(
            u_valorConsulta(e.n->sesion(), QStringLiteral("SELECT numero FROM inventarioLote")).toString(),
            QStringLiteral("L-1"));
    }

    // More documents than one commit takes: every one posted once, in order, across the commits.
    void variasConfirmaciones() {
        Tescena e = escena();
        QStringList lineas = {kEncabezado};
        const int documentos = importacionMovimientos::kDocumentosPorConfirmacion + 20;
        const QDateTime inicio(QDate(2024, 3, 1), QTime(8, 0));
        for (int i = 0; i < documentos; ++i)
            lineas << QStringLiteral("%1,entrada,Matriz,Compra,TOR-1,1,%2,")
                          .arg(inicio.addSecs(60 * i).toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                          .arg(i % 7 + 1);
        const TresultadoImportacionMovimientos r = importa(e, lineas);
        QVERIFY2(r.completa, qPrintable(r.mensaje));
        QCOMPARE(r.documentos.size(), documentos);
        QCOMPARE(r.documentos.last().numero - r.documentos.first().numero, documentos - 1);
        QCOMPARE(e.n->existencia(e.almacen, e.productos[QStringLiteral("TOR-1")]), double(documentos));
        QCOMPARE(
            e.n->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio")),
            documentos);
    }

    // A file as spreadsheets save it: byte-order mark, CR LF, quoted fields with commas, doubled
    // quotes and a line break.
    void csvConComillas() {
        Tescena e = escena();
        const QString ruta = uCarpeta.filePath(QStringLiteral("comillas.csv"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF" + kEncabezado.toUtf8() +
                ",nombre\r\n2024-03-01 09:00,entrada,Matriz,Compra,\"CLA \"\"X\"\", 2\" ,1,1.5,,\"Caja, "
                "\r\nmixta\"\r\n");
        f.close();
        const TresultadoImportacionMovimientos r =
            u_importaArchivoMovimientos(e.n->sesion(), e.n->negocio(), ruta, {false, true});
        QVERIFY2(r.completa, qPrintable(r.mensaje));
        QCOMPARE(
            u_filasTexto(e.n->sesion(), QStringLiteral("SELECT clave, nombre FROM inventarioProducto WHERE "
                                                       "nombre LIKE 'Caja%'")),
            QStringList{QStringLiteral("CLA \"X\", 2|Caja, \r\nmixta")});
    }

    void detieneEnLaFilaQueNoSePuedeRegistrar_data() {
        QTest::addColumn<QString>("fila4");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin existencia")
            << QStringLiteral("2024-03-05 10:00,salida,Matriz,Venta,PIN-2,1,,")
            << QStringLiteral("Fila 4: La cantidad capturada sobrepasa la existencia actual");
        QTest::newRow("antes del último movimiento del almacén")
            << QStringLiteral("2024-03-05 10:00,entrada,Bodega,Compra,TOR-1,1,1,")
            << QStringLiteral("Fila 4: Revise fecha/hora de entrada");
    }
    // The rows before it posted (and committed), the failing one and those after it not.
    void detieneEnLaFilaQueNoSePuedeRegistrar() {
        QFETCH(QString, fila4);
        QFETCH(QString, mensaje);
        Tescena e = escena();
        QVERIFY(e.n->recibe(QStringLiteral("bodega"), e.n->almacen(QStringLiteral("Bodega")),
                            e.productos[QStringLiteral("TOR-1")], QStringLiteral("2024-12-01 08:00:00"), 1,
                            1));
        const TresultadoImportacionMovimientos r =
            importa(e, {kEncabezado, QStringLiteral("2024-03-01 09:00,entrada,Matriz,Compra,TOR-1,10,4.5,"),
                        QStringLiteral("2024-03-02 09:00,salida,Matriz,Venta,TOR-1,2,,"), fila4,
                        QStringLiteral("2024-03-06 09:00,entrada,Matriz,Compra,TOR-1,10,4.5,")});
        QVERIFY(!r.completa);
        QCOMPARE(r.filaFallida, 4);
        QCOMPARE(r.mensaje, mensaje);
        QCOMPARE(r.documentos.size(), 2);
        QCOMPARE(e.n->existencia(e.almacen, e.productos[QStringLiteral("TOR-1")]), 8.0);
        QCOMPARE(e.n->cuenta(
                     QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio")),
                 2);
    }

    void fallaTecnica_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<int>("desde"); // the statement fails from its n-th run on
        QTest::addColumn<int>("documentos");
        QTest::newRow("kardex de la salida, tras escribirla")
            << QStringLiteral("INSERT INTO inventarioKardex") << 2 << 1;
        QTest::newRow("confirmación final") << QStringLiteral("COMMIT") << 1 << 0;
    }
    // A statement the engine refuses: the document it belongs to leaves nothing of what it had
    // written, the import stops there, and only what was committed is listed as posted.
    void fallaTecnica() {
        QFETCH(QString, sentencia);
        QFETCH(int, desde);
        QFETCH(int, documentos);
        Tescena e = escena();
        int vistas = 0;
        u_fallaCuando([&](const QString &s) { return s.startsWith(sentencia) && ++vistas >= desde; }, 13);
        const TresultadoImportacionMovimientos r =
            importa(e, {kEncabezado, QStringLiteral("2024-03-01 09:00,entrada,Matriz,Compra,TOR-1,10,4.5,"),
                        QStringLiteral("2024-03-02 09:00,salida,Matriz,Venta,TOR-1,2,,")});
        u_fallaCuando({}, 0);
        QVERIFY(!r.completa);
        QCOMPARE(r.documentos.size(), documentos);
        QCOMPARE(e.n->cuenta(
                     QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio")),
                 documentos);
        QCOMPARE(
            e.n->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio")),
            documentos);
        QCOMPARE(
            e.n->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioSalida s JOIN inventarioEntrada x ON "
                                       "x.id = s.inventarioEntrada_id WHERE x.idNegocioFk = :negocio")),
            0);
        QCOMPARE(e.n->existencia(e.almacen, e.productos[QStringLiteral("TOR-1")]), documentos ? 10.0 : -1.0);
    }

    // A trial run posts everything and keeps nothing; the real run then writes what it proved.
    void simularNoDejaNada() {
        Tescena e = escena();
        const QStringList lineas = {kEncabezado,
                                    QStringLiteral("2024-03-01 09:00,entrada,Matriz,Compra,NUEVO,10,4.5,"),
                                    QStringLiteral("2024-03-02 09:00,salida,Matriz,Venta,NUEVO,4,,")};
        QStringList conNombre = lineas;
        conNombre[0] += QStringLiteral(",nombre");
        conNombre[1] += QStringLiteral(",Taquete 1/4");
        conNombre[2] += QStringLiteral(",");
        const qint64 antes = movimientos(e);
        const TresultadoImportacionMovimientos sinCrear = importa(e, conNombre);
        QCOMPARE(sinCrear.mensaje, QStringLiteral("Fila 2: el producto «NUEVO» no existe."));
        const TresultadoImportacionMovimientos simulada = importa(e, conNombre, {true, true});
        QVERIFY2(simulada.completa, qPrintable(simulada.mensaje));
        QCOMPARE(simulada.documentos.size(), 2);
        QCOMPARE(simulada.costoSalidas, 18.0);
        QCOMPARE(movimientos(e), antes);

        const TresultadoImportacionMovimientos real = importa(e, conNombre, {false, true});
        QVERIFY2(real.completa, qPrintable(real.mensaje));
        QCOMPARE(real.productosCreados, 1);
        QCOMPARE(u_filasTexto(e.n->sesion(),
                              QStringLiteral("SELECT p.nombre, p.inventarioCategoria_identidad, u.razon FROM "
                                             "inventarioProducto p JOIN inventarioUnidadesMedida u ON u.id = "
                                             "p.unidadesMedida_id WHERE p.clave = 'NUEVO'")),
                 QStringList{QStringLiteral("Taquete 1/4||1")});
        QCOMPARE(e.n->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioSalida s JOIN inventarioEntrada x ON x.id = "
                     "s.inventarioEntrada_id WHERE x.idNegocioFk = :negocio")),
                 1);
    }

    // The dialog: a trial run from the file typed, the summary shown, nothing kept; a read-only
    // user cannot import.
    void dialogo() {
        Tescena e = escena();
        const QString ruta = uCarpeta.filePath(QStringLiteral("dialogo.csv"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write((kEncabezado + QStringLiteral("\n2024-03-01 09:00,entrada,Matriz,Compra,TOR-1,2,7.25,\n"))
                    .toUtf8());
        f.close();
        TFRM_importacionMovimientos dialogo(uBase->sistema(e.n->negocio()));
        dialogo.show();
        u_hijo<QLineEdit>(&dialogo, QStringLiteral("TXT_archivo"))->setText(ruta);
        u_hijo<QCheckBox>(&dialogo, QStringLiteral("CHK_simular"))->setChecked(true);
        u_clicBoton(&dialogo, QStringLiteral("BTN_importar"));
        const QString resumen =
            u_hijo<QPlainTextEdit>(&dialogo, QStringLiteral("TXT_resumen"))->toPlainText();
        QVERIFY2(resumen.contains(QStringLiteral(
                     "Simulación: no se guardó nada.\nDocumentos: 1 (entradas: 1, salidas: 0)")),
                 qPrintable(resumen));
        QVERIFY(resumen.contains(QStringLiteral("Valor recibido: $ 14.50")));
        dialogo.grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/importacionMovimientos.png"));
        QCOMPARE(e.n->cuenta(
                     QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio")),
                 0);
        TFRM_importacionMovimientos restringido(uBase->sistema(e.n->negocio(), 1));
        QVERIFY(!u_hijo<QPushButton>(&restringido, QStringLiteral("BTN_importar"))->isEnabled());
    }

    void archivosHostiles_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("mensaje");
        const QDir corpus(QStringLiteral(INVENTARIO_HOSTILES));
        const QStringList archivos = corpus.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
        QVERIFY(archivos.size() >= 10);
        for (const QString &a : archivos) {
            QFile f(corpus.filePath(a + QStringLiteral(".esperado")));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(a));
            QTest::newRow(qPrintable(a)) << corpus.filePath(a) << QString::fromUtf8(f.readAll()).trimmed();
        }
    }
    // Refused with the row and the reason; nothing written, and the other business's warehouse
    // named in one of them stays invisible.
    void archivosHostiles() {
        QFETCH(QString, archivo);
        QFETCH(QString, mensaje);
        Tescena otro = escena(1, QStringLiteral("Otro negocio"));
        otro.n->almacen(QStringLiteral("Bodega Norte"));
        Tescena e = escena();
        const qint64 antes = movimientos(e) + movimientos(otro);
        const TresultadoImportacionMovimientos r =
            u_importaArchivoMovimientos(e.n->sesion(), e.n->negocio(), archivo, {false, true});
        QVERIFY(!r.completa);
        QVERIFY2(r.mensaje.contains(mensaje), qPrintable(r.mensaje));
        QCOMPARE(movimientos(e) + movimientos(otro), antes);
    }
};

QTEST_MAIN(TpruebaImportacionMovimientos)
#include "tst_importacionMovimientos.moc"
