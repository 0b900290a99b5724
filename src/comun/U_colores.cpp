#include "comun/U_colores.h"

TlistaColores getColores() {
    // A calm blue-grey business theme; screens read colours only through these names.
    return {
        {QStringLiteral("menuVerticalInactivoFondo"), 0xFF2B3A4Au},
        {QStringLiteral("menuVerticalInactivoTexto"), 0xFFC9D3DDu},
        {QStringLiteral("menuSeleccionadoFondo"), 0xFF1E88E5u},
        {QStringLiteral("menuSeleccionadoTexto"), 0xFFFFFFFFu},
        {QStringLiteral("fondoSolido"), 0xFFF4F6F8u},
        {QStringLiteral("tituloFormulario"), 0xFF1F2D3Du},
        {QStringLiteral("tituloFormulario1"), 0xFF1F2D3Du},
        {QStringLiteral("tituloFormulario2"), 0xFF1E88E5u},
        {QStringLiteral("textoNormal"), 0xFF263238u},
        {QStringLiteral("filaAlterna"), 0xFFEEF2F6u},
        {QStringLiteral("seleccion"), 0xFFBBDEFBu},
        {QStringLiteral("alerta"), 0xFFD32F2Fu},
        {QStringLiteral("exito"), 0xFF2E7D32u},
        {QStringLiteral("botonPrimario"), 0xFF1E88E5u},
        {QStringLiteral("botonPrimarioTexto"), 0xFFFFFFFFu},
        {QStringLiteral("bordeSuave"), 0xFFCFD8DCu},
    };
}

quint32 colorOGris(const TlistaColores &lista, const QString &nombre) {
    return lista.value(nombre, 0xFF808080u);
}
