// Rebuild benchmark: generates a deterministic business of the size asked for, rebuilds its
// ledger, then times the raw writes the rebuild had to make (the same number of ledger-row
// inserts and movement-row updates through one prepared statement each, in one transaction) and
// prints every figure as clave=valor, the ratio last.
//
//   bench_reconstruccion --movimientos 100000 --motor sqlite|mysql --metodo peps|promedio
//                        [--archivo f.db] [--mysql-socket s | --mysql-host h --mysql-port p]
//                        [--mysql-user u]   (password in INVENTARIO_MYSQL_PASSWORD)
#include "UapoyoBench.h"
#include "datos/UmiddleTier.h"
#include "kardex/UNEG_construccionKardex.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace {
// The naive writes: one prepared single-row statement each, reused, in one transaction.
double escriturasCrudas(TConexionSesion *sesion, int negocio, qint64 renglones, qint64 actualizaciones) {
    TmiddleTier mt(sesion);
    QElapsedTimer reloj;
    reloj.start();
    mt.transaccionInicia();
    QSqlQuery inserta(sesion->conexion());
    inserta.prepare(QStringLiteral(
        "INSERT INTO inventarioKardex (fechaHora, inventarioEntrada_id, inventarioAlmacen_id, "
        "inventarioProducto_id, "
        "documentoEntrada, documentoSalida, entradaCantidad, entradaCostoUnitario, salidaEntradaRelacionada, "
        "salidaCantidad, salidaCostoUnitario, totalCantidad, totalCostoUnitario, totalExistencia, "
        "idNegocioFk, "
        "revision, division, grupo) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (qint64 i = 0; i < renglones; ++i) {
        const QVariant valores[] = {QStringLiteral("2024-01-01 10:00:00.000"),
                                    i + 1,
                                    1,
                                    1,
                                    i,
                                    QVariant(),
                                    10.0,
                                    12.5,
                                    QVariant(),
                                    QVariant(),
                                    QVariant(),
                                    QStringLiteral("10"),
                                    QStringLiteral("12.5"),
                                    QVariant(),
                                    negocio,
                                    QVariant(),
                                    1,
                                    i / 3};
        for (int c = 0; c < 18; ++c)
            inserta.bindValue(c, valores[c]);
        if (!inserta.exec()) {
            QTextStream(stderr) << inserta.lastError().text() << Qt::endl;
            return -1;
        }
    }
    QSqlQuery actualiza(sesion->conexion());
    actualiza.prepare(
        QStringLiteral("UPDATE inventarioEntrada SET existenciaCostoUnitario = ?, existenciaCostoTotal = "
                       "?, existenciaTotal = ? WHERE id = ?"));
    for (qint64 i = 0; i < actualizaciones; ++i) {
        actualiza.bindValue(0, QStringLiteral("12.5"));
        actualiza.bindValue(1, QStringLiteral("125"));
        actualiza.bindValue(2, QStringLiteral("10"));
        actualiza.bindValue(3, i + 1);
        if (!actualiza.exec())
            return -1;
    }
    mt.transaccionTermina();
    return reloj.elapsed() / 1000.0;
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 100000);
    const QCommandLineOption metodo(QStringLiteral("metodo"), QStringLiteral("peps o promedio."),
                                    QStringLiteral("metodo"), QStringLiteral("peps"));
    const QCommandLineOption lectura(QStringLiteral("lectura"), QStringLiteral("bloques o par."),
                                     QStringLiteral("lectura"), QStringLiteral("bloques"));
    p.addOptions({metodo, lectura});
    p.process(app);
    if (!base.prepara(p))
        return 3;
    const int codigoMetodo = p.value(metodo) == QLatin1String("promedio") ? 2 : 1;
    TConexionSesion *sesion = base.sesion();

    const int negocio = base.generaNegocio(codigoMetodo);
    if (negocio <= 0)
        return 4;
    u_figura(QStringLiteral("metodo"), p.value(metodo));

    TconstruccionKardex construccion(sesion, negocio);
    if (p.value(lectura) == QLatin1String("par"))
        construccion.setLectura(TconstruccionKardex::Tlectura::PorPar);
    QElapsedTimer reloj;
    reloj.start();
    double cpu = u_segundosCPU();
    const bool construido = construccion.construye();
    const double segundos = reloj.elapsed() / 1000.0;
    cpu = u_segundosCPU() - cpu;
    u_figura(QStringLiteral("reconstruido"), construido ? 1 : 0);
    u_figura(QStringLiteral("renglones_kardex"), construccion.renglonesEscritos());
    u_figura(QStringLiteral("actualizaciones"), construccion.actualizaciones());
    u_figura(QStringLiteral("segundos"), segundos);
    u_figura(QStringLiteral("segundos_cpu"), cpu);
    u_figura(QStringLiteral("memoria_pico_mb"), qRound(u_memoriaPico()));
    double cpuCrudo = u_segundosCPU();
    const double crudo =
        escriturasCrudas(sesion, negocio, construccion.renglonesEscritos(), construccion.actualizaciones());
    cpuCrudo = u_segundosCPU() - cpuCrudo;
    u_figura(QStringLiteral("segundos_escrituras_crudas"), crudo);
    u_figura(QStringLiteral("segundos_cpu_escrituras_crudas"), cpuCrudo);
    u_figura(QStringLiteral("ratio"),
             crudo > 0 ? QString::number(segundos / crudo, 'f', 2) : QStringLiteral("-"));
    return construido && crudo > 0 ? 0 : 1;
}
