#include "finddialog.h"

#include "gui/kit/busypointer.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv {

    namespace {

        QString places(int count)
        {
            return count == 1 ? QStringLiteral("1 place") : QStringLiteral("%1 places").arg(count);
        }

        QString documents(int count)
        {
            return count == 1 ? QStringLiteral("1 document") : QStringLiteral("%1 documents").arg(count);
        }

    } // namespace

    FindDialog::FindDialog(const ProgramFolder& folder, QWidget* parent)
        : QDialog(parent)
        , m_index(folder)
        , m_query(new QLineEdit(this))
        , m_findButton(new QPushButton(QStringLiteral("&Find"), this))
        , m_status(new QLabel(this))
        , m_results(new QTreeWidget(this))
        , m_openButton(new QPushButton(QStringLiteral("&Open"), this))
    {
        setObjectName(QStringLiteral("FindInAllDocuments"));
        setWindowTitle(QStringLiteral("Find in All Documents"));
        setModal(false);

        auto* prompt = new QLabel(QStringLiteral("Find whole &words or a phrase:"), this);
        prompt->setBuddy(m_query);
        m_query->setObjectName(QStringLiteral("FindText"));
        m_findButton->setObjectName(QStringLiteral("FindButton"));
        m_findButton->setDefault(true);
        m_status->setObjectName(QStringLiteral("FindStatus"));
        m_status->setWordWrap(true);
        m_results->setObjectName(QStringLiteral("FindResults"));
        m_results->setColumnCount(2);
        m_results->setHeaderLabels({QStringLiteral("Document"), QStringLiteral("Text around it")});
        m_results->setRootIsDecorated(false);
        m_results->setUniformRowHeights(true);
        m_results->setAllColumnsShowFocus(true);
        m_results->header()->setStretchLastSection(true);
        m_openButton->setObjectName(QStringLiteral("OpenResult"));
        m_openButton->setEnabled(false);
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        close->setObjectName(QStringLiteral("CloseFind"));

        auto* queryRow = new QHBoxLayout;
        queryRow->addWidget(m_query, 1);
        queryRow->addWidget(m_findButton);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(m_openButton);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(prompt);
        layout->addLayout(queryRow);
        layout->addWidget(m_status);
        layout->addWidget(m_results, 1);
        layout->addLayout(buttons);

        connect(m_findButton, &QPushButton::clicked, this, &FindDialog::find);
        connect(m_query, &QLineEdit::returnPressed, this, &FindDialog::find);
        connect(m_openButton, &QPushButton::clicked, this, &FindDialog::openCurrent);
        connect(close, &QPushButton::clicked, this, &QDialog::close);
        connect(m_results, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
            openResult(m_results->indexOfTopLevelItem(item));
        });
        connect(m_results, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
            m_openButton->setEnabled(current != nullptr);
        });
        resize(760, 460);
        if (parent) {
            parent->installEventFilter(this);
        }
    }

    bool FindDialog::eventFilter(QObject* watched, QEvent* event)
    {
        // The places open in the Action Area: while another screen stands in its place there is
        // nothing to open them in, so the dialog goes with it.
        if (watched == parentWidget() && event->type() == QEvent::Hide) {
            hide();
        }
        return QDialog::eventFilter(watched, event);
    }

    void FindDialog::focusQuery()
    {
        m_query->setFocus();
        m_query->selectAll();
    }

    void FindDialog::find()
    {
        const QString query = m_query->text().trimmed();
        m_results->clear();
        m_hits.clear();
        if (insight::words(query).isEmpty()) {
            m_status->setText(QStringLiteral("Type a word or a phrase to find."));
            return;
        }
        insight::SearchIndex::Found found;
        {
            // The first search reads every document; later ones only those saved since.
            BusyPointer busy;
            found = m_index.find(query);
        }
        m_hits = found.hits;
        QList<QTreeWidgetItem*> items;
        for (const insight::Hit& hit : std::as_const(m_hits)) {
            auto* item = new QTreeWidgetItem({insight::describe(hit.document), hit.line});
            item->setToolTip(1, hit.line);
            items.append(item);
        }
        m_results->addTopLevelItems(items);
        m_results->resizeColumnToContents(0);
        m_results->setColumnWidth(0, std::min(m_results->columnWidth(0), m_results->width() / 2));

        if (found.total == 0) {
            m_status->setText(QStringLiteral("No document holds \u201C%1\u201D as a whole word or phrase.").arg(query));
        } else if (found.total > m_hits.size()) {
            m_status->setText(QStringLiteral("%1 in %2; the first %3 are listed.")
                                  .arg(places(found.total), documents(found.documents))
                                  .arg(m_hits.size()));
        } else {
            m_status->setText(QStringLiteral("%1 in %2.").arg(places(found.total), documents(found.documents)));
        }
        if (!items.isEmpty()) {
            m_results->setCurrentItem(items.first());
        }
    }

    void FindDialog::openCurrent()
    {
        openResult(m_results->indexOfTopLevelItem(m_results->currentItem()));
    }

    void FindDialog::openResult(int row)
    {
        if (row < 0 || row >= m_hits.size()) {
            return;
        }
        // A copy: opening may run a save, and the next search would replace the list.
        const insight::Hit hit = m_hits.at(row);
        Q_EMIT openRequested(hit);
    }

} // namespace qv
