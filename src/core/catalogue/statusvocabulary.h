#pragma once

#include <QStringList>
#include <QStringView>

#include <optional>

// What the status box offers and where a pick is filed. Both depend only on the Action Area's area and
// the chosen item, so the screen and the reports share one answer.
namespace qv::statuses {

    inline constexpr int WorksheetCount = 21;
    inline constexpr int FirstWorksheetRecord = 48;
    inline constexpr int RecordCount = 68; // records 1–47 the safeguards, 48–68 the worksheets

    // The fixed status the "Safeguard Example" area shows; a pick there is never stored.
    inline constexpr QStringView ExampleStatus = u"Completed";

    struct Vocabulary
    {
        QStringView label; // the label beside the status box
        QStringList items; // in the order offered; the first, a single blank, clears the status
    };

    // The words offered in area: the safeguard words in areas 2–6 and 9, the worksheet words in area
    // 7, none elsewhere.
    std::optional<Vocabulary> vocabularyForArea(int area);
    Vocabulary safeguardVocabulary();
    Vocabulary worksheetVocabulary();

    // The status record that item (the chosen button index) of area is filed under: safeguard
    // number in areas 2–6, 48 + worksheet in area 7. None for other areas or an item the area does
    // not have.
    std::optional<int> recordFor(int area, int item);

    // Whether a picked status says the safeguard will not be implemented, which the user is reminded
    // to justify in the notes. Surrounding blanks do not count.
    bool isNotImplemented(QStringView status);

    inline constexpr QStringView NotImplementedTitle = u"Safeguard Not Being Implemented";
    inline constexpr QStringView NotImplementedText = u"If this safeguard is not being implemented, be sure and\r"
                                                      u"document in the Action Taken or Comments/Notes\r"
                                                      u"area why it is not being implemented!";

} // namespace qv::statuses
