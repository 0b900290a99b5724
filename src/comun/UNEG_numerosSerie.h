#pragma once

#include "datos/UconexionSesion.h"

#include <QString>
#include <QStringList>

// Rules of the serial numbers of a receipt line: typed one by one, pasted as a list, or written
// straight to a stored receipt row. A serial number is compared without surrounding blanks.
namespace noSerie {
inline const QString kDuplicadoEnLista = QStringLiteral("El valor capturado esta duplicado.");
inline const QString kRegistrado =
    QStringLiteral("El número de serie existe actualmente en el almacén indicado.");
inline const QString kDuplicado = QStringLiteral("El número de serie esta duplicado");
inline const QString kExcedeCantidad =
    QStringLiteral("Los elementos capturados exceden la cantidad requerida.");
// The column holds 50 characters.
constexpr int kLargoMaximo = 50;
inline const QString kDemasiadoLargo = QStringLiteral("El número de serie no debe exceder 50 caracteres.");
inline const QString kNoGuardado = QStringLiteral("No se pudo guardar el número de serie.");
inline const QString kEntradaInexistente = QStringLiteral("No se encontró la entrada indicada.");

// "Fila: " n "‚" "\n" + message: the line of a pasted list that stops it.
QString mensajeFila(int fila, const QString &mensaje);
QString confirmacionListado(int cantidad);

// A pasted list that can be added, or the warning that refuses all of it.
struct Tlistado {
    QStringList numeros;
    QString mensaje;
};
} // namespace noSerie

// The serial-number list of one receipt line being captured (product known, row not stored).
class TcapturaNoSerie {
public:
    TcapturaNoSerie(TConexionSesion *sesion, int idProducto, int idNegocio)
        : uSesion(sesion), uProducto(idProducto), uNegocio(idNegocio) {}

    // The warning that stops adding one typed number to the list; empty when it may be added.
    // The caller ignores a blank number before asking.
    QString validaNumero(const QString &numero, const QStringList &capturados) const;
    // Walks the pasted text line by line (blank lines skipped but counted); the first refused
    // line, or too many numbers for `requeridos`, refuses the whole paste.
    noSerie::Tlistado analizaListado(const QString &texto, const QStringList &capturados,
                                     int requeridos) const;
    // The number is already recorded for the product in the business.
    bool registrado(const QString &numero) const;

private:
    TConexionSesion *uSesion;
    int uProducto;
    int uNegocio;
};

// Writes one serial number for a stored receipt row of the business, after checking it is new
// for the row and the product and that the row admits one more. Shows the warning and answers
// false when it writes nothing; a blank number writes nothing and says nothing.
bool u_capturaNoSerieEnEntrada(TConexionSesion *sesion, int idEntrada, const QString &numero, int idNegocio);
