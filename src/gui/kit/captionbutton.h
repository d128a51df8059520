#pragma once

#include <QPushButton>

namespace qv {

    // A command button whose caption wraps onto several lines when it is wider than the button, and
    // that can be drawn as the selected one of its group: bright blue, usually bold. Captions such as
    // "Business associate contracts or other arrangements Standard" must stay readable on a button
    // sized for its neighbours.
    class CaptionButton : public QPushButton
    {
        Q_OBJECT

    public:
        explicit CaptionButton(const QString& caption, QWidget* parent = nullptr);

        // Selected: bright blue text, bold unless bold is false. Unselected: black, normal weight.
        void setSelectedLook(bool selected, bool bold = true);
        bool hasSelectedLook() const;
        // An underlined caption marks a button whose document holds something; the selected look
        // keeps it.
        void setUnderlined(bool underlined);
        bool isUnderlined() const;
        // The colour the caption is drawn in.
        QColor captionColor() const;

        QSize sizeHint() const override;
        QSize minimumSizeHint() const override;
        bool hasHeightForWidth() const override;
        int heightForWidth(int width) const override;

    protected:
        void paintEvent(QPaintEvent* event) override;

    private:
        bool m_selected = false;
    };

} // namespace qv
