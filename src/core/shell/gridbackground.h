#pragma once

#include "core/storage/fixedrecordfile.h"
#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QColor>
#include <QString>

// The background of the Action Area's working grids, remembered as one text in record 42 of
// "GColor1.Fil": "WP" + n for picture n of the sixteen installed ones, "Default" for the grids' own
// colour, or a colour number in decimal.
namespace qv::display {

    QString gridFileName(); // "GColor1.Fil", records of 20 bytes
    inline constexpr int GridRecordLength = 20;
    inline constexpr int GridBackgroundRecord = 42;
    inline constexpr int PictureCount = 16;

    class GridBackground
    {
    public:
        enum class Kind
        {
            Default,
            Picture,
            Color
        };

        GridBackground() = default;
        static GridBackground picture(int number);
        static GridBackground color(const QColor& color);

        // The setting as stored. Anything that names no installed picture and no colour is Default,
        // so a garbled record can never name a file outside the sixteen pictures.
        static GridBackground fromSetting(const QString& setting);
        QString setting() const;

        Kind kind() const
        {
            return m_kind;
        }
        // 1 to PictureCount for a picture, else 0.
        int pictureNumber() const
        {
            return m_picture;
        }
        // The installed picture's file name, "WP" + n + ".jpg"; empty when this is no picture.
        QString pictureFile() const;
        // The colour of a Color background; invalid otherwise.
        QColor backgroundColor() const
        {
            return m_color;
        }

        friend bool operator==(const GridBackground&, const GridBackground&) = default;

    private:
        Kind m_kind = Kind::Default;
        int m_picture = 0;
        QColor m_color;
    };

    QString pictureFileName(int number);

    GridBackground gridBackgroundFrom(const FixedRecords& gridFile);
    // A missing or unreadable file gives the default background.
    GridBackground readGridBackground(const ProgramFolder& folder);
    Status writeGridBackground(const ProgramFolder& folder, const GridBackground& background);

    // Text in the colour of the background it stands on cannot be read: such a text colour is refused.
    bool colorsConflict(const QColor& text, const QColor& background);

} // namespace qv::display
