#pragma once

#include "datos/UmiddleTier.h"

// The suite's category data class: the category tree and the properties of its subcategories.
// A category's `identidad` is its path code; its parent is the identity without the last character.
// Identities repeat across businesses ("0A" exists in each), so every statement takes the business.
class Tcatalogo : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Column limits of the tables behind.
    static constexpr int kLargoEtiqueta = 100;
    static constexpr int kLargoPropiedad = 25;

    // categoria_identidad, categoria_etiqueta, categoria_carpeta ("True" for a folder),
    // categoria_padre, parents before children.
    CmidTierResponse selectCategorias(int idNegocio);
    CmidTierResponse selectCategoriaPorIdentidad(const QString &identidad, int idNegocio);
    // propiedadListado_id, propiedadListado_nombre, propiedadTipo_id, propiedadTipo_tipo, by name.
    CmidTierResponse selectCategoriaPropiedades(const QString &identidad, int idNegocio);

    // The SAT 3.3 link of exactly this identity: id, nombre, clave (no row when it has none).
    CmidTierResponse selectCategoriaRelacionSAT33(const QString &identidad, int idNegocio);
    // First cell the category's row id.
    CmidTierResponse selectInventarioCategoriaIDFROMidentidad(const QString &identidad, int idNegocio);
    // The catalogue's code row (id, clave, nombre) of a typed code.
    CmidTierResponse selectClaveSAT33(const QString &clave);
    CmidTierResponse deleteRelacionCatSAT33(int idCategoria, int idNegocio);
    CmidTierResponse insertRelacionCatSAT33(int idCategoria, int idSat, int idNegocio);
    CmidTierResponse deleteCategoria(const QString &identidad, int idNegocio);
    // Counts of what hangs from a category: its children, and the products filed under it.
    CmidTierResponse selectHijosCategoria(const QString &identidad, int idNegocio);
    CmidTierResponse selectProductosCategoria(const QString &identidad, int idNegocio);
    CmidTierResponse updateCategoria(const QString &identidad, const QString &nombre, int idNegocio);
    CmidTierResponse updateCarpetaCategoria(const QString &identidad, bool carpeta, int idNegocio);
    CmidTierResponse insertCategoria(const QString &identidad, const QString &nombre, bool carpeta,
                                     int idNegocio);

    // Properties of the business: propiedadListado_id, propiedadListado_nombre, propiedadTipo_id,
    // propiedadTipo_tipo.
    CmidTierResponse selectPropiedades(int idNegocio);
    CmidTierResponse selectPropiedadesSeleccionadas(const QString &identidad, int idNegocio);
    CmidTierResponse deletePropiedades(const QString &identidad, int idNegocio);
    // Links a property of the business (another business's id writes nothing).
    CmidTierResponse insertPropiedad(const QString &identidad, int idPropiedad, int idNegocio);
    CmidTierResponse selectTipos();
    CmidTierResponse insertPropiedadListado(const QString &nombre, int tipoId, int idNegocio);
    CmidTierResponse updatePropiedad(int id, const QString &nombre, int tipoId, int idNegocio);
};
