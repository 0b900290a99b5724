#pragma once

#include <QPixmap>
#include <QString>

// The suite's small images by name ("checkIconoBlanco", "cursorAbajoGris", "cursorArribaGris",
// "puntoGris", "Edita", the marks "checked", "unchecked" and "blocked", ...). Drawn once and cached; an
// unknown name gives a null pixmap.
QPixmap mini_cargaImage(const QString &nombre);
