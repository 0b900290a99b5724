// The schema (creation, upgrade, refusal of newer databases, the names the module's SQL relies on)
// and the demo business, on the engine of the run. One fresh database per case.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "comun/U_semillas.h"
#include "comun/UdatosDemo.h"
#include "datos/Uesquema.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"

#include <QtTest>

namespace {

const QDate kHoyDemo(2025, 6, 16);

QStringList todasLasTablas() {
    QStringList tablas;
    for (const auto &v : esquema::versiones()) {
        for (const auto &t : v.tablas)
            tablas << t.nombre;
    }
    return tablas;
}

bool existeTabla(TConexionSesion *sesion, const QString &tabla) {
    TmiddleTier mt(sesion);
    mt.setQuery(mt.segunProveedor(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = DATABASE() "
                       "AND table_name = :tabla"),
        QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = :tabla")));
    mt.setParametroTexto(QStringLiteral("tabla"), tabla);
    return mt.getScalarAsInt() > 0;
}

// The engine's own description of every table, column and index, in a stable order.
QStringList catalogo(TConexionSesion *sesion) {
    TmiddleTier mt(sesion);
    mt.setQuery(mt.segunProveedor(
        QStringLiteral(
            "SELECT CONCAT_WS('|', 'columna', table_name, ordinal_position, column_name, column_type, "
            "is_nullable, COALESCE(column_default, '-'), extra, COALESCE(collation_name, '-')) AS d FROM "
            "information_schema.columns WHERE table_schema = DATABASE() UNION ALL SELECT CONCAT_WS('|', "
            "'indice', table_name, index_name, seq_in_index, column_name, non_unique) FROM "
            "information_schema.statistics WHERE table_schema = DATABASE() ORDER BY 1"),
        QStringLiteral("SELECT type || '|' || name || '|' || tbl_name || '|' || COALESCE(sql, '-') FROM "
                       "sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY type, name")));
    const CmidTierResponse r = mt.reader();
    if (!r.isSuccess())
        return {QStringLiteral("falló la lectura del catálogo")};
    QStringList filas;
    for (int f = 0; f < r.getRowCount(); ++f)
        filas << r.getCelda(f, 0);
    return filas;
}

bool existeIndice(TConexionSesion *sesion, const esquema::Tindice &indice) {
    TmiddleTier mt(sesion);
    mt.setQuery(mt.segunProveedor(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.statistics WHERE table_schema = DATABASE() "
                       "AND table_name = :tabla AND index_name = :indice"),
        QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = :tabla AND "
                       "name = :indice")));
    mt.setParametroTexto(QStringLiteral("tabla"), indice.tabla);
    mt.setParametroTexto(QStringLiteral("indice"), indice.nombre);
    return mt.getScalarAsInt() > 0;
}

// Table names come from the schema itself; values are bound.
qint64 cuenta(TConexionSesion *sesion, const QString &tabla, const QString &condicion = QString(),
              const QVariantMap &parametros = {}) {
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM ") + tabla +
                (condicion.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condicion));
    for (auto it = parametros.cbegin(); it != parametros.cend(); ++it)
        mt.setParametroVariant(it.key(), it.value());
    const CmidTierResponse r = mt.scalar();
    return r.isSuccess() ? r.getScalarAsInt() : -1;
}

bool ejecuta(TConexionSesion *sesion, const QString &sentencia) {
    TmiddleTier mt(sesion);
    mt.setQuery(sentencia);
    return mt.nonQuery().isSuccess();
}

void fijaVersion(TConexionSesion *sesion, int version) {
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("UPDATE inventarioVersionEsquema SET version = :version"));
    mt.setParametroEntero(QStringLiteral("version"), version);
    QVERIFY(mt.nonQuery().isSuccess());
}

// Every row of a table as text, in key order: what two databases must agree on.
QStringList volcado(TConexionSesion *sesion, const QString &tabla) {
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" ORDER BY 1"));
    const CmidTierResponse r = mt.reader();
    QStringList filas;
    if (!r.isSuccess())
        return {QStringLiteral("falló la lectura de ") + tabla};
    for (int f = 0; f < r.getRowCount(); ++f) {
        QStringList celdas;
        for (int c = 0; c < r.getColumnCount(); ++c)
            celdas << r.getCelda(f, c);
        filas << tabla + QLatin1Char(':') + celdas.join(QLatin1Char('|'));
    }
    return filas;
}

QMap<QString, qint64> cuentasPorTabla(TConexionSesion *sesion) {
    QMap<QString, qint64> cuentas;
    for (const QString &tabla : todasLasTablas())
        cuentas.insert(tabla, cuenta(sesion, tabla));
    return cuentas;
}

} // namespace

class TpruebaEsquema : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    TConexionSesion *sesion() const { return uBase->sesion(); }

private slots:
    void init() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida(), qPrintable(uBase->error()));
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    void creadoDosVecesNoCambiaNada() {
        const auto primera = esquema::creaOActualiza(sesion());
        QVERIFY2(primera.estado == esquema::Estado::Listo, qPrintable(primera.error));
        QCOMPARE(primera.versionEncontrada, 0);
        const QStringList creado = catalogo(sesion());
        const QMap<QString, qint64> filas = cuentasPorTabla(sesion());
        const auto segunda = esquema::creaOActualiza(sesion());
        QVERIFY2(segunda.estado == esquema::Estado::Listo, qPrintable(segunda.error));
        QCOMPARE(segunda.versionEncontrada, esquema::versionActual());
        QCOMPARE(esquema::versionRegistrada(sesion()), esquema::versionActual());
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioVersionEsquema")), 1);
        QCOMPARE(catalogo(sesion()), creado);
        QCOMPARE(cuentasPorTabla(sesion()), filas);
        // Seeds land once; the table-state table is left to the start-up check.
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioTraspasoEstado")), 3);
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioNoSerieEstado")), 2);
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioTablaEstado")), 0);
    }

    void semillasConSusEtiquetas_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("etiqueta");
        QTest::newRow("traspaso enviado") << "inventarioTraspasoEstado" << 1 << QStringLiteral("En tránsito");
        QTest::newRow("traspaso recibido") << "inventarioTraspasoEstado" << 2 << QStringLiteral("Recibido");
        QTest::newRow("traspaso cancelado") << "inventarioTraspasoEstado" << 3 << QStringLiteral("Cancelado");
        QTest::newRow("serie en almacén") << "inventarioNoSerieEstado" << 1 << QStringLiteral("en almacén");
        QTest::newRow("serie con salida") << "inventarioNoSerieEstado" << 2 << QStringLiteral("con salida");
    }
    void semillasConSusEtiquetas() {
        QFETCH(QString, tabla);
        QFETCH(int, id);
        QFETCH(QString, etiqueta);
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT etiqueta FROM ") + tabla + QStringLiteral(" WHERE id = :id"));
        mt.setParametroEntero(QStringLiteral("id"), id);
        const CmidTierResponse r = mt.reader();
        QVERIFY(r.isSuccess());
        QCOMPARE(r.getRowCount(), 1);
        QCOMPARE(r.getCelda(0, 0), etiqueta);
    }

    // A database left at any earlier version and upgraded has the tables, columns and indexes of
    // one created now, as the engine describes them.
    void actualizadaIgualQueNueva_data() {
        QTest::addColumn<int>("desde");
        for (int v = 1; v < esquema::versionActual(); ++v)
            QTest::addRow("desde la versión %d", v) << v;
    }
    void actualizadaIgualQueNueva() {
        QFETCH(int, desde);
        TbasePrueba nueva;
        QVERIFY2(nueva.valida() && nueva.creaEsquema(), qPrintable(nueva.error()));
        const auto anterior = esquema::creaOActualiza(sesion(), desde);
        QVERIFY2(anterior.estado == esquema::Estado::Listo, qPrintable(anterior.error));
        QCOMPARE(esquema::versionRegistrada(sesion()), desde);
        const auto r = esquema::creaOActualiza(sesion());
        QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
        QCOMPARE(r.versionEncontrada, desde);
        QCOMPARE(catalogo(sesion()), catalogo(nueva.sesion()));
    }

    // Issue rows written before they carried their layer's warehouse, product and business get them
    // from the layer, whichever business it is; a row whose layer is gone keeps none. Running the
    // step again (an interrupted one on MariaDB) changes nothing.
    void salidasTomanLoDeSuCapa() {
        const auto v4 = esquema::creaOActualiza(sesion(), 4);
        QVERIFY2(v4.estado == esquema::Estado::Listo, qPrintable(v4.error));
        const auto capa = [&](int almacen, int producto, int negocio) {
            return u_insertaFila(sesion(), QStringLiteral("inventarioEntrada"),
                                 {{QStringLiteral("documento"), 1},
                                  {QStringLiteral("fechaHora"), QDateTime(QDate(2024, 3, 1), QTime(9, 0))},
                                  {QStringLiteral("inventarioAlmacen_id"), almacen},
                                  {QStringLiteral("inventarioProducto_id"), producto},
                                  {QStringLiteral("idNegocioFk"), negocio}});
        };
        const auto salida = [&](int capa) {
            return u_insertaFila(sesion(), QStringLiteral("inventarioSalida"),
                                 {{QStringLiteral("documento"), 1},
                                  {QStringLiteral("fechaHora"), QDateTime(QDate(2024, 3, 2), QTime(9, 0))},
                                  {QStringLiteral("inventarioEntrada_id"), capa}});
        };
        const int s1 = salida(capa(3, 7, 1)), s2 = salida(capa(3, 7, 2)), s3 = salida(capa(4, 8, 2));
        const int huerfana = salida(9999);
        QVERIFY(s1 > 0 && s2 > 0 && s3 > 0 && huerfana > 0);
        const QStringList esperadas = {QStringLiteral("%1|3|7|1").arg(s1), QStringLiteral("%1|3|7|2").arg(s2),
                                       QStringLiteral("%1|4|8|2").arg(s3),
                                       QStringLiteral("%1|0|0|0").arg(huerfana)};
        for (int vez = 0; vez < 2; ++vez) {
            const auto r = esquema::creaOActualiza(sesion());
            QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
            QCOMPARE(u_filasTexto(sesion(),
                                  QStringLiteral("SELECT id, inventarioAlmacen_id, inventarioProducto_id, "
                                                 "idNegocioFk FROM inventarioSalida ORDER BY id")),
                     esperadas);
            fijaVersion(sesion(), 4);
        }
    }

    void unaFilaPorClave_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QStringList>("columnas");
        QTest::addColumn<QVariantList>("duplicada");
        QTest::addColumn<QVariantList>("distinta");
        QTest::newRow("existencia por almacén y producto")
            << "inventarioExistencias" << QStringList{"inventarioAlmacen_id", "inventarioProducto_id"}
            << QVariantList{3, 7} << QVariantList{3, 8};
        QTest::newRow("opciones por negocio")
            << "inventarioOpciones" << QStringList{"idNegocioFk"} << QVariantList{5} << QVariantList{6};
        QTest::newRow("avance por línea de orden")
            << "inventarioOrdenesCompraArticulos" << QStringList{"AF_ID"} << QVariantList{11}
            << QVariantList{12};
    }
    void unaFilaPorClave() {
        QFETCH(QString, tabla);
        QFETCH(QStringList, columnas);
        QFETCH(QVariantList, duplicada);
        QFETCH(QVariantList, distinta);
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        auto inserta = [&](const QVariantList &valores) {
            QStringList marcas;
            for (int k = 0; k < columnas.size(); ++k)
                marcas << QStringLiteral(":v%1").arg(k);
            TmiddleTier mt(sesion());
            mt.setQuery(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(tabla, columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))));
            for (int k = 0; k < columnas.size(); ++k)
                mt.setParametroVariant(marcas[k], valores.value(k));
            return mt.nonQuery().isSuccess();
        };
        QVERIFY(inserta(duplicada));
        QVERIFY(!inserta(duplicada));
        QVERIFY(inserta(distinta));
        QCOMPARE(cuenta(sesion(), tabla), 2);
    }

    // A database recorded at version 0 (an interrupted first run, or one made before the
    // schema was versioned) gets what it lacks; rows it holds stay, seeds are not repeated.
    void actualizaDesdeVersionAnterior_data() {
        QTest::addColumn<QString>("tabla");
        QTest::newRow("primera tabla") << "negocio";
        QTest::newRow("tabla con índices") << "inventarioKardex";
        QTest::newRow("tabla con semillas") << "inventarioTraspasoEstado";
        QTest::newRow("tabla con clave única") << "inventarioExistencias";
    }
    void actualizaDesdeVersionAnterior() {
        QFETCH(QString, tabla);
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        QVERIFY(ejecuta(sesion(),
                        QStringLiteral("INSERT INTO sucursal (nombre, idNegocioFk) VALUES ('Norte', 1)")));
        const QStringList completo = catalogo(sesion());
        QVERIFY(ejecuta(sesion(), QStringLiteral("DROP TABLE ") + tabla));
        fijaVersion(sesion(), 0);

        const auto r = esquema::creaOActualiza(sesion());
        QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
        QCOMPARE(r.versionEncontrada, 0);
        QCOMPARE(catalogo(sesion()), completo);
        QCOMPARE(esquema::versionRegistrada(sesion()), esquema::versionActual());
        QCOMPARE(cuenta(sesion(), QStringLiteral("sucursal")), 1);
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioTraspasoEstado")), 3);
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioNoSerieEstado")), 2);
        QCOMPARE(cuenta(sesion(), QStringLiteral("ModuloAsientosContables")), 8);
    }

    // A business stored with its address as one text keeps it whole in the street after the upgrade
    // that splits the address; a business without one gets empty parts. Running the step again (on
    // MariaDB a step interrupted half-way is run again) changes nothing.
    void domicilioDeUnaLineaPasaALaCalle() {
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        const bool mysql = uBase->esMySQL();
        QVERIFY(ejecuta(sesion(), QStringLiteral("DROP TABLE negocio")));
        for (const auto &tabla : esquema::versiones().constFirst().tablas) {
            if (tabla.nombre == QLatin1String("negocio"))
                QVERIFY(ejecuta(sesion(), esquema::sentenciaCreaTabla(tabla, mysql)));
        }
        const QString direccion = QStringLiteral("Av. Juárez 1450, Col. Centro, Guadalajara, Jal. 'Local' 3");
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("INSERT INTO negocio (nombre, direccionFiscal, codigoPostal) VALUES "
                                   "('Con domicilio', :d, '44100'), ('Sin domicilio', '', '')"));
        mt.setParametroTexto(QStringLiteral("d"), direccion);
        QVERIFY(mt.nonQuery().isSuccess());
        fijaVersion(sesion(), 1);

        for (int vez = 0; vez < 2; ++vez) {
            const auto r = esquema::creaOActualiza(sesion());
            QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
            QCOMPARE(esquema::versionRegistrada(sesion()), esquema::versionActual());
            const QStringList filas = u_filasTexto(
                sesion(), QStringLiteral("SELECT nombre, calle, numeroExterior, numeroInterior, colonia, "
                                         "codigoPostal, municipio, estado FROM negocio ORDER BY nombre"));
            QCOMPARE(filas, (QStringList{QStringLiteral("Con domicilio|") + direccion +
                                             QStringLiteral("||||44100||"),
                                         QStringLiteral("Sin domicilio|||||||")}));
            fijaVersion(sesion(), 1);
        }
    }

    // An older database gets the index a product's newest ledger group is read from; its ledger
    // stays as it was.
    void indiceDelGrupoAlActualizar_data() {
        QTest::addColumn<int>("desde");
        QTest::newRow("versión 4") << 4;
        QTest::newRow("versión 5") << 5;
    }
    void indiceDelGrupoAlActualizar() {
        QFETCH(int, desde);
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        const QStringList completo = catalogo(sesion());
        QVERIFY(
            ejecuta(sesion(), QStringLiteral("DROP INDEX ix_kardex_grupo") +
                                  (uBase->esMySQL() ? QStringLiteral(" ON inventarioKardex") : QString())));
        QVERIFY(
            ejecuta(sesion(), QStringLiteral("INSERT INTO inventarioKardex (fechaHora, inventarioAlmacen_id, "
                                             "inventarioProducto_id, idNegocioFk, grupo) VALUES "
                                             "('2025-01-02 10:00:00', 1, 7, 1, 3)")));
        fijaVersion(sesion(), desde);

        const auto r = esquema::creaOActualiza(sesion());
        QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
        QCOMPARE(catalogo(sesion()), completo);
        QCOMPARE(esquema::versionRegistrada(sesion()), esquema::versionActual());
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioKardex"), QStringLiteral("grupo = 3")), 1);
    }

    // The indexes a step retires are gone from an upgraded database, and a new one never keeps them;
    // the rows stay, and running the step again (an interrupted one on MariaDB) changes nothing.
    void indicesRetiradosAlActualizar() {
        QVector<esquema::Tindice> retirados;
        int anterior = 0; // the version before the last step that retires indexes
        for (const auto &v : esquema::versiones()) {
            retirados += v.retirados;
            if (!v.retirados.isEmpty())
                anterior = v.version - 1;
        }
        QVERIFY(!retirados.isEmpty());
        const auto r = esquema::creaOActualiza(sesion(), anterior);
        QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
        for (const auto &indice : retirados)
            QVERIFY2(existeIndice(sesion(), indice), qPrintable(indice.nombre));
        QVERIFY(
            ejecuta(sesion(), QStringLiteral("INSERT INTO inventarioKardex (fechaHora, inventarioAlmacen_id, "
                                             "inventarioProducto_id, idNegocioFk, grupo) VALUES "
                                             "('2025-01-02 10:00:00', 1, 7, 1, 3)")));

        for (int vez = 0; vez < 2; ++vez) {
            fijaVersion(sesion(), anterior);
            const auto actualizada = esquema::creaOActualiza(sesion());
            QVERIFY2(actualizada.estado == esquema::Estado::Listo, qPrintable(actualizada.error));
            for (const auto &indice : retirados)
                QVERIFY2(!existeIndice(sesion(), indice), qPrintable(indice.nombre));
        }
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioKardex"), QStringLiteral("grupo = 3")), 1);
        TbasePrueba nueva;
        QVERIFY2(nueva.valida() && nueva.creaEsquema(), qPrintable(nueva.error()));
        for (const auto &indice : retirados)
            QVERIFY2(!existeIndice(nueva.sesion(), indice), qPrintable(indice.nombre));
    }

    // A program older than the database must not touch it, not even to add what is missing.
    void rechazaVersionMasNueva() {
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        QVERIFY(ejecuta(sesion(), QStringLiteral("DROP TABLE inventarioLote")));
        const int futura = esquema::versionActual() + 1;
        fijaVersion(sesion(), futura);
        const QStringList antes = catalogo(sesion());

        const auto r = esquema::creaOActualiza(sesion());
        QVERIFY(r.estado == esquema::Estado::VersionMasNueva);
        QCOMPARE(r.versionEncontrada, futura);
        QCOMPARE(catalogo(sesion()), antes);
        QCOMPARE(esquema::versionRegistrada(sesion()), futura);
    }

    // A database with tables of another application, or with a version record we cannot trust,
    // is refused by the schema step itself and gains nothing.
    void rechazaLoQueNoEsNuestro_data() {
        QTest::addColumn<QStringList>("sentencias");
        QTest::addColumn<int>("estado");
        const QString version =
            QStringLiteral("CREATE TABLE inventarioVersionEsquema (version INTEGER NOT NULL)");
        QTest::newRow("tabla de otra aplicación")
            << QStringList{QStringLiteral(
                   "CREATE TABLE clientes (id INTEGER PRIMARY KEY, nombre VARCHAR(40))")}
            << int(esquema::Estado::Ajena);
        QTest::newRow("tablas nuestras sin versión")
            << QStringList{QStringLiteral("CREATE TABLE inventarioEntrada (id INTEGER PRIMARY KEY)")}
            << int(esquema::Estado::VersionInvalida);
        QTest::newRow("versión negativa")
            << QStringList{version, QStringLiteral("INSERT INTO inventarioVersionEsquema VALUES (-1)")}
            << int(esquema::Estado::VersionInvalida);
        if (TbasePrueba::motor() != QLatin1String("mysql")) // MariaDB refuses text in the column
            QTest::newRow("versión como texto")
                << QStringList{version, QStringLiteral("INSERT INTO inventarioVersionEsquema VALUES ('2')"),
                               QStringLiteral("INSERT INTO inventarioVersionEsquema VALUES ('dos')")}
                << int(esquema::Estado::VersionInvalida);
    }
    void rechazaLoQueNoEsNuestro() {
        QFETCH(QStringList, sentencias);
        QFETCH(int, estado);
        for (const QString &sentencia : sentencias)
            QVERIFY2(ejecuta(sesion(), sentencia), qPrintable(sentencia));
        const auto r = esquema::creaOActualiza(sesion());
        QCOMPARE(int(r.estado), estado);
        QVERIFY(!existeTabla(sesion(), QStringLiteral("negocio")));
        QCOMPARE(esquema::examina(sesion()).contenido == esquema::Contenido::Ajena,
                 estado == int(esquema::Estado::Ajena));
    }

    // A first run that stopped right after creating the version table is finished by the next.
    void versionSinRegistroSeCompleta() {
        QVERIFY(ejecuta(sesion(),
                        QStringLiteral("CREATE TABLE inventarioVersionEsquema (version INTEGER NOT NULL)")));
        const auto r = esquema::creaOActualiza(sesion());
        QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
        QCOMPARE(esquema::versionRegistrada(sesion()), esquema::versionActual());
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioVersionEsquema")), 1);
    }

    void demoCreaUnNegocioCompleto() {
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        const int negocio = datosDemo::crea(sesion(), kHoyDemo);
        QVERIFY(negocio > 0);
        QCOMPARE(cuenta(sesion(), QStringLiteral("negocio")), 1);
        const QString delNegocio = QStringLiteral("idNegocioFk = :negocio");
        const QVariantMap p = {{QStringLiteral("negocio"), negocio}};
        auto delNegocioCon = [&](const char *condicion) {
            return delNegocio + QStringLiteral(" AND ") + QString::fromLatin1(condicion);
        };
        QCOMPARE(cuenta(sesion(), QStringLiteral("sucursal"), delNegocio, p), 2);
        QVERIFY(cuenta(sesion(), QStringLiteral("inventarioAlmacen"), delNegocio, p) >= 3);
        QVERIFY(cuenta(sesion(), QStringLiteral("inventarioProducto"), delNegocio, p) >= 20);
        QVERIFY(cuenta(sesion(), QStringLiteral("inventarioProducto"),
                       delNegocioCon("opControladoNoSerie = 1"), p) >= 2);
        QVERIFY(cuenta(sesion(), QStringLiteral("proveedor"), delNegocio, p) >= 5);
        QCOMPARE(cuenta(sesion(), QStringLiteral("AF_OrdenesCompra"), delNegocio, p), 3);
        QCOMPARE(
            cuenta(sesion(), QStringLiteral("AF_OrdenesCompra"), delNegocioCon("AF_OrdenPendiente = 1"), p),
            1);
        QVERIFY(cuenta(sesion(), QStringLiteral("Comprobante"), delNegocioCon("tipo = 1"), p) > 0);
        QVERIFY(cuenta(sesion(), QStringLiteral("Comprobante"), delNegocioCon("tipo = 0"), p) > 0);
        QVERIFY(cuenta(sesion(), QStringLiteral("puntoOperacion"), delNegocio, p) > 0);
        QVERIFY(cuenta(sesion(), QStringLiteral("ventasCotizacion"), delNegocio, p) > 0);

        // Concepts of every family; system families exactly once, each on its side.
        struct Tfamilia {
            int familia;
            int direccion;
            bool unica;
        };
        for (const Tfamilia f :
             {Tfamilia{1, 1, false}, Tfamilia{1, 2, false}, Tfamilia{2, 1, false}, Tfamilia{3, 2, false},
              Tfamilia{-1, 2, true}, Tfamilia{-2, 1, true}, Tfamilia{-3, 1, true}, Tfamilia{-4, 1, true}}) {
            const qint64 n = cuenta(sesion(), QStringLiteral("inventarioMovimientoConcepto"),
                                    delNegocioCon("familia = :familia AND direccion = :direccion"),
                                    {{QStringLiteral("negocio"), negocio},
                                     {QStringLiteral("familia"), f.familia},
                                     {QStringLiteral("direccion"), f.direccion}});
            QVERIFY2(f.unica ? n == 1 : n >= 1, qPrintable(QStringLiteral("familia %1").arg(f.familia)));
        }
        // Every concept is linked to a template of its side's accounting modules (61xx in, 62xx out).
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral(
            "SELECT COUNT(*) FROM inventarioMovimientoConcepto c "
            "JOIN AsientosContables a ON a.id = c.AsientosContables_id AND a.idNegocioFk = c.idNegocioFk "
            "JOIN ModuloAsientosContables m ON m.id = a.ModuloAsientosContables_id "
            "WHERE c.idNegocioFk = :negocio AND ((c.direccion = 1 AND m.modulo BETWEEN 6100 AND 6199) OR "
            "(c.direccion = 2 AND m.modulo BETWEEN 6200 AND 6299))"));
        mt.setParametroEntero(QStringLiteral("negocio"), negocio);
        QCOMPARE(mt.getScalarAsInt(),
                 cuenta(sesion(), QStringLiteral("inventarioMovimientoConcepto"), delNegocio, p));

        // A box of 12 converts to 12 pieces: same set, ratio 12 to 1.
        mt.setQuery(QStringLiteral("SELECT caja.razon / pieza.razon FROM inventarioUnidadesMedida caja "
                                   "JOIN inventarioUnidadesMedida pieza ON pieza.conjunto = caja.conjunto "
                                   "AND pieza.idNegocioFk = caja.idNegocioFk "
                                   "WHERE caja.descripcion = 'Caja de 12' AND pieza.descripcion = 'Pieza' "
                                   "AND caja.idNegocioFk = :negocio"));
        mt.setParametroEntero(QStringLiteral("negocio"), negocio);
        QCOMPARE(mt.scalar().getScalar().toDouble(), 12.0);

        // The user chooses the valuation method and posts the first movements.
        QCOMPARE(cuenta(sesion(), QStringLiteral("inventarioOpciones"),
                        delNegocioCon("metodoValoracionInventario IS NOT NULL"), p),
                 0);
        for (const char *tabla :
             {"inventarioEntrada", "inventarioSalida", "inventarioKardex", "inventarioExistencias"})
            QCOMPARE(cuenta(sesion(), QString::fromLatin1(tabla)), 0);

        // The start-up checks find what they look for and add nothing.
        const QMap<QString, qint64> antes = cuentasPorTabla(sesion());
        QVERIFY(compruebaCategoriaInicialExiste(sesion(), negocio));
        QVERIFY(compruebaMovimientoConceptoDummyExiste(sesion(), negocio));
        QVERIFY(compruebaUnidadesMedidaDummyExiste(sesion(), negocio));
        QVERIFY(u_rfcPublicoGeneralExiste(sesion(), negocio));
        QCOMPARE(cuentasPorTabla(sesion()), antes);
    }

    void demoDaLasMismasFilas() {
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        TbasePrueba otra;
        QVERIFY2(otra.valida(), qPrintable(otra.error()));
        QVERIFY2(otra.creaEsquema(), qPrintable(otra.error()));
        QVERIFY(datosDemo::crea(sesion(), kHoyDemo) > 0);
        QVERIFY(datosDemo::crea(otra.sesion(), kHoyDemo) > 0);
        for (const QString &tabla : todasLasTablas())
            QCOMPARE(volcado(otra.sesion(), tabla), volcado(sesion(), tabla));
    }

    // Whichever statement fails, the demo leaves the database as it found it.
    void demoFallidaNoDejaNada_data() {
        QTest::addColumn<int>("parte"); // of the statements run: 0 first, 1 middle, 2 last
        QTest::newRow("primera sentencia") << 0;
        QTest::newRow("sentencia intermedia") << 1;
        QTest::newRow("última sentencia") << 2;
    }
    void demoFallidaNoDejaNada() {
        QFETCH(int, parte);
        int sentencias = 0;
        {
            TbasePrueba medida;
            QVERIFY2(medida.valida() && medida.creaEsquema(), qPrintable(medida.error()));
            const int antes = TmiddleTier::sentenciasEjecutadas();
            QVERIFY(datosDemo::crea(medida.sesion(), kHoyDemo) > 0);
            sentencias = TmiddleTier::sentenciasEjecutadas() - antes;
        }
        QVERIFY(sentencias > 10);
        QVERIFY2(uBase->creaEsquema(), qPrintable(uBase->error()));
        const QMap<QString, qint64> antes = cuentasPorTabla(sesion());
        const int falla[] = {1, sentencias / 2, sentencias};
        TmiddleTier::setFallaEnSentencia(falla[parte]);
        QCOMPARE(datosDemo::crea(sesion(), kHoyDemo), 0);
        TmiddleTier::setFallaEnSentencia(0);
        QCOMPARE(cuentasPorTabla(sesion()), antes);
    }
};

QTEST_GUILESS_MAIN(TpruebaEsquema)
#include "tst_esquema.moc"
