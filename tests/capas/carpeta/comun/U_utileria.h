#pragma once

#include "entradas/U_recepcion.h"
