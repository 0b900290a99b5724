#include "comun/UdatosDemo.h"

#include "comun/U_semillas.h"
#include "datos/ULog.h"
#include "datos/UcodigosInventario.h"
#include "datos/UmiddleTier.h"

#include <QHash>
#include <QUuid>

#include <cmath>
#include <iterator>

namespace {

using Tcampos = QVector<QPair<QString, QVariant>>;

double redondea2(double valor) {
    return std::round(valor * 100.0) / 100.0;
}

constexpr double kIva = 0.16;

// Writes through one TmiddleTier inside its transaction. After the first failure nothing else
// runs and every insert answers 0, so the builders below need no error checks of their own.
class Tcargador {
public:
    explicit Tcargador(TConexionSesion *sesion) : uMt(sesion) {}

    bool inicia() {
        uOk = uMt.transaccionInicia();
        return uOk;
    }
    // Commits when everything went in, otherwise rolls back; true only after a commit.
    bool termina() {
        if (uOk)
            return uMt.transaccionTermina();
        uMt.transaccionRollback();
        return false;
    }
    bool ok() const { return uOk; }

    int inserta(const QString &tabla, const Tcampos &campos) {
        if (!uOk)
            return 0;
        QStringList columnas, marcas;
        for (int i = 0; i < campos.size(); ++i) {
            columnas << campos[i].first;
            marcas << QStringLiteral(":p%1").arg(i);
        }
        uMt.setQuery(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(tabla, columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))));
        for (int i = 0; i < campos.size(); ++i)
            enlaza(marcas[i], campos[i].second);
        return registra(uMt.nonQuery(), tabla);
    }

    // One multi-row INSERT: MariaDB's driver would otherwise take one round trip per row.
    void insertaVarias(const QString &tabla, const QStringList &columnas,
                       const QVector<QVariantList> &filas) {
        if (!uOk || filas.isEmpty())
            return;
        QStringList grupos;
        for (int f = 0; f < filas.size(); ++f) {
            QStringList marcas;
            for (int c = 0; c < columnas.size(); ++c)
                marcas << QStringLiteral(":f%1c%2").arg(f).arg(c);
            grupos << QLatin1Char('(') + marcas.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        uMt.setQuery(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                         .arg(tabla, columnas.join(QStringLiteral(", ")), grupos.join(QStringLiteral(", "))));
        for (int f = 0; f < filas.size(); ++f) {
            for (int c = 0; c < columnas.size(); ++c)
                enlaza(QStringLiteral(":f%1c%2").arg(f).arg(c), filas[f].value(c));
        }
        registra(uMt.nonQuery(), tabla);
    }

    // A one-value lookup; 0 when it finds nothing or fails.
    qint64 busca(const QString &sentencia, const Tcampos &parametros) {
        if (!uOk)
            return 0;
        uMt.setQuery(sentencia);
        for (const auto &p : parametros)
            enlaza(p.first, p.second);
        const CmidTierResponse r = uMt.scalar();
        if (!r.isSuccess()) {
            uOk = false;
            return 0;
        }
        return r.getScalarAsInt();
    }

private:
    // Only an invalid QVariant stands for NULL; texts always bind as text.
    void enlaza(const QString &nombre, const QVariant &valor) {
        if (valor.typeId() == QMetaType::QDateTime)
            uMt.setParametroFechaHora(nombre, valor.toDateTime());
        else if (valor.typeId() == QMetaType::QString)
            uMt.setParametroTexto(nombre, valor.toString());
        else
            uMt.setParametroVariant(nombre, valor);
    }

    int registra(const CmidTierResponse &r, const QString &tabla) {
        if (!r.isSuccess()) {
            uOk = false;
            Log::log(QStringLiteral("Datos de demostración: falló la escritura en ") + tabla, 1,
                     r.getError());
            return 0;
        }
        return int(r.getIdInsertado());
    }

    TmiddleTier uMt;
    bool uOk = false;
};

// EAN-13 with the Mexican prefix 750 and a fixed company code; the last digit is the check digit.
QString codigoBarras(int articulo) {
    const QString base = QStringLiteral("7501234%1").arg(articulo, 5, 10, QLatin1Char('0'));
    int suma = 0;
    for (int i = 0; i < base.size(); ++i)
        suma += base[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    return base + QString::number((10 - suma % 10) % 10);
}

QString uuidDemo(const QString &semilla) {
    static const QUuid kEspacio(QStringLiteral("{6f1c2a7e-3b4d-4e59-9a10-5c2b7d8e9f01}"));
    return QUuid::createUuidV5(kEspacio, semilla).toString(QUuid::WithoutBraces).toUpper();
}

struct Tunidad {
    const char *clave;
    const char *descripcion;
    int conjunto; // index into the sets below
    double razon;
};

const char *const kConjuntos[] = {"Piezas", "Peso", "Volumen", "Longitud"};

const Tunidad kUnidades[] = {
    {"pza", "Pieza", 0, 1},    {"cja12", "Caja de 12", 0, 12},   {"dz", "Docena", 0, 12},
    {"cto", "Ciento", 0, 100}, {"kg", "Kilogramo", 1, 1},        {"g", "Gramo", 1, 0.001},
    {"l", "Litro", 2, 1},      {"ml", "Mililitro", 2, 0.001},    {"cub", "Cubeta 19 L", 2, 19},
    {"m", "Metro", 3, 1},      {"rollo", "Rollo 100 m", 3, 100},
};

struct Tcategoria {
    const char *sufijo; // appended to the root's identity
    const char *etiqueta;
    bool carpeta;
    int sat; // product/service code linked to it, 0 = inherited
};

const Tcategoria kCategorias[] = {
    {"A", "Herramientas", true, 27110000},
    {"AA", "Herramienta eléctrica", false, 27112700},
    {"AB", "Herramienta manual", false, 0},
    {"B", "Tornillería y fijación", true, 31160000},
    {"BA", "Tornillos", false, 31161500},
    {"BB", "Taquetes y anclas", false, 0},
    {"BC", "Clavos", false, 31162000},
    {"C", "Pinturas", true, 31211500},
    {"CA", "Pintura vinílica", false, 0},
    {"CB", "Esmaltes y barnices", false, 0},
    {"D", "Material eléctrico", true, 26121600},
    {"DA", "Cable", false, 0},
    {"DB", "Apagadores y contactos", false, 39122200},
    {"E", "Plomería", true, 40171500},
    {"EA", "Tubería", false, 0},
    {"EB", "Conexiones", false, 0},
};

struct Tsat {
    int codigo;
    const char *nombre;
};

const Tsat kCodigosSat[] = {
    {27110000, "Herramientas de mano"},
    {27112700, "Herramientas eléctricas"},
    {31160000, "Ferretería"},
    {31161500, "Tornillos"},
    {31162000, "Clavos"},
    {31211500, "Pinturas y primarios"},
    {26121600, "Cables eléctricos y accesorios"},
    {39122200, "Interruptores eléctricos y accesorios"},
    {40171500, "Tubería comercial y accesorios"},
};

struct Tpropiedad {
    const char *nombre;
    int tipo;               // propiedadTipo: 1 text, 2 number, 3 date
    const char *categorias; // suffixes of the subcategories that carry it, blank-separated
};

const Tpropiedad kPropiedades[] = {
    {"Voltaje", 2, "AA"},    {"Potencia", 2, "AA"},       {"Medida", 1, "BA BB BC"},
    {"Acabado", 1, "BA CB"}, {"Color", 1, "CA CB DA DB"}, {"Caducidad", 3, "CA CB"},
    {"Calibre", 1, "DA"},
};

struct Tproducto {
    const char *clave;
    const char *nombre;
    const char *descripcion;
    const char *categoria; // suffix under the root
    const char *unidad;
    int serie;
    double costo;
    double precio;
};

const Tproducto kProductos[] = {
    {"TOR-001", "Tornillo para madera 1/4 x 2\"", "Cabeza plana, cuerda gruesa, acero zincado", "BA", "pza",
     0, 0.85, 1.50},
    {"TOR-002", "Tornillo para tablaroca 6 x 1\"", "Punta broca, cabeza de trompeta, fosfatado negro", "BA",
     "pza", 0, 0.60, 1.10},
    {"TOR-003", "Tornillo hexagonal 3/8 x 2\" galvanizado", "Grado 2, con tuerca", "BA", "pza", 0, 3.40,
     6.00},
    {"TOR-004", "Tornillo autorroscante 8 x 3/4\"", "Cabeza hexagonal con arandela, para lámina", "BA", "pza",
     0, 0.95, 1.80},
    {"TAQ-001", "Taquete plástico 1/4\"", "Expansión para concreto y block", "BB", "pza", 0, 0.35, 0.80},
    {"TAQ-002", "Ancla expansiva 3/8 x 3\"", "Acero, con tuerca y rondana", "BB", "pza", 0, 7.80, 14.50},
    {"CLA-001", "Clavo estándar 2 1/2\"", "Acero con cabeza, a granel", "BC", "kg", 0, 32.00, 48.00},
    {"CLA-002", "Clavo para concreto 2\"", "Acero templado, a granel", "BC", "kg", 0, 58.00, 85.00},
    {"TAL-001", "Taladro percutor 1/2\" 650 W", "Velocidad variable, reversible, con maletín", "AA", "pza", 1,
     1150.00, 1699.00},
    {"TAL-002", "Taladro inalámbrico 20 V", "Batería de ion-litio y cargador", "AA", "pza", 1, 1890.00,
     2749.00},
    {"ESM-001", "Esmeriladora angular 4 1/2\" 820 W", "Con guarda y mango lateral", "AA", "pza", 1, 890.00,
     1349.00},
    {"SIE-001", "Sierra circular 7 1/4\" 1400 W", "Disco de 24 dientes, corte a bisel", "AA", "pza", 1,
     1620.00, 2399.00},
    {"MAR-001", "Martillo de uña 16 oz", "Mango de fibra de vidrio", "AB", "pza", 0, 95.00, 149.00},
    {"DES-001", "Juego de desarmadores 6 piezas", "Planos y de cruz, punta magnética", "AB", "pza", 0, 120.00,
     189.00},
    {"PIN-001", "Pinza de electricista 8\"", "Mango aislado", "AB", "pza", 0, 110.00, 175.00},
    {"FLE-001", "Flexómetro 5 m", "Cinta de acero de 19 mm con freno", "AB", "pza", 0, 55.00, 89.00},
    {"PVI-001", "Pintura vinílica blanca", "Interior y exterior, mate; se surte en cubeta de 19 L", "CA", "l",
     0, 34.00, 52.50},
    {"PVI-002", "Pintura vinílica color arena", "Interior, satinada", "CA", "l", 0, 38.00, 58.00},
    {"ESM-101", "Esmalte alquidálico negro brillante", "Para metal y madera", "CB", "l", 0, 95.00, 145.00},
    {"BAR-001", "Barniz para madera transparente", "Brillante, base solvente", "CB", "l", 0, 88.00, 135.00},
    {"CAB-001", "Cable THW calibre 12 rojo", "Cobre suave, 600 V; se surte en rollo de 100 m", "DA", "m", 0,
     13.50, 18.50},
    {"CAB-002", "Cable THW calibre 14 negro", "Cobre suave, 600 V", "DA", "m", 0, 9.80, 13.90},
    {"CAB-003", "Cable dúplex calibre 16", "Cordón de uso general, blanco", "DA", "m", 0, 7.20, 10.50},
    {"APA-001", "Apagador sencillo blanco", "15 A, 127 V, con placa", "DB", "pza", 0, 17.50, 32.00},
    {"CON-001", "Contacto dúplex polarizado", "15 A, 127 V, con placa", "DB", "pza", 0, 21.00, 38.00},
    {"TUB-001", "Tubo PVC hidráulico 1/2\" x 6 m", "Cédula 40, agua fría", "EA", "pza", 0, 48.00, 72.00},
    {"COD-001", "Codo PVC 1/2\" x 90°", "Cédula 40, para cementar", "EB", "pza", 0, 3.20, 6.00},
};

struct Tstock {
    const char *clave;
    int almacen; // index into the warehouses
    double minimo;
    double maximo;
};

const Tstock kStock[] = {
    {"TOR-001", 0, 500, 5000}, {"TOR-002", 0, 500, 5000}, {"TAQ-001", 0, 300, 3000}, {"CLA-001", 0, 25, 200},
    {"TAL-001", 0, 2, 10},     {"TAL-002", 0, 2, 8},      {"ESM-001", 0, 2, 8},      {"MAR-001", 0, 6, 48},
    {"PVI-001", 0, 57, 380},   {"CAB-001", 0, 100, 1000}, {"CAB-002", 0, 100, 800},  {"TUB-001", 0, 20, 150},
    {"TOR-001", 1, 100, 800},  {"MAR-001", 1, 2, 12},     {"APA-001", 1, 10, 60},    {"CON-001", 1, 10, 60},
    {"PVI-001", 2, 38, 190},   {"CAB-001", 2, 50, 500},   {"FLE-001", 3, 3, 20},     {"COD-001", 3, 20, 200},
};

struct Tempresa {
    const char *nombre;
    const char *rfc;
    const char *direccion;
    const char *telefono;
};

const Tempresa kProveedores[] = {
    {"Herramientas y Abrasivos de Occidente, S.A. de C.V.", "HAO050312KT4",
     "Av. Vallarta 5210, Col. Camino Real, Zapopan, Jal.", "33 3630 1122"},
    {"Tornillería Industrial del Bajío, S.A. de C.V.", "TIB010925LM8",
     "Blvd. Adolfo López Mateos 1830, León, Gto.", "477 712 4455"},
    {"Pinturas y Recubrimientos Jalisco, S.A. de C.V.", "PRJ120603Q57",
     "Calle 26 No. 2415, Zona Industrial, Guadalajara, Jal.", "33 3812 9087"},
    {"Conductores Eléctricos de Guadalajara, S.A. de C.V.", "CEG990211HN3",
     "Av. Lázaro Cárdenas 2890, Col. Del Fresno, Guadalajara, Jal.", "33 3145 6670"},
    {"Materiales Hidráulicos Tapatíos, S.A. de C.V.", "MHT080417PX9",
     "Av. Gobernador Curiel 3950, Guadalajara, Jal.", "33 3670 2231"},
};

const Tempresa kClientes[] = {
    {"PUBLICO EN GENERAL", semillas::kRfcPublicoGeneral, "", ""},
    {"Construcciones del Bajío, S.A. de C.V.", "CBA070815RT2", "", ""},
    {"Mantenimiento Integral Tapatío, S.A. de C.V.", "MIT110322JK5", "", ""},
    {"Roberto Hernández Ortiz", "HEOR780412QW3", "", ""},
};

// The demo business and what its rows point to as they are written.
class Tdemo {
public:
    Tdemo(Tcargador &cargador, const QDate &hoy, const datosDemo::Tidentidad &identidad)
        : c(cargador), uHoy(hoy), uIdentidad(identidad) {}

    int escribe() {
        negocio();
        sucursalesYAlmacenes();
        clientes();
        unidades();
        categorias();
        propiedades();
        productos();
        stock();
        proveedores();
        comprobantes();
        ordenesCompra();
        asientosYConceptos();
        ventas();
        return c.ok() ? uNegocio : 0;
    }

private:
    QDateTime momento(int dias, int hora, int minuto) const {
        return QDateTime(uHoy.addDays(dias), QTime(hora, minuto));
    }
    QVariant negocioId() const { return uNegocio; }

    void negocio() {
        uNegocio = c.inserta(QStringLiteral("negocio"),
                             {{QStringLiteral("nombre"), uIdentidad.nombre},
                              {QStringLiteral("rfc"), uIdentidad.rfc},
                              {QStringLiteral("razonSocial"), uIdentidad.razonSocial},
                              {QStringLiteral("calle"), uIdentidad.domicilio.calle},
                              {QStringLiteral("numeroExterior"), uIdentidad.domicilio.numeroExterior},
                              {QStringLiteral("numeroInterior"), uIdentidad.domicilio.numeroInterior},
                              {QStringLiteral("colonia"), uIdentidad.domicilio.colonia},
                              {QStringLiteral("codigoPostal"), uIdentidad.domicilio.codigoPostal},
                              {QStringLiteral("municipio"), uIdentidad.domicilio.municipio},
                              {QStringLiteral("estado"), uIdentidad.domicilio.estado},
                              {QStringLiteral("regimenFiscal"), QStringLiteral("601")}});
        // The options row exists, but without a valuation method: the user chooses it.
        c.inserta(QStringLiteral("inventarioOpciones"), {{QStringLiteral("idNegocioFk"), negocioId()}});
    }

    void sucursalesYAlmacenes() {
        const int matriz = c.inserta(
            QStringLiteral("sucursal"),
            {{QStringLiteral("nombre"), QStringLiteral("Matriz Centro")},
             {QStringLiteral("direccion"), QStringLiteral("Av. Juárez 1450, Col. Centro, Guadalajara, Jal.")},
             {QStringLiteral("idNegocioFk"), negocioId()}});
        const int tlaquepaque = c.inserta(
            QStringLiteral("sucursal"),
            {{QStringLiteral("nombre"), QStringLiteral("Sucursal Tlaquepaque")},
             {QStringLiteral("direccion"), QStringLiteral("Calz. Lázaro Cárdenas 3200, Tlaquepaque, Jal.")},
             {QStringLiteral("idNegocioFk"), negocioId()}});
        struct Talmacen {
            const char *nombre;
            const char *direccion;
            const char *nota;
            int sucursal;
        };
        const Talmacen almacenes[] = {
            {"Almacén General", "Av. Juárez 1450, patio posterior",
             "Recepción de proveedores de 8:00 a 14:00", matriz},
            {"Mostrador Centro", "Av. Juárez 1450, planta baja", "Venta al público", matriz},
            {"Bodega Tlaquepaque", "Calz. Lázaro Cárdenas 3200, bodega 4",
             "Material voluminoso: pintura y cable", tlaquepaque},
            {"Mostrador Tlaquepaque", "Calz. Lázaro Cárdenas 3200, local 1", "Venta al público", tlaquepaque},
        };
        for (const auto &a : almacenes) {
            uAlmacenes << c.inserta(QStringLiteral("inventarioAlmacen"),
                                    {{QStringLiteral("nombre"), QString::fromUtf8(a.nombre)},
                                     {QStringLiteral("direccion"), QString::fromUtf8(a.direccion)},
                                     {QStringLiteral("nota"), QString::fromUtf8(a.nota)},
                                     {QStringLiteral("sucursal_id"), a.sucursal},
                                     {QStringLiteral("idNegocioFk"), negocioId()}});
        }
    }

    void clientes() {
        for (const auto &cl : kClientes) {
            uClientes << c.inserta(QStringLiteral("cliente"),
                                   {{QStringLiteral("nombre"), QString::fromUtf8(cl.nombre)},
                                    {QStringLiteral("rfc"), QString::fromLatin1(cl.rfc)},
                                    {QStringLiteral("idNegocioFk"), negocioId()}});
        }
    }

    void unidades() {
        QVector<int> conjuntos;
        for (const char *nombre : kConjuntos)
            conjuntos << c.inserta(QStringLiteral("inventarioUnidadesMedidaConjunto"),
                                   {{QStringLiteral("nombre"), QString::fromUtf8(nombre)},
                                    {QStringLiteral("idNegocioFk"), negocioId()}});
        for (const auto &u : kUnidades) {
            uUnidades.insert(QString::fromLatin1(u.clave),
                             c.inserta(QStringLiteral("inventarioUnidadesMedida"),
                                       {{QStringLiteral("descripcion"), QString::fromUtf8(u.descripcion)},
                                        {QStringLiteral("abreviatura"), QString::fromLatin1(u.clave)},
                                        {QStringLiteral("conjunto"), conjuntos.value(u.conjunto)},
                                        {QStringLiteral("razon"), u.razon},
                                        {QStringLiteral("idNegocioFk"), negocioId()}}));
        }
    }

    // The tree hangs from the root the start-up check would create, so that check finds it.
    void categorias() {
        const QString raiz = QString::fromLatin1(semillas::kCategoriaInicial);
        insertaCategoria(raiz, QStringLiteral("General"), true);
        for (const auto &s : kCodigosSat) {
            if (c.busca(QStringLiteral("SELECT COUNT(*) FROM categoriaSAT33 WHERE id = :id"),
                        {{QStringLiteral("id"), s.codigo}}) == 0)
                c.inserta(QStringLiteral("categoriaSAT33"),
                          {{QStringLiteral("id"), s.codigo},
                           {QStringLiteral("clave"), QString::number(s.codigo)},
                           {QStringLiteral("nombre"), QString::fromUtf8(s.nombre)}});
        }
        for (const auto &k : kCategorias) {
            const QString identidad = raiz + QString::fromLatin1(k.sufijo);
            const int id = insertaCategoria(identidad, QString::fromUtf8(k.etiqueta), k.carpeta);
            if (k.sat > 0)
                c.inserta(QStringLiteral("inventarioCategoriaSAT33"),
                          {{QStringLiteral("inventarioCategoria_id"), id},
                           {QStringLiteral("categoriaSAT33_id"), k.sat},
                           {QStringLiteral("idNegocioFk"), negocioId()}});
        }
    }

    int insertaCategoria(const QString &identidad, const QString &etiqueta, bool carpeta) {
        return c.inserta(QStringLiteral("inventarioCategoria"),
                         {{QStringLiteral("identidad"), identidad},
                          {QStringLiteral("etiqueta"), etiqueta},
                          {QStringLiteral("identidadPadre"), identidad.left(identidad.size() - 1)},
                          {QStringLiteral("nivel"), int(identidad.size())},
                          {QStringLiteral("carpeta"), carpeta ? 1 : 0},
                          {QStringLiteral("idNegocioFk"), negocioId()}});
    }

    void propiedades() {
        const QString raiz = QString::fromLatin1(semillas::kCategoriaInicial);
        QVector<QVariantList> enlaces;
        for (const auto &p : kPropiedades) {
            const int id = c.inserta(QStringLiteral("inventarioPropiedadListado"),
                                     {{QStringLiteral("nombre"), QString::fromUtf8(p.nombre)},
                                      {QStringLiteral("propiedadTipo_id"), p.tipo},
                                      {QStringLiteral("idNegocioFk"), negocioId()}});
            const QStringList sufijos = QString::fromLatin1(p.categorias).split(QLatin1Char(' '));
            for (const QString &sufijo : sufijos)
                enlaces.append({raiz + sufijo, id, uNegocio});
        }
        c.insertaVarias(QStringLiteral("inventarioCategoriaPropiedad"),
                        {QStringLiteral("inventarioCategoria_identidad"),
                         QStringLiteral("inventarioPropiedadListado_id"), QStringLiteral("idNegocioFk")},
                        enlaces);
    }

    void productos() {
        const QString raiz = QString::fromLatin1(semillas::kCategoriaInicial);
        int articulo = 0;
        for (const auto &p : kProductos) {
            ++articulo;
            const int id = c.inserta(
                QStringLiteral("inventarioProducto"),
                {{QStringLiteral("clave"), QString::fromLatin1(p.clave)},
                 {QStringLiteral("nombre"), QString::fromUtf8(p.nombre)},
                 {QStringLiteral("descripcion"), QString::fromUtf8(p.descripcion)},
                 {QStringLiteral("codigoBarras"), codigoBarras(articulo)},
                 {QStringLiteral("inventarioCategoria_identidad"), raiz + QString::fromLatin1(p.categoria)},
                 {QStringLiteral("unidadesMedida_id"), uUnidades.value(QString::fromLatin1(p.unidad))},
                 {QStringLiteral("opControladoNoSerie"), p.serie},
                 {QStringLiteral("estatus"), 1},
                 {QStringLiteral("estado"), 1},
                 {QStringLiteral("idNegocioFk"), negocioId()}});
            uProductos.insert(QString::fromLatin1(p.clave), id);
        }
    }

    void stock() {
        QVector<QVariantList> filas;
        for (const auto &s : kStock)
            filas.append({uAlmacenes.value(s.almacen), uProductos.value(QString::fromLatin1(s.clave)),
                          s.minimo, s.maximo, uNegocio});
        c.insertaVarias(QStringLiteral("inventarioStock"),
                        {QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
                         QStringLiteral("minimo"), QStringLiteral("maximo"), QStringLiteral("idNegocioFk")},
                        filas);
    }

    // Providers also issue the expense invoices, so each one is an Emisor too; the business is the
    // receiver of those and the issuer of its own sales invoices.
    void proveedores() {
        for (const auto &p : kProveedores) {
            uProveedores << c.inserta(QStringLiteral("proveedor"),
                                      {{QStringLiteral("nombre"), QString::fromUtf8(p.nombre)},
                                       {QStringLiteral("rfc"), QString::fromLatin1(p.rfc)},
                                       {QStringLiteral("direccion"), QString::fromUtf8(p.direccion)},
                                       {QStringLiteral("telefono"), QString::fromLatin1(p.telefono)},
                                       {QStringLiteral("idNegocioFk"), negocioId()}});
            uEmisores << c.inserta(QStringLiteral("Emisor"),
                                   {{QStringLiteral("nombre"), QString::fromUtf8(p.nombre)},
                                    {QStringLiteral("rfc"), QString::fromLatin1(p.rfc)},
                                    {QStringLiteral("idNegocioFk"), negocioId()}});
        }
        const Tcampos nosotros = {{QStringLiteral("nombre"), uIdentidad.razonSocial},
                                  {QStringLiteral("rfc"), uIdentidad.rfc},
                                  {QStringLiteral("idNegocioFk"), negocioId()}};
        uEmisorPropio = c.inserta(QStringLiteral("Emisor"), nosotros);
        uReceptorPropio = c.inserta(QStringLiteral("Receptor"), nosotros);
        for (int i = 1; i < int(std::size(kClientes)); ++i)
            uReceptores << c.inserta(QStringLiteral("Receptor"),
                                     {{QStringLiteral("nombre"), QString::fromUtf8(kClientes[i].nombre)},
                                      {QStringLiteral("rfc"), QString::fromLatin1(kClientes[i].rfc)},
                                      {QStringLiteral("idNegocioFk"), negocioId()}});
    }

    // Expense invoices (tipo 1, credit note 11) come from the providers; income ones (0, credit
    // note 12) go to the customers.
    void comprobantes() {
        struct Tcomprobante {
            int tipo;
            int contraparte; // provider index for expenses, customer index (from 1) for income
            const char *serie;
            int folio;
            int dias;
            int hora;
            double subtotal;
            double descuento;
            const char *metodo;
            const char *forma;
        };
        const Tcomprobante lista[] = {
            {1, 1, "A", 8812, -20, 10, 3850.00, 0, "PUE", "03"},
            {1, 0, "FH", 15230, -14, 12, 12480.00, 480.00, "PPD", "99"},
            {1, 2, "PR", 4471, -9, 9, 6925.50, 0, "PUE", "03"},
            {1, 3, "CE", 90217, -5, 16, 18740.00, 740.00, "PPD", "99"},
            {1, 4, "MH", 3310, -2, 11, 2316.00, 0, "PUE", "01"},
            {11, 0, "NC", 1201, -7, 13, 1150.00, 0, "PUE", "03"},
            {0, 1, "F", 1041, -6, 17, 8620.00, 120.00, "PPD", "99"},
            {0, 2, "F", 1042, -3, 10, 2455.00, 0, "PUE", "03"},
            {0, 3, "F", 1043, -1, 18, 1349.00, 0, "PUE", "01"},
            {12, 1, "NCF", 77, 0, 9, 420.00, 0, "PUE", "03"},
        };
        int n = 0;
        for (const auto &k : lista) {
            ++n;
            const bool egreso = k.tipo == 1 || k.tipo == 11;
            const double total = redondea2((k.subtotal - k.descuento) * (1.0 + kIva));
            c.inserta(
                QStringLiteral("Comprobante"),
                {{QStringLiteral("uuid"),
                  uuidDemo(QStringLiteral("%1-comprobante-%2").arg(uIdentidad.rfc).arg(n))},
                 {QStringLiteral("serie"), QString::fromLatin1(k.serie)},
                 {QStringLiteral("folio"), QString::number(k.folio)},
                 {QStringLiteral("fecha"), momento(k.dias, k.hora, 5 * n)},
                 {QStringLiteral("tipo"), k.tipo},
                 {QStringLiteral("version"), QStringLiteral("4.0")},
                 {QStringLiteral("subTotal"), k.subtotal},
                 {QStringLiteral("total"), total},
                 {QStringLiteral("descuento"), k.descuento},
                 {QStringLiteral("metodoDePago"), QString::fromLatin1(k.metodo)},
                 {QStringLiteral("formaDePago"), QString::fromLatin1(k.forma)},
                 {QStringLiteral("condicionesDePago"), QString::fromLatin1(k.metodo) == QLatin1String("PPD")
                                                           ? QStringLiteral("Crédito a 30 días")
                                                           : QStringLiteral("Contado")},
                 {QStringLiteral("moneda"), QStringLiteral("MXN")},
                 {QStringLiteral("tipoCambio"), 1.0},
                 {QStringLiteral("tipoDeComprobante"),
                  k.tipo >= 11 ? QStringLiteral("E") : QStringLiteral("I")},
                 {QStringLiteral("lugarExpedicion"),
                  egreso ? QStringLiteral("45010") : QStringLiteral("44100")},
                 {QStringLiteral("noCertificado"),
                  QStringLiteral("000010000005%1").arg(n, 8, 10, QLatin1Char('0'))},
                 {QStringLiteral("emisor"), egreso ? uEmisores.value(k.contraparte) : uEmisorPropio},
                 {QStringLiteral("receptor"),
                  egreso ? uReceptorPropio : uReceptores.value(k.contraparte - 1)},
                 {QStringLiteral("idNegocioFk"), negocioId()},
                 {QStringLiteral("idSucursalFk"), 0}});
        }
    }

    // Three orders to be received: one untouched, one partly received (its inventory-side line
    // state says how much arrived and what it was matched to), one untouched for next week.
    void ordenesCompra() {
        struct Tlinea {
            const char *descripcion;
            double cantidad;
            double precio;
            const char *producto; // matched product, when part already arrived
            const char *unidad;
            double factor;
            double acumulado;
        };
        struct Torden {
            int proveedor;
            int pedido;
            int entrega;
            int pendiente; // AF_OrdenPendiente: 0 nothing received, 1 partly
            QVector<Tlinea> lineas;
        };
        const QVector<Torden> ordenes = {
            {1,
             -6,
             2,
             0,
             {{"Caja con 100 tornillos para madera 1/4 x 2\"", 20, 85.00, nullptr, nullptr, 0, 0},
              {"Caja con 100 tornillos para tablaroca 6 x 1\"", 30, 60.00, nullptr, nullptr, 0, 0},
              {"Bolsa con 100 taquetes plásticos 1/4\"", 15, 35.00, nullptr, nullptr, 0, 0}}},
            {0,
             -12,
             -3,
             1,
             {{"Taladro percutor 1/2\" 650 W", 5, 1150.00, "TAL-001", "pza", 1, 2},
              {"Esmeriladora angular 4 1/2\" 820 W", 4, 890.00, nullptr, nullptr, 0, 0},
              {"Martillo de uña 16 oz", 24, 95.00, "MAR-001", "pza", 1, 12}}},
            {3,
             -2,
             7,
             0,
             {{"Cable THW calibre 12 rojo, rollo de 100 m", 10, 1350.00, nullptr, nullptr, 0, 0},
              {"Cable THW calibre 14 negro, rollo de 100 m", 8, 980.00, nullptr, nullptr, 0, 0},
              {"Apagador sencillo blanco, caja de 12", 5, 210.00, nullptr, nullptr, 0, 0}}},
        };
        for (const auto &o : ordenes) {
            double subtotal = 0;
            for (const auto &l : o.lineas)
                subtotal += l.cantidad * l.precio;
            const Tempresa &p = kProveedores[o.proveedor];
            const int numero =
                c.inserta(QStringLiteral("AF_OrdenesCompra"),
                          {{QStringLiteral("AF_IDProveedor"), uProveedores.value(o.proveedor)},
                           {QStringLiteral("AF_NombreProveedor"), QString::fromUtf8(p.nombre)},
                           {QStringLiteral("AF_RFCProveedor"), QString::fromLatin1(p.rfc)},
                           {QStringLiteral("AF_FechaPedido"), momento(o.pedido, 9, 30)},
                           {QStringLiteral("AF_FechaEntrega"), momento(o.entrega, 12, 0)},
                           {QStringLiteral("AF_MontoIVA"), redondea2(subtotal * kIva)},
                           {QStringLiteral("AF_TotalOrden"), redondea2(subtotal * (1.0 + kIva))},
                           {QStringLiteral("AF_OrdenPendiente"), o.pendiente},
                           {QStringLiteral("AF_cancelada"), 0},
                           {QStringLiteral("AF_Destino"), 1},
                           {QStringLiteral("idNegocioFk"), negocioId()}});
            for (const auto &l : o.lineas) {
                const int linea =
                    c.inserta(QStringLiteral("AF_ArticulosOrdenesCompra"),
                              {{QStringLiteral("AF_NumeroOrden"), numero},
                               {QStringLiteral("AF_CantidadSolicitada"), l.cantidad},
                               {QStringLiteral("AF_DescripcionArticulo"), QString::fromUtf8(l.descripcion)},
                               {QStringLiteral("AF_PrecioUnitario"), l.precio},
                               {QStringLiteral("AF_PrecioTotal"), redondea2(l.cantidad * l.precio)}});
                if (l.producto)
                    c.inserta(QStringLiteral("inventarioOrdenesCompraArticulos"),
                              {{QStringLiteral("AF_ID"), linea},
                               {QStringLiteral("inventarioProducto_id"),
                                uProductos.value(QString::fromLatin1(l.producto))},
                               {QStringLiteral("UnidadesMedida_id"),
                                uUnidades.value(QString::fromLatin1(l.unidad))},
                               {QStringLiteral("factorConversion"), l.factor},
                               {QStringLiteral("cantidadAcumulada"), l.acumulado}});
            }
        }
    }

    // One template per accounting module of the inventory (61xx receipts, 62xx issues) and the
    // concepts of every family linked to them. "Muestras" is left to the start-up check.
    void asientosYConceptos() {
        struct Tasiento {
            int modulo;
            const char *nombre;
            const char *descripcion;
            const char *cargo;
            const char *abono;
        };
        static const Tasiento kAsientos[] = {
            {6101, "Compra de mercancía", "Entrada de mercancía comprada a proveedor", "115.01", "201.01"},
            {6102, "Devolución de clientes", "Mercancía devuelta por clientes", "115.01", "501.01"},
            {6103, "Entrada por traspaso", "Mercancía recibida de otro almacén", "115.01", "115.02"},
            {6104, "Ajustes y otras entradas", "Ajustes, fabricación e inventario inicial", "115.01",
             "403.01"},
            {6201, "Costo de venta", "Salida de mercancía vendida", "501.01", "115.01"},
            {6202, "Devolución a proveedor", "Mercancía devuelta al proveedor", "201.01", "115.01"},
            {6203, "Salida por traspaso", "Mercancía enviada a otro almacén", "115.02", "115.01"},
            {6204, "Mermas y consumo interno", "Salidas sin venta", "601.84", "115.01"},
        };
        QHash<int, int> asientos;
        for (const auto &a : kAsientos) {
            const Tcampos porModulo = {{QStringLiteral("modulo"), a.modulo}};
            int modulo = int(
                c.busca(QStringLiteral("SELECT MIN(id) FROM ModuloAsientosContables WHERE modulo = :modulo"),
                        porModulo));
            if (modulo == 0)
                modulo = c.inserta(QStringLiteral("ModuloAsientosContables"),
                                   {{QStringLiteral("modulo"), a.modulo},
                                    {QStringLiteral("nombre"), QString::fromUtf8(a.nombre)}});
            asientos.insert(a.modulo,
                            c.inserta(QStringLiteral("AsientosContables"),
                                      {{QStringLiteral("nombre"), QString::fromUtf8(a.nombre)},
                                       {QStringLiteral("descripcion"), QString::fromUtf8(a.descripcion)},
                                       {QStringLiteral("ModuloAsientosContables_id"), modulo},
                                       {QStringLiteral("cuentaCargo"), QString::fromLatin1(a.cargo)},
                                       {QStringLiteral("cuentaAbono"), QString::fromLatin1(a.abono)},
                                       {QStringLiteral("idNegocioFk"), negocioId()}}));
        }
        struct Tconcepto {
            const char *etiqueta;
            int direccion;
            int familia;
            int modulo;
        };
        // "ajustes", "entrada de fabricación" and "devolución de compras" are compared exactly by
        // the capture screens, hence their lower case. System labels match the start-up check's.
        static const Tconcepto kConceptos[] = {
            {"Compra", kConceptoEntrada, kFamiliaOrdinaria, 6101},
            {"ajustes", kConceptoEntrada, kFamiliaOrdinaria, 6104},
            {"entrada de fabricación", kConceptoEntrada, kFamiliaOrdinaria, 6104},
            {"Devolución de venta", kConceptoEntrada, kFamiliaDevolucionSalida, 6102},
            {"Entrada por traspaso", kConceptoEntrada, kFamiliaEntradaTraspaso, 6103},
            {"Entrada por orden de compra", kConceptoEntrada, kFamiliaOrdenCompra, 6101},
            {"Existencia inicial", kConceptoEntrada, kFamiliaExistenciaInicial, 6104},
            {"Ajuste por inventario físico (entrada)", kConceptoEntrada, kFamiliaAjusteConteoEntrada, 6104},
            {"Venta", kConceptoSalida, kFamiliaOrdinaria, 6201},
            {"Merma", kConceptoSalida, kFamiliaOrdinaria, 6204},
            {"Consumo interno", kConceptoSalida, kFamiliaOrdinaria, 6204},
            {"devolución de compras", kConceptoSalida, kFamiliaDevolucionCompra, 6202},
            {"Salida por traspaso", kConceptoSalida, kFamiliaSalidaTraspaso, 6203},
            {"Ajuste por inventario físico (salida)", kConceptoSalida, kFamiliaAjusteConteoSalida, 6204},
        };
        for (const auto &k : kConceptos) {
            c.inserta(QStringLiteral("inventarioMovimientoConcepto"),
                      {{QStringLiteral("etiqueta"), QString::fromUtf8(k.etiqueta)},
                       {QStringLiteral("direccion"), k.direccion},
                       {QStringLiteral("AsientosContables_id"), asientos.value(k.modulo)},
                       {QStringLiteral("familia"), k.familia},
                       {QStringLiteral("idNegocioFk"), negocioId()}});
        }
    }

    // Sales summed by the issues breakdown: quotations that became sales (one still open), and
    // point-of-sale tickets of both counters, one of them with a kit and its components.
    void ventas() {
        const int kit = c.inserta(QStringLiteral("ventasKit"),
                                  {{QStringLiteral("nombre"), QStringLiteral("Kit instalación de contacto")},
                                   {QStringLiteral("categoriaSAT33_id"), 39122200},
                                   {QStringLiteral("idNegocioFk"), negocioId()}});
        const double precioKit = 145.00;

        struct Tcotizacion {
            int folio;
            int dias;
            bool vendida;
            int cliente;
            int almacen;
        };
        const Tcotizacion cotizaciones[] = {
            {1001, -3, true, 1, 1}, {1002, -1, false, 2, 1}, {1003, -8, true, 3, 0}};
        QVector<QVariantList> lineasCotizacion;
        for (const auto &q : cotizaciones) {
            const int id = c.inserta(QStringLiteral("ventasCotizacion"),
                                     {{QStringLiteral("folio"), q.folio},
                                      {QStringLiteral("fecha"), momento(q.dias, 11, 0)},
                                      {QStringLiteral("fechaVenta"),
                                       q.vendida ? QVariant(momento(q.dias + 1, 13, 20)) : QVariant()},
                                      {QStringLiteral("cliente_id"), uClientes.value(q.cliente)},
                                      {QStringLiteral("inventarioAlmacen_id"), uAlmacenes.value(q.almacen)},
                                      {QStringLiteral("idNegocioFk"), negocioId()}});
            if (q.folio == 1001) {
                lineasCotizacion << lineaVenta(id, "CAB-001", 50, 0, 0, 0)
                                 << lineaVenta(id, "APA-001", 10, 0, 0, 0)
                                 << lineaVenta(id, nullptr, 2, precioKit, kit, 0)
                                 << lineaVenta(id, "CON-001", 2, 0, kit, 10)
                                 << lineaVenta(id, "APA-001", 2, 0, kit, 10);
            } else if (q.folio == 1002) {
                lineasCotizacion << lineaVenta(id, "PVI-001", 38, 0, 0, 0)
                                 << lineaVenta(id, "FLE-001", 1, 0, 0, 0);
            } else {
                lineasCotizacion << lineaVenta(id, "TUB-001", 12, 0, 0, 0)
                                 << lineaVenta(id, "COD-001", 30, 0, 0, 0)
                                 << lineaVenta(id, "TOR-003", 40, 0, 0, 0);
            }
        }
        c.insertaVarias(QStringLiteral("ventasCotizacionDetalle"),
                        columnasVenta(QStringLiteral("ventasCotizacion_id"), QStringLiteral("precioLista"),
                                      QStringLiteral("tipoInsercion")),
                        lineasCotizacion);

        struct Tticket {
            int folio;
            int dias;
            int hora;
            int almacen;
        };
        const Tticket tickets[] = {{5001, -1, 10, 1}, {5002, 0, 9, 3}, {5003, -2, 17, 1}};
        QVector<QVariantList> lineasTicket;
        for (const auto &t : tickets) {
            QVector<QVariantList> lineas;
            if (t.folio == 5001)
                lineas << lineaVenta(0, "MAR-001", 1, 0, 0, 0) << lineaVenta(0, "TOR-001", 50, 0, 0, 0);
            else if (t.folio == 5002)
                lineas << lineaVenta(0, "PVI-001", 19, 0, 0, 0) << lineaVenta(0, "FLE-001", 2, 0, 0, 0);
            else
                lineas << lineaVenta(0, nullptr, 1, precioKit, kit, 1)
                       << lineaVenta(0, "CON-001", 1, 0, kit, 2) << lineaVenta(0, "APA-001", 1, 0, kit, 2);
            double total = 0;
            for (const auto &l : lineas) {
                if (l.value(kColumnaMarca).toInt() <= 1)
                    total += l.value(kColumnaImporte).toDouble() + l.value(kColumnaIva).toDouble();
            }
            const int id = c.inserta(QStringLiteral("puntoOperacion"),
                                     {{QStringLiteral("folio"), t.folio},
                                      {QStringLiteral("fechaHora"), momento(t.dias, t.hora, 25)},
                                      {QStringLiteral("cliente_id"), uClientes.value(0)},
                                      {QStringLiteral("total"), redondea2(total)},
                                      {QStringLiteral("idNegocioFk"), negocioId()}});
            c.inserta(QStringLiteral("puntoOperacionComplementario"),
                      {{QStringLiteral("puntoOperacion_id"), id},
                       {QStringLiteral("inventarioAlmacen_id"), uAlmacenes.value(t.almacen)},
                       {QStringLiteral("idNegocioFk"), negocioId()}});
            for (auto &l : lineas) {
                l[0] = id;
                lineasTicket << l;
            }
        }
        c.insertaVarias(QStringLiteral("puntoOperacionDetalle"),
                        columnasVenta(QStringLiteral("puntoOperacion_id"), QStringLiteral("precio"),
                                      QStringLiteral("cabecera")),
                        lineasTicket);
    }

    // Columns of a sales line, in the order lineaVenta() fills them.
    static QStringList columnasVenta(const QString &documento, const QString &precio, const QString &marca) {
        return {documento,
                QStringLiteral("inventarioProducto_id"),
                QStringLiteral("ventasKit_id"),
                QStringLiteral("claveSATproductoServicio"),
                QStringLiteral("cantidad"),
                precio,
                QStringLiteral("descuento"),
                QStringLiteral("precioVenta"),
                QStringLiteral("iepsT"),
                QStringLiteral("ivaT"),
                QStringLiteral("iepsR"),
                QStringLiteral("ivaR"),
                QStringLiteral("isrR"),
                marca};
    }
    static constexpr int kColumnaImporte = 7; // precioVenta
    static constexpr int kColumnaIva = 9;
    static constexpr int kColumnaMarca = 13;

    // A sold line: a product at its list price, or (producto null) a kit at `precioKit`. Kit
    // components carry the kit and a marker, and no amounts of their own.
    QVariantList lineaVenta(int documento, const char *producto, double cantidad, double precioKit, int kit,
                            int marca) const {
        const Tproducto *p = nullptr;
        for (const auto &k : kProductos) {
            if (producto && qstrcmp(k.clave, producto) == 0)
                p = &k;
        }
        const bool componente = marca > 1;
        const double precio = componente ? 0.0 : (p ? p->precio : precioKit);
        const double importe = redondea2(cantidad * precio);
        const QString raiz = QString::fromLatin1(semillas::kCategoriaInicial);
        QString claveSat;
        if (p) {
            const QString categoria = raiz + QString::fromLatin1(p->categoria);
            // The nearest category up the tree with a code of its own.
            for (int largo = categoria.size(); largo > 0 && claveSat.isEmpty(); --largo) {
                for (const auto &k : kCategorias) {
                    if (raiz + QString::fromLatin1(k.sufijo) == categoria.left(largo) && k.sat > 0)
                        claveSat = QString::number(k.sat);
                }
            }
        }
        return {documento, p ? uProductos.value(QString::fromLatin1(p->clave)) : 0,
                kit,       claveSat,
                cantidad,  precio,
                0.0,       importe,
                0.0,       redondea2(importe * kIva),
                0.0,       0.0,
                0.0,       marca};
    }

    Tcargador &c;
    QDate uHoy;
    datosDemo::Tidentidad uIdentidad;
    int uNegocio = 0;
    QVector<int> uAlmacenes, uClientes, uProveedores, uEmisores, uReceptores;
    int uEmisorPropio = 0;
    int uReceptorPropio = 0;
    QHash<QString, int> uUnidades;  // by abbreviation
    QHash<QString, int> uProductos; // by key
};

} // namespace

datosDemo::Tidentidad datosDemo::identidadPrincipal() {
    return {QStringLiteral("Ferretería La Esperanza"),
            QStringLiteral("FLE980714QK2"),
            QStringLiteral("Ferretería La Esperanza, S.A. de C.V."),
            {QStringLiteral("Av. Juárez"), QStringLiteral("1450"), QString(), QStringLiteral("Centro"),
             QStringLiteral("44100"), QStringLiteral("Guadalajara"), QStringLiteral("Jalisco")}};
}

int datosDemo::crea(TConexionSesion *sesion, const QDate &hoy) {
    return crea(sesion, hoy, identidadPrincipal());
}

int datosDemo::crea(TConexionSesion *sesion, const QDate &hoy, const Tidentidad &identidad) {
    Tcargador cargador(sesion);
    if (!cargador.inicia())
        return 0;
    Tdemo demo(cargador, hoy, identidad);
    const int negocio = demo.escribe();
    if (!cargador.termina())
        return 0;
    return negocio;
}

int datosDemo::crea(TConexionSesion *sesion) {
    return crea(sesion, QDate::currentDate());
}
