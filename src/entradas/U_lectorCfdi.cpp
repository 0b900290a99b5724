#include "entradas/U_lectorCfdi.h"

#include "comun/U_numeroCapturado.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {
const QString kCfdi40 = QStringLiteral("http://www.sat.gob.mx/cfd/4");
const QString kCfdi33 = QStringLiteral("http://www.sat.gob.mx/cfd/3");
const QString kTimbre = QStringLiteral("http://www.sat.gob.mx/TimbreFiscalDigital");

QString noEsCfdi(const QString &motivo) {
    return QStringLiteral("El archivo no es un CFDI: ") + motivo + QStringLiteral(".");
}

// Walks the document once, token by token; the first refusal stops it.
class Tlector {
public:
    explicit Tlector(const QByteArray &xml) : uXml(xml) {}

    TlecturaCfdi lee() {
        TlecturaCfdi r;
        r.error = recorre();
        if (r.error.isEmpty())
            r.error = completo();
        if (r.error.isEmpty())
            r.cfdi = uCfdi;
        return r;
    }

private:
    QString recorre() {
        int profundidad = 0;
        while (!uXml.atEnd()) {
            switch (uXml.readNext()) {
            case QXmlStreamReader::DTD:
                return noEsCfdi(QStringLiteral("declara un DTD o entidades"));
            case QXmlStreamReader::StartElement: {
                if (++profundidad > lectorCfdi::kProfundidadMaxima)
                    return noEsCfdi(QStringLiteral("anidamiento excesivo"));
                const QString error = profundidad == 1 ? raiz() : elemento(profundidad);
                if (!error.isEmpty())
                    return error;
                break;
            }
            case QXmlStreamReader::EndElement:
                if (uXml.name() == QLatin1String("Concepto") && uXml.namespaceUri() == uEspacio)
                    uEnConcepto = false;
                --profundidad;
                break;
            default:
                break;
            }
        }
        if (uXml.hasError())
            return uEspacio.isEmpty()
                       ? noEsCfdi(QStringLiteral("no es un documento XML"))
                       : noEsCfdi(QStringLiteral("el XML está dañado (línea %1)").arg(uXml.lineNumber()));
        return {};
    }

    QString atributo(const char *nombre) const {
        return uXml.attributes().value(QLatin1String(nombre)).toString().trimmed();
    }

    QString raiz() {
        const QString version = atributo("Version");
        const bool v40 = uXml.namespaceUri() == kCfdi40 && version == QLatin1String("4.0");
        const bool v33 = uXml.namespaceUri() == kCfdi33 && version == QLatin1String("3.3");
        if (uXml.name() != QLatin1String("Comprobante") || !(v40 || v33))
            return noEsCfdi(QStringLiteral("falta el comprobante de la versión 4.0 o 3.3"));
        uEspacio = uXml.namespaceUri().toString();
        uCfdi.version = version;
        uCfdi.tipoDeComprobante = atributo("TipoDeComprobante");
        uCfdi.serie = atributo("Serie");
        uCfdi.folio = atributo("Folio");
        uCfdi.fecha = atributo("Fecha");
        return {};
    }

    QString elemento(int profundidad) {
        const auto nombre = uXml.name();
        if (uXml.namespaceUri() == kTimbre && nombre == QLatin1String("TimbreFiscalDigital")) {
            uCfdi.uuid = atributo("UUID").toUpper();
            return {};
        }
        if (uXml.namespaceUri() != uEspacio)
            return {};
        if (profundidad == 2 && nombre == QLatin1String("Emisor")) {
            uCfdi.emisorRfc = atributo("Rfc").toUpper();
            uCfdi.emisorNombre = atributo("Nombre");
        } else if (profundidad == 2 && nombre == QLatin1String("Receptor")) {
            uCfdi.receptorRfc = atributo("Rfc").toUpper();
        } else if (profundidad == 3 && nombre == QLatin1String("Concepto")) {
            return concepto();
        } else if (uEnConcepto && nombre == QLatin1String("InformacionAduanera")) {
            const QString numero = atributo("NumeroPedimento");
            if (!numero.isEmpty())
                uCfdi.conceptos.last().pedimentos.append(numero);
        }
        return {};
    }

    QString concepto() {
        if (uCfdi.conceptos.size() >= lectorCfdi::kConceptosMaximos)
            return noEsCfdi(QStringLiteral("tiene más de %1 conceptos").arg(lectorCfdi::kConceptosMaximos));
        TconceptoCfdi c;
        c.noIdentificacion = atributo("NoIdentificacion");
        c.claveProdServ = atributo("ClaveProdServ");
        c.claveUnidad = atributo("ClaveUnidad");
        c.descripcion = atributo("Descripcion");
        const int n = int(uCfdi.conceptos.size()) + 1;
        const auto numero = [&](const char *nombre, TreglaNumero regla, double &valor, bool opcional) {
            const QString texto = atributo(nombre);
            if (opcional && texto.isEmpty())
                return true;
            const TnumeroCapturado v = u_leeNumeroCapturado(texto, QString::fromLatin1(nombre), regla);
            valor = v.valor;
            return v.ok;
        };
        const char *fallido = nullptr;
        if (!numero("Cantidad", TreglaNumero::Positivo, c.cantidad, false))
            fallido = "Cantidad";
        else if (!numero("ValorUnitario", TreglaNumero::CeroOPositivo, c.valorUnitario, false))
            fallido = "ValorUnitario";
        else if (!numero("Importe", TreglaNumero::CeroOPositivo, c.importe, true))
            fallido = "Importe";
        else if (!numero("Descuento", TreglaNumero::CeroOPositivo, c.descuento, true))
            fallido = "Descuento";
        if (fallido)
            return QStringLiteral("El CFDI tiene un valor no válido en el concepto %1 (%2).")
                .arg(n)
                .arg(QString::fromLatin1(fallido));
        if (uXml.attributes().value(QLatin1String("Importe")).isEmpty())
            c.importe = c.cantidad * c.valorUnitario;
        if (c.descuento > c.importe)
            return QStringLiteral("El CFDI tiene un descuento mayor que el importe en el concepto %1.")
                .arg(n);
        uCfdi.conceptos.append(c);
        uEnConcepto = true;
        return {};
    }

    QString completo() const {
        // An RFC has 12 (companies) or 13 (persons) characters.
        for (const QString &rfc : {uCfdi.emisorRfc, uCfdi.receptorRfc})
            if (rfc.size() < 12 || rfc.size() > 13)
                return QStringLiteral("El CFDI no tiene un RFC válido del emisor y del receptor.");
        if (uCfdi.uuid.isEmpty())
            return QStringLiteral("El CFDI no está timbrado: falta el UUID del timbre fiscal.");
        if (uCfdi.conceptos.isEmpty())
            return QStringLiteral("El CFDI no tiene conceptos.");
        return {};
    }

    QXmlStreamReader uXml;
    QString uEspacio; // the root's namespace: the CFDI's elements are in it
    bool uEnConcepto = false;
    Tcfdi uCfdi;
};
} // namespace

double TconceptoCfdi::costoUnitarioNeto() const {
    return (importe - descuento) / cantidad;
}

TlecturaCfdi u_leeCfdi(const QByteArray &xml) {
    if (xml.size() > lectorCfdi::kTamanoMaximo)
        return {{}, noEsCfdi(QStringLiteral("excede %1 MB").arg(lectorCfdi::kTamanoMaximo / (1024 * 1024)))};
    return Tlector(xml).lee();
}

TlecturaCfdi u_leeCfdiArchivo(const QString &ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("No se pudo leer el archivo \"%1\".").arg(ruta)};
    // One byte past the limit is enough to know the file is too big.
    return u_leeCfdi(archivo.read(lectorCfdi::kTamanoMaximo + 1));
}
