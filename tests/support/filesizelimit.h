#pragma once

#include <QtGlobal>

namespace qv::test {

    // Lowers this process's file size limit for as long as the object lives, so every write that
    // would make a file longer than bytes fails with a real EFBIG from the kernel, as a full disk
    // fails a write half-way. Root is bound by the limit too, so this works where a read-only folder
    // does not. SIGXFSZ is ignored meanwhile, or the kernel would end the process instead.
    class FileSizeLimit
    {
    public:
        explicit FileSizeLimit(qint64 bytes);
        ~FileSizeLimit();
        FileSizeLimit(const FileSizeLimit&) = delete;
        FileSizeLimit& operator=(const FileSizeLimit&) = delete;

        // False where the platform has no such limit or it could not be set; skip the test then.
        bool isActive() const;

    private:
        bool m_active = false;
        quint64 m_oldSoft = 0;
        void (*m_oldHandler)(int) = nullptr;
    };

} // namespace qv::test
