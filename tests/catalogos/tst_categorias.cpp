// The category tree below the screens: building it, the inherited SAT code, the identity
// allocator, new / edit / delete with their rules, properties, and the spreadsheet exchange
// (export, import with every refusal, round trip, faults, hostile files, the command line).
#include "UnegocioCategorias.h"
#include "apoyo/UinteraccionGuionada.h"
#include "catalogos/UNEG_categorias.h"
#include "comun/U_lectorXlsx.h"
#include "comun/UdatosDemo.h"
#include "datos/UmiddleTier.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kRaiz = QStringLiteral("0-General");

// "Nivel 1" in A1, the root in A2, then `hijos` rows of column B.
QStringList plantilla(const QStringList &hijos, const QString &raiz = QStringLiteral(" > General")) {
    return QStringList{QStringLiteral("Nivel 1|Nivel 2|Nivel 3"), raiz} + hijos;
}
} // namespace

class TpruebaCategorias : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TnegocioCategorias> uNegocio;

    TresultadoImportacion importaHoja(const QStringList &filas) {
        return u_importaCategorias(uBase->sesion(), uNegocio->id, u_hojaDe(filas));
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uGuion = std::make_unique<TguionInstalado>();
        uNegocio = std::make_unique<TnegocioCategorias>(*uBase, QStringLiteral("Ferretería La Tuerca"));
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uNegocio.reset();
        uGuion.reset();
        uBase.reset();
    }

    void arbolDesdeIdentidades() {
        uNegocio->categorias({"0A>Herramientas", "0B-Pinturas", "0AA-Martillos", "0ZQ-Huérfana"});
        const QVector<TnodoCategoria> arbol =
            u_arbolCategorias(Tcatalogo(uBase->sesion()).selectCategorias(uNegocio->id));
        QCOMPARE(arbol.size(), 4); // the row whose parent "0Z" is missing is left out, no crash
        QCOMPARE(arbol[0].identidad, QStringLiteral("0"));
        QVERIFY(arbol[0].carpeta); // the root is a folder even when stored as a subcategory
        QCOMPARE(arbol[0].hijos, 2);
        QCOMPARE(arbol[1].identidad, QStringLiteral("0A"));
        QCOMPARE(arbol[1].hijos, 1);
        QCOMPARE(arbol[3].identidad, QStringLiteral("0AA"));
        QCOMPARE(arbol[3].padre, 1);
        QVERIFY(!arbol[2].carpeta);
    }

    void claveSatHeredada_data() {
        QTest::addColumn<QString>("identidad");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("heredada");
        QTest::newRow("propia") << "0A"
                                << "27110000" << false;
        QTest::newRow("del ancestro") << "0AAB"
                                      << "27110000" << true;
        QTest::newRow("la más cercana") << "0AB"
                                        << "27112700" << false;
        QTest::newRow("sin establecer") << "0B"
                                        << "" << false;
    }
    void claveSatHeredada() {
        QFETCH(QString, identidad);
        QFETCH(QString, clave);
        QFETCH(bool, heredada);
        uNegocio->categorias(
            {"0A>Herramientas", "0AA>Manual", "0AAB-Martillos", "0AB-Eléctrica", "0B-Pinturas"});
        uNegocio->enlazaSat(QStringLiteral("0A"), 27110000, QStringLiteral("Herramientas de mano"));
        uNegocio->enlazaSat(QStringLiteral("0AB"), 27112700, QStringLiteral("Herramientas eléctricas"));
        // Another business with the same identities and its own links: never seen from this one.
        TnegocioCategorias otro(*uBase, QStringLiteral("Otra"));
        otro.categorias({"0B-Ajena"});
        otro.enlazaSat(QStringLiteral("0B"), 31160000, QStringLiteral("Ferretería"));
        Tcatalogo datos(uBase->sesion());
        const TclaveSatCategoria sat = u_claveSatCategoria(datos, identidad, uNegocio->id);
        QCOMPARE(sat.encontrada, !clave.isEmpty());
        QCOMPARE(sat.clave, clave);
        QCOMPARE(sat.heredada, heredada);
    }

    void asignador_data() {
        QTest::addColumn<QStringList>("existentes");
        QTest::addColumn<QString>("padre");
        QTest::addColumn<bool>("carpeta");
        QTest::addColumn<QString>("esperada");
        QTest::addColumn<int>("limite");
        QTest::newRow("primero") << QStringList{} << "0" << true << "0A" << int(TlimiteCategoria::Dentro);
        QTest::newRow("salta existentes")
            << QStringList{"AA", "AB"} << "A" << false << "AC" << int(TlimiteCategoria::Dentro);
        QStringList llenos;
        for (int k = 1; k <= 24; ++k)
            llenos << QStringLiteral("A") + QChar(64 + k);
        QTest::newRow("carpeta llena") << llenos << "A" << false << "AY" << int(TlimiteCategoria::Carpeta);
        const QString largo(24, QLatin1Char('A'));
        QTest::newRow("subcategoría de 25")
            << QStringList{} << largo << false << largo + "A" << int(TlimiteCategoria::Dentro);
        QTest::newRow("carpeta de 25")
            << QStringList{} << largo << true << largo + "A" << int(TlimiteCategoria::Anidado);
    }
    void asignador() {
        QFETCH(QStringList, existentes);
        QFETCH(QString, padre);
        QFETCH(bool, carpeta);
        QFETCH(QString, esperada);
        QFETCH(int, limite);
        int k = 0;
        TlimiteCategoria obtenido;
        const QSet<QString> conjunto(existentes.cbegin(), existentes.cend());
        QCOMPARE(TasignadorIdentidades(conjunto).siguiente(padre, k, carpeta, obtenido), esperada);
        QCOMPARE(int(obtenido), limite);
    }

    void creaCategoria_data() {
        QTest::addColumn<QString>("padre");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("identidad");
        QTest::newRow("salta la identidad ocupada") << "0"
                                                    << "Plomería"
                                                    << ""
                                                    << ""
                                                    << "0C";
        QTest::newRow("con clave SAT") << "0A"
                                       << "Llaves"
                                       << "27110000"
                                       << ""
                                       << "0AB";
        QTest::newRow("bajo una subcategoría")
            << "0B"
            << "Brochas"
            << ""
            << "Las Categorías con Propiedades no pueden tener Subcategorías"
            << "";
        QTest::newRow("nombre repetido sin mayúsculas") << "0"
                                                        << "  PINTURAS "
                                                        << "" << kMensajeNombreDuplicado << "";
        QTest::newRow("nombre vacío") << "0"
                                      << "   "
                                      << ""
                                      << "Capture el nombre de la categoría"
                                      << "";
        QTest::newRow("clave inexistente")
            << "0"
            << "Gas"
            << "99999999"
            << "La clave SAT capturada no existe en el catálogo de productos y servicios"
            << "";
        QTest::newRow("comillas") << "0"
                                  << "O'Brien \"; DROP TABLE x"
                                  << ""
                                  << ""
                                  << "0C";
    }
    void creaCategoria() {
        QFETCH(QString, padre);
        QFETCH(QString, nombre);
        QFETCH(QString, clave);
        QFETCH(QString, mensaje);
        QFETCH(QString, identidad);
        uNegocio->categorias({"0A>Herramientas", "0AA-Martillos", "0B-Pinturas"});
        uNegocio->enlazaSat(QStringLiteral("0A"), 27110000, QStringLiteral("Herramientas de mano"));
        const QStringList antes = uNegocio->arbol();
        QString nueva;
        const bool guardada =
            u_creaCategoria(uBase->sesion(), uNegocio->id, padre, {nombre, false, clave}, &nueva);
        QCOMPARE(guardada, mensaje.isEmpty());
        QCOMPARE((*uGuion)->textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        QCOMPARE(nueva, guardada ? identidad : QString());
        if (!guardada) {
            QCOMPARE(uNegocio->arbol(), antes);
            return;
        }
        QVERIFY(uNegocio->arbol().contains(identidad + QLatin1Char('-') + nombre.trimmed()));
        Tcatalogo datos(uBase->sesion());
        QCOMPARE(u_claveSatCategoria(datos, identidad, uNegocio->id).clave, clave);
    }

    void editaCategoria_data() {
        QTest::addColumn<QString>("identidad");
        QTest::addColumn<bool>("carpeta");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("renombra") << "0AA" << false << "";
        QTest::newRow("carpeta llena a subcategoría")
            << "0A" << false << "Una carpeta con subcategorías no puede convertirse en subcategoría";
        QTest::newRow("subcategoría con propiedades a carpeta")
            << "0AA" << true
            << "Una subcategoría con propiedades o productos no puede convertirse en carpeta";
        QTest::newRow("subcategoría vacía a carpeta") << "0B" << true << "";
    }
    void editaCategoria() {
        QFETCH(QString, identidad);
        QFETCH(bool, carpeta);
        QFETCH(QString, mensaje);
        uNegocio->categorias({"0A>Herramientas", "0AA-Martillos", "0B-Pinturas"});
        QVERIFY(u_guardaSeleccionPropiedades(uBase->sesion(), uNegocio->id, QStringLiteral("0AA"),
                                             {uNegocio->propiedad(QStringLiteral("Peso"))}));
        const QStringList antes = uNegocio->arbol();
        const bool guardada = u_editaCategoria(uBase->sesion(), uNegocio->id, identidad,
                                               {QStringLiteral("Nuevo nombre"), carpeta, {}});
        QCOMPARE(guardada, mensaje.isEmpty());
        QCOMPARE((*uGuion)->textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        if (guardada)
            QVERIFY(uNegocio->arbol().contains(identidad + (carpeta ? ">" : "-") + "Nuevo nombre"));
        else
            QCOMPARE(uNegocio->arbol(), antes);
    }

    void eliminaCategoria_data() {
        QTest::addColumn<QString>("identidad");
        QTest::addColumn<bool>("respuesta");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("subcategoría vacía") << "0B" << true << "";
        QTest::newRow("el usuario dice no") << "0B" << false << "";
        QTest::newRow("la raíz") << "0" << true << "¡No se puede eliminar el nodo principal!";
        QTest::newRow("con hijos")
            << "0A" << true
            << "¡La categoría no esta vacia y no se puede eliminar! \rElimine el contenido de "
               "la categoría e intentelo nuevamente";
        QTest::newRow("con productos")
            << "0AA" << true << "La categoría tiene productos asignados y no se puede eliminar.";
    }
    void eliminaCategoria() {
        QFETCH(QString, identidad);
        QFETCH(bool, respuesta);
        QFETCH(QString, mensaje);
        uNegocio->categorias({"0A>Herramientas", "0AA-Martillos", "0B-Pinturas"});
        uNegocio->enlazaSat(QStringLiteral("0B"), 31211500, QStringLiteral("Pinturas y primarios"));
        const int color = uNegocio->propiedad(QStringLiteral("Color"));
        QVERIFY(u_guardaSeleccionPropiedades(uBase->sesion(), uNegocio->id, QStringLiteral("0B"), {color}));
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral(
            "INSERT INTO inventarioProducto (nombre, inventarioCategoria_identidad, idNegocioFk) "
            "VALUES ('Martillo', '0AA', :n)"));
        mt.setParametroEntero(QStringLiteral("n"), uNegocio->id);
        QVERIFY(mt.nonQuery().isSuccess());
        // The same identities in another business, with a link and a property of their own.
        TnegocioCategorias otro(*uBase, QStringLiteral("Otra"));
        otro.categorias({"0B-Ajena"});
        otro.enlazaSat(QStringLiteral("0B"), 31211500, QStringLiteral("Pinturas y primarios"));
        QVERIFY(u_guardaSeleccionPropiedades(uBase->sesion(), otro.id, QStringLiteral("0B"),
                                             {otro.propiedad(QStringLiteral("Color"))}));
        const QStringList antes = uNegocio->arbol();
        const QStringList otroAntes = otro.arbol();

        (*uGuion)->respuestas({respuesta});
        const bool eliminada = u_eliminaCategoria(uBase->sesion(), uNegocio->id, identidad);
        QCOMPARE(eliminada, mensaje.isEmpty() && respuesta);
        QCOMPARE((*uGuion)->textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        QCOMPARE(uNegocio->arbol().size(), antes.size() - (eliminada ? 1 : 0));
        const QString enlaces =
            QStringLiteral("SELECT COUNT(*) FROM inventarioCategoriaSAT33 WHERE idNegocioFk = :n");
        const QString propiedades =
            QStringLiteral("SELECT COUNT(*) FROM inventarioCategoriaPropiedad WHERE idNegocioFk = :n");
        QCOMPARE(uNegocio->cuenta(enlaces), eliminada ? 0 : 1);
        QCOMPARE(uNegocio->cuenta(propiedades), eliminada ? 0 : 1);
        QCOMPARE(otro.arbol(), otroAntes);
        QCOMPARE(otro.cuenta(enlaces), 1);
        QCOMPARE(otro.cuenta(propiedades), 1);
    }

    void eliminaRevisaHijosBajoElBloqueo() {
        // The folder was empty when the user was asked; another workstation filled it meanwhile.
        class TotraEstacion : public TinteraccionGuionada {
        public:
            std::function<void()> alPreguntar;
            bool confirmaSiNo(const QString &) override {
                alPreguntar();
                return true;
            }
        };
        auto estacion = std::make_shared<TotraEstacion>();
        estacion->alPreguntar = [this] { uNegocio->categorias({"0AA-Martillos"}); };
        const auto anterior = u_instalaInteraccion(estacion);
        uNegocio->categorias({"0A>Herramientas"});
        const bool eliminada = u_eliminaCategoria(uBase->sesion(), uNegocio->id, QStringLiteral("0A"));
        u_instalaInteraccion(anterior);
        QVERIFY(!eliminada);
        QCOMPARE(estacion->textos().size(), 1);
        QVERIFY(estacion->textos().first().startsWith(QStringLiteral("¡La categoría no esta vacia")));
        QCOMPARE(uNegocio->arbol(), (QStringList{kRaiz, "0A>Herramientas", "0AA-Martillos"}));
    }

    void propiedades_data() {
        QTest::addColumn<bool>("ajena");
        QTest::addColumn<int>("elegidas");
        QTest::addColumn<bool>("guardada");
        QTest::addColumn<int>("enlaces");
        QTest::newRow("dos") << false << 2 << true << 2;
        QTest::newRow("ninguna quita todas") << false << 0 << true << 0;
        QTest::newRow("propiedad de otro negocio") << true << 1 << false << 1;
    }
    void propiedades() {
        QFETCH(bool, ajena);
        QFETCH(int, elegidas);
        QFETCH(bool, guardada);
        QFETCH(int, enlaces);
        uNegocio->categorias({"0B-Pinturas"});
        const QVector<int> mias{uNegocio->propiedad(QStringLiteral("Color")),
                                uNegocio->propiedad(QStringLiteral("Acabado"))};
        QVERIFY(u_guardaSeleccionPropiedades(uBase->sesion(), uNegocio->id, QStringLiteral("0B"), {mias[0]}));
        TnegocioCategorias otro(*uBase, QStringLiteral("Otra"));
        QVector<int> lista =
            ajena ? QVector<int>{otro.propiedad(QStringLiteral("Ajena"))} : mias.mid(0, elegidas);
        QCOMPARE(u_guardaSeleccionPropiedades(uBase->sesion(), uNegocio->id, QStringLiteral("0B"), lista),
                 guardada);
        QCOMPARE(uNegocio->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioCategoriaPropiedad WHERE idNegocioFk = :n")),
                 enlaces);
    }

    void capturaPropiedad_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("nueva") << 2 << "  Voltaje "
                               << ""
                               << "Voltaje";
        QTest::newRow("sin tipo") << 0 << "Voltaje"
                                  << "Seleccione un tipo de Propiedad"
                                  << "";
        QTest::newRow("nombre en blanco") << 1 << "   "
                                          << "Capture el nombre de la Propiedad"
                                          << "";
        QTest::newRow("repetida") << 1 << "COLOR"
                                  << "Ya existe una propiedad con ese nombre"
                                  << "";
        QTest::newRow("se corta a 25")
            << 1 << QString(40, QLatin1Char('x')) << "" << QString(25, QLatin1Char('x'));
        QTest::newRow("tipo inexistente") << 99 << "Peso"
                                          << ""
                                          << "";
    }
    void capturaPropiedad() {
        QFETCH(int, tipo);
        QFETCH(QString, nombre);
        QFETCH(QString, mensaje);
        QFETCH(QString, guardado);
        uNegocio->propiedad(QStringLiteral("Color"));
        const bool ok = u_guardaPropiedad(uBase->sesion(), uNegocio->id, 0, nombre, tipo);
        QCOMPARE(ok, !guardado.isEmpty());
        QCOMPARE((*uGuion)->textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        const CmidTierResponse r = Tcatalogo(uBase->sesion()).selectPropiedades(uNegocio->id);
        QCOMPARE(r.getRowCount(), guardado.isEmpty() ? 1 : 2);
    }

    void editaPropiedadDeOtroNegocioNoCambiaNada() {
        TnegocioCategorias otro(*uBase, QStringLiteral("Otra"));
        const int ajena = otro.propiedad(QStringLiteral("Ajena"));
        QVERIFY(!u_guardaPropiedad(uBase->sesion(), uNegocio->id, ajena, QStringLiteral("Mía"), 1));
        QCOMPARE(Tcatalogo(uBase->sesion()).selectPropiedades(otro.id).getCelda(0, 1),
                 QStringLiteral("Ajena"));
    }

    void exporta() {
        uNegocio->categorias(
            {"0B-Pinturas", "0A>Herramientas", "0AB-Eléctrica", "0AA>Manual", "0AAA-Martillos"});
        RECexportar m;
        QVERIFY(u_matrizCategorias(uBase->sesion(), uNegocio->id, m));
        QCOMPARE(m.titulo, QStringLiteral("Catálogo de Categorías"));
        QCOMPARE(m.cabeceras, (QStringList{"Nivel 1", "Nivel 2", "Nivel 3", "Nivel 4"}));
        const TTabla esperadas{{" > General", "", "", ""},   {"", " > Herramientas", "", ""},
                               {"", "", " > Manual", ""},    {"", "", "", " - Martillos"},
                               {"", "", " - Eléctrica", ""}, {"", " - Pinturas", "", ""}};
        QCOMPARE(m.celdas, esperadas);
    }

    void importa_data() {
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QStringList>("arbol");
        QTest::newRow("sin Nivel 1") << QStringList{"Nivel1", " > Raíz"} << kMensajePlantillaInvalida
                                     << QStringList{kRaiz};
        QTest::newRow("árbol")
            << plantilla({"| > Herramientas", "|| - Martillos", "|| - Pinzas", "| - Pinturas"}) << ""
            << QStringList{"0-General", "0A>Herramientas", "0AA-Martillos", "0AB-Pinzas", "0B-Pinturas"};
        QTest::newRow("Nivel 1 en cualquier celda")
            << QStringList{"Catálogo||", "|Nivel 1", "| > Tienda", "|| - Pinturas"} << ""
            << QStringList{"0-Tienda", "0A-Pinturas"};
        QTest::newRow("espacio, > y nombre")
            << plantilla({"| >Herramientas"}) << "" << QStringList{kRaiz, "0A>Herramientas"};
        QTest::newRow("conserva los guiones")
            << plantilla({"| - Tornillo 1/4-20", "| - Pre-pago", "| >Herramientas > eléctricas"}) << ""
            << QStringList{kRaiz, "0A-Tornillo 1/4-20", "0B-Pre-pago", "0C>Herramientas > eléctricas"};
        QTest::newRow("asterisco")
            << plantilla({"| - Pinturas", "| * Brochas"})
            << "No se encontro un token valido, consulte la guía de importación..\rCelda:  * "
               "Brochas (B,4)"
            << QStringList{kRaiz};
        QTest::newRow("sin token")
            << plantilla({"|Brochas"})
            << "No se encontro un token valido, consulte la guía de importación..\rCelda: "
               "Brochas (B,3)"
            << QStringList{kRaiz};
        QTest::newRow("nombre repetido")
            << plantilla({"| > Herramientas", "|| - Pinturas", "| - pinturas "})
            << "El nombre capturado esta duplicado, intente nuevamente..\rCelda:  - "
               "pinturas  (B,5)"
            << QStringList{kRaiz};
        QTest::newRow("repetido en otra escritura")
            << plantilla({"| - Ñandú", "| - ÑANDÚ"})
            << "El nombre capturado esta duplicado, intente nuevamente..\rCelda:  - ÑANDÚ (B,4)"
            << QStringList{kRaiz};
        QTest::newRow("nodo vacío") << plantilla({"| > "}) << "Nodo vacio.\rElemento:  >  (B,3)"
                                    << QStringList{kRaiz};
        QTest::newRow("raíz vacía")
            << plantilla({"| - Pinturas"}, QStringLiteral(" > "))
            << "La categoría principal, debajo de \"Nivel 1\", está vacía.\rNo se realizó "
               "ninguna acción"
            << QStringList{kRaiz};
        QTest::newRow("hijos bajo una subcategoría")
            << plantilla({"| - Pinturas", "|| - Brochas", "| - Lijas"})
            << "Las Categorías con Propiedades no pueden tener Subcategorías.\rCelda:  - Brochas (C,4)"
            << QStringList{kRaiz};
        QTest::newRow("nombre larguísimo") << plantilla({"| - " + QString(5000, QLatin1Char('x'))}) << ""
                                           << QStringList{kRaiz, "0A-" + QString(100, QLatin1Char('x'))};
        QTest::newRow("comillas y SQL")
            << plantilla({"| - O'Hara\"; DELETE FROM inventarioCategoria; --"}) << ""
            << QStringList{kRaiz, "0A-O'Hara\"; DELETE FROM inventarioCategoria; --"};
    }
    void importa() {
        QFETCH(QStringList, filas);
        QFETCH(QString, mensaje);
        QFETCH(QStringList, arbol);
        const TresultadoImportacion r = importaHoja(filas);
        QCOMPARE(r.mensaje, mensaje);
        QCOMPARE(r.confirmada, mensaje.isEmpty());
        QCOMPARE(uNegocio->arbol(), arbol);
    }

    void importaVeinticuatroHijosYRechazaElVeinticinco_data() {
        QTest::addColumn<int>("hijos");
        QTest::newRow("24") << 24;
        QTest::newRow("25") << 25;
    }
    void importaVeinticuatroHijosYRechazaElVeinticinco() {
        QFETCH(int, hijos);
        QStringList filas;
        for (int k = 1; k <= hijos; ++k)
            filas << QStringLiteral("| - Hijo %1").arg(k);
        const TresultadoImportacion r = importaHoja(plantilla(filas));
        QCOMPARE(r.confirmada, hijos <= 24);
        QCOMPARE(r.mensaje, hijos <= 24 ? QString() : kMensajeLimiteCarpeta + " - Hijo 25 (B,27)");
        QCOMPARE(uNegocio->arbol().size(), hijos <= 24 ? 25 : 1);
        if (hijos <= 24)
            QVERIFY(uNegocio->arbol().contains(QStringLiteral("0X-Hijo 24")));
    }

    void anidamiento_data() {
        QTest::addColumn<int>("carpetas");
        QTest::addColumn<bool>("confirmada");
        // The root "0" has one character: 23 nested folders reach 24, and a subcategory 25.
        QTest::newRow("hasta el límite") << 23 << true;
        QTest::newRow("una carpeta más") << 24 << false;
    }
    void anidamiento() {
        QFETCH(int, carpetas);
        QFETCH(bool, confirmada);
        QStringList filas{QStringLiteral("Nivel 1"), QStringLiteral(" > General")};
        for (int n = 1; n <= carpetas; ++n)
            filas << QString(n, QLatin1Char('|')) + QStringLiteral(" > Nivel%1").arg(n);
        if (confirmada)
            filas << QString(carpetas + 1, QLatin1Char('|')) + QStringLiteral(" - Hoja");
        const TresultadoImportacion r = importaHoja(filas);
        QCOMPARE(r.confirmada, confirmada);
        if (confirmada) {
            QVERIFY(
                uNegocio->arbol().contains(QStringLiteral("0") + QString(24, QLatin1Char('A')) + "-Hoja"));
        } else {
            QVERIFY(r.mensaje.startsWith(kMensajeLimiteAnidado + " > Nivel24 ("));
            QCOMPARE(uNegocio->arbol(), QStringList{kRaiz});
        }
    }

    void saltaIdentidadesExistentes() {
        uNegocio->categorias({"0A>Herramientas", "0B-Pinturas"});
        QVERIFY(importaHoja(plantilla({"| - Plomería"})).confirmada);
        QVERIFY(uNegocio->arbol().contains(QStringLiteral("0C-Plomería")));
    }

    void renombraSoloLaRaizDelNegocio() {
        TnegocioCategorias otro(*uBase, QStringLiteral("Otra"));
        QVERIFY(importaHoja(plantilla({"| - Pinturas"}, QStringLiteral(" > Mi Tienda"))).confirmada);
        QCOMPARE(uNegocio->arbol(), (QStringList{"0-Mi Tienda", "0A-Pinturas"}));
        QCOMPARE(otro.arbol(), QStringList{kRaiz});
    }

    void unaFallaNoDejaNada() {
        const QStringList filas =
            plantilla({"| > Herramientas", "|| - Martillos", "| - Pinturas"}, " > Renombrada");
        // Count the statements of a whole import, then break each one in turn.
        const int antes = TmiddleTier::sentenciasEjecutadas();
        QVERIFY(importaHoja(filas).confirmada);
        const int sentencias = TmiddleTier::sentenciasEjecutadas() - antes;
        QVERIFY(sentencias >= 3);
        uNegocio = std::make_unique<TnegocioCategorias>(*uBase, QStringLiteral("Limpio"));
        for (int n = 1; n <= sentencias; ++n) {
            TmiddleTier::setFallaEnSentencia(n);
            const TresultadoImportacion r = importaHoja(filas);
            TmiddleTier::setFallaEnSentencia(0);
            QVERIFY2(!r.confirmada, qPrintable(QString::number(n)));
            QVERIFY(!r.mensaje.isEmpty());
            QCOMPARE(uNegocio->arbol(), QStringList{kRaiz});
        }
        QVERIFY(importaHoja(filas).confirmada);
    }

    void idaYVueltaDelDemo() {
        const int demo = datosDemo::crea(uBase->sesion());
        QVERIFY(demo > 0);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("categorias.xlsx"));
        QString error;
        QVERIFY2(u_escribeCategoriasXlsx(uBase->sesion(), demo, ruta, &error), qPrintable(error));
        const TresultadoImportacion r = u_importaArchivoCategorias(uBase->sesion(), uNegocio->id, ruta);
        QVERIFY2(r.confirmada, qPrintable(r.mensaje));
        const QStringList esperado = TnegocioCategorias(*uBase, demo).arbol();
        QVERIFY(esperado.size() > 10);
        // The roots keep the folder flag each business stored; everything below is the same.
        QCOMPARE(uNegocio->arbol().mid(1), esperado.mid(1));
        QCOMPARE(uNegocio->arbol().first().mid(2), esperado.first().mid(2));
    }

    void plantillaSeImporta() {
        QTemporaryDir carpeta;
        QString error;
        const QString ruta =
            u_preparaPlantillaCategorias(carpeta.filePath(QStringLiteral("Plantillas")), &error);
        QVERIFY2(ruta.endsWith(QStringLiteral("Plantillas/Plantilla Categorías.xlsx")), qPrintable(error));
        const TresultadoImportacion r = u_importaArchivoCategorias(uBase->sesion(), uNegocio->id, ruta);
        QVERIFY2(r.confirmada, qPrintable(r.mensaje));
        QCOMPARE(uNegocio->arbol().size(), 8);
        // An existing template is left as the user edited it.
        QFile::remove(ruta);
        QFile archivo(ruta);
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.write("propio");
        archivo.close();
        QCOMPARE(u_preparaPlantillaCategorias(carpeta.filePath(QStringLiteral("Plantillas")), &error), ruta);
        QCOMPARE(QFileInfo(ruta).size(), 6);
    }

    void archivosHostiles_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<qint64>("tamano");
        QTest::addColumn<QString>("inicio");
        QTest::newRow("extensión ajena")
            << "categorias.xls" << QByteArray("x") << qint64(0) << kMensajeArchivoNoExcel;
        QTest::newRow("sin extensión")
            << "categorias" << QByteArray("x") << qint64(0) << kMensajeArchivoNoExcel;
        QTest::newRow("no es zip") << "categorias.XLSX" << QByteArray("hola, no soy un libro") << qint64(0)
                                   << kMensajePlantillaInvalida;
        QTest::newRow("vacío") << "categorias.xlsx" << QByteArray() << qint64(0) << kMensajePlantillaInvalida;
        QTest::newRow("zip sin hojas")
            << "categorias.xlsx" << QByteArray::fromHex("504b0506000000000000000000000000000000000000")
            << qint64(0) << kMensajePlantillaInvalida;
        QTest::newRow("demasiado grande") << "categorias.xlsx" << QByteArray("PK") << qint64(21 * 1024 * 1024)
                                          << "El archivo es demasiado grande";
        QTest::newRow("no existe") << "" << QByteArray() << qint64(0) << kMensajePlantillaInvalida;
    }
    void archivosHostiles() {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, contenido);
        QFETCH(qint64, tamano);
        QFETCH(QString, inicio);
        QTemporaryDir carpeta;
        QString ruta = carpeta.filePath(nombre.isEmpty() ? QStringLiteral("falta.xlsx") : nombre);
        if (!nombre.isEmpty()) {
            QFile archivo(ruta);
            QVERIFY(archivo.open(QIODevice::WriteOnly));
            archivo.write(contenido);
            if (tamano > 0)
                QVERIFY(archivo.resize(tamano));
        }
        const TresultadoImportacion r = u_importaArchivoCategorias(uBase->sesion(), uNegocio->id, ruta);
        QVERIFY(!r.confirmada);
        QVERIFY2(r.mensaje.startsWith(inicio), qPrintable(r.mensaje));
        QCOMPARE(uNegocio->arbol(), QStringList{kRaiz});
    }

    // Malformed workbooks that pass the extension check: refused with a message, nothing written.
    void librosMalformados_data() {
        QTest::addColumn<QString>("archivo");
        const QDir carpeta(QStringLiteral(INVENTARIO_HOSTILES));
        for (const QString &archivo : carpeta.entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(archivo)) << carpeta.filePath(archivo);
    }
    void librosMalformados() {
        QFETCH(QString, archivo);
        const TresultadoImportacion r = u_importaArchivoCategorias(uBase->sesion(), uNegocio->id, archivo);
        QVERIFY(!r.confirmada);
        QVERIFY(!r.mensaje.isEmpty());
        QCOMPARE(uNegocio->arbol(), QStringList{kRaiz});
    }

    void letraColumna_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("letras");
        QTest::newRow("A") << 1 << "A";
        QTest::newRow("Z") << 26 << "Z";
        QTest::newRow("AA") << 27 << "AA";
        QTest::newRow("XFD") << 16384 << "XFD";
    }
    void letraColumna() {
        QFETCH(int, columna);
        QFETCH(QString, letras);
        QCOMPARE(u_letraColumna(columna), letras);
    }

    void lineaDeComandos() {
        uNegocio->categorias({"0A>Herramientas", "0AA-Martillos", "0B-Pinturas"});
        TnegocioCategorias destino(*uBase, QStringLiteral("Destino"));
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("arbol.xlsx"));
        const TparametrosConexion &p = uBase->sesion()->parametros();
        const QStringList conexion = uBase->esMySQL()
                                         ? QStringList{QStringLiteral("--mysql-socket"), p.socket,
                                                       QStringLiteral("--mysql-database"), p.baseDatos}
                                         : QStringList{QStringLiteral("--sqlite"), p.archivo};
        auto corre = [&](int negocio, const QString &opcion) {
            QProcess proceso;
            QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
            entorno.remove(QStringLiteral("QT_QPA_PLATFORM"));
            entorno.remove(QStringLiteral("DISPLAY"));
            proceso.setProcessEnvironment(entorno);
            proceso.setProcessChannelMode(QProcess::MergedChannels); // a refusal shows in the failure
            proceso.start(
                QStringLiteral(INVENTARIO_PROGRAMA),
                conexion + QStringList{QStringLiteral("--negocio"), QString::number(negocio), opcion, ruta});
            proceso.waitForFinished(60000);
            return std::pair{proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput())};
        };
        auto [salida, texto] = corre(uNegocio->id, QStringLiteral("--exportar-categorias"));
        QVERIFY2(salida == 0, qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("Categorías exportadas")));
        std::tie(salida, texto) = corre(destino.id, QStringLiteral("--importar-categorias"));
        QVERIFY2(salida == 0, qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral("Importando: 100 %")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("Categorías importadas: 3")));
        QCOMPARE(destino.arbol(), (QStringList{kRaiz, "0A>Herramientas", "0AA-Martillos", "0B-Pinturas"}));
        // Again: every name is there now, so the refusal names the cell and nothing is written.
        std::tie(salida, texto) = corre(destino.id, QStringLiteral("--importar-categorias"));
        QCOMPARE(salida, 1);
        QVERIFY2(texto.contains(
                     QStringLiteral("El nombre capturado esta duplicado, intente nuevamente..\nCelda:  > "
                                    "Herramientas (B,6)")),
                 qPrintable(texto));
        QCOMPARE(destino.arbol().size(), 4);
    }
};

QTEST_MAIN(TpruebaCategorias)
#include "tst_categorias.moc"
