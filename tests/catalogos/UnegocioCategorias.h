#pragma once

// A business whose category tree is built in a few lines, and the tree read back as text, for the
// category and import tests.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "catalogos/UNEG_categoriasXlsx.h"
#include "comun/UNEG_catalogo.h"
#include "comun/U_semillas.h"

#include <QRegularExpression>
#include <QStringList>

struct TnegocioCategorias {
    TbasePrueba &base;
    int id = 0;

    TnegocioCategorias(TbasePrueba &b, const QString &nombre) : base(b) {
        id = base.creaNegocio(nombre);
        compruebaCategoriaInicialExiste(base.sesion(), id);
    }
    // A business that exists already.
    TnegocioCategorias(TbasePrueba &b, int existente) : base(b), id(existente) {}
    // "0A>Herramientas" a folder, "0AA-Martillos" a subcategory.
    void categorias(const QStringList &filas) const {
        Tcatalogo c(base.sesion());
        for (const QString &f : filas) {
            const qsizetype corte = f.indexOf(QRegularExpression(QStringLiteral("[>-]")));
            c.insertCategoria(f.left(corte), f.mid(corte + 1), f.at(corte) == QLatin1Char('>'), id);
        }
    }
    // The tree as "identidad>nombre" (folder) or "identidad-nombre", by identity; the root as stored.
    QStringList arbol() const {
        const CmidTierResponse r = Tcatalogo(base.sesion()).selectCategorias(id);
        QStringList filas;
        for (int f = 0; f < r.getRowCount(); ++f)
            filas << r.getCelda(f, 0) +
                         (r.getCelda(f, 2) == QLatin1String("True") ? QStringLiteral(">")
                                                                    : QStringLiteral("-")) +
                         r.getCelda(f, 1);
        filas.sort();
        return filas;
    }
    qint64 cuenta(const QString &sql) const {
        return u_valorConsulta(base.sesion(), sql, {{QStringLiteral("n"), id}}).toLongLong();
    }
    int propiedad(const QString &nombre) const {
        return u_insertaFila(base.sesion(), QStringLiteral("inventarioPropiedadListado"),
                             {{QStringLiteral("nombre"), nombre},
                              {QStringLiteral("propiedadTipo_id"), 1},
                              {QStringLiteral("idNegocioFk"), id}});
    }
    void enlazaSat(const QString &identidad, int codigo, const QString &nombre) const {
        TmiddleTier mt(base.sesion());
        mt.setQuery(
            QStringLiteral("INSERT INTO categoriaSAT33 (id, clave, nombre) SELECT :id, :clave, :nombre FROM "
                           "(SELECT 1 AS uno) AS f WHERE NOT EXISTS (SELECT 1 FROM categoriaSAT33 WHERE id = "
                           ":id2)"));
        mt.setParametroEntero(QStringLiteral("id"), codigo);
        mt.setParametroEntero(QStringLiteral("id2"), codigo);
        mt.setParametroTexto(QStringLiteral("clave"), QString::number(codigo));
        mt.setParametroTexto(QStringLiteral("nombre"), nombre);
        mt.nonQuery();
        Tcatalogo c(base.sesion());
        const int categoria =
            int(c.selectInventarioCategoriaIDFROMidentidad(identidad, id).getCeldaAsInt(0, 0));
        c.insertRelacionCatSAT33(categoria, codigo, id);
    }
};

// A sheet from rows written as cells separated by '|' ("| > Herramientas" is column B).
inline QVector<QVector<TceldaXlsx>> u_hojaDe(const QStringList &filas) {
    QVector<QVector<TceldaXlsx>> hoja;
    for (const QString &f : filas) {
        QVector<TceldaXlsx> celdas;
        for (const QString &texto : f.split(QLatin1Char('|')))
            celdas.append({texto, false, {}});
        hoja.append(celdas);
    }
    return hoja;
}
