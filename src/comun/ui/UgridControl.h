#pragma once

#include "comun/U_modelopdf.h"
#include "datos/UmidTierResponse.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QTableView>
#include <QVariant>
#include <QVector>

// How a grid column shows its cells: text as stored, money as "$ #,###,##0.00", quantities with
// FloatToStr, date-times as "dd/MM/yyyy HH:mm", or an icon without text (the edit column).
enum TtipoColumnaGrid { kColTexto, kColMoneda, kColNumero, kColFecha, kColIcono };

struct TcolumnaGrid {
    QString alias;
    QString cabecera;
    int ancho = 100;
    bool visible = true;
    TtipoColumnaGrid tipo = kColTexto;
    QPixmap icono;
};

class TmodeloGrid;

// The suite's grid controller: drives a QTableView whose columns are bound by result alias.
// Rows come from a CmidTierResponse (copied, so the response may die) or are added one by one;
// hidden columns carry a row's ids. Cells are read-only in the view.
class TGridControl : public QObject {
    Q_OBJECT
public:
    explicit TGridControl(QTableView *grid);
    ~TGridControl() override;
    QTableView *grid() const { return uGrid; }

    // Adds a column shown from the result alias; returns its index.
    int agregaColumna(const QString &alias, const QString &cabecera, int ancho, bool visible = true,
                      TtipoColumnaGrid tipo = kColTexto);
    // A column without header that shows the icon on every row (alias names it for clicks).
    int agregaColumnaIcono(const QString &alias, const QPixmap &icono, int ancho = 40);
    // The column takes the grid's free width, again on every resize of the grid.
    void setColumnaEstirada(const QString &alias);

    // Replaces the rows with the response's; a failed response leaves the grid as it was.
    bool carga(const CmidTierResponse &respuesta);
    void limpia();
    // Drops every column and row, for a grid that shows another kind of row next.
    void quitaColumnas();
    // Appends a row from alias -> value (aliases the grid has not seen become data columns).
    int agregaFila(const QVariantHash &valores);
    void eliminaFila(int fila);
    void setCelda(int fila, const QString &alias, const QVariant &valor);

    int filas() const;
    int columnas() const { return uColumnas.size(); }
    const TcolumnaGrid &columna(int indice) const { return uColumnas[indice]; }
    // Grid column bound to the alias, or -1.
    int indiceColumna(const QString &alias) const;
    // Grid column whose header reads cabecera, or -1.
    int indiceColumnaPorCabecera(const QString &cabecera) const;

    // The stored value of a row's alias (also aliases with no grid column); null when absent.
    QVariant getValor(int fila, const QString &alias) const;
    QString getCelda(int fila, const QString &alias) const;
    qint64 getCeldaAsInt(int fila, const QString &alias) const;
    double getCeldaAsFloat(int fila, const QString &alias) const;
    // The text a grid column shows for a row.
    QString getTexto(int fila, int columna) const;
    // The current row, -1 when none.
    int filaSeleccionada() const;

    // Shown, non-icon columns as the user sees them, for reports.
    QVector<int> columnasImprimibles() const;
    TTabla getTTablaPDF() const;
    // The named aliases' shown texts (hidden columns too), cells in the order asked.
    TTabla getTTabla(const QStringList &aliases) const;

signals:
    // Mouse-up on a cell.
    void celdaClic(int fila, int columna, const QString &alias);
    // Double click or Enter on a row.
    void filaActivada(int fila);

private:
    friend class TmodeloGrid;
    void aplicaColumna(int indice);
    // The view forgets widths and hidden sections when its model resets.
    void aplicaColumnas();

    QPointer<QTableView> uGrid;
    TmodeloGrid *uModelo;
    QVector<TcolumnaGrid> uColumnas;
    int uEstirada = -1;
};
