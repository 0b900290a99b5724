#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "entradas/UREC_ordenCompra.h"

class QDateEdit;

// Chooses a purchase order to receive: by delivery dates, provider name and provider RFC (both
// LIKE patterns as typed). Each order shows its progress icon.
class TFRM_seleccionarOrdenCompra : public TFRM_selectorBase {
    Q_OBJECT
public:
    explicit TFRM_seleccionarOrdenCompra(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; the answer carries aceptar false when cancelled.
    UREC_ordenCompra init();
    void prepara();
    const UREC_ordenCompra &resultado() const { return uResultado; }

protected:
    bool cargaFilas(const QString &texto) override;
    bool tomaFila(int fila) override;
    QString mensajeSinFilas() const override { return QStringLiteral("No se encontraron registros."); }
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    TsistemaDatos uSistema;
    UREC_ordenCompra uResultado;
    QLineEdit *TXT_proveedorRfc;
    QDateEdit *DTP_inicial;
    QDateEdit *DTP_final;
};
