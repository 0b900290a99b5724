#pragma once

#include "comun/UsistemaDatos.h"

#include <QDialog>
#include <QPointer>
#include <atomic>

class QFrame;
class QLabel;
class QProgressBar;

// The modal progress screen of the ledger rebuild: its first show starts the worker, two bars
// follow it (products of the current warehouse, warehouses), and the screen closes 2.5 s after
// the worker ends. init() returns once the screen has closed.
class TFRM_construyendoKardex : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_construyendoKardex(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    void init();

    QProgressBar *ProgressBar1() const { return uBarra1; }
    QProgressBar *ProgressBar2() const { return uBarra2; }

public slots:
    // Closing by hand is refused while the worker runs: the rebuild is one transaction.
    void reject() override;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void FormCreate();
    void FormShow();
    void thread_end();

    TsistemaDatos uSistema;
    QFrame *Rectangle1 = nullptr;
    QLabel *titulo2texto = nullptr;
    QProgressBar *uBarra1 = nullptr;
    QProgressBar *uBarra2 = nullptr;
    bool uInicia = false;
    bool uTrabajando = false;
    // Set on the worker's thread as it finishes, before the worker may be deleted.
    std::atomic_bool uFallida{false};
};

// The screen's slot while the start-up check shows it.
extern QPointer<TFRM_construyendoKardex> FRM_construyendoKardex;
