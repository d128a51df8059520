#pragma once

#include <QColor>
#include <QString>

class QAbstractItemView;

namespace qv {

    // How a working grid looks behind its cells: a picture stretched over the visible part of the
    // grid, or a plain colour, and the colour of the text in its cells.
    struct GridLook
    {
        // The picture file; empty for none. A file that cannot be read leaves the plain colour.
        QString picture;
        // Shown where there is no picture; also the colour a text colour must differ from.
        QColor background;
        QColor text;

        friend bool operator==(const GridLook&, const GridLook&) = default;
    };

    // Gives the grid that look. The picture stays put while the cells scroll over it, like a
    // watermark, so the text over it never lands on a seam.
    void applyGridLook(QAbstractItemView* grid, const GridLook& look);
    // The look the grid has now: what applyGridLook gave it, or its own colours.
    GridLook gridLook(const QAbstractItemView* grid);

} // namespace qv
