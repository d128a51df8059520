#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

class QTextDocument;

namespace qv {
    class ProgramFolder;
}

// The three read-only texts that stand beside every catalogue entry: the rule's own words that lead
// to the entry's implementation specification, what the final rule said about it, and our advice.
// Most are assembled from data files compiled into the program; a few are installed documents.
namespace qv::reftexts {

    enum class Kind
    {
        Specification, // "Implementation specification"
        References, // "References in Rule"
        Information // "Additional Information"
    };

    inline constexpr std::array<Kind, 3> Kinds = {Kind::Specification, Kind::References, Kind::Information};

    // The first line of an assembled text, e.g. "Implementation Specification:".
    QString heading(Kind kind);

    // The lines said to an Addressable entry before its advice, in order.
    QStringList addressableParagraph();

    // Whether the entry with this file number has a text of this kind at all. The overview entries
    // describe a whole family and have no specification of their own.
    bool isAvailable(int file, Kind kind);

    // The installed document that is shown instead of an assembled text, when there is one.
    std::optional<QString> installedFile(int file, Kind kind);

    // Available and not installed: the program assembles it.
    bool isAssembled(int file, Kind kind);

    // The lines of the data file behind an assembled text, without trailing empty lines; empty when
    // there is no data file.
    QStringList bodyLines(int file, Kind kind);

    // The whole assembled text, lines joined by CR LF: the heading, an empty line, then the parts of
    // the kind with an empty line between them. A part whose data file is missing is left out, so a
    // text is never worse than its heading. Empty for a text that is installed or not available.
    QString assembled(int file, Kind kind);

    // The phrase set off in the assembled text; empty when it has none.
    QString highlightPhrase(int file, Kind kind);

    // The entry's emphasis word, set off in its printed notes; empty for the overview entries.
    QString printEmphasis(int file);

    enum class Emphasis
    {
        Off,
        On
    };

    // Replaces doc's content with the assembled text, its highlight phrase set off when asked to.
    // Leaves doc empty for a text that is not assembled.
    void placeAssembled(int file, Kind kind, QTextDocument& doc, Emphasis emphasis);

    // Loads the installed document called name into doc; a missing one leaves doc empty.
    using InstalledLoader = std::function<void(const QString& name, QTextDocument& doc)>;

    // The entry's three texts as the printed notes take them, each document cleared first: installed
    // documents through load, the others assembled without emphasis (the print sets off the entry's
    // emphasis word over the whole page instead). An unavailable text leaves its document empty.
    void placeReferenceTexts(int file,
                             const InstalledLoader& load,
                             QTextDocument& spec,
                             QTextDocument& refs,
                             QTextDocument& info);
    // The same, with installed documents read from folder's content place.
    void placeReferenceTexts(int file,
                             const ProgramFolder& folder,
                             QTextDocument& spec,
                             QTextDocument& refs,
                             QTextDocument& info);

} // namespace qv::reftexts
