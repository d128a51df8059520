#include "filesizelimit.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace qv::test {

#ifdef Q_OS_UNIX
    FileSizeLimit::FileSizeLimit(qint64 bytes)
    {
        rlimit limit{};
        if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return;
        }
        m_oldSoft = limit.rlim_cur;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        if (!m_active) {
            std::signal(SIGXFSZ, m_oldHandler);
        }
    }

    FileSizeLimit::~FileSizeLimit()
    {
        if (!m_active) {
            return;
        }
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(m_oldSoft);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, m_oldHandler);
    }
#else
    FileSizeLimit::FileSizeLimit(qint64)
    {
    }

    FileSizeLimit::~FileSizeLimit() = default;
#endif

    bool FileSizeLimit::isActive() const
    {
        return m_active;
    }

} // namespace qv::test
