// Ledger rows recorded one movement at a time and the ledger queries, on the engine of the run.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "comun/UNEG_opciones.h"
#include "datos/UmiddleTier.h"
#include "kardex/UNEG_construccionKardex.h"
#include "kardex/UNEG_escrituraKardex.h"
#include "kardex/UNEG_kardex.h"
#include "kardex/U_kardexMovimientos.h"

#include <QtTest>

class TpruebaKardex : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    static const QDate kInicio;
    static const QDate kFin;

    TkardexRenglon renglon(int almacen, int producto, int negocio) const {
        TkardexRenglon r;
        r.fechaHora = TnegocioPrueba::fecha(QStringLiteral("2024-02-01 10:00:00"));
        r.almacenID = almacen;
        r.productoID = producto;
        r.negocioID = negocio;
        return r;
    }

    // The business of the FIFO example, rebuilt: R1 10 @ 5, R2 5 @ 6, issue 1 of 4 from R1.
    struct Tejemplo {
        int almacen, producto, r1, r2;
    };
    Tejemplo ejemplo(TnegocioPrueba &n) {
        Tejemplo e{n.almacen(), n.producto(), 0, 0};
        e.r1 = n.filaEntrada(QStringLiteral("R1"), e.almacen, e.producto,
                             QStringLiteral("2024-01-01 09:00:00"), 10, 5);
        e.r2 = n.filaEntrada(QStringLiteral("R2"), e.almacen, e.producto,
                             QStringLiteral("2024-01-02 09:00:00"), 5, 6);
        n.filaSalida(e.r1, QStringLiteral("2024-01-03 23:59:59.999"), 4, 5, 1);
        TconstruccionKardex(uBase->sesion(), n.negocio()).construye();
        return e;
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() { uBase.reset(); }

    // Null variants store NULL; the two totals are stored from their text.
    void insertaRenglonConNulos() {
        TnegocioPrueba n(*uBase, 1);
        TkardexRenglon r = renglon(n.almacen(), n.producto(), n.negocio());
        r.entradaID = 7;
        r.entradaCantidad = 0.1 + 0.2;
        r.totalCantidad = 0.1 + 0.2;
        r.totalCostoUnitario = 1e308;
        TescrituraKardex opciones(uBase->sesion());
        QVERIFY(opciones.insertRenglonKardex(r).isSuccess());
        QCOMPARE(n.kardex(), QStringList{QStringLiteral("7 - 0.3 - | - - - - | 0.3 1e+308 | - - -")});
        QCOMPARE(
            n.cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE documentoSalida IS NULL AND "
                                    "totalExistencia IS NULL AND grupo IS NULL")),
            1);
    }

    // Groups of issue rows: a new document opens a group with division 1, the same document
    // continues it; a receipt joins the current group; the layer keeps what its newest row says.
    void gruposDeMovimientosSueltos() {
        TnegocioPrueba n(*uBase, 1);
        const TsistemaDatos sistema = n.sistema();
        const int a = n.almacen(), p = n.producto();
        QCOMPARE(kardexGetUltimoGrupoPorAlmacenPorProducto(sistema, a, p), 0);
        QCOMPARE(kardexGetUltimoSalidaDocumentoID(sistema, a, p), 0);
        TkardexRenglon e = renglon(a, p, n.negocio());
        e.entradaID = 101;
        e.documentoEntrada = 1;
        e.entradaCantidad = 10.0;
        e.entradaCostoUnitario = 5.0;
        QVERIFY(kardexEntrada(sistema, e));
        e.entradaID = 102;
        e.documentoEntrada = 2;
        e.entradaCantidad = 3.0;
        QVERIFY(kardexEntrada(sistema, e));
        TkardexRenglon s = renglon(a, p, n.negocio());
        s.documentoSalida = 5;
        s.salidaEntradaRelacionada = 101;
        s.salidaCantidad = QStringLiteral("4");
        s.salidaCostoUnitario = 5.0;
        QVERIFY(kardexSalida(sistema, s));
        s.salidaEntradaRelacionada = 102;
        s.salidaCantidad = 3.0;
        QVERIFY(kardexSalida(sistema, s));
        s.documentoSalida = 6;
        s.salidaEntradaRelacionada = 101;
        s.salidaCantidad = 0.1;
        QVERIFY(kardexSalida(sistema, s));
        QCOMPARE(n.kardex(), QStringList({
                                 QStringLiteral("101 1 10 5 | - - - - | 10 5 | - - 0"),
                                 QStringLiteral("102 2 3 5 | - - - - | 3 5 | - - 0"),
                                 QStringLiteral("- - - - | 5 101 4 5 | 6 5 | - 1 1"),
                                 QStringLiteral("- - - - | 5 102 3 5 | 0 5 | - - 1"),
                                 QStringLiteral("- - - - | 6 101 0.1 5 | 5.9 5 | - 1 2"),
                             }));
        QCOMPARE(kardexGetUltimoGrupoPorAlmacenPorProducto(sistema, a, p), 2);
        QCOMPARE(kardexGetUltimoSalidaDocumentoID(sistema, a, p), 6);
    }

    // The ledger as stored, read back with its descriptions; snapshot rows show no date.
    void selectKardex2ComoSeGuardo() {
        TnegocioPrueba n(*uBase, 1);
        const Tejemplo e = ejemplo(n);
        Tkardex kardex(uBase->sesion());
        const CmidTierResponse r =
            kardex.selectKardex2(kInicio, QDate(2024, 1, 3), e.almacen, e.producto, n.negocio());
        QVERIFY(r.isSuccess());
        QCOMPARE(r.getAlias(),
                 QStringList({"inventarioKardex_id", "inventarioKardex_fechaHora", "inventarioProducto_id",
                              "inventarioKardex_documentoEntrada", "inventarioKardex_documentoSalida",
                              "inventarioMovimientoConcepto_etiqueta", "comprobante_serieFolio",
                              "comprobante_uuid", "inventarioKardex_entradaCantidad",
                              "inventarioKardex_entradaCostoUnitario", "_entradaCalculado",
                              "inventarioKardex_salidaCantidad", "inventarioKardex_salidaCostoUnitario",
                              "_salidaCalculado", "inventarioKardex_totalCantidad",
                              "inventarioKardex_totalCostoUnitario", "_total_calculado",
                              "inventarioKardex_division", "_capa"}));
        QCOMPARE(r.getRowCount(), 4);
        auto fila = [&r](int f) {
            return QStringList({r.getCelda(f, QStringLiteral("inventarioKardex_fechaHora")),
                                r.getCelda(f, QStringLiteral("inventarioMovimientoConcepto_etiqueta")),
                                r.getCelda(f, QStringLiteral("_entradaCalculado")),
                                r.getCelda(f, QStringLiteral("_salidaCalculado")),
                                r.getCelda(f, QStringLiteral("_total_calculado")),
                                r.getCelda(f, QStringLiteral("_capa"))});
        };
        const QString r1 = QString::number(e.r1), r2 = QString::number(e.r2);
        QCOMPARE(fila(0),
                 QStringList({"2024-01-01 09:00:00.000", "Doc. Entrada 1 - Entrada 1", "50", "", "50", r1}));
        QCOMPARE(fila(1),
                 QStringList({"2024-01-02 09:00:00.000", "Doc. Entrada 2 - Entrada 1", "30", "", "30", r2}));
        QCOMPARE(fila(2),
                 QStringList({"2024-01-03 23:59:59.999", "Doc. Salida 1 - Salida 1", "", "20", "30", r1}));
        QCOMPARE(fila(3), QStringList({"", "", "", "", "30", r2}));
        // The range ends with the end date's last instant.
        QCOMPARE(
            kardex.selectKardex2(QDate(2024, 1, 3), QDate(2024, 1, 3), e.almacen, e.producto, n.negocio())
                .getRowCount(),
            2);
        QCOMPARE(kardex.selectKardex2(kInicio, QDate(2024, 1, 2), e.almacen, e.producto, n.negocio())
                     .getRowCount(),
                 2);
    }

    // Issue document numbers are per business: another business's issue 1 does not repeat rows.
    void selectKardex2SoloLasSalidasDelAlmacen() {
        TnegocioPrueba n(*uBase, 1);
        const Tejemplo e = ejemplo(n);
        TnegocioPrueba otro(*uBase, 1, QStringLiteral("Papelería Sol"));
        const int capa = otro.filaEntrada(QStringLiteral("X1"), otro.almacen(), otro.producto(),
                                          QStringLiteral("2024-01-01 09:00:00"), 3, 1);
        otro.filaSalida(capa, QStringLiteral("2024-01-03 09:00:00"), 1, 1, 1, 3);
        Tkardex kardex(uBase->sesion());
        const CmidTierResponse r = kardex.selectKardex2(kInicio, kFin, e.almacen, e.producto, n.negocio());
        QCOMPARE(r.getRowCount(), 4);
        QCOMPARE(r.getCelda(2, QStringLiteral("inventarioMovimientoConcepto_etiqueta")),
                 QStringLiteral("Doc. Salida 1 - Salida 1"));
        QCOMPARE(kardex.selectKardex2(kInicio, kFin, e.almacen, e.producto, otro.negocio()).getRowCount(), 0);
    }

    // The older view: one row per receipt or issue, each family in its columns.
    void selectKardexPorFamilia() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        const int inicial = n.filaEntrada(QStringLiteral("I"), a, p, QStringLiteral("2024-01-01 08:00:00"), 2,
                                          4, -4, {2.0, 4.0, 8.0});
        n.filaEntrada(QStringLiteral("R"), a, p, QStringLiteral("2024-01-01 09:00:00"), 3, 5, 1,
                      {5.0, 4.6, 23.0});
        const int s =
            n.filaSalida(inicial, QStringLiteral("2024-01-02 09:00:00"), 1, 4, 1, 1, {4.0, 4.0, 19.0});
        n.devuelve(n.filaEntrada(QStringLiteral("D"), a, p, QStringLiteral("2024-01-03 09:00:00"), 1, 4, 2),
                   s);
        n.filaSalida(inicial, QStringLiteral("2024-01-04 09:00:00"), 1, 4, 2, 3);
        Tkardex kardex(uBase->sesion());
        const CmidTierResponse r = kardex.selectKardex(kInicio, kFin, a, p, n.negocio());
        QVERIFY(r.isSuccess());
        QCOMPARE(r.getColumnCount(), 18);
        QCOMPARE(r.getAlias().at(7), QStringLiteral("inventarioPrducto_id"));
        QStringList filas;
        for (int f = 0; f < r.getRowCount(); ++f) {
            QStringList celdas;
            for (const char *c : {"inventarioMovimientoConcepto_familia", "inventarioMovimientoEtiqueta",
                                  "inventarioEntrada_cantidad", "entradaTotal", "salida_cantidad",
                                  "salida_total", "inventarioEntrada_existenciaTotal"})
                celdas << r.getCelda(f, QLatin1String(c));
            filas << celdas.join(QLatin1Char('|'));
        }
        QCOMPARE(filas, QStringList({
                            "-4|Entrada -4, documento de entrada 1|||||2",
                            "1|Entrada 1, documento de entrada 2|3|15|||5",
                            "1|Salida 1, documento de salida 1|||1|4|4",
                            "2|Entrada 2, documento de entrada 3|||-1|-4|",
                            "3|Salida 3, documento de salida 2|-1|-4|||",
                        }));
    }

    void sentenciasPequenas() {
        TnegocioPrueba n(*uBase, 1);
        const Tejemplo e = ejemplo(n);
        n.ejecuta(QStringLiteral(
                      "INSERT INTO inventarioStock (inventarioAlmacen_id, inventarioProducto_id, minimo, "
                      "maximo, idNegocioFk) VALUES (%1, %2, 2, 40, :negocio)")
                      .arg(e.almacen)
                      .arg(e.producto));
        Tkardex k(uBase->sesion());
        const CmidTierResponse limites = k.selectProductoMaximoMinimo(e.almacen, e.producto, n.negocio());
        QCOMPARE(limites.getCeldaAsFloat(0, QStringLiteral("inventarioStock_maximo")), 40.0);
        QCOMPARE(limites.getCeldaAsFloat(0, QStringLiteral("inventarioStock_minimo")), 2.0);
        QCOMPARE(k.selectExistenciaCapa(e.r1, n.negocio())
                     .getCeldaAsFloat(0, QStringLiteral("inventarioKardex_totalCantidad")),
                 6.0);
        QCOMPARE(k.selectUltimoGrupoPorAlmacenPorProducto(e.almacen, e.producto, n.negocio())
                     .getCeldaAsInt(0, QStringLiteral("inventarioKardex_grupo")),
                 1);
        const CmidTierResponse vacio =
            k.selectUltimoGrupoPorAlmacenPorProducto(e.almacen, e.producto + 99, n.negocio());
        QCOMPARE(vacio.getRowCount(), 1);
        QVERIFY(vacio.esNulo(0, QStringLiteral("inventarioKardex_grupo")));
        QVERIFY(k.selectUltimoDocumentoSalidaID(e.almacen, e.producto, n.negocio())
                    .esNulo(0, QStringLiteral("documentoSalida")));
        const QDateTime dia2 = TnegocioPrueba::fecha(QStringLiteral("2024-01-02 00:00:00"));
        const qint64 primero = k.selectKardexRenglonInicial(dia2, e.producto, e.almacen, n.negocio())
                                   .getCeldaAsInt(0, QStringLiteral("_fila"));
        const qint64 ultimo = k.selectKardexRenglonFinal(dia2, e.producto, e.almacen, n.negocio())
                                  .getCeldaAsInt(0, QStringLiteral("_fila"));
        QCOMPARE(primero, ultimo + 1);
    }

    // Hostile values are bound, never spliced: quotes in a label, huge and negative ids.
    void valoresHostiles() {
        TnegocioPrueba n(*uBase, 1);
        const Tejemplo e = ejemplo(n);
        n.ejecuta(
            QStringLiteral("UPDATE inventarioMovimientoConcepto SET etiqueta = 'O''Brien \"x\"; DROP TABLE "
                           "inventarioKardex; --' WHERE direccion = 1 AND idNegocioFk = :negocio"));
        Tkardex k(uBase->sesion());
        const CmidTierResponse r = k.selectKardex2(kInicio, kFin, e.almacen, e.producto, n.negocio());
        QCOMPARE(r.getCelda(0, QStringLiteral("inventarioMovimientoConcepto_etiqueta")),
                 QStringLiteral("Doc. Entrada 1 - O'Brien \"x\"; DROP TABLE inventarioKardex; --"));
        QVERIFY(k.selectKardex2(kInicio, kFin, -1, 2147483647, n.negocio()).isSuccess());
        QVERIFY(k.selectKardex(QDate(), QDate(), e.almacen, e.producto, n.negocio()).isSuccess());
        QCOMPARE(n.kardex().size(), 4);
    }
};

const QDate TpruebaKardex::kInicio(2024, 1, 1);
const QDate TpruebaKardex::kFin(2024, 12, 31);

QTEST_GUILESS_MAIN(TpruebaKardex)
#include "tst_kardex.moc"
