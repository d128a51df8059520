#include "archives.h"

#include "core/catalogue/catalogue.h"
#include "core/storage/codec.h"

namespace qv::archives {

    namespace {
        // Letters with a stroke or bar have no decomposition to a plain letter.
        QChar plainLetter(char32_t c)
        {
            switch (c) {
            case U'Ł':
                return u'L';
            case U'ł':
                return u'l';
            case U'Đ':
                return u'D';
            case U'đ':
                return u'd';
            case U'Ħ':
                return u'H';
            case U'ħ':
                return u'h';
            case U'ı':
                return u'i';
            case U'Ŧ':
                return u'T';
            case U'ŧ':
                return u't';
            default:
                return {};
            }
        }

        bool isControl(char32_t c)
        {
            return c < 0x20 || (c >= 0x7F && c <= 0x9F);
        }

        bool isReserved(char32_t c)
        {
            return c < 0x80 && QStringView(u"\\/:*?\"<>|").contains(QChar(static_cast<char16_t>(c)));
        }

        // What a character the file name cannot hold becomes.
        QString replacement(char32_t c)
        {
            if (isControl(c)) {
                return QStringLiteral(" ");
            }
            if (c == U'"') {
                return QStringLiteral("'");
            }
            if (isReserved(c)) {
                return QStringLiteral("-");
            }
            // "ź" is "z" with a combining accent; "ﬁ" is "fi".
            const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
            QString plain;
            for (const QChar d : decomposed) {
                if (d.isMark()) {
                    continue;
                }
                if (cp1252::fromUnicode(d) < 0 || isControl(d.unicode()) || isReserved(d.unicode())) {
                    plain.clear();
                    break;
                }
                plain.append(d);
            }
            if (!plain.isEmpty()) {
                return plain;
            }
            const QChar letter = plainLetter(c);
            return letter.isNull() ? QStringLiteral("_") : QString(letter);
        }
    } // namespace

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

    QString fileNameText(const QString& text)
    {
        QString safe;
        safe.reserve(text.size());
        for (const char32_t c : text.toUcs4()) {
            const QChar ch = c <= 0xFFFF ? QChar(static_cast<char16_t>(c)) : QChar();
            if (!ch.isNull() && !isControl(c) && !isReserved(c) && cp1252::fromUnicode(ch) >= 0) {
                safe.append(ch);
            } else {
                safe.append(replacement(c));
            }
        }
        return safe;
    }

    int policySafeguard(int kind, int area, int item)
    {
        if (kind != KindPolicy) {
            return 0;
        }
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(area);
        if (!family) {
            return 0;
        }
        const catalogue::Entry* entry = catalogue::entryByButton(*family, item);
        return entry != nullptr && !entry->isOverview() ? entry->safeguard : 0;
    }

    QString archiveName(const QString& documentName, int kind, const QDate& date, int safeguard)
    {
        QString name = documentName.trimmed();
        if (safeguard == 0 && kind == KindPolicy && name == u"Risk Analysis") {
            name = QStringLiteral("Risk Analysis Policy");
        }
        QString stem = fileNameText(name).left(MaxNameLength).trimmed();
        if (stem.isEmpty()) {
            stem = QStringLiteral("_");
        }
        if (safeguard > 0) {
            stem += QStringLiteral(" Policy ") + QString::number(safeguard);
        }
        return stem + QLatin1Char(' ') + dateTag(date);
    }

    QString titleOf(const QString& fileName)
    {
        return fileName.left(fileName.size() - 4);
    }

} // namespace qv::archives
