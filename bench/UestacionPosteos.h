#pragma once

#include "datos/UconexionSesion.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <memory>
#include <random>

class TInteraccion;

// One till of a shop: posts receipts and issues of the same products through the documents, as
// the kill-at-random test and the several-tills benchmark run it in several processes at once.
struct TparametrosEstacion {
    int negocio = 0;
    int almacen = 0;
    int compra = 0; // receipt concept
    int venta = 0;  // issue concept
    QVector<int> productos;
    // true: each document is dated with the clock, and a document refused for its date is dated
    // again and posted again (the capture is kept); false: one minute after the station's previous
    // document. The clock reads milliseconds: the stations post far faster than people do, and to
    // the second nearly every receipt would share the instant of an issue just posted, which the
    // postings refuse, where a shop's tills seldom meet within a second.
    bool reloj = false;
};

// What a station did: documents posted, refusals by reason, issues split again.
struct TcuentaEstacion {
    qint64 entradas = 0;
    qint64 salidas = 0;
    qint64 existencia = 0; // the stock was no longer enough
    qint64 series = 0;     // a chosen serial number had left
    qint64 fecha = 0;      // dated before a movement committed meanwhile (then dated again)
    qint64 otros = 0;
    qint64 fallas = 0;     // technical failures
    qint64 repartidas = 0; // issues split again over the current layers

    qint64 rechazos() const { return existencia + series + otros + fallas; }
    // "entradas=… salidas=… existencia=… series=… fecha=… otros=… fallas=… repartidas=…"
    QString texto() const;
    static TcuentaEstacion deTexto(const QString &texto);
    TcuentaEstacion &operator+=(const TcuentaEstacion &o);
};

class TestacionPosteos {
public:
    TestacionPosteos(TConexionSesion *sesion, const TparametrosEstacion &parametros);
    ~TestacionPosteos();

    // One receipt of every product / one issue of part of each product's stock (usually over
    // several layers). False when it was not posted; the reason is counted and in ultimoAviso().
    bool recibe();
    bool entrega();

    const TcuentaEstacion &cuenta() const { return uCuenta; }
    QString ultimoAviso() const;

private:
    class Tusuario;
    int entre(int minimo, int maximo);
    QDateTime siguienteFecha();
    // After a date refusal: the clock once it has passed the refused instant.
    QDateTime otraFecha();
    // Posts with `guarda`, dating again after a date refusal when the clock dates the documents.
    template <class Tdocumento> bool guarda(Tdocumento &doc);
    void cuentaRechazo();

    TConexionSesion *uSesion;
    TparametrosEstacion uParametros;
    QDateTime uMomento;
    std::mt19937 uAzar{std::random_device{}()};
    TcuentaEstacion uCuenta;
    std::shared_ptr<Tusuario> uUsuario;
    std::shared_ptr<TInteraccion> uPrevio;
};
