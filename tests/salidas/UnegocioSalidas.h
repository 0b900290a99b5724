#pragma once

// A small hardware shop for the issues list and detail tests, filled by SQL (the posting is tested
// elsewhere): two warehouses, three products, receipt layers with lots, issue rows over the last
// days, the stock rows, an income invoice and a few sales.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UrevisionPDF.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

struct TnegocioSalidas {
    explicit TnegocioSalidas(TbasePrueba &base,
                             const QString &nombre = QStringLiteral("Ferretería El Clavo"));

    // Today at the given time, `dias` days away.
    static QDateTime momento(int dias, const QTime &hora);

    int producto(const QString &nombre, const QString &categoria = {});
    int capa(int almacen, int producto, double cantidad, double costo);
    // A lot; a null date is one not established (a stored date with its flag off).
    void lote(int capa, const QString &numero, const QVariant &produccion, const QVariant &caducidad);
    int salida(int documento, int capa, double cantidad, double costo, const QDateTime &fecha, int concepto,
               int comprobante = -1);
    void existencia(int almacen, int producto, double cantidad);
    // An income invoice (tipo 0) of the business to a receiver.
    int comprobante(const QString &uuid, const QString &serie, const QString &folio, const QString &receptor);
    // The idComprobante stored on an issue row.
    int comprobanteDeSalida(int salida) const;

    TbasePrueba &base;
    TnegocioPrueba n;
    int negocio = 0;
    int centro = 0;
    int norte = 0;
    int pieza = 0;
    int venta = 0;
    int merma = 0;
    int tornillo = 0;
    int taquete = 0;
    int pintura = 0;
    // Layers: tornillo A1-7, taquete XA1 (production date not established), pintura (no lot),
    // tornillo B22 (produced two months ago), tornillo without lot.
    int capaTornillo = 0, capaTaquete = 0, capaPintura = 0, capaTornilloB = 0, capaTornilloC = 0;
    int facturaUno = 0;
    // Issue rows: document 2 (yesterday 08:00), 3 (yesterday 12:00), 5 over three tornillo layers
    // (today 10:00), 1 (today 23:59:59.5, invoiced to "Cliente Uno") and 4 (three days ago).
    int salida1 = 0, salida2 = 0, salida3 = 0, salida4 = 0;
    int salida5[3] = {0, 0, 0};
};

// Sales of yesterday: a quotation with tornillos and kit 1 (plus a component line and an unsold
// quotation that do not count), a ticket with tornillos at a discount and kit 2 at the same price.
struct TventasPrueba {
    int kit1 = 0;
    int kit2 = 0;
};
TventasPrueba u_creaVentas(TnegocioSalidas &n);

// What every issues screen test starts from: a fresh database holding the shop, the scripted
// user, and save dialogs that answer `ruta` while recording the names they proposed. The
// handlers are removed again on destruction.
struct TentornoSalidas {
    TentornoSalidas();
    ~TentornoSalidas();
    // Empty when the database and the shop are ready, else why not.
    QString error() const { return base->valida() ? uError : base->error(); }
    // Where an export of that extension goes next (any earlier file there removed).
    QString rutaSiguiente(const QString &nombre);

    std::unique_ptr<TbasePrueba> base;
    std::unique_ptr<TnegocioSalidas> negocio;
    TguionInstalado guion;
    QTemporaryDir carpeta;
    QStringList propuestos;
    QString ruta;

private:
    QString uError;
};
