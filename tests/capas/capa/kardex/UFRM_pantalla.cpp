#include "kardex/UFRM_pantalla.h"
