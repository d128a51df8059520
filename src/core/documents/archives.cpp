#include "archives.h"

#include "core/storage/quotedlinefile.h"

namespace qv::archives {

    QString dateTag(const QDate& date)
    {
        static const char* const months[] = {
            "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        if (!date.isValid()) {
            return {};
        }
        return QStringLiteral("%1-%2-%3")
            .arg(QLatin1String(months[date.month() - 1]))
            .arg(date.day(), 2, 10, QLatin1Char('0'))
            .arg(((date.year() % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
    }

    QString archiveName(const QString& documentName, int kind, const QDate& date)
    {
        QString name = documentName.trimmed();
        if (kind == KindPolicy && name == u"Risk Analysis") {
            name = QStringLiteral("Risk Analysis Policy");
        }
        return name.left(MaxNameLength).trimmed() + QLatin1Char(' ') + dateTag(date);
    }

    QString titleOf(const QString& fileName)
    {
        return fileName.left(fileName.size() - 4);
    }

} // namespace qv::archives
