#include "quotedlinefile.h"

#include "codec.h"

#include <QFileInfo>

namespace qv {

    namespace quotedlines {

        namespace {
            bool isBlank(QChar c)
            {
                return c == u' ' || c == u'\t';
            }
        } // namespace

        QString parseLine(QStringView line)
        {
            qsizetype start = 0;
            while (start < line.size() && isBlank(line[start])) {
                ++start;
            }
            if (start < line.size() && line[start] == u'"') {
                const qsizetype close = line.indexOf(u'"', start + 1);
                const qsizetype end = close < 0 ? line.size() : close;
                return line.sliced(start + 1, end - start - 1).toString();
            }
            const qsizetype comma = line.indexOf(u',');
            return (comma < 0 ? line : line.first(comma)).trimmed().toString();
        }

        QStringList parse(QByteArrayView bytes)
        {
            const QString text = cp1252::decode(bytes);
            QStringList strings;
            qsizetype start = 0;
            while (start < text.size()) {
                qsizetype end = text.indexOf(u'\n', start);
                const qsizetype next = end < 0 ? text.size() : end + 1;
                if (end < 0) {
                    end = text.size();
                }
                QStringView line = QStringView(text).sliced(start, end - start);
                if (line.endsWith(u'\r')) {
                    line.chop(1);
                }
                strings.append(parseLine(line));
                start = next;
            }
            return strings;
        }

        bool canHold(QStringView text)
        {
            return !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n');
        }

        Result<QByteArray> format(const QStringList& strings)
        {
            QByteArray bytes;
            for (const QString& s : strings) {
                if (!canHold(s)) {
                    return Result<QByteArray>::failure(
                        QStringLiteral("The text \"%1\" contains a double quote or a line break, which this "
                                       "file cannot hold.")
                            .arg(s));
                }
                bytes.append('"');
                bytes.append(cp1252::encode(s));
                bytes.append("\"\r\n");
            }
            return bytes;
        }

    } // namespace quotedlines

    QuotedLineFile::QuotedLineFile(const ProgramFolder& folder, QString name)
        : m_folder(folder)
        , m_name(std::move(name))
    {
    }

    Result<QStringList> QuotedLineFile::read() const
    {
        // Anything else of that name, a folder say, is an error to report, not a file to start afresh.
        if (!QFileInfo::exists(m_folder.path(m_name))) {
            return QStringList();
        }
        const Result<QByteArray> bytes = m_folder.read(m_name);
        if (!bytes) {
            return bytes.status();
        }
        return quotedlines::parse(bytes.value());
    }

    Status QuotedLineFile::write(const QStringList& strings) const
    {
        const Result<QByteArray> bytes = quotedlines::format(strings);
        if (!bytes) {
            return Status::failure(QStringLiteral("%1 was not saved. %2").arg(m_name, bytes.error()));
        }
        return m_folder.write(m_name, bytes.value());
    }

} // namespace qv
