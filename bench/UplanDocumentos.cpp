#include "UplanDocumentos.h"

#include "comun/U_utilerias.h"
#include "existencias/UNEG_importacionMovimientos.h"

#include <QFile>
#include <QTextStream>
#include <cmath>

namespace {
QString clave(int producto) {
    return QStringLiteral("P%1").arg(producto + 1, 3, 10, QLatin1Char('0'));
}

QString campoCsv(const QString &texto) {
    if (!texto.contains(QLatin1Char(',')) && !texto.contains(QLatin1Char('"')))
        return texto;
    return QLatin1Char('"') + QString(texto).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

TopcionesPlan::TopcionesPlan(QCommandLineParser &p)
    : uDocumentos(QStringLiteral("documentos"), QStringLiteral("Documentos del plan."), QStringLiteral("n"),
                  QStringLiteral("4000")),
      uProductos(QStringLiteral("productos"), QStringLiteral("Productos del plan."), QStringLiteral("n"),
                 QStringLiteral("10")),
      uMetodo(QStringLiteral("metodo"), QStringLiteral("peps o promedio."), QStringLiteral("metodo"),
              QStringLiteral("peps")) {
    p.addOptions({uDocumentos, uProductos, uMetodo});
}

bool TopcionesPlan::lee(const QCommandLineParser &p, bool generado) {
    QTextStream errores(stderr);
    documentos = p.value(uDocumentos).toInt();
    productos = p.value(uProductos).toInt();
    nombreMetodo = p.value(uMetodo);
    if (generado && (documentos <= 0 || productos <= 0)) {
        errores << "--documentos y --productos deben ser enteros positivos" << Qt::endl;
        return false;
    }
    if (nombreMetodo != QLatin1String("peps") && nombreMetodo != QLatin1String("promedio")) {
        errores << "--metodo debe ser peps o promedio" << Qt::endl;
        return false;
    }
    return true;
}

// Receipts of 8 to 20 units at a cost that wanders, issues of 45 % to 70 % of the stock on hand: a
// shop that restocks as it sells, whose stock settles near a round's receipt or two however long
// the plan, so an issue takes the oldest layer or spans a few. (Issues sized on the receipt alone
// let the stock, and with it the open layers every FIFO issue rewrites in the kardex, grow with
// the plan's length.)
Tplan planGenerado(int documentos, int productos) {
    Tplan plan;
    QDateTime momento(QDate(2024, 1, 1), QTime(8, 0));
    QVector<double> existencias(productos, 0.0);
    for (int ronda = 0; plan.size() < documentos; ++ronda) {
        for (int p = 0; p < productos && plan.size() < documentos; ++p) {
            const double recibido = 8 + (ronda * 7 + p * 3) % 13;
            const double costo = 10 + ((ronda * 13 + p * 7) % 50) / 4.0;
            momento = momento.addSecs(60);
            plan.append({QString::number(plan.size() + 1),
                         momento,
                         true,
                         kAlmacen,
                         kCompra,
                         {{clave(p), recibido, costo}}});
            existencias[p] += recibido;
            const double entregado = std::floor(existencias[p] * (0.45 + 0.05 * ((ronda + p) % 6)));
            if (plan.size() >= documentos || entregado <= 0)
                continue;
            momento = momento.addSecs(60);
            plan.append({QString::number(plan.size() + 1),
                         momento,
                         false,
                         kAlmacen,
                         kVenta,
                         {{clave(p), entregado, 0}}});
            existencias[p] -= entregado;
        }
    }
    return plan;
}

bool escribePlan(const Tplan &plan, const QString &ruta, QString &error) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = f.errorString();
        return false;
    }
    QTextStream s(&f);
    s << kColumnas.join(QLatin1Char(',')) << '\n';
    for (const Tdocumento &d : plan) {
        for (const Tlinea &l : d.lineas) {
            const QStringList campos = {d.fecha.toString(kFormatoFecha),
                                        d.entrada ? QStringLiteral("entrada") : QStringLiteral("salida"),
                                        d.almacen,
                                        d.concepto,
                                        l.producto,
                                        FloatToStr(l.cantidad),
                                        d.entrada ? FloatToStr(l.costo) : QString(),
                                        d.numero};
            QStringList escritos;
            for (const QString &c : campos)
                escritos << campoCsv(c);
            s << escritos.join(QLatin1Char(',')) << '\n';
        }
    }
    return true;
}

bool leePlan(const QString &ruta, Tplan &plan, QString &error) {
    QVector<QStringList> tabla;
    if (!u_leeTablaMovimientos(ruta, tabla, error))
        return false;
    if (tabla.isEmpty()) {
        error = QStringLiteral("archivo vacío");
        return false;
    }
    QHash<QString, int> columna;
    for (int i = 0; i < tabla.first().size(); ++i)
        columna.insert(tabla.first()[i].trimmed().toLower(), i);
    for (const QString &c : kColumnas) {
        if (!columna.contains(c) && c != QLatin1String("documento") && c != QLatin1String("costo_unitario")) {
            error = QStringLiteral("falta la columna ") + c;
            return false;
        }
    }
    for (int fila = 1; fila < tabla.size(); ++fila) {
        const QStringList &campos = tabla[fila];
        if (campos.join(QString()).trimmed().isEmpty())
            continue;
        auto valor = [&](const QString &nombre) { return campos.value(columna.value(nombre, -1)).trimmed(); };
        Tdocumento d;
        d.numero = valor(QStringLiteral("documento"));
        d.fecha = QDateTime::fromString(valor(QStringLiteral("fecha")), kFormatoFecha);
        if (!d.fecha.isValid())
            d.fecha =
                QDateTime::fromString(valor(QStringLiteral("fecha")), QStringLiteral("yyyy-MM-dd HH:mm"));
        const QString tipo = valor(QStringLiteral("tipo")).toLower();
        d.entrada = tipo == QLatin1String("entrada");
        d.almacen = valor(QStringLiteral("almacen"));
        d.concepto = valor(QStringLiteral("concepto"));
        bool cantidadOk = false, costoOk = true;
        Tlinea l{valor(QStringLiteral("producto")), valor(QStringLiteral("cantidad")).toDouble(&cantidadOk),
                 0};
        if (d.entrada)
            l.costo = valor(QStringLiteral("costo_unitario")).toDouble(&costoOk);
        if (!d.fecha.isValid() || (!d.entrada && tipo != QLatin1String("salida")) || d.almacen.isEmpty() ||
            d.concepto.isEmpty() || l.producto.isEmpty() || !cantidadOk || !costoOk) {
            error = QStringLiteral("fila %1 inválida").arg(fila + 1);
            return false;
        }
        const bool mismo = !plan.isEmpty() && !d.numero.isEmpty() && plan.last().numero == d.numero &&
                           plan.last().fecha == d.fecha && plan.last().entrada == d.entrada &&
                           plan.last().almacen == d.almacen;
        if (mismo) {
            plan.last().lineas << l;
        } else {
            d.lineas << l;
            plan << d;
        }
    }
    return true;
}
