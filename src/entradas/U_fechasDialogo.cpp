#include "entradas/U_fechasDialogo.h"

#include <QCheckBox>
#include <QDateEdit>

void enlazaFechaConCasilla(QCheckBox *casilla, QDateEdit *fecha, QWidget *reinicio) {
    auto aplica = [fecha, reinicio](bool marcada) {
        fecha->setEnabled(marcada);
        if (reinicio)
            reinicio->setEnabled(marcada);
    };
    QObject::connect(casilla, &QCheckBox::toggled, fecha, aplica);
    aplica(casilla->isChecked());
}

void muestraFecha(QCheckBox *casilla, QDateEdit *fecha, bool dada, TDateTime valor) {
    const QDate dia = dada ? fechaHora::deTDateTime(valor).date() : QDate();
    fecha->setDate(dia.isValid() ? dia : QDate::currentDate());
    casilla->setChecked(dada);
}

TDateTime fechaDelSelector(const QDateEdit *fecha) {
    return fechaHora::aTDateTime(fecha->date().startOfDay());
}
