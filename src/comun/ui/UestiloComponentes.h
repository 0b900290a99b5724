#pragma once

#include "comun/U_colores.h"

#include <QObject>
#include <QString>

// The suite's shared style form: one style sheet every module panel takes, built from the theme.
class TEstiloComponentesBPLFrm : public QObject {
    Q_OBJECT
public:
    explicit TEstiloComponentesBPLFrm(const TlistaColores &colores);
    QString hojaEstilo() const { return uHoja; }

private:
    QString uHoja;
};

// The live instance, or none; created by the main screen's init, destroyed at its destruction.
extern TEstiloComponentesBPLFrm *EstiloComponentesBPLFrm;
