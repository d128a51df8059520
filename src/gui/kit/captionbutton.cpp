#include "captionbutton.h"

#include "palette.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace qv {

    namespace {
        constexpr int HorizontalPadding = 8;
        constexpr int VerticalPadding = 4;
        constexpr int TextFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    } // namespace

    CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
        : QPushButton(caption, parent)
    {
        QSizePolicy policy = sizePolicy();
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
        setSelectedLook(false);
    }

    void CaptionButton::setSelectedLook(bool selected, bool bold)
    {
        m_selected = selected;
        QPalette pal = palette();
        const QColor colour = paletteColor(selected ? PaletteBrightBlue : PaletteBlack);
        // Only the enabled groups: a disabled button keeps the style's greyed caption.
        pal.setColor(QPalette::Active, QPalette::ButtonText, colour);
        pal.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
        setPalette(pal);
        QFont f = font();
        f.setBold(selected && bold);
        setFont(f);
        update();
    }

    bool CaptionButton::hasSelectedLook() const
    {
        return m_selected;
    }

    void CaptionButton::setUnderlined(bool underlined)
    {
        QFont f = font();
        f.setUnderline(underlined);
        setFont(f);
        update();
    }

    bool CaptionButton::isUnderlined() const
    {
        return font().underline();
    }

    QColor CaptionButton::captionColor() const
    {
        return palette().color(QPalette::Active, QPalette::ButtonText);
    }

    QSize CaptionButton::sizeHint() const
    {
        // As wide as the caption on one line would like, but never wider than a long caption needs
        // when it wraps onto two lines.
        const QFontMetrics fm(font());
        const QRect one = fm.boundingRect(QRect(0, 0, 10000, 1000), TextFlags, text());
        const int width = qMin(one.width(), 220) + 2 * HorizontalPadding;
        const QRect wrapped = fm.boundingRect(QRect(0, 0, width - 2 * HorizontalPadding, 1000), TextFlags, text());
        return QSize(width, qMax(wrapped.height() + 2 * VerticalPadding + 6, 28));
    }

    bool CaptionButton::hasHeightForWidth() const
    {
        return true;
    }

    int CaptionButton::heightForWidth(int width) const
    {
        const QFontMetrics fm(font());
        const QRect wrapped =
            fm.boundingRect(QRect(0, 0, qMax(1, width - 2 * HorizontalPadding), 1000), TextFlags, text());
        return qMax(wrapped.height() + 2 * VerticalPadding + 6, 28);
    }

    QSize CaptionButton::minimumSizeHint() const
    {
        const QFontMetrics fm(font());
        return QSize(fm.averageCharWidth() * 6, fm.height() + 2 * VerticalPadding);
    }

    void CaptionButton::paintEvent(QPaintEvent*)
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);

        QRect textRect = rect().adjusted(HorizontalPadding, VerticalPadding, -HorizontalPadding, -VerticalPadding);
        if (isDown()) {
            textRect.translate(1, 1);
        }
        painter.setPen(isEnabled() ? captionColor() : palette().color(QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(textRect, TextFlags, caption);
    }

} // namespace qv
