#pragma once

#include "core/backup/backupjob.h"
#include "core/backup/backupmedia.h"
#include "core/storage/programfolder.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace qv::backup::test {

    // Answers the backup's boxes from a script, each answer expected for a box of a given title, and
    // runs the step's action (changing the disk) before it answers. A box that was not expected, or
    // of another title, fails the test and is answered Cancel or No.
    class ScriptedListener : public Listener
    {
    public:
        struct Step
        {
            QString title;
            Question::Answer answer;
            std::function<void()> action;
        };

        ScriptedListener& expect(const QString& title, Question::Answer answer, std::function<void()> action = {});
        // Answers every box with title the same way, as often as it comes, after the script is used up.
        ScriptedListener& always(const QString& title, Question::Answer answer, std::function<void()> action = {});

        Question::Answer ask(const Question& question) override;
        void showStatus(const QString& text) override;
        void showProgress(int value, int maximum) override;

        QList<Question> questions;
        QStringList titles() const;
        QStringList statuses;
        int maxProgress = 0;
        QStringList failures;
        int pending() const
        {
            return int(m_steps.size());
        }

    private:
        QQueue<Step> m_steps;
        QMap<QString, Step> m_always;
    };

    // A media whose reads or writes of matching names fail, or whose reads give back other bytes, the
    // way a bad disk does.
    class FaultyMedia : public BackupMedia
    {
    public:
        explicit FaultyMedia(BackupMedia& inner)
            : m_inner(inner)
        {
        }

        enum class Fault
        {
            Read,
            Write,
            Corrupt
        };
        // The next count operations of the kind on names matching pattern fail (-1: every one).
        void inject(Fault fault, const QString& pattern, int count = 1, int skip = 0);
        int injectedLeft() const
        {
            return m_count;
        }

        QString location() const override;
        qint64 size(const QString& name) const override;
        Result<QByteArray> read(const QString& name) const override;
        Status write(const QString& name, QByteArrayView bytes) override;
        Status remove(const QString& name) override;
        Status removeMatching(const QString& pattern) override;
        qint64 freeSpace() const override;

    private:
        bool take(Fault fault, const QString& name) const;

        BackupMedia& m_inner;
        Fault m_fault = Fault::Read;
        QString m_pattern;
        mutable int m_count = 0;
        mutable int m_skip = 0;
    };

    // A workbook with every kind of file the backup carries, and some it does not.
    struct Workbook
    {
        // Bytes of the given length that differ from file to file.
        static QByteArray bytes(const QString& seed, int length);
        // Writes the files straight into the data folder; their names.
        static QStringList fill(const QString& dataDir, int noteLength = 700, int reports = 3);
    };

    // A data folder and a row of disks beside it, in a temporary folder; the data folder's parent
    // holds nothing else, so a snapshot around it sees every write beside the data folder.
    class Shelf
    {
    public:
        Shelf();
        bool isValid() const
        {
            return m_root.isValid();
        }
        QString dataDir() const;
        const ProgramFolder& folder() const
        {
            return m_folder;
        }
        // The folder of disk n, made when first asked for.
        QString disk(int n) const;

    private:
        QTemporaryDir m_root;
        ProgramFolder m_folder;
    };

    // Gives out disk after disk of a shelf to media, one each time a backup asks for the next.
    struct DiskChanger
    {
        const Shelf& shelf;
        FolderMedia& media;
        int inserted = 1;
        void next()
        {
            media.setDir(shelf.disk(++inserted));
        }
    };

    // The files of a folder and their bytes.
    QMap<QString, QByteArray> filesOf(const QString& dir);

} // namespace qv::backup::test
