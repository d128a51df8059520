#include "printoptionspanel.h"

#include "core/reports/printsettings.h"
#include "gui/kit/controlarray.h"
#include "previewwidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qv {

    namespace {

        constexpr double TwipsPerPixel = 15.0;
        // The closest the boxes' twip positions put two boxes: a box of the screen font they were
        // chosen for was that tall.
        constexpr double DesignBoxSpacingTwips = 250.0;
        constexpr int Pad = 8;
        constexpr int Gap = 6;

        // Where "Enlarge" puts the preview: this far from the panel's left edge, and this much
        // narrower than the panel.
        constexpr int EnlargedLeftTwips = 100;
        constexpr int EnlargedNarrowerTwips = 190;

        int plainPixels(int twips)
        {
            return static_cast<int>(std::lround(twips / TwipsPerPixel));
        }

        QLabel* sunkenPanel(const QString& name, int index, QWidget* parent)
        {
            auto* panel = new QLabel(parent);
            setControlName(panel, name, index);
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setAutoFillBackground(true);
            panel->setTextInteractionFlags(Qt::NoTextInteraction);
            return panel;
        }

    } // namespace

    PrintOptionsPanel::PrintOptionsPanel(const PageEngine& engine, QWidget* parent)
        : QFrame(parent)
        , m_preview(new PreviewWidget(engine, this))
        , m_caption(new QLabel(QStringLiteral("Print Options"), this))
        , m_selectionFrame(new QGroupBox(QStringLiteral("Print Selection"), this))
        , m_wholeDocument(new QLabel(QStringLiteral("The whole document on view in the editor."), m_selectionFrame))
        , m_sampleFrame(new QGroupBox(QStringLiteral("Sample"), this))
        , m_sample(sunkenPanel(QStringLiteral("Panel3D82"), 0, m_sampleFrame))
        , m_timelineFrame(new QGroupBox(QStringLiteral("Timeline Print"), this))
        , m_summaryFrame(new QGroupBox(QStringLiteral("Status Report"), this))
        , m_summaryOption(new QCheckBox(QStringLiteral("Include progress summary page"), m_summaryFrame))
        , m_enlarge(new QPushButton(QStringLiteral("Enlarge"), this))
    {
        setObjectName(QStringLiteral("SSPanel80"));
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Raised);
        setAutoFillBackground(true);

        m_caption->setObjectName(QStringLiteral("PrintOptionsCaption"));
        QFont captionFont = m_caption->font();
        captionFont.setBold(true);
        captionFont.setPointSizeF(captionFont.pointSizeF() * 1.25);
        m_caption->setFont(captionFont);
        m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

        setControlName(m_selectionFrame, QStringLiteral("SSFrame80"), 0);
        m_wholeDocument->setObjectName(QStringLiteral("PrintWholeDocument"));
        m_wholeDocument->setWordWrap(true);
        m_wholeDocument->hide();
        for (int i = 0; i < SelectionBoxCount; ++i) {
            auto* box = new QCheckBox(m_selectionFrame);
            setControlName(box, QStringLiteral("SSCheck80"), i);
            box->hide();
            connect(box, &QCheckBox::clicked, this, [this, i](bool checked) { Q_EMIT selectionClicked(i, checked); });
            m_boxes.append(box);
            m_boxTops.append(0);
        }

        const QStringList settingNames{
            QStringLiteral("Printer Font:"), QStringLiteral("Font Size:"), QStringLiteral("Orientation:")};
        for (int i = 0; i < settingNames.size(); ++i) {
            auto* label = new QLabel(settingNames.at(i), this);
            setControlName(label, QStringLiteral("PrintSettingLabel"), i);
            m_settingLabels.append(label);
            m_settingPanels.append(sunkenPanel(QStringLiteral("Panel3D80"), i, this));
        }

        setControlName(m_sampleFrame, QStringLiteral("SSFrame80"), 2);
        m_sample->setText(QStringLiteral("AaBbYyZz"));
        m_sample->setAlignment(Qt::AlignCenter);
        QPalette white = m_sample->palette();
        white.setColor(QPalette::Window, Qt::white);
        m_sample->setPalette(white);

        setControlName(m_timelineFrame, QStringLiteral("SSFrame80"), 3);
        const QStringList timelineCaptions{QStringLiteral("Print 'As of' date/each page"),
                                           QStringLiteral("Print Grid Lines")};
        for (int i = 0; i < timelineCaptions.size(); ++i) {
            auto* option = new QCheckBox(timelineCaptions.at(i), m_timelineFrame);
            setControlName(option, QStringLiteral("SSCheck81"), i);
            connect(option, &QCheckBox::clicked, this, [this, i](bool checked) {
                Q_EMIT timelineOptionClicked(i, checked);
            });
            m_timelineOptions.append(option);
        }
        m_timelineFrame->hide();

        m_summaryFrame->setObjectName(QStringLiteral("StatusReportOptions"));
        m_summaryOption->setObjectName(QStringLiteral("ProgressSummaryOption"));
        connect(m_summaryOption, &QCheckBox::clicked, this, &PrintOptionsPanel::summaryOptionClicked);
        m_summaryFrame->hide();

        const QStringList commandCaptions{QStringLiteral("Printer &Font"),
                                          QStringLiteral("&Page Setup"),
                                          QStringLiteral("&Close Print Options"),
                                          QStringLiteral("C&opy Current Page"),
                                          QStringLiteral("&Print"),
                                          QStringLiteral("Save as &PDF\u2026")};
        for (int i = 0; i < commandCaptions.size(); ++i) {
            auto* button = new QPushButton(commandCaptions.at(i), this);
            setControlName(button, QStringLiteral("SSCommand80"), i);
            connect(button, &QPushButton::clicked, this, [this, i] { Q_EMIT commandClicked(i); });
            m_commands.append(button);
        }

        m_enlarge->setObjectName(QStringLiteral("SSCommand1"));
        connect(m_enlarge, &QPushButton::clicked, this, [this] { setEnlarged(!m_enlarged); });

        layoutControls();
    }

    PreviewWidget* PrintOptionsPanel::preview() const
    {
        return m_preview;
    }

    QPushButton* PrintOptionsPanel::command(Command command) const
    {
        return m_commands.value(command);
    }

    QPushButton* PrintOptionsPanel::enlargeButton() const
    {
        return m_enlarge;
    }

    QCheckBox* PrintOptionsPanel::selectionBox(int index) const
    {
        return m_boxes.value(index);
    }

    QCheckBox* PrintOptionsPanel::timelineOption(int index) const
    {
        return m_timelineOptions.value(index);
    }

    QCheckBox* PrintOptionsPanel::summaryOption() const
    {
        return m_summaryOption;
    }

    void PrintOptionsPanel::setSummaryOptionShown(bool shown)
    {
        // Off whenever it is offered again, so the report prints as it always has unless asked.
        m_summaryOption->setChecked(false);
        m_summaryFrame->setVisible(shown);
        layoutControls();
    }

    void PrintOptionsPanel::setSelectionBoxes(const QStringList& captions, const QList<int>& topsTwips)
    {
        for (int i = 0; i < SelectionBoxCount; ++i) {
            QCheckBox* box = m_boxes.at(i);
            if (i < captions.size()) {
                box->setText(captions.at(i));
                m_boxTops[i] = topsTwips.value(i, i > 0 ? m_boxTops.at(i - 1) + 300 : 300);
                box->setEnabled(true);
                box->setChecked(false);
                box->show();
            } else {
                // A box out of sight must not count as ticked for the next report.
                box->setChecked(false);
                box->hide();
            }
        }
        m_wholeDocument->setVisible(captions.isEmpty());
        m_summaryOption->setChecked(false);
        m_summaryFrame->hide();
        layoutControls();
    }

    void PrintOptionsPanel::setBoxChecked(int index, bool checked)
    {
        if (QCheckBox* box = m_boxes.value(index)) {
            box->setChecked(checked);
        }
    }

    bool PrintOptionsPanel::isBoxChecked(int index) const
    {
        const QCheckBox* box = m_boxes.value(index);
        return box && box->isChecked();
    }

    void PrintOptionsPanel::setTimelineOptionsShown(bool shown)
    {
        m_timelineFrame->setVisible(shown);
        // The timeline prints its list, not what the editor shows.
        m_wholeDocument->setText(shown ? QStringLiteral("Every row of the timeline that has an item.")
                                       : QStringLiteral("The whole document on view in the editor."));
        layoutControls();
    }

    void PrintOptionsPanel::setFontPanels(const QString& fontText, const QString& sizeText)
    {
        setSettingText(0, fontText);
        setSettingText(1, sizeText);
        layoutControls();
    }

    void PrintOptionsPanel::setOrientationText(const QString& text)
    {
        setSettingText(2, text);
        layoutControls();
    }

    void PrintOptionsPanel::setSettingText(int index, const QString& text)
    {
        QLabel* panel = m_settingPanels.at(index);
        panel->setText(text);
        panel->setToolTip(text.trimmed());
    }

    QString PrintOptionsPanel::fontText() const
    {
        return m_settingPanels.at(0)->text();
    }

    QString PrintOptionsPanel::sizeText() const
    {
        return m_settingPanels.at(1)->text();
    }

    QString PrintOptionsPanel::orientationText() const
    {
        return m_settingPanels.at(2)->text();
    }

    void PrintOptionsPanel::setSample(const PrintSettings& settings)
    {
        // Built here from the fields rather than through PrintSettings::font(), so the panel needs
        // nothing of the settings but their values.
        QFont font(settings.fontName);
        font.setPointSizeF(settings.fontSize > 0 ? settings.fontSize : 12);
        font.setBold(settings.bold);
        font.setItalic(settings.italic);
        font.setUnderline(settings.underline);
        font.setStrikeOut(settings.strikeOut);
        m_sample->setFont(font);
        QPalette palette = m_sample->palette();
        palette.setColor(QPalette::WindowText, settings.color);
        m_sample->setPalette(palette);
    }

    void PrintOptionsPanel::setFontCommandsEnabled(bool enabled)
    {
        m_commands.at(FontCommand)->setEnabled(enabled);
        m_commands.at(PageSetupCommand)->setEnabled(enabled);
    }

    void PrintOptionsPanel::setFontTip(const QString& tip)
    {
        m_commands.at(FontCommand)->setToolTip(tip);
    }

    void PrintOptionsPanel::useOwnFrames(QWidget* frames)
    {
        m_ownFrames = frames;
        frames->setParent(this);
        frames->show();
        m_selectionFrame->hide();
        m_sampleFrame->hide();
        for (int i = 0; i < 2; ++i) {
            m_settingLabels.at(i)->hide();
            m_settingPanels.at(i)->hide();
        }
        layoutControls();
    }

    bool PrintOptionsPanel::isEnlarged() const
    {
        return m_enlarged;
    }

    void PrintOptionsPanel::setEnlarged(bool enlarged)
    {
        m_enlarged = enlarged;
        m_preview->setZoom(enlarged ? PreviewWidget::Zoom::Enlarged : PreviewWidget::Zoom::Normal);
        m_enlarge->setText(enlarged ? QStringLiteral("Normal") : QStringLiteral("Enlarge"));
        layoutControls();
        if (enlarged) {
            m_preview->raise();
            m_enlarge->raise();
        } else {
            m_commands.at(CloseCommand)->setFocus(Qt::OtherFocusReason);
        }
    }

    void PrintOptionsPanel::resizeEvent(QResizeEvent* event)
    {
        QFrame::resizeEvent(event);
        layoutControls();
    }

    int PrintOptionsPanel::twipsToPixels(int twips) const
    {
        const int boxHeight = std::max(m_boxes.at(0)->sizeHint().height(), QFontMetrics(font()).height() + 4);
        const double factor = std::max(1.0, boxHeight / (DesignBoxSpacingTwips / TwipsPerPixel));
        return static_cast<int>(std::lround(twips / TwipsPerPixel * factor));
    }

    QRect PrintOptionsPanel::normalPreviewGeometry() const
    {
        const int top = m_enlarge->geometry().bottom() + 1 + Gap;
        const int left = m_selectionFrame->geometry().right() + 1 + Pad;
        return QRect(left, top, std::max(1, width() - left - Pad), std::max(1, height() - top - Pad));
    }

    void PrintOptionsPanel::layoutControls()
    {
        const QFontMetrics fm(font());
        const int line = fm.height();
        const int buttonHeight = std::max(m_commands.at(0)->sizeHint().height(), line + 10);

        // The column is as wide as its widest caption needs, and no narrower than a sensible minimum.
        int column = std::max(fm.horizontalAdvance(QStringLiteral("Policies & Procedures/Plan")) + 48, 200);
        for (const QCheckBox* box : std::as_const(m_boxes)) {
            if (!box->isHidden()) {
                column = std::max(column, box->sizeHint().width() + 24);
            }
        }
        for (const QCheckBox* option : std::as_const(m_timelineOptions)) {
            column = std::max(column, option->sizeHint().width() + 24);
        }
        column = std::max(column, m_summaryOption->sizeHint().width() + 24);
        for (const QPushButton* button : std::as_const(m_commands)) {
            column = std::max(column, button->sizeHint().width());
        }
        int labelWidth = 0;
        for (const QLabel* label : std::as_const(m_settingLabels)) {
            labelWidth = std::max(labelWidth, label->sizeHint().width() + 6);
        }
        column = std::max(column, labelWidth + fm.horizontalAdvance(QStringLiteral(" Times New Roman")) + 16);
        // A face with a longer name widens the column, up to a third of the panel; past that the
        // preview needs the room more, and the field shows the whole name as its tooltip.
        int widestSetting = 0;
        for (const QLabel* panel : std::as_const(m_settingPanels)) {
            widestSetting = std::max(widestSetting, panel->sizeHint().width());
        }
        column = std::max(column, std::min(labelWidth + widestSetting + 2, width() / 3));

        const int enlargeWidth = std::max({m_enlarge->sizeHint().width(),
                                           fm.horizontalAdvance(QStringLiteral("Enlarge")) + 24,
                                           fm.horizontalAdvance(QStringLiteral("Normal")) + 24});
        const int captionHeight = std::max(buttonHeight, m_caption->sizeHint().height());
        m_enlarge->setGeometry(width() - Pad - enlargeWidth, 4, enlargeWidth, captionHeight);
        m_caption->setGeometry(Pad, 4, std::max(1, m_enlarge->x() - 2 * Pad), captionHeight);

        int y = 4 + captionHeight + Gap;
        const int selectionHeight = m_ownFrames ? m_ownFrames->sizeHint().height() : twipsToPixels(1660) + line + 12;
        if (m_ownFrames) {
            m_ownFrames->setGeometry(Pad, y, column, selectionHeight);
        }
        m_selectionFrame->setGeometry(Pad, y, column, selectionHeight);
        for (int i = 0; i < SelectionBoxCount; ++i) {
            QCheckBox* box = m_boxes.at(i);
            box->setGeometry(10, twipsToPixels(m_boxTops.at(i)), column - 16, box->sizeHint().height());
        }
        m_wholeDocument->setGeometry(10, line + 8, column - 20, line * 3);
        y += selectionHeight + Gap;

        const int panelHeight = line + 8;
        for (int i = 0; i < m_settingLabels.size(); ++i) {
            if (m_settingLabels.at(i)->isHidden()) {
                continue;
            }
            m_settingLabels.at(i)->setGeometry(Pad, y, labelWidth, panelHeight);
            m_settingPanels.at(i)->setGeometry(Pad + labelWidth, y, column - labelWidth, panelHeight);
            y += panelHeight + 4;
        }
        y += Gap - 4;

        const int sampleHeight = line * 2 + 36;
        m_sampleFrame->setGeometry(Pad, y, column, sampleHeight);
        m_sample->setGeometry(8, line + 6, column - 16, sampleHeight - line - 14);
        if (!m_sampleFrame->isHidden()) {
            y += sampleHeight + Gap;
        }

        if (!m_timelineFrame->isHidden()) {
            int optionY = line + 6;
            for (QCheckBox* option : std::as_const(m_timelineOptions)) {
                option->setGeometry(10, optionY, column - 16, option->sizeHint().height());
                optionY += option->sizeHint().height() + 4;
            }
            m_timelineFrame->setGeometry(Pad, y, column, optionY + 4);
            y += optionY + 4 + Gap;
        }

        if (!m_summaryFrame->isHidden()) {
            const int optionHeight = m_summaryOption->sizeHint().height();
            m_summaryOption->setGeometry(10, line + 6, column - 16, optionHeight);
            m_summaryFrame->setGeometry(Pad, y, column, line + 10 + optionHeight);
            y += line + 10 + optionHeight + Gap;
        }

        for (QPushButton* button : std::as_const(m_commands)) {
            if (button->isHidden()) {
                continue;
            }
            button->setGeometry(Pad, y, column, buttonHeight);
            y += buttonHeight + 4;
        }

        const QRect normal = normalPreviewGeometry();
        if (m_enlarged) {
            const int left = plainPixels(EnlargedLeftTwips);
            m_preview->setGeometry(
                left, normal.y(), std::max(1, width() - plainPixels(EnlargedNarrowerTwips)), normal.height());
        } else {
            m_preview->setGeometry(normal);
        }
    }

    PrintProgressPanel::PrintProgressPanel(QWidget* parent)
        : QFrame(parent)
        , m_progress(new QProgressBar(this))
    {
        setObjectName(QStringLiteral("PrintProgress"));
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Raised);
        setAutoFillBackground(true);

        auto* caption = new QLabel(QStringLiteral("Print All Current Policies and Procedures"), this);
        caption->setObjectName(QStringLiteral("PrintProgressCaption"));
        QFont captionFont = caption->font();
        captionFont.setBold(true);
        caption->setFont(captionFont);
        caption->setAlignment(Qt::AlignCenter);

        auto* notice = new QLabel(
            QStringLiteral("Prior to printing - all current policies will be loaded into the Print Preview screen - "
                           "this may take a couple of minutes to accomplish.  Once completed you can then review "
                           "them and click on the Print Button to Print all of them at one time."),
            this);
        notice->setObjectName(QStringLiteral("PrintProgressNotice"));
        notice->setWordWrap(true);

        m_progress->setObjectName(QStringLiteral("PrintProgressBar"));
        m_progress->setRange(0, 1);
        m_progress->setValue(0);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(12, 12, 12, 12);
        layout->setSpacing(10);
        layout->addWidget(caption);
        layout->addWidget(notice);
        layout->addWidget(m_progress);
        layout->addStretch(1);
    }

    void PrintProgressPanel::start(int maximum)
    {
        m_progress->setRange(0, std::max(0, maximum));
        m_progress->setValue(0);
    }

    void PrintProgressPanel::setValue(int value)
    {
        m_progress->setValue(std::clamp(value, m_progress->minimum(), m_progress->maximum()));
    }

    int PrintProgressPanel::value() const
    {
        return m_progress->value();
    }

    int PrintProgressPanel::maximum() const
    {
        return m_progress->maximum();
    }

} // namespace qv
