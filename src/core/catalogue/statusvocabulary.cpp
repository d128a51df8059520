#include "statusvocabulary.h"

#include "catalogue.h"

namespace qv::statuses {

    Vocabulary safeguardVocabulary()
    {
        return {u"Current Status:",
                {QStringLiteral(" "),
                 QStringLiteral("Pending"),
                 QStringLiteral("Working"),
                 QStringLiteral("Completed"),
                 QStringLiteral("Review"),
                 QStringLiteral("Not Implemented")}};
    }

    Vocabulary worksheetVocabulary()
    {
        return {u" Compliance Status:",
                {QStringLiteral(" "),
                 QStringLiteral("Yes"),
                 QStringLiteral("No"),
                 QStringLiteral("Partial"),
                 QStringLiteral("Planned")}};
    }

    std::optional<Vocabulary> vocabularyForArea(int area)
    {
        constexpr int WorksheetArea = 7;
        constexpr int ExampleArea = 9;
        if (catalogue::familyOfArea(area) || area == ExampleArea) {
            return safeguardVocabulary();
        }
        if (area == WorksheetArea) {
            return worksheetVocabulary();
        }
        return std::nullopt;
    }

    std::optional<int> recordFor(int area, int item)
    {
        constexpr int WorksheetArea = 7;
        if (area == WorksheetArea) {
            if (item < 0 || item >= WorksheetCount) {
                return std::nullopt;
            }
            return FirstWorksheetRecord + item;
        }
        if (const std::optional<catalogue::Family> family = catalogue::familyOfArea(area)) {
            return catalogue::safeguardNumber(*family, item);
        }
        return std::nullopt;
    }

    bool isNotImplemented(QStringView status)
    {
        // Blanks only: the text comes from the status box, whose items hold no other white space.
        qsizetype begin = 0;
        qsizetype end = status.size();
        while (begin < end && status[begin] == u' ') {
            ++begin;
        }
        while (end > begin && status[end - 1] == u' ') {
            --end;
        }
        return status.sliced(begin, end - begin) == u"Not Implemented";
    }

} // namespace qv::statuses
