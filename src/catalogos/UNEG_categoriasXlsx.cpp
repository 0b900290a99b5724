#include "catalogos/UNEG_categoriasXlsx.h"

#include "catalogos/UNEG_categorias.h"
#include "comun/U_posteoMovimientos.h"
#include "comun/UsistemaDatos.h"
#include "datos/UinsercionMultiple.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace {
const QString kFolder = QStringLiteral(" > ");
const QString kSubcategoria = QStringLiteral(" - ");
const QString kNivel = QStringLiteral("Nivel ");
constexpr qint64 kTamanoMaximo = 20 * 1024 * 1024;

// The token is the cell's first non-blank character; the name is what follows it, trimmed. Only
// that leading token goes, so "Tornillo 1/4-20" keeps its hyphen.
QChar tokenDeCelda(const QString &texto) {
    const QString limpio = texto.trimmed();
    return limpio.isEmpty() ? QChar() : limpio.front();
}
QString nombreDeCelda(const QString &texto) {
    QString limpio = texto.trimmed();
    if (!limpio.isEmpty() && (limpio.front() == QLatin1Char('>') || limpio.front() == QLatin1Char('-')))
        limpio.remove(0, 1);
    return limpio.trimmed();
}

// One import: the sheet, where "Nivel 1" sits, the identities and names of the business read once,
// and the rows waiting to be written.
class Timportador {
public:
    Timportador(const QVector<QVector<TceldaXlsx>> &hoja, const TavanceImportacion &avance)
        : uHoja(hoja), uAvance(avance) {
        uFilasTotales = int(hoja.size());
        for (const auto &fila : hoja)
            uColumnasTotales = std::max(uColumnasTotales, int(fila.size()));
    }

    QString celda(int fila, int columna) const {
        if (fila < 0 || fila >= uFilasTotales || columna < 0 || columna >= uHoja[fila].size())
            return {};
        return uHoja[fila][columna].valor;
    }
    // Column by column, row by row: the first cell reading exactly "Nivel 1".
    bool buscaCeldaInicial() {
        for (int c = 0; c < uColumnasTotales; ++c) {
            for (int f = 0; f < uFilasTotales; ++f) {
                if (celda(f, c) == QLatin1String("Nivel 1")) {
                    uColumnaInicial = c;
                    uFilaInicial = f + 1;
                    return true;
                }
            }
        }
        return false;
    }
    QString referencia(int fila, int columna) const {
        return celda(fila, columna) + QStringLiteral(" (") + u_letraColumna(columna + 1) + QLatin1Char(',') +
               QString::number(fila + 1) + QLatin1Char(')');
    }
    QString nombreRaiz() const { return nombreDeCelda(celda(uFilaInicial, uColumnaInicial)); }

    // The writes, inside the caller's transaction; false with uMensaje set (or a failed statement).
    bool importa(Tcatalogo &datos, int idNegocio, TintentoPosteo &intento) {
        uMensaje.clear();
        uInsertadas = 0;
        const CmidTierResponse r = datos.selectCategorias(idNegocio);
        if (!intento.ok(r))
            return false;
        if (r.getRowCount() == 0) {
            uMensaje =
                QStringLiteral("El negocio no tiene categoría principal.\rNo se realizó ninguna acción");
            return false;
        }
        // The business's real root: the shortest identity (the query's first row).
        const QString raiz = r.getCelda(0, QStringLiteral("categoria_identidad"));
        QSet<QString> existentes;
        uNombres.clear();
        for (int f = 0; f < r.getRowCount(); ++f) {
            const QString id = r.getCelda(f, QStringLiteral("categoria_identidad"));
            existentes.insert(id);
            if (id != raiz)
                uNombres.insert(u_nombreComparable(r.getCelda(f, QStringLiteral("categoria_etiqueta"))));
        }
        uAsignador = std::make_unique<TasignadorIdentidades>(std::move(existentes));
        const QString nombre = nombreRaiz().left(Tcatalogo::kLargoEtiqueta);
        if (uNombres.contains(u_nombreComparable(nombre)))
            return falla(kMensajeNombreDuplicado + QStringLiteral("\rCelda: "), uFilaInicial,
                         uColumnaInicial);
        if (nombre != r.getCelda(0, QStringLiteral("categoria_etiqueta"))) {
            const CmidTierResponse renombre = datos.updateCategoria(raiz, nombre, idNegocio);
            if (!intento.ok(renombre))
                return false;
            if (renombre.getFilasAfectadas() != 1) {
                uMensaje = QStringLiteral(
                    "No se pudo renombrar la categoría principal.\rNo se realizó ninguna acción");
                return false;
            }
        }
        uNombres.insert(u_nombreComparable(nombre));
        TinsercionMultiple lotes(datos, QStringLiteral("inventarioCategoria"),
                                 {QStringLiteral("identidad"), QStringLiteral("etiqueta"),
                                  QStringLiteral("identidadPadre"), QStringLiteral("nivel"),
                                  QStringLiteral("carpeta"), QStringLiteral("idNegocioFk")});
        uLotes = &lotes;
        uIdNegocio = idNegocio;
        uFallo = false;
        buscaHijos(raiz, uFilaInicial, uColumnaInicial);
        uLotes = nullptr;
        return !uFallo && lotes.vacia();
    }

    QString mensaje() const { return uMensaje; }
    int insertadas() const { return uInsertadas; }

private:
    bool falla(const QString &texto, int fila, int columna) {
        uMensaje = texto + referencia(fila, columna);
        uFallo = true;
        return false;
    }

    // The children of the folder in (fila, columna): the rows below it in the next column, up to
    // an empty cell. Answers the row where the folder's list ended.
    int buscaHijos(const QString &padre, int filaPadre, int columnaPadre) {
        int f = filaPadre + 1;
        const int c = columnaPadre + 1;
        int k = 0;
        while (f < uFilasTotales && !uFallo) {
            const QString texto = celda(f, c);
            if (texto.trimmed().isEmpty())
                return f;
            const QString nombre = nombreDeCelda(texto).left(Tcatalogo::kLargoEtiqueta);
            if (nombre.isEmpty()) {
                falla(QStringLiteral("Nodo vacio.\rElemento: "), f, c);
                break;
            }
            const QChar token = tokenDeCelda(texto);
            const bool carpeta = token == QLatin1Char('>');
            TlimiteCategoria limite;
            const QString identidad = uAsignador->siguiente(padre, k, carpeta, limite);
            if (limite == TlimiteCategoria::Carpeta) {
                falla(kMensajeLimiteCarpeta, f, c);
            } else if (limite == TlimiteCategoria::Anidado) {
                falla(kMensajeLimiteAnidado, f, c);
            } else if (!carpeta && token != QLatin1Char('-')) {
                falla(QStringLiteral(
                          "No se encontro un token valido, consulte la guía de importación..\rCelda: "),
                      f, c);
            } else if (uNombres.contains(u_nombreComparable(nombre))) {
                falla(kMensajeNombreDuplicado + QStringLiteral("\rCelda: "), f, c);
            } else if (!uLotes->agrega(
                           {identidad, nombre, padre, int(identidad.size()), carpeta ? 1 : 0, uIdNegocio})) {
                uFallo = true;
            }
            if (uFallo)
                break;
            uAsignador->registra(identidad);
            uNombres.insert(u_nombreComparable(nombre));
            ++uInsertadas;
            // Rows indented under a subcategory would otherwise be dropped without a word.
            if (!carpeta && !celda(f + 1, c + 1).trimmed().isEmpty()) {
                falla(
                    QStringLiteral("Las Categorías con Propiedades no pueden tener Subcategorías.\rCelda: "),
                    f + 1, c + 1);
                break;
            }
            f = carpeta ? buscaHijos(identidad, f, c) : f + 1;
            avanza(f);
        }
        return f;
    }
    void avanza(int fila) {
        const int porcentaje = uFilasTotales > 0 ? qRound(fila * 100.0 / uFilasTotales) : 100;
        if (porcentaje != uPorcentaje && uAvance) {
            uPorcentaje = porcentaje;
            uAvance(porcentaje);
        }
    }

    const QVector<QVector<TceldaXlsx>> &uHoja;
    TavanceImportacion uAvance;
    int uFilasTotales = 0;
    int uColumnasTotales = 0;
    int uColumnaInicial = 0;
    int uFilaInicial = 0;
    int uPorcentaje = -1;
    int uIdNegocio = 0;
    int uInsertadas = 0;
    bool uFallo = false;
    QString uMensaje;
    QSet<QString> uNombres;
    std::unique_ptr<TasignadorIdentidades> uAsignador;
    TescrituraPorLotes *uLotes = nullptr;
};
} // namespace

QString u_letraColumna(int columna) {
    QString letras;
    for (int n = columna; n > 0; n = (n - 1) / 26)
        letras.prepend(QChar(u'A' + (n - 1) % 26));
    return letras;
}

bool u_matrizCategorias(TConexionSesion *sesion, int idNegocio, RECexportar &matriz) {
    const CmidTierResponse r = Tcatalogo(sesion).selectCategorias(idNegocio);
    if (!r.isSuccess())
        return false;
    QVector<TnodoCategoria> nodos = u_arbolCategorias(r);
    // Sorted by identity a parent comes right before its subtree: depth-first, as the import reads.
    std::sort(nodos.begin(), nodos.end(),
              [](const TnodoCategoria &a, const TnodoCategoria &b) { return a.identidad < b.identidad; });
    matriz = {};
    matriz.titulo = kTituloCatalogoCategorias;
    if (nodos.isEmpty())
        return true;
    const qsizetype base = nodos.first().identidad.size();
    qsizetype niveles = 0;
    for (const TnodoCategoria &n : nodos)
        niveles = std::max(niveles, n.identidad.size() - base + 1);
    for (qsizetype nivel = 1; nivel <= niveles; ++nivel) {
        matriz.cabeceras << kNivel + QString::number(nivel);
        matriz.tipos << kCeldaTexto;
    }
    for (const TnodoCategoria &n : nodos) {
        QStringList fila(niveles);
        fila[n.identidad.size() - base] = (n.carpeta ? kFolder : kSubcategoria) + n.etiqueta;
        matriz.celdas << fila;
    }
    return true;
}

cTabla u_tablaCategorias(const RECexportar &matriz) {
    cTabla tabla;
    for (const QString &cabecera : matriz.cabeceras)
        tabla.addCabecera(cabecera, kContenidoTexto, 120, kAlineaIzquierda);
    tabla.setFilas(matriz.celdas);
    return tabla;
}

bool u_escribeCategoriasXlsx(TConexionSesion *sesion, int idNegocio, const QString &ruta, QString *error) {
    RECexportar matriz;
    if (!u_matrizCategorias(sesion, idNegocio, matriz)) {
        *error = QStringLiteral("No se pudieron leer las categorías.");
        return false;
    }
    TsistemaDatos sistema;
    sistema.conexion = sesion;
    sistema.negocio = TNegocio::carga(sesion, idNegocio);
    return u_escribeXlsx(ruta, matriz, u_subtituloReporte(sistema), error);
}

ThojaXlsx u_hojaPlantillaCategorias() {
    ThojaXlsx hoja;
    hoja.nombre = QStringLiteral("Categorías");
    hoja.anchos = {28, 28, 28};
    for (int c = 0; c < 3; ++c)
        hoja.celdas.append({0, c, -1, kNivel + QString::number(c + 1), {}, true});
    const struct {
        int fila;
        int columna;
        const char *texto;
    } kEjemplo[] = {
        {1, 0, " > Mi negocio"},         {2, 1, " > Herramientas"},
        {3, 2, " - Herramienta manual"}, {4, 2, " - Herramienta eléctrica"},
        {5, 1, " > Tornillería"},        {6, 2, " - Tornillos"},
        {7, 2, " - Taquetes y anclas"},  {8, 1, " - Pinturas"},
    };
    for (const auto &e : kEjemplo)
        hoja.celdas.append({e.fila, e.columna, -1, QString::fromUtf8(e.texto), {}, false});
    return hoja;
}

QString u_preparaPlantillaCategorias(const QString &carpeta, QString *error) {
    const QString ruta = QDir(carpeta).filePath(QStringLiteral("Plantilla Categorías.xlsx"));
    if (QFileInfo::exists(ruta))
        return ruta;
    if (!QDir().mkpath(carpeta)) {
        *error = QStringLiteral("No se pudo crear la carpeta ") + carpeta;
        return {};
    }
    return u_escribeHojaXlsx(ruta, u_hojaPlantillaCategorias(), error) ? ruta : QString();
}

TresultadoImportacion u_importaCategorias(TConexionSesion *sesion, int idNegocio,
                                          const QVector<QVector<TceldaXlsx>> &hoja,
                                          const TavanceImportacion &avance) {
    TresultadoImportacion resultado;
    Timportador importador(hoja, avance);
    if (avance)
        avance(0);
    if (!importador.buscaCeldaInicial()) {
        resultado.mensaje = kMensajePlantillaInvalida;
        return resultado;
    }
    if (importador.nombreRaiz().isEmpty()) {
        resultado.mensaje = QStringLiteral(
            "La categoría principal, debajo de \"Nivel 1\", está vacía.\rNo se realizó ninguna acción");
        return resultado;
    }
    Tcatalogo datos(sesion);
    const TfinPosteo fin = u_posteaEnTransaccion(datos, idNegocio, [&](TintentoPosteo &intento) {
        return importador.importa(datos, idNegocio, intento);
    });
    resultado.confirmada = fin == TfinPosteo::Confirmado;
    resultado.mensaje = importador.mensaje();
    if (!resultado.confirmada && resultado.mensaje.isEmpty())
        resultado.mensaje =
            QStringLiteral("No se pudieron guardar las categorías.\rNo se realizó ninguna acción");
    resultado.insertadas = resultado.confirmada ? importador.insertadas() : 0;
    if (avance && resultado.confirmada)
        avance(100);
    return resultado;
}

TresultadoImportacion u_importaArchivoCategorias(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                                                 const TavanceImportacion &avance) {
    TresultadoImportacion resultado;
    const QFileInfo archivo(ruta);
    if (archivo.suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0) {
        resultado.mensaje = kMensajeArchivoNoExcel;
        return resultado;
    }
    if (archivo.size() > kTamanoMaximo) {
        resultado.mensaje =
            QStringLiteral("El archivo es demasiado grande para una plantilla de categorías (más "
                           "de 20 MB).\rNo se realizó ninguna acción");
        return resultado;
    }
    TlectorXlsx lector;
    if (!lector.abre(ruta) || lector.hojas().isEmpty()) {
        resultado.mensaje = kMensajePlantillaInvalida;
        if (!lector.error().isEmpty())
            resultado.mensaje += QStringLiteral("\r") + lector.error();
        return resultado;
    }
    return u_importaCategorias(sesion, idNegocio, lector.hoja(0), avance);
}
