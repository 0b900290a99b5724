#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The report model every list and detail screen fills: a document description with its header
// elements and one table. The PDF generator (generaPDF) and the spreadsheet export read it.

// Rows of texts, cells in header order.
using TTabla = QVector<QStringList>;

// Content type and alignment of a report column.
enum TtipoContenido { kContenidoTexto = 0, kContenidoMoneda = 1 };
enum Talineacion { kAlineaIzquierda = 0, kAlineaCentro = 1, kAlineaDerecha = 2 };

struct TcabeceraTabla {
    QString texto;
    int tipo = kContenidoTexto;
    // Relative width: the generator shares the page among the columns by these.
    int ancho = 100;
    int alineacion = kAlineaIzquierda;
};

class cTabla {
public:
    void addCabecera(const QString &texto, int tipo, int ancho, int alineacion);
    void setFilas(TTabla filas) { uFilas = std::move(filas); }

    const QVector<TcabeceraTabla> &cabeceras() const { return uCabeceras; }
    const TTabla &filas() const { return uFilas; }
    // Something to print: at least one column and one row.
    bool tieneContenido() const { return !uCabeceras.isEmpty() && !uFilas.isEmpty(); }
    int anchoTotal() const;
    // Some column has a header text; a table of untitled columns (a detail's caption / value
    // pairs) prints no header row.
    bool tieneTitulos() const;

private:
    QVector<TcabeceraTabla> uCabeceras;
    TTabla uFilas;
};

// One header element (kind "etiqueta" or "imagen", a name such as "-empresa", its value).
struct TelementoReporte {
    QString tipo;
    QString nombre;
    QString valor;
};

// The document description. Fields in the order the screens fill them.
struct cDescripcion {
    QString creador;
    QString titulo;
    // Both false for every report: the business header and the page numbers are printed.
    bool sinEncabezado = false;
    bool sinNumeroPagina = false;
    QString fuente = QStringLiteral("Calibri");
    // Body text size in percent: 100 normal, 50 compact (wide tables of many rows).
    double escala = 100.0;
    QString ruta;
    // Footer text beside the page number.
    QString pie;
    int primeraPagina = 1;
    QString disposicion = QStringLiteral("tabulado");
    cTabla tabla;

    void addElemento(const QString &tipo, const QString &nombre, const QString &valor);
    const QList<TelementoReporte> &elementos() const { return uElementos; }
    // The value of the named element, empty when absent.
    QString elemento(const QString &nombre) const;

private:
    QList<TelementoReporte> uElementos;
};

// Spreadsheet export of data that is not a grid: headers, cells, title; optionally a content
// type per column (TtipoCeldaExcel), otherwise guessed from each cell's text.
enum TtipoCeldaExcel { kCeldaAutomatica = -1, kCeldaTexto = 0, kCeldaMoneda = 1, kCeldaNumero = 2 };
struct RECexportar {
    QStringList cabeceras;
    TTabla celdas;
    QString titulo;
    QVector<int> tipos;
};

struct TsistemaDatos;

// The description every screen's report starts from: creator, title, flags, font, scale, path,
// footer, layout, the table, and the business header elements (title, logo
// "Formatos/<RFC>/logo.png", footer image, name, RFC, legal name, fiscal address, date and, when
// given, the date range "Del: … Al: …").
cDescripcion u_descripcionReporte(const QString &titulo, const TsistemaDatos &sistema, const QString &ruta,
                                  const cTabla &tabla, double escala = 100.0, const QString &desde = {},
                                  const QString &hasta = {});
// One line naming the business and the moment, for spreadsheet subtitles.
QString u_subtituloReporte(const TsistemaDatos &sistema);
