#include "LedgerResources.h"

#include "data/SqlResource.h"

#include <QString>

// Resources of a static library are registered by hand, from the global namespace.
static void initLedgerSqlResources() { Q_INIT_RESOURCE(ledger); }

namespace ledger {

std::vector<std::string> sqlResourceLines(const char* name)
{
    static const bool registered = (initLedgerSqlResources(), true);
    (void)registered;
    return datamod::resourceLines(QStringLiteral(":/ledger/sql/") + QString::fromUtf8(name) + QStringLiteral(".sql"));
}

} // namespace ledger
