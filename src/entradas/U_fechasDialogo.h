#pragma once

#include "datos/UfechaHora.h"

class QCheckBox;
class QDateEdit;

// The date pickers of the capture dialogs: a check box says whether the date is given and
// enables its picker (and the picker's reset button, when there is one).
void enlazaFechaConCasilla(QCheckBox *casilla, QDateEdit *fecha, QWidget *reinicio = nullptr);
// Checks the box as `dada` says and shows the date when it is given (today otherwise).
void muestraFecha(QCheckBox *casilla, QDateEdit *fecha, bool dada, TDateTime valor);
// The picker's date as a day number (midnight).
TDateTime fechaDelSelector(const QDateEdit *fecha);
