#pragma once

#include "core/storage/fixedrecordfile.h"
#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QColor>
#include <QString>

#include <optional>

// How the program is displayed, remembered in three small fixed-record files of the data folder:
// the window mode and size, the grid text colour and the print previews' guide lines in
// "GColor3.Fil", the start screen's background in "HINV3.Fil" (the grid background, in "GColor1.Fil",
// is in gridbackground.h). Reading never fails: a missing, unreadable or garbled file gives the
// defaults. Every write replaces its file atomically, so a failed one leaves the file as it was.
namespace qv::display {

    // Sizes are in twips, 15 to a pixel, as the files keep them.
    inline constexpr int TwipsPerPixel = 15;
    // A remembered smaller window is never narrower than this, nor lower than MinHeight once shown.
    inline constexpr int MinWidth = 15100;
    inline constexpr int MinHeight = 11200;
    // A remembered height below this one opens at MinHeight.
    inline constexpr int LowestKeptHeight = 11100;
    // "&Default Screen Size".
    inline constexpr int DefaultWidth = 15100;
    inline constexpr int DefaultHeight = 11200;
    // The screen the program runs on must be at least this large (1024 by 768 pixels would do).
    inline constexpr int MinScreenWidth = 15100;
    inline constexpr int MinScreenHeight = 11200;

    QString screenFileName(); // "GColor3.Fil", records of 20 bytes
    QString startFileName(); // "HINV3.Fil", records of 10 bytes
    inline constexpr int ScreenRecordLength = 20;
    inline constexpr int StartRecordLength = 10;

    namespace record {
        inline constexpr int GridTextColor = 4;
        inline constexpr int GuideLines = 11;
        inline constexpr int SmallerScreen = 35;
        inline constexpr int WindowHeight = 36;
        inline constexpr int WindowWidth = 37;
        inline constexpr int StartBackground = 3;
    } // namespace record

    struct WindowTwips
    {
        double height = 0;
        double width = 0;
        friend bool operator==(const WindowTwips&, const WindowTwips&) = default;
    };

    // Whether the program runs in a window of a remembered size ("Smaller Screen Display") or
    // maximised, and that size as stored, before any limit.
    struct ScreenPreference
    {
        bool smaller = false;
        WindowTwips stored;
    };

    // The size a remembered smaller window opens at: a height below LowestKeptHeight becomes
    // MinHeight, a width below MinWidth becomes MinWidth.
    WindowTwips openingSize(WindowTwips stored);
    // The size a resized window is held to: never narrower than MinWidth nor lower than MinHeight.
    WindowTwips heldSize(WindowTwips size);
    // Whether a screen of that many pixels is large enough for the program.
    bool screenIsLargeEnough(int widthPixels, int heightPixels);

    // Colours are kept as numbers laid out 0x00BBGGRR, red in the low byte.
    qint32 colorNumber(const QColor& color);
    // The colour of a stored number; nothing for a number that is no plain colour (negative, or
    // above 0xFFFFFF, where system colours live).
    std::optional<QColor> colorFromNumber(double number);

    // The readers over the bytes of the files, for the files' own readers below and for fuzzing.
    ScreenPreference screenPreferenceFrom(const FixedRecords& screenFile);
    std::optional<QColor> gridTextColorFrom(const FixedRecords& screenFile);
    std::optional<int> guideLineOptionFrom(const FixedRecords& screenFile);

    // The start screen's background: the default colour of the screen, or a colour of the user's.
    struct StartBackground
    {
        bool useDefault = false;
        QColor color;
        friend bool operator==(const StartBackground&, const StartBackground&) = default;
    };
    // Pure blue, the background of a start screen whose background was never chosen.
    inline constexpr qint32 FirstStartBackground = 16711680;
    StartBackground startBackgroundFrom(const FixedRecords& startFile);

    // ---- The files -----------------------------------------------------------------------------

    // A missing or unreadable file gives full screen display.
    ScreenPreference readScreenPreference(const ProgramFolder& folder);
    // "Yes" and the window size as floats: the window is in normal state with that size.
    Status writeSmallerScreen(const ProgramFolder& folder, WindowTwips size);
    // The window size as floats, leaving the mode as it is.
    Status writeWindowSize(const ProgramFolder& folder, WindowTwips size);
    // "No": the next start runs maximised; the last smaller size stays.
    Status writeFullScreen(const ProgramFolder& folder);
    // "Yes" and DefaultHeight x DefaultWidth as 16-bit integers.
    Status writeDefaultScreenSize(const ProgramFolder& folder);

    // The colour chosen with "Grid Font Color"; nothing when none was ever chosen.
    std::optional<QColor> readGridTextColor(const ProgramFolder& folder);
    Status writeGridTextColor(const ProgramFolder& folder, const QColor& color);

    // The guide-line option every print preview offers: 0 "Do Not Display Guide Lines", 1 "Display
    // Guide Lines". Nothing when no option was ever chosen or the file says something else; the
    // preview then selects neither and shows no guide lines. Reading never writes the file back.
    std::optional<int> readGuideLineOption(const ProgramFolder& folder);
    // option must be 0 or 1; it is stored as that decimal digit.
    Status writeGuideLineOption(const ProgramFolder& folder, int option);

    // A missing or unreadable file gives FirstStartBackground.
    StartBackground readStartBackground(const ProgramFolder& folder);
    Status writeStartBackground(const ProgramFolder& folder, const StartBackground& background);

} // namespace qv::display
