// Parses arbitrary bytes as a quoted-line file and checks that the reader keeps its promises: one
// string per line, and every string it read that the format can hold is written and read back
// unchanged.
#include "core/storage/quotedlinefile.h"

#include <cstdint>
#include <cstdlib>

namespace {
    void require(bool condition)
    {
        if (!condition) {
            std::abort();
        }
    }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList strings = qv::quotedlines::parse(bytes);

    const qsizetype lineEnds = bytes.count('\n');
    const bool lastLineOpen = size > 0 && data[size - 1] != '\n';
    require(strings.size() == lineEnds + (lastLineOpen ? 1 : 0));

    QStringList holdable;
    for (const QString& s : strings) {
        require(!s.contains(u'\n'));
        if (qv::quotedlines::canHold(s)) {
            holdable.append(s);
        }
    }
    const qv::Result<QByteArray> written = qv::quotedlines::format(holdable);
    require(written.ok());
    require(qv::quotedlines::parse(written.value()) == holdable);
    require(!qv::quotedlines::format(QStringList{QStringLiteral("a\"b")}).ok());
    return 0;
}
