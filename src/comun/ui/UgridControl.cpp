#include "comun/ui/UgridControl.h"

#include "comun/U_utilerias.h"

#include <QHeaderView>

// Rows by data alias; the grid columns choose which aliases they show and how.
class TmodeloGrid : public QAbstractTableModel {
public:
    explicit TmodeloGrid(TGridControl *control) : QAbstractTableModel(control), uControl(control) {}

    int rowCount(const QModelIndex &padre = {}) const override { return padre.isValid() ? 0 : uFilas.size(); }
    int columnCount(const QModelIndex &padre = {}) const override {
        return padre.isValid() ? 0 : uControl->uColumnas.size();
    }

    QVariant data(const QModelIndex &indice, int rol) const override {
        if (!indice.isValid())
            return {};
        const TcolumnaGrid &c = uControl->uColumnas[indice.column()];
        switch (rol) {
        case Qt::DisplayRole:
            return c.tipo == kColIcono ? QVariant() : QVariant(texto(indice.row(), indice.column()));
        case Qt::DecorationRole:
            return c.tipo == kColIcono ? QVariant(c.icono) : QVariant();
        case Qt::TextAlignmentRole:
            if (c.tipo == kColMoneda || c.tipo == kColNumero)
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return int((c.tipo == kColIcono ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        default:
            return {};
        }
    }

    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override {
        if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion < uControl->uColumnas.size())
            return uControl->uColumnas[seccion].cabecera;
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    }

    int indiceDato(const QString &alias) const { return uIndice.value(alias.toLower(), -1); }
    int agregaDato(const QString &alias) {
        int i = indiceDato(alias);
        if (i >= 0)
            return i;
        i = uIndice.size();
        uIndice.insert(alias.toLower(), i);
        for (auto &fila : uFilas)
            fila.append(QVariant());
        return i;
    }

    QVariant valor(int fila, const QString &alias) const {
        const int i = indiceDato(alias);
        if (fila < 0 || fila >= uFilas.size() || i < 0)
            return {};
        return uFilas[fila].value(i);
    }

    QString texto(int fila, int columna) const {
        const TcolumnaGrid &c = uControl->uColumnas[columna];
        const QVariant v = valor(fila, c.alias);
        if (v.isNull() || c.tipo == kColIcono)
            return {};
        switch (c.tipo) {
        case kColMoneda:
            return u_formatoMoneda(v.toDouble());
        case kColNumero:
            return FloatToStr(v.toDouble());
        case kColFecha: {
            const QDateTime f =
                v.typeId() == QMetaType::QDateTime ? v.toDateTime() : u_ordenaFecha(v.toString());
            return f.isValid() ? f.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : v.toString();
        }
        default:
            return v.typeId() == QMetaType::Double ? FloatToStr(v.toDouble()) : v.toString();
        }
    }

    void reemplaza(const CmidTierResponse &r) {
        beginResetModel();
        uIndice.clear();
        uFilas.clear();
        const QStringList alias = r.getAlias();
        for (const QString &a : alias)
            agregaDato(a);
        uFilas.reserve(r.getRowCount());
        for (int f = 0; f < r.getRowCount(); ++f) {
            QVector<QVariant> fila(uIndice.size());
            for (int c = 0; c < alias.size(); ++c)
                fila[indiceDato(alias[c])] = r.getValor(f, c);
            uFilas.append(fila);
        }
        endResetModel();
    }

    void vacia() {
        beginResetModel();
        uFilas.clear();
        endResetModel();
    }

    // Forgets columns and rows at once (the view must never see rows of columns that are gone).
    void vaciaTodo() {
        beginResetModel();
        uFilas.clear();
        uIndice.clear();
        uControl->uColumnas.clear();
        uControl->uEstirada = -1;
        endResetModel();
    }

    int agrega(const QVariantHash &valores) {
        for (auto it = valores.begin(); it != valores.end(); ++it)
            agregaDato(it.key());
        QVector<QVariant> fila(uIndice.size());
        for (auto it = valores.begin(); it != valores.end(); ++it)
            fila[indiceDato(it.key())] = it.value();
        const int n = uFilas.size();
        beginInsertRows({}, n, n);
        uFilas.append(fila);
        endInsertRows();
        return n;
    }

    void elimina(int fila) {
        if (fila < 0 || fila >= uFilas.size())
            return;
        beginRemoveRows({}, fila, fila);
        uFilas.removeAt(fila);
        endRemoveRows();
    }

    void fija(int fila, const QString &alias, const QVariant &v) {
        if (fila < 0 || fila >= uFilas.size())
            return;
        const int i = agregaDato(alias);
        uFilas[fila][i] = v;
        for (int c = 0; c < uControl->uColumnas.size(); ++c)
            if (uControl->uColumnas[c].alias.compare(alias, Qt::CaseInsensitive) == 0)
                emit dataChanged(index(fila, c), index(fila, c));
    }

    void columnaAgregada(int c) {
        beginInsertColumns({}, c, c);
        endInsertColumns();
    }

private:
    TGridControl *uControl;
    QHash<QString, int> uIndice; // lower-case alias -> position in a row
    QVector<QVector<QVariant>> uFilas;
};

TGridControl::TGridControl(QTableView *grid) : QObject(grid), uGrid(grid), uModelo(new TmodeloGrid(this)) {
    grid->setModel(uModelo);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(26);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setWordWrap(false);
    connect(grid, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            emit celdaClic(i.row(), i.column(), uColumnas[i.column()].alias);
    });
    connect(grid, &QAbstractItemView::activated, this, [this](const QModelIndex &i) {
        if (i.isValid())
            emit filaActivada(i.row());
    });
}

TGridControl::~TGridControl() = default;

int TGridControl::agregaColumna(const QString &alias, const QString &cabecera, int ancho, bool visible,
                                TtipoColumnaGrid tipo) {
    const int c = uColumnas.size();
    uColumnas.append({alias, cabecera, ancho, visible, tipo, {}});
    uModelo->columnaAgregada(c);
    aplicaColumna(c);
    return c;
}

int TGridControl::agregaColumnaIcono(const QString &alias, const QPixmap &icono, int ancho) {
    const int c = agregaColumna(alias, QString(), ancho, true, kColIcono);
    uColumnas[c].icono = icono;
    aplicaColumna(c);
    return c;
}

void TGridControl::aplicaColumna(int c) {
    if (!uGrid)
        return;
    const TcolumnaGrid &col = uColumnas[c];
    QHeaderView *cabecera = uGrid->horizontalHeader();
    if (c == uEstirada)
        cabecera->setSectionResizeMode(c, QHeaderView::Stretch);
    else
        cabecera->setSectionResizeMode(c,
                                       col.tipo == kColIcono ? QHeaderView::Fixed : QHeaderView::Interactive);
    uGrid->setColumnWidth(c, col.ancho);
    uGrid->setColumnHidden(c, !col.visible || col.ancho <= 0);
}

void TGridControl::aplicaColumnas() {
    for (int c = 0; c < uColumnas.size(); ++c)
        aplicaColumna(c);
}

void TGridControl::setColumnaEstirada(const QString &alias) {
    uEstirada = indiceColumna(alias);
    if (uGrid)
        uGrid->horizontalHeader()->setStretchLastSection(false);
    aplicaColumnas();
}

bool TGridControl::carga(const CmidTierResponse &respuesta) {
    if (!respuesta.isSuccess())
        return false;
    uModelo->reemplaza(respuesta);
    aplicaColumnas();
    return true;
}

void TGridControl::limpia() {
    uModelo->vacia();
    aplicaColumnas();
}

void TGridControl::quitaColumnas() {
    uModelo->vaciaTodo();
}

int TGridControl::agregaFila(const QVariantHash &valores) {
    return uModelo->agrega(valores);
}

void TGridControl::eliminaFila(int fila) {
    uModelo->elimina(fila);
}

void TGridControl::setCelda(int fila, const QString &alias, const QVariant &valor) {
    uModelo->fija(fila, alias, valor);
}

int TGridControl::filas() const {
    return uModelo->rowCount();
}

int TGridControl::indiceColumna(const QString &alias) const {
    for (int c = 0; c < uColumnas.size(); ++c)
        if (uColumnas[c].alias.compare(alias, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int TGridControl::indiceColumnaPorCabecera(const QString &cabecera) const {
    for (int c = 0; c < uColumnas.size(); ++c)
        if (uColumnas[c].cabecera == cabecera)
            return c;
    return -1;
}

QVariant TGridControl::getValor(int fila, const QString &alias) const {
    return uModelo->valor(fila, alias);
}

QString TGridControl::getCelda(int fila, const QString &alias) const {
    const QVariant v = getValor(fila, alias);
    return v.typeId() == QMetaType::Double ? FloatToStr(v.toDouble()) : v.toString();
}

qint64 TGridControl::getCeldaAsInt(int fila, const QString &alias) const {
    return getValor(fila, alias).toLongLong();
}

double TGridControl::getCeldaAsFloat(int fila, const QString &alias) const {
    return getValor(fila, alias).toDouble();
}

QString TGridControl::getTexto(int fila, int columna) const {
    if (fila < 0 || fila >= filas() || columna < 0 || columna >= uColumnas.size())
        return {};
    return uModelo->texto(fila, columna);
}

int TGridControl::filaSeleccionada() const {
    if (!uGrid || !uGrid->selectionModel())
        return -1;
    const QModelIndex i = uGrid->selectionModel()->currentIndex();
    return i.isValid() ? i.row() : -1;
}

QVector<int> TGridControl::columnasImprimibles() const {
    QVector<int> columnas;
    for (int c = 0; c < uColumnas.size(); ++c)
        if (uColumnas[c].visible && uColumnas[c].ancho > 0 && uColumnas[c].tipo != kColIcono)
            columnas.append(c);
    return columnas;
}

TTabla TGridControl::getTTablaPDF() const {
    const QVector<int> columnas = columnasImprimibles();
    TTabla tabla;
    tabla.reserve(filas());
    for (int f = 0; f < filas(); ++f) {
        QStringList fila;
        for (int c : columnas)
            fila.append(uModelo->texto(f, c));
        tabla.append(fila);
    }
    return tabla;
}

TTabla TGridControl::getTTabla(const QStringList &aliases) const {
    QVector<int> columnas;
    for (const QString &a : aliases)
        columnas.append(indiceColumna(a));
    TTabla tabla;
    tabla.reserve(filas());
    for (int f = 0; f < filas(); ++f) {
        QStringList fila;
        for (int c : columnas)
            fila.append(c < 0 ? getCelda(f, aliases[fila.size()]) : uModelo->texto(f, c));
        tabla.append(fila);
    }
    return tabla;
}
