#include "datos/UcachePaginas.h"

CmidTierResponse u_ampliaCachePaginas(TmiddleTier &mt) {
    mt.setQuery(mt.segunProveedor(QStringLiteral("SELECT 1"), QStringLiteral("PRAGMA cache_size = -131072")));
    return mt.nonQuery();
}
