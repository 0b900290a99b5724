#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QDateEdit;
class QHBoxLayout;
class QPushButton;
class QLabel;
class QTableView;
class QWidget;
class TGridControl;
struct TopcionesPDF;

// Pieces every list screen (receipts, issues, transfers, warehouses…) shares: the notice over an
// empty grid, the "Más Filtros" panel, and the checks and options of the exports.

inline const QString kSinElementos = QStringLiteral("No hay elementos que mostrar");

// The notice ("LBL_msg") laid over a grid's rows while a search finds nothing; it follows the
// grid's size.
class TavisoListaVacia : public QObject {
public:
    explicit TavisoListaVacia(QTableView *grid, const QString &nombre = QStringLiteral("LBL_msg"));

    // Shown, with kSinElementos, when `vacia`; hidden otherwise.
    void muestra(bool vacia);
    void oculta();
    QLabel *etiqueta() const { return uEtiqueta; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void acomoda();

    // The grid's viewport, kept from the start: while the grid is being destroyed its viewport
    // still gets events, and the grid is no longer a scroll area to ask for it.
    QWidget *uVista;
    QLabel *uEtiqueta;
};

// The extra filters a list opens and closes with "Más Filtros": the panel's maximum height slides
// between `cerrado` and `abierto` (0: the panel's own size hint at the time it opens).
class TdespliegueFiltros : public QObject {
public:
    TdespliegueFiltros(QWidget *panel, int cerrado, int abierto = 0);

    // Opens a closed panel or closes an open one; answers whether it is now open.
    bool alterna();
    bool abierto() const { return uAbierto; }

private:
    QWidget *uPanel;
    int uCerrado;
    int uAbiertoAlto;
    bool uAbierto = false;
};

// The list's buttons row: its captures' buttons, then the exports "Excel" (BTN_exportarExcel),
// "PDF" (BTN_exportarPDF) and "PDF Lote" (BTN_exportarPDFlote) on the right.
struct TbotonesExportar {
    QPushButton *excel;
    QPushButton *pdf;
    QPushButton *pdfLote;
};
QHBoxLayout *u_filaAcciones(QWidget *padre, std::initializer_list<QPushButton *> capturas,
                            TbotonesExportar &exportar);

// Runs the capture a list's "Nueva…" button opens (plugged in by its own unit); without one the
// user is told `ausente`. True when it saved a document.
bool u_abreCaptura(const std::function<bool(QWidget *padre)> &captura, QWidget *padre,
                   const QString &ausente);

// False, after telling the user kSinElementos, when the grid has no rows to export.
bool u_hayElementos(const TGridControl &grid);
// A PDF's options with the list's date range ("dd/MM/yyyy").
TopcionesPDF u_opcionesRangoPDF(const QDateEdit *desde, const QDateEdit *hasta, double escala = 100.0,
                                const QString &nombreArchivo = {});
