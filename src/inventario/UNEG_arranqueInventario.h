#pragma once

#include "comun/UsistemaDatos.h"
#include "datos/UfechaHora.h"
#include "datos/UmidTierResponse.h"

// The module's start-up checks and the valuation-method guard, below the main screen. Each call
// opens its own data object on the session's connection. No step throws or stops the sequence:
// failed lookups are read as the screen expects and seeding results are not examined.
class TarranqueInventario {
public:
    explicit TarranqueInventario(const TsistemaDatos &sistema) : uSistema(sistema) {}

    // Start-up step 1: the general-public customer.
    void aseguraPublicoGeneral();
    // Start-up step 2: upgrades the tables when their recorded state is older than the module's.
    void compruebaEstadoTabla();
    // Start-up step 3: the suite's seed rows, in their order.
    void compruebaSemillas();
    // Start-up step 8: the issue concept "Muestras" when the business has none.
    void agregaConceptoSalidaMuestras();

    // False (after telling the user) when the business has no valuation method yet.
    bool compruebaMetodoValuacionInventario();

    // Operations of the options record that the main screen offers.
    bool preparaRegistroOpciones();
    bool insertaVersionTablaSalida(int version);
    int bsucaVersionTablaSalida();
    bool agregaColumnaOpciones();

    static const QString kMensajeSinMetodo;

private:
    void actualizaTablas();
    TConexionSesion *sesion() const { return uSistema.conexion; }
    int negocio() const { return uSistema.negocio.getIdNegocio(); }

    TsistemaDatos uSistema;
};
