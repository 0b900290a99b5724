#pragma once

#include "comun/UREC_comprobante.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"

#include <QVector>

struct TparDetalle;

// One issue row (one product taken from one layer): its values, the invoice linked to it
// afterwards, and its PDF and spreadsheet.
class TFRM_salidasDetalle : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_salidasDetalle(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Shows the row modally; a row that cannot be read shows the captions alone.
    void init(int salidaID);
    // The same without showing: permissions and the row; false when the business has no such row.
    bool prepara(int salidaID);
    // Links the invoice to this one row and reloads; false (values kept) when it could not.
    bool vinculaComprobante(int comprobanteID);

private:
    void initPermisos();
    bool cargaDetalle();
    QVector<TparDetalle> pares() const;
    QString nombreArchivo() const;
    void BTN_buscarComprobanteClick();
    void BTN_exportarPDFClick();
    void BTN_exportarExcelClick();

    TsistemaDatos uSistema;
    int uSalidaID = 0;
    int uInventarioSalidaID = 0;
    int uInventarioSalidaDocumento = 0;
    QString uCategoriaIdentidad;
    double uCostoUnitario = 0;
    UREC_comprobante uComprobante;

    QLabel *LBL_no;
    QLabel *LBL_fechaHora;
    QLabel *LBL_almacen;
    QLabel *LBL_categoria;
    QLabel *LBL_producto;
    QLabel *LBL_precioUnitario;
    QLabel *LBL_cantidad;
    QLabel *LBL_unidadMedida;
    QLabel *LBL_serieFolio;
    QLabel *LBL_uuid;
    QPushButton *BTN_buscarComprobante;
    QPushButton *BTN_exportarExcel;
    QPushButton *BTN_exportarPDF;
};
