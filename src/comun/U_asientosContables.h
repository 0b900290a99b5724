#pragma once

#include "comun/U_comprobante.h"
#include "datos/UconexionSesion.h"

#include <QDate>
#include <QList>
#include <QString>
#include <stdexcept>

// The suite's accounting hand-over: a movement, once committed, is posted as one journal entry
// (AsientosAplicados) with one line per concept (AsientosAplicadosDetalle).

// Raised by TAplicacionAsientoBPL::aplica when nothing could be posted; nothing of the entry is
// left behind.
class TerrorAsiento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An accounting template (AsientosContables) of the business; id 0 stands for "none".
struct TAsientoBasico {
    int id = 0;
    QString nombre;
    QString descripcion;
    int modulo = 0; // 61xx receipts, 62xx issues; 0 when unknown
    QString cuentaCargo;
    QString cuentaAbono;
    int idNegocio = 0;

    bool valido() const { return id > 0; }
};

// One line of the entry: what moved, for how much, under which template and invoice.
class TActivoconcepto {
public:
    void setDescripcion(const QString &descripcion) { uDescripcion = descripcion; }
    void setSubtotal(double subtotal) { uSubtotal = subtotal; }
    void setAsientoBasico(const TAsientoBasico &asiento) { uAsiento = asiento; }
    void setComprobante(const TComprobante &comprobante) { uComprobante = comprobante; }

    const QString &getDescripcion() const { return uDescripcion; }
    double getSubtotal() const { return uSubtotal; }
    const TAsientoBasico &getAsientoBasico() const { return uAsiento; }
    const TComprobante &getComprobante() const { return uComprobante; }

private:
    QString uDescripcion;
    double uSubtotal = 0;
    TAsientoBasico uAsiento;
    TComprobante uComprobante;
};

// Posts a list of concepts as one journal entry dated `fecha`. Run it after the movement's own
// commit, never inside an open transaction of the same connection.
class TAplicacionAsientoBPL {
public:
    TAplicacionAsientoBPL(QList<TActivoconcepto> conceptos, const QDate &fecha, TConexionSesion *conexion,
                          int idNegocio);

    // Writes the entry in its own transaction and returns its id. Raises TerrorAsiento, after
    // rolling back whatever it wrote, when the list cannot be posted or a write fails.
    int aplica();

private:
    void valida() const;
    int asientoComun() const;

    QList<TActivoconcepto> uConceptos;
    QDate uFecha;
    TConexionSesion *uConexion;
    int uNegocio;
};
