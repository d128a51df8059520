#include "displaysettings.h"

#include <cmath>
#include <functional>

namespace qv::display {

    namespace {

        FixedRecords loaded(const ProgramFolder& folder, const QString& name, int recordLength)
        {
            Result<FixedRecords> records = FixedRecordFile(folder, name, recordLength).load();
            return records ? std::move(records).value() : FixedRecords(recordLength);
        }

        // Several records change together in one replacement of the file, so a failure leaves none of
        // them changed: a mode of "Yes" never stands beside the size of another window.
        Status change(const ProgramFolder& folder,
                      const QString& name,
                      int recordLength,
                      const std::function<Status(FixedRecords&)>& edit)
        {
            const FixedRecordFile file(folder, name, recordLength);
            Result<FixedRecords> records = file.load();
            if (!records) {
                return records.status();
            }
            FixedRecords edited = std::move(records).value();
            if (const Status changed = edit(edited); !changed) {
                return changed;
            }
            return file.save(edited);
        }

        Status setSize(FixedRecords& records, WindowTwips size)
        {
            if (Status s = records.setValue(record::WindowHeight, RecordValue::fromFloat(float(size.height))); !s) {
                return s;
            }
            return records.setValue(record::WindowWidth, RecordValue::fromFloat(float(size.width)));
        }

        bool isNumber(const RecordValue& value)
        {
            switch (value.type()) {
            case RecordValue::Type::Int16:
            case RecordValue::Type::Int32:
            case RecordValue::Type::Float:
                return true;
            case RecordValue::Type::String: {
                bool ok = false;
                value.toString().trimmed().toDouble(&ok);
                return ok;
            }
            case RecordValue::Type::Empty:
                break;
            }
            return false;
        }

    } // namespace

    QString screenFileName()
    {
        return QStringLiteral("GColor3.Fil");
    }

    QString startFileName()
    {
        return QStringLiteral("HINV3.Fil");
    }

    WindowTwips openingSize(WindowTwips stored)
    {
        if (!(stored.height >= LowestKeptHeight)) {
            stored.height = MinHeight;
        }
        if (!(stored.width >= MinWidth)) {
            stored.width = MinWidth;
        }
        return stored;
    }

    WindowTwips heldSize(WindowTwips size)
    {
        // Written so that a NaN from a garbled file is held too.
        if (!(size.width >= MinWidth)) {
            size.width = MinWidth;
        }
        if (!(size.height >= MinHeight)) {
            size.height = MinHeight;
        }
        return size;
    }

    bool screenIsLargeEnough(int widthPixels, int heightPixels)
    {
        return qint64(widthPixels) * TwipsPerPixel >= MinScreenWidth &&
               qint64(heightPixels) * TwipsPerPixel >= MinScreenHeight;
    }

    qint32 colorNumber(const QColor& color)
    {
        const QColor rgb = color.toRgb();
        return qint32(rgb.red()) | (qint32(rgb.green()) << 8) | (qint32(rgb.blue()) << 16);
    }

    std::optional<QColor> colorFromNumber(double number)
    {
        if (!std::isfinite(number) || number < 0 || number > 0xFFFFFF || number != std::floor(number)) {
            return std::nullopt;
        }
        const auto n = static_cast<quint32>(number);
        return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
    }

    ScreenPreference screenPreferenceFrom(const FixedRecords& screenFile)
    {
        ScreenPreference preference;
        preference.smaller = screenFile.string(record::SmallerScreen).left(3).trimmed() == u"Yes";
        const double height = screenFile.value(record::WindowHeight).toDouble();
        const double width = screenFile.value(record::WindowWidth).toDouble();
        preference.stored.height = std::isfinite(height) ? height : 0;
        preference.stored.width = std::isfinite(width) ? width : 0;
        return preference;
    }

    std::optional<QColor> gridTextColorFrom(const FixedRecords& screenFile)
    {
        const RecordValue value = screenFile.value(record::GridTextColor);
        if (!isNumber(value)) {
            return std::nullopt;
        }
        return colorFromNumber(value.toDouble());
    }

    std::optional<int> guideLineOptionFrom(const FixedRecords& screenFile)
    {
        const QString option = screenFile.string(record::GuideLines).trimmed();
        if (option == u"0") {
            return 0;
        }
        if (option == u"1") {
            return 1;
        }
        return std::nullopt;
    }

    StartBackground startBackgroundFrom(const FixedRecords& startFile)
    {
        const RecordValue value = startFile.value(record::StartBackground);
        const auto firstStart = [] { return StartBackground{false, *colorFromNumber(FirstStartBackground)}; };
        if (value.isEmpty()) {
            return firstStart();
        }
        if (value.type() == RecordValue::Type::String && value.toString().trimmed() == u"Def") {
            return {true, {}};
        }
        // A number that is no colour would leave the screen as it is made: in its default colour.
        const std::optional<QColor> color = isNumber(value) ? colorFromNumber(value.toDouble()) : std::nullopt;
        if (!color) {
            return {true, {}};
        }
        return {false, *color};
    }

    ScreenPreference readScreenPreference(const ProgramFolder& folder)
    {
        return screenPreferenceFrom(loaded(folder, screenFileName(), ScreenRecordLength));
    }

    Status writeSmallerScreen(const ProgramFolder& folder, WindowTwips size)
    {
        return change(folder, screenFileName(), ScreenRecordLength, [size](FixedRecords& records) {
            if (Status s = records.setString(record::SmallerScreen, u"Yes"); !s) {
                return s;
            }
            return setSize(records, size);
        });
    }

    Status writeWindowSize(const ProgramFolder& folder, WindowTwips size)
    {
        return change(folder, screenFileName(), ScreenRecordLength, [size](FixedRecords& records) {
            return setSize(records, size);
        });
    }

    Status writeFullScreen(const ProgramFolder& folder)
    {
        return change(folder, screenFileName(), ScreenRecordLength, [](FixedRecords& records) {
            return records.setString(record::SmallerScreen, u"No");
        });
    }

    Status writeDefaultScreenSize(const ProgramFolder& folder)
    {
        return change(folder, screenFileName(), ScreenRecordLength, [](FixedRecords& records) {
            if (Status s = records.setString(record::SmallerScreen, u"Yes"); !s) {
                return s;
            }
            if (Status s = records.setValue(record::WindowHeight, RecordValue::fromInt16(DefaultHeight)); !s) {
                return s;
            }
            return records.setValue(record::WindowWidth, RecordValue::fromInt16(DefaultWidth));
        });
    }

    std::optional<QColor> readGridTextColor(const ProgramFolder& folder)
    {
        return gridTextColorFrom(loaded(folder, screenFileName(), ScreenRecordLength));
    }

    Status writeGridTextColor(const ProgramFolder& folder, const QColor& color)
    {
        return FixedRecordFile(folder, screenFileName(), ScreenRecordLength)
            .writeValue(record::GridTextColor, RecordValue::fromInt32(colorNumber(color)));
    }

    std::optional<int> readGuideLineOption(const ProgramFolder& folder)
    {
        return guideLineOptionFrom(loaded(folder, screenFileName(), ScreenRecordLength));
    }

    Status writeGuideLineOption(const ProgramFolder& folder, int option)
    {
        if (option != 0 && option != 1) {
            return Status::failure(QStringLiteral("The guide-line option is 0 or 1, not %1.").arg(option));
        }
        return FixedRecordFile(folder, screenFileName(), ScreenRecordLength)
            .writeString(record::GuideLines, QString::number(option));
    }

    StartBackground readStartBackground(const ProgramFolder& folder)
    {
        return startBackgroundFrom(loaded(folder, startFileName(), StartRecordLength));
    }

    Status writeStartBackground(const ProgramFolder& folder, const StartBackground& background)
    {
        const RecordValue value = background.useDefault ? RecordValue::fromString(QStringLiteral("Def"))
                                                        : RecordValue::fromInt32(colorNumber(background.color));
        return FixedRecordFile(folder, startFileName(), StartRecordLength).writeValue(record::StartBackground, value);
    }

} // namespace qv::display
