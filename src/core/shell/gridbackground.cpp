#include "gridbackground.h"

#include "displaysettings.h"

namespace qv::display {

    QString gridFileName()
    {
        return QStringLiteral("GColor1.Fil");
    }

    QString pictureFileName(int number)
    {
        return QStringLiteral("WP%1.jpg").arg(number);
    }

    GridBackground GridBackground::picture(int number)
    {
        GridBackground background;
        if (number >= 1 && number <= PictureCount) {
            background.m_kind = Kind::Picture;
            background.m_picture = number;
        }
        return background;
    }

    GridBackground GridBackground::color(const QColor& color)
    {
        GridBackground background;
        if (color.isValid()) {
            background.m_kind = Kind::Color;
            background.m_color = color.toRgb();
        }
        return background;
    }

    GridBackground GridBackground::fromSetting(const QString& setting)
    {
        QString text = setting;
        while (!text.isEmpty() && text.back().isSpace()) {
            text.chop(1);
        }
        if (text.left(2).toUpper() == u"WP") {
            bool ok = false;
            const int number = text.mid(2).toInt(&ok);
            return ok && text.mid(2) == QString::number(number) ? picture(number) : GridBackground();
        }
        if (text == u"Default") {
            return {};
        }
        bool ok = false;
        const double number = text.trimmed().toDouble(&ok);
        const std::optional<QColor> parsed = ok ? colorFromNumber(number) : std::nullopt;
        return parsed ? color(*parsed) : GridBackground();
    }

    QString GridBackground::setting() const
    {
        switch (m_kind) {
        case Kind::Picture:
            return QStringLiteral("WP") + QString::number(m_picture);
        case Kind::Color:
            return QString::number(colorNumber(m_color));
        case Kind::Default:
            break;
        }
        return QStringLiteral("Default");
    }

    QString GridBackground::pictureFile() const
    {
        return m_kind == Kind::Picture ? pictureFileName(m_picture) : QString();
    }

    GridBackground gridBackgroundFrom(const FixedRecords& gridFile)
    {
        return GridBackground::fromSetting(gridFile.string(GridBackgroundRecord));
    }

    GridBackground readGridBackground(const ProgramFolder& folder)
    {
        const Result<FixedRecords> records = FixedRecordFile(folder, gridFileName(), GridRecordLength).load();
        return records ? gridBackgroundFrom(records.value()) : GridBackground();
    }

    Status writeGridBackground(const ProgramFolder& folder, const GridBackground& background)
    {
        return FixedRecordFile(folder, gridFileName(), GridRecordLength)
            .writeString(GridBackgroundRecord, background.setting());
    }

    bool colorsConflict(const QColor& text, const QColor& background)
    {
        return text.isValid() && background.isValid() && text.rgb() == background.rgb();
    }

} // namespace qv::display
