#pragma once

#include "datos/UmiddleTier.h"

// A larger page cache for a connection about to write millions of rows in one transaction (the
// ledger rebuild) on SQLite, which otherwise spills dirty pages and reads them back from the WAL.
// Nothing on MariaDB.
CmidTierResponse u_ampliaCachePaginas(TmiddleTier &mt);
