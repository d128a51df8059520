// The timeline's item box, item picker and buttons, and the keys and focus moves of its controls.
#include "timelinearea.h"

#include "gui/kit/availability.h"
#include "gui/kit/prompter.h"
#include "gui/writing/writingaids.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace qv {

    namespace {
        constexpr int ItemColumn = timeline::Item;

        // The items of the timeline's rows as the spell check goes through them.
        class CheckedItems : public CheckedCells
        {
        public:
            CheckedItems(timeline::TimelineModel& model,
                         QTableView& grid,
                         std::function<void(const QString&, const QString&)> renamed)
                : m_model(model)
                , m_grid(grid)
                , m_renamed(std::move(renamed))
            {
            }

            QStringList texts() const override
            {
                QStringList items;
                for (int r = 0; r < timeline::RowCount; ++r) {
                    items.append(m_model.cell(r, ItemColumn));
                }
                return items;
            }

            void showCell(qsizetype cell) override
            {
                m_grid.scrollTo(m_model.index(int(cell), ItemColumn));
            }

            void corrected(qsizetype cell, const QString& before, const QString& after) override
            {
                m_model.setCell(int(cell), ItemColumn, after);
                m_renamed(before, after);
            }

        private:
            timeline::TimelineModel& m_model;
            QTableView& m_grid;
            std::function<void(const QString&, const QString&)> m_renamed;
        };
    } // namespace

    // ---- Spell check of the items ----------------------------------------------------------------

    void TimelineArea::checkSpelling(WritingAids& aids)
    {
        m_calendar->hide();
        // An item still being typed into its cell is checked with the rest.
        if (QWidget* editor = m_grid->indexWidget(m_grid->currentIndex())) {
            QAbstractItemDelegate* delegate = m_grid->itemDelegate();
            Q_EMIT delegate->commitData(editor);
            Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        CheckedItems items(m_model, *m_grid, [this](const QString& before, const QString& after) {
            replaceCorrectedName(before, after);
        });
        aids.checkCells(items);
    }

    QPushButton* TimelineArea::spellCheckButton() const
    {
        return m_spellButton;
    }

    void TimelineArea::replaceCorrectedName(const QString& before, const QString& after)
    {
        const Result<bool> stored = m_names.replaceCorrected(before, after);
        // The misspelt name leaves the picker even when the corrected one was there already.
        refillPicker();
        if (!stored) {
            m_host.prompter().critical(QStringLiteral("Item Names"), stored.error());
            return;
        }
        if (stored.value()) {
            m_itemBox->clear();
            markUnsaved();
        }
    }

    // ---- Item box, picker and buttons ----------------------------------------------------------

    void TimelineArea::onItemBoxEdited(const QString& text)
    {
        if (m_quoteTyped) {
            m_quoteTyped = false;
            if (text.size() > 1) {
                m_itemBox->setText(text.chopped(1));
                m_itemBox->end(false);
            }
        }
        const QString current = m_itemBox->text();
        enableButton(AddToGrid, !current.isEmpty());
        const QString key = current.toUpper().trimmed().isEmpty() ? QString() : current.toUpper();
        QString typed = key;
        while (!typed.isEmpty() && typed.front().isSpace()) {
            typed.remove(0, 1);
        }
        if (typed.isEmpty()) {
            return;
        }
        for (int i = 0; i < m_picker->count(); ++i) {
            if (m_picker->itemText(i).startsWith(typed, Qt::CaseInsensitive)) {
                m_picker->setCurrentIndex(i);
                return;
            }
        }
    }

    void TimelineArea::onItemBoxEnter()
    {
        const QString text = m_itemBox->text();
        if (text.isEmpty() || !m_inCellEntry) {
            return;
        }
        const QModelIndex current = m_grid->currentIndex();
        if (!current.isValid()) {
            return;
        }
        m_model.setCell(current.row(), current.column(), text + QStringLiteral("  "));
        markUnsaved();
        remember(text);
        // The item is placed: the next name picked goes to the box, not over it.
        m_inCellEntry = false;
    }

    void TimelineArea::onPickerChosen(int index)
    {
        const QString entry = m_picker->itemText(index);
        if (entry.isEmpty()) {
            return;
        }
        if (m_inCellEntry) {
            const QModelIndex current = m_grid->currentIndex();
            if (current.isValid()) {
                m_model.setCell(current.row(), current.column(), entry);
            }
            m_inCellEntry = false;
            focusButton(Exit);
            markUnsaved();
            return;
        }
        m_itemBox->setText(entry);
        enableButton(ForgetName, true);
        enableButton(AddToGrid, true);
    }

    void TimelineArea::onPickerEnter()
    {
        const QString text = m_picker->currentText();
        m_itemBox->setText(text);
        remember(text);
    }

    void TimelineArea::onButton(int index)
    {
        m_calendar->hide();
        switch (index) {
        case Exit:
            Q_EMIT exitRequested();
            break;
        case ForgetName:
            forgetTypedName();
            break;
        case AddToGrid:
            addTypedItem();
            break;
        case DeleteRow:
            deleteRow();
            break;
        case PrintOptions:
            Q_EMIT printRequested();
            break;
        case Save:
            saveWithMessage();
            break;
        case ClearGrid:
            clearGrid();
            break;
        default:
            break;
        }
    }

    void TimelineArea::addTypedItem()
    {
        const QString text = m_itemBox->text();
        const QString key = text.trimmed();
        if (key.isEmpty()) {
            return;
        }
        const int row = m_model.firstRowWithoutItem();
        if (row >= 0) {
            setCurrent(row, ItemColumn);
            m_model.setCell(row, ItemColumn, text);
            remember(text);
            m_itemBox->clear();
            markUnsaved();
        }
        m_inCellEntry = false;
        focusButton(Exit);
    }

    void TimelineArea::forgetTypedName()
    {
        const Status forgotten = m_names.forget(m_itemBox->text());
        if (!forgotten) {
            m_host.prompter().critical(QStringLiteral("Item Names"), forgotten.error());
        }
        m_itemBox->clear();
        refillPicker();
        enableButton(ForgetName, false);
        enableButton(AddToGrid, false);
    }

    void TimelineArea::remember(const QString& name)
    {
        enableButton(ForgetName, false);
        enableButton(AddToGrid, false);
        if (name.trimmed().isEmpty()) {
            return;
        }
        const Result<bool> stored = m_names.remember(name);
        if (!stored) {
            m_host.prompter().critical(QStringLiteral("Item Names"), stored.error());
        } else if (stored.value()) {
            refillPicker();
        }
        m_itemBox->clear();
    }

    void TimelineArea::refillPicker()
    {
        m_picker->clear();
        m_picker->addItems(m_names.names());
        m_picker->setCurrentIndex(-1);
    }

    // ---- Keys, focus and clicks ----------------------------------------------------------------

    bool TimelineArea::eventFilter(QObject* watched, QEvent* event)
    {
        const QEvent::Type type = event->type();
        if (watched == m_itemBox) {
            if (type == QEvent::KeyPress) {
                const auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                    onItemBoxEnter();
                    return true;
                }
                if (key->key() == Qt::Key_Delete && m_buttons[DeleteRow]->isEnabled()) {
                    deleteRow();
                    return true;
                }
                if (key->key() == Qt::Key_Insert && m_buttons[DeleteRow]->isEnabled()) {
                    insertRow();
                    return true;
                }
                m_quoteTyped = key->text() == QStringLiteral("\"");
            } else if (type == QEvent::MouseButtonPress) {
                m_inCellEntry = false;
                const QModelIndex current = m_grid->currentIndex();
                setCurrent(current.isValid() ? current.row() : 0, ItemColumn);
            } else if (type == QEvent::FocusIn) {
                m_calendar->hide();
            }
        } else if (watched == m_picker) {
            if (type == QEvent::KeyPress) {
                const auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                    onPickerEnter();
                    return true;
                }
            } else if (type == QEvent::FocusIn || type == QEvent::MouseButtonPress) {
                enableButton(ForgetName, false);
                if (type == QEvent::MouseButtonPress) {
                    m_calendar->hide();
                }
                const QModelIndex current = m_grid->currentIndex();
                if (current.isValid() && current.column() >= timeline::ToDoDate) {
                    m_inCellEntry = false;
                    setCurrent(current.row(), ItemColumn);
                }
            }
        } else if (watched == m_grid && type == QEvent::FocusIn) {
            onGridFocus();
        } else if (type == QEvent::FocusIn && m_buttons.contains(static_cast<QPushButton*>(watched))) {
            // Only the user's own move to the buttons ends an insert's or delete's use of the row.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (m_selectedRow == RowUsedUp && reason != Qt::OtherFocusReason) {
                m_selectedRow = NoRowChosen;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

} // namespace qv
