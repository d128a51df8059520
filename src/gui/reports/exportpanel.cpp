#include "exportpanel.h"

#include "core/reports/spreadsheet.h"
#include "core/storage/result.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace qv {

    namespace {
        const char16_t* const Caption = u"Export File in Excel/Spreadsheet Format";

        QString withSeparator(const QString& folder)
        {
            const QString native = QDir::toNativeSeparators(folder);
            return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
        }
    } // namespace

    ExportPanel::ExportPanel(Prompter& prompter, Dialogs& dialogs, QWidget* parent)
        : QFrame(parent)
        , m_prompter(prompter)
        , m_dialogs(dialogs)
        , m_folderLabel(new QLabel(this))
        , m_nameBox(new QLineEdit(this))
        , m_files(new QListWidget(this))
    {
        setObjectName(QStringLiteral("SSPanel7"));
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Raised);
        setAutoFillBackground(true);

        auto* title = new QLabel(QString::fromUtf16(Caption), this);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        title->setAlignment(Qt::AlignCenter);
        for (int i = 0; i < 3; ++i) {
            auto* line = new QLabel(this);
            setControlName(line, QStringLiteral("Label100"), i);
            line->setWordWrap(true);
            m_lines.append(line);
        }
        m_lines[1]->setText(QStringLiteral("With the following name:"));
        m_lines[2]->setText(QStringLiteral("Note: If File already exists it will be replaced with this file!"));
        m_folderLabel->setObjectName(QStringLiteral("Label24"));
        m_folderLabel->setWordWrap(true);
        m_nameBox->setObjectName(QStringLiteral("Text4"));
        m_files->setObjectName(QStringLiteral("File1"));

        auto* folderButton = new QPushButton(QStringLiteral("Change &Folder..."), this);
        folderButton->setObjectName(QStringLiteral("Dir1"));
        auto* exportButton = new QPushButton(QStringLiteral("Export File to Selected Folder"), this);
        exportButton->setObjectName(QStringLiteral("SSCommand23"));
        auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
        closeButton->setObjectName(QStringLiteral("ExportClose"));

        auto* layout = new QGridLayout(this);
        layout->setContentsMargins(14, 10, 14, 10);
        layout->addWidget(title, 0, 0, 1, 2);
        layout->addWidget(m_lines[0], 1, 0, 1, 2);
        layout->addWidget(new QLabel(QStringLiteral("Path:"), this), 2, 0);
        layout->addWidget(m_folderLabel, 2, 1);
        layout->addWidget(folderButton, 3, 1, Qt::AlignLeft);
        layout->addWidget(m_files, 4, 0, 1, 2);
        layout->addWidget(m_lines[1], 5, 0, 1, 2);
        layout->addWidget(m_nameBox, 6, 0, 1, 2);
        layout->addWidget(m_lines[2], 7, 0, 1, 2);
        auto* commands = new QHBoxLayout;
        commands->addWidget(exportButton);
        commands->addStretch();
        commands->addWidget(closeButton);
        layout->addLayout(commands, 8, 0, 1, 2);
        layout->setColumnStretch(1, 1);

        connect(folderButton, &QPushButton::clicked, this, &ExportPanel::chooseFolder);
        connect(exportButton, &QPushButton::clicked, this, &ExportPanel::exportFile);
        connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
        // A file of the list is offered for replacement under its own name.
        connect(m_files, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            m_nameBox->setText(item->text());
        });
        hide();
    }

    QString ExportPanel::folder() const
    {
        return m_folder;
    }

    QLineEdit* ExportPanel::nameBox() const
    {
        return m_nameBox;
    }

    QListWidget* ExportPanel::fileList() const
    {
        return m_files;
    }

    void ExportPanel::open(const QString& programFolder, const QString& name, RowSource rows)
    {
        m_programFolder = programFolder;
        m_rows = std::move(rows);
        m_nameBox->setText(name);
        setFolder(programFolder);
        show();
        raise();
        m_nameBox->setFocus();
    }

    void ExportPanel::chooseFolder()
    {
        const std::optional<QString> chosen = m_dialogs.chooseFolder(QString::fromUtf16(Caption), m_folder);
        if (chosen) {
            setFolder(*chosen);
        }
    }

    bool ExportPanel::setFolder(const QString& folder)
    {
        const QFileInfo info(folder);
        if (!info.isDir() || !info.isReadable() || !QDir(folder).isReadable()) {
            m_prompter.ask({QStringLiteral("Device/Drive Error"),
                            QStringLiteral("Device/Drive is Unavailable!"),
                            PromptIcon::Critical,
                            PromptButtons::Ok,
                            std::nullopt});
            if (folder != m_programFolder) {
                setFolder(m_programFolder);
            }
            return false;
        }
        m_folder = QDir::cleanPath(folder);
        m_folderLabel->setText(withSeparator(m_folder));
        m_lines[0]->setText(
            QStringLiteral("A non-formatted Spreadsheet File will be saved in the program folder:  \n\n") +
            withSeparator(m_folder));
        listFiles();
        return true;
    }

    void ExportPanel::listFiles()
    {
        m_files->clear();
        QDir dir(m_folder);
        m_files->addItems(dir.entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    }

    void ExportPanel::exportFile()
    {
        const QString name = m_nameBox->text();
        if (!spreadsheet::isValidName(name)) {
            m_prompter.critical(spreadsheet::ErrorTitle.toString(), spreadsheet::BadNameMessage.toString());
            return;
        }
        if (!m_rows) {
            return;
        }
        const QString path = spreadsheet::exportPath(m_folder, name);
        if (QFileInfo::exists(path) &&
            !m_prompter.askYesNo(QStringLiteral("Export File"),
                                 name.trimmed() + QStringLiteral(" already exists in this folder.\rReplace it?"))) {
            return;
        }
        const Status written = spreadsheet::write(path, m_rows());
        if (!written) {
            m_prompter.critical(spreadsheet::ErrorTitle.toString(), spreadsheet::writeFailedMessage());
            return;
        }
        listFiles();
        m_prompter.inform(spreadsheet::DoneTitle.toString(), spreadsheet::DoneMessage.toString());
    }

    void ExportPanel::showEvent(QShowEvent* event)
    {
        QFrame::showEvent(event);
        placeOverParent();
    }

    void ExportPanel::placeOverParent()
    {
        if (QWidget* p = parentWidget()) {
            const QSize want = sizeHint().expandedTo(QSize(520, 460)).boundedTo(p->size());
            setGeometry(QRect(QPoint((p->width() - want.width()) / 2, (p->height() - want.height()) / 2), want));
        }
    }

} // namespace qv
