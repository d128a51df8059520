#include "backupjob.h"

namespace qv::backup {

    Listener::~Listener() = default;

    void Listener::showStatus(const QString&)
    {
    }

    void Listener::showProgress(int, int)
    {
    }

} // namespace qv::backup
