#include "printsettings.h"

#include "fontfallback.h"
#include "pageengine.h"

namespace qv {

    namespace {

        constexpr double FallbackSize = 12;

        const QString& timesNewRoman()
        {
            static const QString face = QStringLiteral("Times New Roman");
            return face;
        }

        bool isScreenOnlyFace(const QString& face)
        {
            return face.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0 ||
                   face.compare(u"MS Serif", Qt::CaseInsensitive) == 0;
        }

    } // namespace

    QFont PrintSettings::font() const
    {
        QFont f(fontName);
        f.setPointSizeF(fontSize > 0 ? fontSize : FallbackSize);
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        f.setStrikeOut(strikeOut);
        return f;
    }

    void PrintSettings::setFont(const QFont& font)
    {
        fontName = font.family();
        // A pixel-sized font reports a point size of -1.
        fontSize = font.pointSizeF() > 0 ? font.pointSizeF() : FallbackSize;
        bold = font.bold();
        italic = font.italic();
        underline = font.underline();
        strikeOut = font.strikeOut();
    }

    void PrintSettings::applyFont(PageEngine& engine) const
    {
        engine.setFontName(fontName);
        engine.setFontSize(fontSize > 0 ? fontSize : FallbackSize);
        engine.setFontBold(bold);
        engine.setFontItalic(italic);
        engine.setFontUnderline(underline);
        engine.setFontStrikeThrough(strikeOut);
        engine.setTextColor(color);
        engine.setLineColor(color);
    }

    void PrintSettings::applyPage(PageEngine& engine) const
    {
        engine.setPaperSize(paper);
        engine.setMarginLeft(margins.left);
        engine.setMarginTop(margins.top);
        engine.setMarginRight(margins.right);
        engine.setMarginBottom(margins.bottom);
        engine.setOrientation(orientation);
    }

    bool isPrintableFace(const QString& face)
    {
        return isInstalledFace(face) || !installedSubstitute(face).isEmpty();
    }

    PrinterFont printerFont(const QString& face,
                            double size,
                            ScreenFaces screenFaces,
                            const std::function<bool(const QString&)>& accepts)
    {
        PrinterFont chosen{face, size};
        if (screenFaces == ScreenFaces::Replace && isScreenOnlyFace(face))
            chosen = PrinterFont{timesNewRoman(), FallbackSize};
        if (accepts && !accepts(chosen.face)) {
            // The face is recorded as "Courier" even when the printer refuses that too: there is
            // nothing further to fall back on, and the engine draws its nearest face.
            chosen.face = accepts(timesNewRoman()) ? timesNewRoman() : QStringLiteral("Courier");
        }
        if (chosen.size <= 0)
            chosen.size = FallbackSize;
        return chosen;
    }

    void beginReport(PageEngine& engine, const PrintSettings& settings)
    {
        engine.setPreview(true);
        engine.clear();
        settings.applyPage(engine);
        settings.applyFont(engine);
        engine.startDoc();
    }

} // namespace qv
