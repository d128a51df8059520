#include "backuptestkit.h"

#include "core/storage/quotedlinefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

namespace qv::backup::test {

    ScriptedListener&
    ScriptedListener::expect(const QString& title, Question::Answer answer, std::function<void()> action)
    {
        m_steps.enqueue({title, answer, std::move(action)});
        return *this;
    }

    ScriptedListener&
    ScriptedListener::always(const QString& title, Question::Answer answer, std::function<void()> action)
    {
        m_always.insert(title, {title, answer, std::move(action)});
        return *this;
    }

    Question::Answer ScriptedListener::ask(const Question& question)
    {
        questions.append(question);
        Step step;
        if (!m_steps.isEmpty() && m_steps.head().title == question.title) {
            step = m_steps.dequeue();
        } else if (m_always.contains(question.title)) {
            step = m_always.value(question.title);
        } else {
            const QString failure = QStringLiteral("unexpected box \"%1\": %2 (expected %3)")
                                        .arg(question.title,
                                             question.text,
                                             m_steps.isEmpty() ? QStringLiteral("none") : m_steps.head().title);
            failures.append(failure);
            QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
            return question.buttons == Question::Buttons::YesNoCancel ? Question::Answer::Cancel
                   : question.buttons == Question::Buttons::OkCancel  ? Question::Answer::Cancel
                                                                      : Question::Answer::Ok;
        }
        if (step.action) {
            step.action();
        }
        return step.answer;
    }

    void ScriptedListener::showStatus(const QString& text)
    {
        statuses.append(text);
    }

    void ScriptedListener::showProgress(int value, int maximum)
    {
        maxProgress = qMax(maxProgress, value);
        Q_UNUSED(maximum);
    }

    QStringList ScriptedListener::titles() const
    {
        QStringList t;
        for (const Question& q : questions) {
            t.append(q.title);
        }
        return t;
    }

    void FaultyMedia::inject(Fault fault, const QString& pattern, int count, int skip)
    {
        m_skip = skip;
        m_fault = fault;
        m_pattern = pattern;
        m_count = count;
    }

    bool FaultyMedia::take(Fault fault, const QString& name) const
    {
        if (m_count == 0 || fault != m_fault || !matchesWildcard(name, m_pattern)) {
            return false;
        }
        if (m_skip > 0) {
            --m_skip;
            return false;
        }
        if (m_count > 0) {
            --m_count;
        }
        return true;
    }

    QString FaultyMedia::location() const
    {
        return m_inner.location();
    }

    qint64 FaultyMedia::size(const QString& name) const
    {
        return m_inner.size(name);
    }

    Result<QByteArray> FaultyMedia::read(const QString& name) const
    {
        if (take(Fault::Read, name)) {
            return Result<QByteArray>::failure(
                QStringLiteral("The file %1 could not be read: Input/output error.").arg(name));
        }
        Result<QByteArray> bytes = m_inner.read(name);
        if (bytes && take(Fault::Corrupt, name)) {
            QByteArray changed = bytes.value();
            if (!changed.isEmpty()) {
                changed[changed.size() / 2] = char(changed[changed.size() / 2] ^ 0x20);
            }
            return changed;
        }
        return bytes;
    }

    Status FaultyMedia::write(const QString& name, QByteArrayView bytes)
    {
        if (take(Fault::Write, name)) {
            return Status::failure(
                QStringLiteral("The file %1 could not be saved: No space left on device.").arg(name));
        }
        return m_inner.write(name, bytes);
    }

    Status FaultyMedia::remove(const QString& name)
    {
        return m_inner.remove(name);
    }

    Status FaultyMedia::removeMatching(const QString& pattern)
    {
        return m_inner.removeMatching(pattern);
    }

    qint64 FaultyMedia::freeSpace() const
    {
        return m_inner.freeSpace();
    }

    QByteArray Workbook::bytes(const QString& seed, int length)
    {
        QByteArray out;
        QByteArray block = seed.toUtf8();
        while (out.size() < length) {
            block = QCryptographicHash::hash(block, QCryptographicHash::Sha256);
            out.append(block);
        }
        out.truncate(length);
        return out;
    }

    QStringList Workbook::fill(const QString& dataDir, int noteLength, int reports)
    {
        QDir().mkpath(dataDir);
        QMap<QString, QByteArray> files;
        for (const char* name :
             {"TODONAME.FIL", "GColor3.Fil", "TODOActv.FIL", "HINV3.Fil", "Stat1.Fil", "RAList.Fil"}) {
            files.insert(QString::fromLatin1(name), bytes(QString::fromLatin1(name), 200));
        }
        for (const char* name : {"Action0.Fil",
                                 "Action1.Fil",
                                 "Action46.Fil",
                                 "Comment0.Fil",
                                 "Comment22.Fil",
                                 "Policy14.Fil",
                                 "Policy46.Fil",
                                 "Wksht0.Fil",
                                 "Wksht20.Fil",
                                 "DRPln1.Fil"}) {
            files.insert(QString::fromLatin1(name), bytes(QString::fromLatin1(name), noteLength));
        }
        QStringList incidents;
        for (int r = 0; r < reports; ++r) {
            const QString name = QStringLiteral("Breach %1.Flc").arg(r + 1);
            incidents.append(name);
            files.insert(name, bytes(name, noteLength / 2));
        }
        files.insert(QStringLiteral("IncidHold.Flc"), quotedlines::format(incidents).value());
        const QStringList archives = {QStringLiteral("Plan Dec-01-26.Fla"), QStringLiteral("Policy 3 Dec-02-26.Fla")};
        for (const QString& name : archives) {
            files.insert(name, bytes(name, noteLength / 2));
        }
        files.insert(QStringLiteral("ArchiveHold.Fla"), quotedlines::format(archives).value());
        files.insert(QStringLiteral("GColor1.Fil"), bytes(QStringLiteral("grid"), 60));
        files.insert(QStringLiteral("UserWords.dic"), QByteArrayLiteral("2\nQuorvane\nHITECH\n"));
        // Files of other kinds, which no restore may touch.
        files.insert(QStringLiteral("Quorvane.lock"), QByteArrayLiteral("12345"));
        files.insert(QStringLiteral("Overview.xls"), bytes(QStringLiteral("xls"), 300));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile f(QDir(dataDir).filePath(it.key()));
            if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size()) {
                QTest::qFail("could not write the workbook", __FILE__, __LINE__);
            }
        }
        return files.keys();
    }

    Shelf::Shelf()
        : m_folder(m_root.filePath(QStringLiteral("work/data")), m_root.filePath(QStringLiteral("content")))
    {
        QDir().mkpath(dataDir());
    }

    QString Shelf::dataDir() const
    {
        return m_root.filePath(QStringLiteral("work/data"));
    }

    QString Shelf::disk(int n) const
    {
        const QString dir = m_root.filePath(QStringLiteral("disks/disk%1").arg(n));
        QDir().mkpath(dir);
        return dir;
    }

    QMap<QString, QByteArray> filesOf(const QString& dir)
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden)) {
            QFile f(QDir(dir).filePath(name));
            files.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable"));
        }
        return files;
    }

} // namespace qv::backup::test
