#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qv {

    class Dialogs;
    class Prompter;

    // "Export File in Excel/Spreadsheet Format" ("SSPanel7"): the folder and name a grid is exported
    // under, the spreadsheet files already in that folder, and the export itself.
    class ExportPanel : public QFrame
    {
        Q_OBJECT

    public:
        using RowSource = std::function<QList<QStringList>()>;

        ExportPanel(Prompter& prompter, Dialogs& dialogs, QWidget* parent);

        // Shows the panel over its parent for the grid whose cells rows gives, proposing name in the
        // program folder.
        void open(const QString& programFolder, const QString& name, RowSource rows);
        // "Change Folder...": the folder chosen through the dialogs.
        void chooseFolder();
        // Points the panel at folder; false, with the message shown and the program folder back,
        // when it cannot be listed.
        bool setFolder(const QString& folder);
        // "Export File to Selected Folder".
        void exportFile();

        QString folder() const;
        QLineEdit* nameBox() const;
        QListWidget* fileList() const;

    protected:
        void showEvent(QShowEvent* event) override;

    private:
        void listFiles();
        void placeOverParent();

        Prompter& m_prompter;
        Dialogs& m_dialogs;
        RowSource m_rows;
        QString m_programFolder;
        QString m_folder;
        QLabel* m_folderLabel;
        QLineEdit* m_nameBox;
        QListWidget* m_files;
        QList<QLabel*> m_lines;
    };

} // namespace qv
