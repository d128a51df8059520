#pragma once

#include "printsettings.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QTextDocument;

namespace qv {

    class PageEngine;
    class ProgramFolder;

    // The six panes the notes report can print, in the order of the print options' boxes.
    enum class NotesPane
    {
        Specification,
        References,
        Information,
        ActionTaken,
        Comments,
        Policies
    };
    inline constexpr int NotesPaneCount = 6;

    // What the notes report prints: the ticked panes' documents (a null or blank one prints nothing)
    // and the entry's emphasis word.
    struct NotesReportInput
    {
        std::array<bool, NotesPaneCount> ticked{};
        std::array<const QTextDocument*, NotesPaneCount> panes{};
        QString emphasis;
    };

    // True when doc holds nothing but blanks (or is null).
    bool isBlank(const QTextDocument* doc);

    // The message that refuses a tick, with its title.
    struct TickRefusal
    {
        QString title;
        QString text;
        bool operator==(const TickRefusal&) const = default;
    };

    // Why pane cannot be ticked for the safeguard called name: a note with nothing in it, or the
    // implementation specification of a family's overview entry, which has none. nullopt when it can.
    std::optional<TickRefusal>
    tickRefusal(NotesPane pane, const QTextDocument* doc, bool overviewEntry, const QString& name);

    // The rule block: the plain texts of the ticked rule panes in box order, joined by an empty line,
    // set in the settings' font, strikethrough and colour, every whole-word occurrence of emphasis set
    // off in bold and underlined. Empty when no rule pane is ticked (or all ticked ones are blank).
    std::unique_ptr<QTextDocument> composeRuleBlock(const NotesReportInput& input, const PrintSettings& settings);

    // The headings the notes sections print above their text.
    QString notesHeading(NotesPane pane);

    // Within this distance of the page's bottom edge the policy section starts on a new page.
    inline constexpr double PolicyNewPageZone = 1200;

    // Composes the notes report on engine with settings: the rule block, then each ticked and
    // non-blank note under its heading.
    void composeNotesReport(PageEngine& engine, const PrintSettings& settings, const NotesReportInput& input);

    // Composes the single-document print: doc as one rich-text block within the settings' margins.
    void composeSingleDocument(PageEngine& engine, const PrintSettings& settings, const QTextDocument& doc);

    // Called with n = 0 to 46 before policy n is loaded; the maximum is AllPoliciesLast.
    using PolicyProgress = std::function<void(int n)>;
    inline constexpr int AllPoliciesLast = 46;

    // Composes every stored policy ("Policy0.Fil" to "Policy46.Fil" in folder's data place) one per
    // page with the settings' font, colour, margins and orientation (whoever starts the print writes
    // the all-policies margins into the settings first); a missing, unreadable or blank policy is
    // skipped. Returns how many policies were printed.
    int composeAllPolicies(PageEngine& engine,
                           const PrintSettings& settings,
                           const ProgramFolder& folder,
                           const PolicyProgress& progress = {});

} // namespace qv
