#include "workpanel.h"

#include "captionbutton.h"
#include "controlarray.h"
#include "richtexteditor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

    namespace {
        constexpr int Margin = 8;
        constexpr int Gap = 10;

        QLabel* descriptionLabel(const QString& name, QWidget* parent)
        {
            auto* label = new QLabel(parent);
            label->setObjectName(name);
            label->setTextFormat(Qt::PlainText);
            QFont f = label->font();
            f.setBold(true);
            label->setFont(f);
            return label;
        }
    } // namespace

    WorkPanel::WorkPanel(QWidget* parent)
        : QFrame(parent)
        , m_editor(new RichTextEditor(this))
        , m_standardLabel(descriptionLabel(QStringLiteral("Label5"), this))
        , m_sectionLabel(descriptionLabel(QStringLiteral("Label6"), this))
        , m_specificationLabel(descriptionLabel(QStringLiteral("Label7"), this))
        , m_statusLabel(new QLabel(QStringLiteral("Current Status:"), this))
        , m_statusBox(new QComboBox(this))
        , m_paneGroup(new QButtonGroup(this))
        , m_sideColumn(new QWidget(this))
    {
        setObjectName(QStringLiteral("SSPanel1"));
        setFrameShape(QFrame::StyledPanel);
        setAutoFillBackground(true);

        m_editor->setObjectName(QStringLiteral("Rtext3"));
        m_statusLabel->setObjectName(QStringLiteral("Label9"));
        m_statusLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_statusBox->setObjectName(QStringLiteral("Combo1"));
        // The box shows any stored word, but the user only picks from the list.
        m_statusBox->setEditable(true);
        m_statusBox->lineEdit()->setReadOnly(true);
        m_statusBox->setInsertPolicy(QComboBox::NoInsert);
        // Where the column beside the editor starts depends on whether the box is shown.
        m_statusBox->installEventFilter(this);
        m_statusBox->setMinimumWidth(m_statusBox->fontMetrics().horizontalAdvance(QStringLiteral("Not Implemented")) +
                                     48);

        m_referencesFrame = new QGroupBox(QStringLiteral("References"), m_sideColumn);
        m_referencesFrame->setObjectName(QStringLiteral("SSFrame2"));
        m_actionsFrame = new QGroupBox(QStringLiteral("Actions"), m_sideColumn);
        m_actionsFrame->setObjectName(QStringLiteral("SSFrame3"));
        struct OptionDef
        {
            const char16_t* name;
            const char16_t* caption;
            QGroupBox* frame;
        };
        const OptionDef options[] = {
            {u"SSOption6", u"Implementation specification", m_referencesFrame},
            {u"SSOption2", u"References in Rule", m_referencesFrame},
            {u"SSOption7", u"Additional Information", m_referencesFrame},
            {u"SSOption3", u"Action Taken", m_actionsFrame},
            {u"SSOption4", u"Comments/Notes", m_actionsFrame},
            {u"SSOption5", u"Policies && Procedures/Plan", m_actionsFrame},
        };
        auto* referencesLayout = new QVBoxLayout(m_referencesFrame);
        auto* actionsLayout = new QVBoxLayout(m_actionsFrame);
        for (const OptionDef& def : options) {
            auto* option = new QRadioButton(QString::fromUtf16(def.caption), def.frame);
            option->setObjectName(QString::fromUtf16(def.name));
            m_paneGroup->addButton(option, static_cast<int>(m_paneOptions.size()));
            (def.frame == m_referencesFrame ? referencesLayout : actionsLayout)->addWidget(option);
            m_paneOptions.append(option);
        }
        connect(m_paneGroup, &QButtonGroup::idClicked, this, &WorkPanel::paneOptionChosen);

        m_templateButton = new CaptionButton(QStringLiteral("Insert Template"), m_sideColumn);
        m_templateButton->setObjectName(QStringLiteral("SSCommand2"));

        struct CommandDef
        {
            const char16_t* name;
            const char16_t* caption;
        };
        const CommandDef commands[] = {
            {u"SSCommand5", u"&Print Options"},
            {u"SSCommand6", u"&Save"},
            {u"SSCommand7", u"E&xit"},
            {u"SSCommand8", u"&Font Select"},
            {u"SSCommand9", u"&Thesaurus"},
            {u"SSCommand10", u"Spell &Check"},
        };
        auto* commandGrid = new QGridLayout;
        commandGrid->setSpacing(6);
        for (const CommandDef& def : commands) {
            auto* button = new CaptionButton(QString::fromUtf16(def.caption), m_sideColumn);
            button->setObjectName(QString::fromUtf16(def.name));
            m_commands.append(button);
        }
        // Two columns: the writing commands on the left, print, save and exit on the right.
        commandGrid->addWidget(m_commands[FontSelect], 0, 0);
        commandGrid->addWidget(m_commands[PrintOptions], 0, 1);
        commandGrid->addWidget(m_commands[Thesaurus], 1, 0);
        commandGrid->addWidget(m_commands[Save], 1, 1);
        commandGrid->addWidget(m_commands[SpellCheck], 2, 0);
        commandGrid->addWidget(m_commands[Exit], 2, 1);

        m_textLocationFrame = new QGroupBox(QStringLiteral("Text Location"), m_sideColumn);
        m_textLocationFrame->setObjectName(QStringLiteral("SSFrame4"));
        auto* locationLayout = new QHBoxLayout(m_textLocationFrame);
        const QString locations[] = {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
        for (int i = 0; i < 3; ++i) {
            auto* option = new QRadioButton(locations[i], m_textLocationFrame);
            setControlName(option, QStringLiteral("SSOption8"), i);
            locationLayout->addWidget(option);
            m_textLocationOptions.append(option);
        }

        // The column beside the editor is a quarter of the panel; slightly smaller type keeps its
        // longest captions whole on a 1024-pixel screen.
        QFont sideFont = m_sideColumn->font();
        sideFont.setPointSizeF(sideFont.pointSizeF() * 0.9);
        m_sideColumn->setFont(sideFont);
        locationLayout->setContentsMargins(6, 2, 6, 2);
        locationLayout->setSpacing(4);
        auto* side = new QVBoxLayout(m_sideColumn);
        side->setContentsMargins(0, 0, 0, 0);
        side->setSpacing(8);
        side->addWidget(m_referencesFrame);
        side->addWidget(m_actionsFrame);
        side->addWidget(m_templateButton);
        side->addLayout(commandGrid);
        side->addWidget(m_textLocationFrame);
        side->addStretch();
    }

    RichTextEditor* WorkPanel::editor() const
    {
        return m_editor;
    }

    QLabel* WorkPanel::standardLabel() const
    {
        return m_standardLabel;
    }

    QLabel* WorkPanel::sectionLabel() const
    {
        return m_sectionLabel;
    }

    QLabel* WorkPanel::specificationLabel() const
    {
        return m_specificationLabel;
    }

    QLabel* WorkPanel::statusLabel() const
    {
        return m_statusLabel;
    }

    QComboBox* WorkPanel::statusBox() const
    {
        return m_statusBox;
    }

    QGroupBox* WorkPanel::referencesFrame() const
    {
        return m_referencesFrame;
    }

    QGroupBox* WorkPanel::actionsFrame() const
    {
        return m_actionsFrame;
    }

    QRadioButton* WorkPanel::paneOption(PaneOption option) const
    {
        return m_paneOptions.value(option);
    }

    int WorkPanel::checkedPaneOption() const
    {
        return m_paneGroup->checkedId();
    }

    void WorkPanel::clearPaneOptions()
    {
        m_paneGroup->setExclusive(false);
        for (QRadioButton* option : m_paneOptions) {
            option->setChecked(false);
        }
        m_paneGroup->setExclusive(true);
    }

    CaptionButton* WorkPanel::templateButton() const
    {
        return m_templateButton;
    }

    CaptionButton* WorkPanel::command(Command command) const
    {
        return m_commands.value(command);
    }

    QGroupBox* WorkPanel::textLocationFrame() const
    {
        return m_textLocationFrame;
    }

    QRadioButton* WorkPanel::textLocationOption(int index) const
    {
        return m_textLocationOptions.value(index);
    }

    void WorkPanel::setEditorPlacement(double top, double height)
    {
        m_editorTop = top;
        m_editorHeight = height;
        layOut();
    }

    void WorkPanel::setEditorWidth(double fraction)
    {
        m_editorWidth = fraction;
        layOut();
    }

    void WorkPanel::setDescriptionVisible(bool visible)
    {
        for (QWidget* w : {static_cast<QWidget*>(m_standardLabel),
                           static_cast<QWidget*>(m_sectionLabel),
                           static_cast<QWidget*>(m_specificationLabel),
                           static_cast<QWidget*>(m_statusLabel),
                           static_cast<QWidget*>(m_statusBox),
                           static_cast<QWidget*>(m_referencesFrame),
                           static_cast<QWidget*>(m_actionsFrame)}) {
            w->setVisible(visible);
        }
    }

    bool WorkPanel::eventFilter(QObject* watched, QEvent* event)
    {
        if (watched == m_statusBox &&
            (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
            layOut();
        }
        return QFrame::eventFilter(watched, event);
    }

    void WorkPanel::resizeEvent(QResizeEvent* event)
    {
        QFrame::resizeEvent(event);
        layOut();
    }

    void WorkPanel::layOut()
    {
        const int w = width();
        const int h = height();
        const int editorLeft = Margin;
        const int editorWidth = static_cast<int>(m_editorWidth * w);
        const int editorTop = static_cast<int>(m_editorTop * h);
        const int editorHeight = qMin(static_cast<int>(m_editorHeight * h), h - editorTop - 2);
        m_editor->setGeometry(editorLeft, editorTop, editorWidth - Margin, editorHeight);

        // The description labels fill the band above the editor, the status at its right: its label
        // over the box where the band is tall enough, which leaves the longest standard whole on a
        // 1024-pixel screen; beside it otherwise.
        const int rowHeight = qMax(m_standardLabel->sizeHint().height(), (editorTop - Margin) / 3);
        const QSize boxSize = m_statusBox->sizeHint().expandedTo(m_statusBox->minimumSize());
        const int statusLabelHeight = m_statusLabel->sizeHint().height();
        const bool stacked = editorTop >= Margin / 2 + statusLabelHeight + boxSize.height() + 2;
        const int statusWidth = stacked ? qMax(boxSize.width(), m_statusLabel->sizeHint().width())
                                        : boxSize.width() + m_statusLabel->sizeHint().width() + Gap;
        const int labelWidth = qMax(80, editorWidth - Margin - statusWidth - Gap);
        int y = Margin / 2;
        for (QLabel* label : {m_standardLabel, m_sectionLabel, m_specificationLabel}) {
            label->setGeometry(editorLeft, y, labelWidth, rowHeight);
            y += rowHeight;
        }
        const int sideLeft = editorLeft + editorWidth + Gap - Margin;
        const int sideWidth = qMax(0, w - sideLeft - Margin);
        const int statusLabelWidth = m_statusLabel->sizeHint().width();
        int sideTop = Margin;
        if (stacked) {
            const int boxLeft = editorLeft + editorWidth - Margin - boxSize.width();
            m_statusLabel->setGeometry(boxLeft, Margin / 2, boxSize.width(), statusLabelHeight);
            m_statusBox->setGeometry(boxLeft, Margin / 2 + statusLabelHeight + 2, boxSize.width(), boxSize.height());
        } else if (editorTop >= boxSize.height() + Margin) {
            const int boxLeft = editorLeft + editorWidth - Margin - boxSize.width();
            m_statusBox->setGeometry(boxLeft, Margin / 2, boxSize.width(), boxSize.height());
            m_statusLabel->setGeometry(
                boxLeft - Gap - statusLabelWidth, Margin / 2, statusLabelWidth, boxSize.height());
        } else {
            // The editor fills the panel from the top (worksheets): the status goes above the column
            // beside it, label over box, so neither covers the text.
            const int labelHeight = m_statusLabel->sizeHint().height();
            m_statusLabel->setGeometry(sideLeft, Margin, sideWidth, labelHeight);
            m_statusBox->setGeometry(sideLeft, Margin + labelHeight + 2, sideWidth, boxSize.height());
            if (m_statusBox->isVisibleTo(this)) {
                sideTop = Margin + labelHeight + boxSize.height() + Gap;
            }
        }
        m_statusLabel->setAlignment(!stacked && editorTop >= boxSize.height() + Margin
                                        ? Qt::AlignRight | Qt::AlignVCenter
                                        : Qt::AlignLeft | Qt::AlignVCenter);
        m_sideColumn->setGeometry(sideLeft, sideTop, sideWidth, qMax(0, h - sideTop - Margin));
    }

} // namespace qv
