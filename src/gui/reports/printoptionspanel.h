#pragma once

#include <QFrame>
#include <QList>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qv {

    class PageEngine;
    class PreviewWidget;
    struct PrintSettings;

    // The "Print Options" panel ("SSPanel80") that covers the Action Area's work space while a report
    // is on view: the preview ("VSP1"), the selection boxes ("SSCheck80" 0–5 in frame "SSFrame80" 0),
    // the font, size and orientation panels ("Panel3D80" 0–2), the sample ("Panel3D82" in the frame
    // "Sample"), the timeline options ("SSCheck81" 0–1 in frame "SSFrame80" 3, hidden unless asked
    // for), the commands ("SSCommand80" 0 font, 1 "&Page Setup", 2 "&Close Print Options", 3 "C&opy
    // Current Page", 4 "&Print", 5 "Save as &PDF…") and the "Enlarge"/"Normal" toggle ("SSCommand1").
    //
    // The panel only shows and reports: what a click does is up to whoever opened it. Signals come
    // from the user's clicks only, never from the program setting a box.
    class PrintOptionsPanel : public QFrame
    {
        Q_OBJECT

    public:
        static constexpr int SelectionBoxCount = 6;

        enum Command
        {
            FontCommand = 0,
            PageSetupCommand = 1,
            CloseCommand = 2,
            CopyPageCommand = 3,
            PrintCommand = 4,
            SavePdfCommand = 5
        };

        explicit PrintOptionsPanel(const PageEngine& engine, QWidget* parent = nullptr);

        PreviewWidget* preview() const;
        QPushButton* command(Command command) const;
        QPushButton* enlargeButton() const;
        QCheckBox* selectionBox(int index) const;
        QCheckBox* timelineOption(int index) const;
        // "Include progress summary page", in a frame of its own below the sample while the status
        // report is open and the program can compose the summary.
        QCheckBox* summaryOption() const;
        void setSummaryOptionShown(bool shown);

        // Shows boxes 0 to captions.size() − 1 with these captions ("&&" shows one "&") at these
        // distances from the top of their frame, in twips; hides the others. Every shown box is
        // enabled and cleared.
        void setSelectionBoxes(const QStringList& captions, const QList<int>& topsTwips);
        // Ticks or clears a box without it counting as a click.
        void setBoxChecked(int index, bool checked);
        bool isBoxChecked(int index) const;
        void setTimelineOptionsShown(bool shown);

        // The three caption panels exactly as given (" Times New Roman", " 10", " Portrait").
        void setFontPanels(const QString& fontText, const QString& sizeText);
        void setOrientationText(const QString& text);
        QString fontText() const;
        QString sizeText() const;
        QString orientationText() const;
        // "AaBbYyZz" in the settings' face, size, styles and colour.
        void setSample(const PrintSettings& settings);
        // The font and Page Setup buttons together (the status report has no use for them).
        void setFontCommandsEnabled(bool enabled);
        void setFontTip(const QString& tip);

        // Screens that print the one document they show have no boxes to choose from: their own
        // frames (what is printed, how the preview looks) stand where the selection frame stands,
        // and they print in the document's own fonts, so the font rows and the sample go too.
        void useOwnFrames(QWidget* frames);

        bool isEnlarged() const;
        // "Enlarge": the preview spreads over the panel and the button reads "Normal"; "Normal" puts it
        // back and gives the Close button the focus.
        void setEnlarged(bool enlarged);

    Q_SIGNALS:
        void selectionClicked(int index, bool checked);
        void timelineOptionClicked(int index, bool checked);
        void summaryOptionClicked(bool checked);
        void commandClicked(int command);

    protected:
        void resizeEvent(QResizeEvent* event) override;

    private:
        // Places every control for the panel's size; the preview's normal place is worked out here
        // every time, so "Normal" always restores it, whatever the size was when "Enlarge" was pressed.
        void layoutControls();
        void setSettingText(int index, const QString& text);
        QRect normalPreviewGeometry() const;
        // Twips as pixels, growing with the font so the boxes' spacing still fits their text.
        int twipsToPixels(int twips) const;

        PreviewWidget* m_preview;
        QLabel* m_caption;
        QGroupBox* m_selectionFrame;
        // Stands in the selection frame when there is nothing to choose.
        QLabel* m_wholeDocument;
        QList<QCheckBox*> m_boxes;
        QList<int> m_boxTops;
        QList<QLabel*> m_settingLabels;
        QList<QLabel*> m_settingPanels;
        QGroupBox* m_sampleFrame;
        QLabel* m_sample;
        QGroupBox* m_timelineFrame;
        QList<QCheckBox*> m_timelineOptions;
        QGroupBox* m_summaryFrame;
        QCheckBox* m_summaryOption;
        QList<QPushButton*> m_commands;
        QPushButton* m_enlarge;
        QWidget* m_ownFrames = nullptr;
        bool m_enlarged = false;
    };

    // The panel shown while every policy is loaded for printing: its caption, the notice and a
    // progress bar from 0 to the last policy number.
    class PrintProgressPanel : public QFrame
    {
        Q_OBJECT

    public:
        explicit PrintProgressPanel(QWidget* parent = nullptr);
        void start(int maximum);
        void setValue(int value);
        int value() const;
        int maximum() const;

    private:
        QProgressBar* m_progress;
    };

} // namespace qv
