#include "dialogs.h"

#include "palette.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace qv {

    namespace {

        constexpr double TwipsPerPoint = 20.0;

        int pointsToTwips(double points)
        {
            return static_cast<int>(std::lround(points * TwipsPerPoint));
        }

        // The colours the common font dialog offers, named as it names them.
        constexpr std::array<const char*, PaletteSize> paletteNames = {
            "Black",
            "Navy",
            "Green",
            "Teal",
            "Maroon",
            "Purple",
            "Olive",
            "Silver",
            "Gray",
            "Blue",
            "Lime",
            "Aqua",
            "Red",
            "Fuchsia",
            "Yellow",
            "White",
        };

        QIcon swatch(const QColor& color)
        {
            QPixmap pixmap(16, 16);
            pixmap.fill(color);
            return QIcon(pixmap);
        }

        // Qt's font dialog has no colour; the common font dialog has, so the colour list sits under it.
        class FontAndColorDialog : public QDialog
        {
        public:
            FontAndColorDialog(const FontChoice& initial, QWidget* parent)
                : QDialog(parent)
                , m_fonts(new QFontDialog(initial.font, this))
                , m_colors(new QComboBox(this))
            {
                setWindowTitle(QStringLiteral("Font"));
                m_fonts->setObjectName(QStringLiteral("fontChooser"));
                m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
                m_fonts->setWindowFlags(Qt::Widget);
                m_colors->setObjectName(QStringLiteral("fontColor"));
                int current = -1;
                for (int i = 0; i < PaletteSize; ++i) {
                    const QColor c = paletteColor(i);
                    m_colors->addItem(swatch(c), QLatin1String(paletteNames[static_cast<size_t>(i)]), c);
                    if (c.rgb() == initial.color.rgb()) {
                        current = i;
                    }
                }
                if (current < 0) {
                    m_colors->addItem(swatch(initial.color), QStringLiteral("Custom"), initial.color);
                    current = m_colors->count() - 1;
                }
                m_colors->setCurrentIndex(current);

                auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
                connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
                connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

                auto* colorRow = new QFormLayout;
                colorRow->addRow(QStringLiteral("&Color:"), m_colors);
                auto* layout = new QVBoxLayout(this);
                layout->addWidget(m_fonts);
                layout->addLayout(colorRow);
                layout->addWidget(buttons);
            }

            FontChoice choice() const
            {
                return {m_fonts->currentFont(), m_colors->currentData().value<QColor>()};
            }

        private:
            QFontDialog* m_fonts;
            QComboBox* m_colors;
        };

    } // namespace

    Dialogs::~Dialogs() = default;

    QtDialogs::QtDialogs(QWidget* parent)
        : m_parent(parent)
    {
    }

    QtDialogs::~QtDialogs() = default;

    void QtDialogs::setParent(QWidget* parent)
    {
        m_parent = parent;
    }

    QWidget* QtDialogs::parentWidget() const
    {
        return m_parent ? m_parent.data() : QApplication::activeWindow();
    }

    std::optional<QColor> QtDialogs::chooseColor(const QColor& initial)
    {
        QColorDialog dialog(initial, parentWidget());
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.currentColor();
    }

    std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial)
    {
        FontAndColorDialog dialog(initial, parentWidget());
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.choice();
    }

    std::optional<PageSetup> QtDialogs::pageSetup(const PageSetup& initial)
    {
        if (!m_printer) {
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        }
        // Margins are measured from the edge of the sheet, whatever the printer can reach, as the
        // page composition expects them.
        m_printer->setFullPage(true);
        // The paper the pages are composed on is offered, not the printer's own default.
        m_printer->setPageSize(initial.paper);
        m_printer->setPageOrientation(initial.orientation);
        m_printer->setPageMargins(QMarginsF(initial.marginLeft / TwipsPerPoint,
                                            initial.marginTop / TwipsPerPoint,
                                            initial.marginRight / TwipsPerPoint,
                                            initial.marginBottom / TwipsPerPoint),
                                  QPageLayout::Point);
        QPageSetupDialog dialog(m_printer.get(), parentWidget());
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        const QPageLayout layout = m_printer->pageLayout();
        const QMarginsF margins = layout.margins(QPageLayout::Point);
        return PageSetup{pointsToTwips(margins.left()),
                         pointsToTwips(margins.top()),
                         pointsToTwips(margins.right()),
                         pointsToTwips(margins.bottom()),
                         layout.orientation(),
                         layout.pageSize()};
    }

    std::optional<QString> QtDialogs::chooseFolder(const QString& title, const QString& initialFolder)
    {
        const QString folder = QFileDialog::getExistingDirectory(parentWidget(), title, initialFolder);
        if (folder.isEmpty()) {
            return std::nullopt;
        }
        return folder;
    }

    std::optional<QString>
    QtDialogs::chooseOpenFile(const QString& title, const QString& initialFolder, const QString& filter)
    {
        const QString file = QFileDialog::getOpenFileName(parentWidget(), title, initialFolder, filter);
        if (file.isEmpty()) {
            return std::nullopt;
        }
        return file;
    }

    std::optional<QString>
    QtDialogs::chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter)
    {
        const QString file = QFileDialog::getSaveFileName(parentWidget(), title, initialPath, filter);
        if (file.isEmpty()) {
            return std::nullopt;
        }
        return file;
    }

    bool QtDialogs::choosePrinter(QPrinter& printer)
    {
        // The printer picked in the page set-up or for the last print is offered again.
        if (m_printer && !m_printer->printerName().isEmpty()) {
            printer.setPrinterName(m_printer->printerName());
        }
        QPrintDialog dialog(&printer, parentWidget());
        // The whole document is printed; the range only tells the user how many pages that is.
        if (printer.toPage() > 0) {
            dialog.setMinMax(printer.fromPage(), printer.toPage());
        }
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        if (printer.outputFormat() == QPrinter::NativeFormat) {
            if (!m_printer) {
                m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            }
            m_printer->setPrinterName(printer.printerName());
        }
        return true;
    }

} // namespace qv
