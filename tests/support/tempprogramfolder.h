#pragma once

#include "core/storage/programfolder.h"

#include <QByteArrayView>
#include <QTemporaryDir>

namespace qv::test {

    // A throw-away program folder: a temporary directory holding data/ and content/, removed with
    // the object.
    class TempProgramFolder
    {
    public:
        TempProgramFolder();

        // False when the directories could not be made; the test cannot go on then.
        bool isValid() const;
        const ProgramFolder& folder() const;
        QString dataDir() const;
        QString contentDir() const;
        // Where a file of that name lies (or would lie), spelled as given.
        QString dataPath(const QString& name) const;
        QString contentPath(const QString& name) const;

        // Puts a file straight into a folder, bypassing the code under test.
        bool putData(const QString& name, QByteArrayView bytes) const;
        bool putContent(const QString& name, QByteArrayView bytes) const;
        // Copies a file from disk (test data, a built content file) into the content folder.
        bool copyToContent(const QString& sourcePath, const QString& name) const;

    private:
        QTemporaryDir m_root;
        bool m_valid;
        ProgramFolder m_folder;
    };

} // namespace qv::test
