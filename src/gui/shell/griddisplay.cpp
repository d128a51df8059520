#include "griddisplay.h"

#include "core/shell/displaysettings.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/prompter.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

    using display::GridBackground;

    namespace {

        const QSize ThumbnailSize(136, 85);
        // The frame stands this far (30 twips) above and left of the thumbnail it marks.
        constexpr int FrameOffset = 2;

        QString selectorTitle()
        {
            return QStringLiteral("Grid Background Selector");
        }

    } // namespace

    // ---- GridDisplay ---------------------------------------------------------------------------

    GridDisplay::GridDisplay(const ProgramFolder& folder,
                             Dialogs& dialogs,
                             Prompter& prompter,
                             QList<QAbstractItemView*> grids,
                             QWidget* selectorParent)
        : QObject(selectorParent)
        , m_folder(folder)
        , m_dialogs(dialogs)
        , m_prompter(prompter)
        , m_selectorParent(selectorParent)
    {
        for (QAbstractItemView* grid : grids) {
            m_grids.append(grid);
        }
        // The grids' own colours are the default ones, whatever the style gave them.
        if (!grids.isEmpty()) {
            m_defaultBackground = grids.first()->palette().color(QPalette::Base);
            m_defaultText = grids.first()->palette().color(QPalette::Text);
        }
        m_text = m_defaultText;
    }

    GridDisplay::~GridDisplay() = default;

    void GridDisplay::load()
    {
        m_background = display::readGridBackground(m_folder);
        m_text = display::readGridTextColor(m_folder).value_or(m_defaultText);
        show(m_background);
    }

    QColor GridDisplay::backgroundColor() const
    {
        return m_background.kind() == GridBackground::Kind::Color ? m_background.backgroundColor()
                                                                  : m_defaultBackground;
    }

    GridLook GridDisplay::lookOf(const GridBackground& background) const
    {
        GridLook look;
        if (background.kind() == GridBackground::Kind::Picture) {
            look.picture = m_folder.path(background.pictureFile(), ProgramFolder::Place::Content);
        }
        look.background =
            background.kind() == GridBackground::Kind::Color ? background.backgroundColor() : m_defaultBackground;
        look.text = m_text;
        return look;
    }

    void GridDisplay::show(const GridBackground& background)
    {
        const GridLook look = lookOf(background);
        for (const QPointer<QAbstractItemView>& grid : m_grids) {
            if (grid) {
                applyGridLook(grid, look);
            }
        }
    }

    void GridDisplay::keep(const GridBackground& background)
    {
        m_background = background;
        show(background);
        // The grids keep the new look for this run even when it cannot be remembered.
        if (const Status written = display::writeGridBackground(m_folder, background); !written) {
            m_prompter.warn(selectorTitle(), written.error());
        }
    }

    void GridDisplay::openSelector()
    {
        if (!m_selector) {
            m_selector = new GridBackgroundSelector(*this, m_selectorParent);
        }
        m_selector->open();
    }

    GridBackgroundSelector* GridDisplay::selector() const
    {
        return m_selector;
    }

    void GridDisplay::chooseTextColor()
    {
        const std::optional<QColor> chosen = m_dialogs.chooseColor(m_text);
        if (!chosen) {
            return;
        }
        if (display::colorsConflict(*chosen, backgroundColor())) {
            m_prompter.ask({QStringLiteral("Color Conflict"),
                            QStringLiteral("Selected Color would cause a conflict with Text and Background Colors!"),
                            PromptIcon::Critical,
                            PromptButtons::Ok,
                            std::nullopt});
            return;
        }
        m_text = chosen->toRgb();
        show(m_background);
        if (const Status written = display::writeGridTextColor(m_folder, m_text); !written) {
            m_prompter.warn(QStringLiteral("Grid Font Color"), written.error());
        }
    }

    // ---- GridBackgroundSelector ----------------------------------------------------------------

    GridBackgroundSelector::GridBackgroundSelector(GridDisplay& display, QWidget* parent)
        : QFrame(parent)
        , m_display(display)
    {
        setObjectName(QStringLiteral("SSPanel9"));
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Raised);
        setAutoFillBackground(true);
        build();
        hide();
    }

    void GridBackgroundSelector::build()
    {
        auto* caption = new QLabel(selectorTitle(), this);
        QFont bold = caption->font();
        bold.setBold(true);
        bold.setPointSizeF(bold.pointSizeF() * 1.2);
        caption->setFont(bold);
        caption->setAlignment(Qt::AlignCenter);

        auto* pictures = new QWidget(this);
        pictures->setObjectName(QStringLiteral("thumbnails"));
        auto* grid = new QGridLayout(pictures);
        grid->setSpacing(10);
        grid->setContentsMargins(6, 6, 6, 6);
        m_selectionFrame = new QFrame(pictures);
        m_selectionFrame->setObjectName(QStringLiteral("selectionFrame"));
        m_selectionFrame->setFrameShape(QFrame::Box);
        m_selectionFrame->setLineWidth(3);
        QPalette framePalette = m_selectionFrame->palette();
        framePalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        m_selectionFrame->setPalette(framePalette);
        m_selectionFrame->hide();

        const ProgramFolder& folder = m_display.m_folder;
        for (int i = 0; i < display::PictureCount; ++i) {
            auto* thumbnail = new QToolButton(pictures);
            setControlName(thumbnail, QStringLiteral("Image3"), i);
            QImageReader reader(folder.path(display::pictureFileName(i + 1), ProgramFolder::Place::Content));
            reader.setScaledSize(ThumbnailSize);
            thumbnail->setIcon(QPixmap::fromImage(reader.read()));
            thumbnail->setIconSize(ThumbnailSize);
            thumbnail->setFixedSize(ThumbnailSize + QSize(8, 8));
            thumbnail->setToolTip(display::pictureFileName(i + 1));
            connect(thumbnail, &QToolButton::clicked, this, [this, i] { onThumbnail(i); });
            grid->addWidget(thumbnail, i / 4, i % 4);
            m_thumbnails.append(thumbnail);
        }

        auto* note =
            new QLabel(QStringLiteral("(Selected Background will be used by all Grids in this function.)"), this);
        note->setAlignment(Qt::AlignCenter);

        static const char16_t* const captions[] = {
            u"&Select Color Background", u"Use &Default Background", u"Use &Above Background", u"&Exit"};
        auto* buttons = new QHBoxLayout;
        for (int i = 0; i < 4; ++i) {
            auto* b = new QPushButton(QString::fromUtf16(captions[i]), this);
            setControlName(b, QStringLiteral("Command22"), i);
            b->setMinimumHeight(30);
            buttons->addWidget(b);
            m_buttons.append(b);
        }
        connect(m_buttons[SelectColor], &QPushButton::clicked, this, &GridBackgroundSelector::onSelectColor);
        connect(m_buttons[UseDefault], &QPushButton::clicked, this, &GridBackgroundSelector::onUseDefault);
        connect(m_buttons[UseAbove], &QPushButton::clicked, this, &GridBackgroundSelector::onUseAbove);
        connect(m_buttons[Exit], &QPushButton::clicked, this, &GridBackgroundSelector::onExit);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(16, 12, 16, 14);
        layout->setSpacing(8);
        layout->addWidget(caption);
        layout->addWidget(pictures, 0, Qt::AlignHCenter);
        layout->addWidget(note);
        layout->addLayout(buttons);
        resize(sizeHint());
    }

    QToolButton* GridBackgroundSelector::thumbnail(int index) const
    {
        return m_thumbnails.value(index);
    }

    QPushButton* GridBackgroundSelector::button(int index) const
    {
        return m_buttons.value(index);
    }

    QFrame* GridBackgroundSelector::selectionFrame() const
    {
        return m_selectionFrame;
    }

    void GridBackgroundSelector::open()
    {
        m_pending = 0;
        m_buttons[UseAbove]->setEnabled(false);
        const GridBackground& current = m_display.background();
        frameThumbnail(current.kind() == GridBackground::Kind::Picture ? current.pictureNumber() - 1 : -1);
        if (QWidget* over = parentWidget()) {
            move(qMax(0, (over->width() - width()) / 2), qMax(0, (over->height() - height()) / 2));
        }
        show();
        raise();
        m_thumbnails.first()->setFocus();
    }

    // Every thumbnail raised but the one at index, which is drawn flat inside the frame; none when
    // index is -1.
    void GridBackgroundSelector::frameThumbnail(int index)
    {
        for (QToolButton* thumbnail : m_thumbnails) {
            thumbnail->setAutoRaise(false);
        }
        QToolButton* chosen = m_thumbnails.value(index);
        if (!chosen) {
            m_selectionFrame->hide();
            return;
        }
        chosen->setAutoRaise(true);
        layout()->activate();
        const QRect at = chosen->geometry();
        m_selectionFrame->setGeometry(at.x() - FrameOffset - 3,
                                      at.y() - FrameOffset - 3,
                                      at.width() + 2 * (FrameOffset + 3),
                                      at.height() + 2 * (FrameOffset + 3));
        m_selectionFrame->show();
        m_selectionFrame->lower();
    }

    void GridBackgroundSelector::onThumbnail(int index)
    {
        m_buttons[UseAbove]->setEnabled(true);
        frameThumbnail(index);
        m_pending = index + 1;
        m_display.show(GridBackground::picture(m_pending));
    }

    void GridBackgroundSelector::onUseAbove()
    {
        if (m_pending == 0) {
            return;
        }
        m_display.keep(GridBackground::picture(m_pending));
        close();
    }

    void GridBackgroundSelector::onUseDefault()
    {
        m_display.keep(GridBackground());
        close();
    }

    void GridBackgroundSelector::onSelectColor()
    {
        const std::optional<QColor> chosen = m_display.m_dialogs.chooseColor(m_display.backgroundColor());
        if (!chosen) {
            // The grids go on showing what they showed before the dialog.
            return;
        }
        m_display.keep(GridBackground::color(*chosen));
        close();
    }

    void GridBackgroundSelector::onExit()
    {
        m_display.show(m_display.background());
        close();
    }

    void GridBackgroundSelector::close()
    {
        m_pending = 0;
        hide();
    }

    void GridBackgroundSelector::keyPressEvent(QKeyEvent* event)
    {
        if (event->key() == Qt::Key_Escape) {
            onExit();
            return;
        }
        QFrame::keyPressEvent(event);
    }

} // namespace qv
