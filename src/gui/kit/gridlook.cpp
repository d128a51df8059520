#include "gridlook.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>

namespace qv {

    namespace {

        // Paints the picture under the cells of one grid. It paints before the grid does, on the
        // background the viewport has filled in, so cells, editors and selections keep their own looks.
        class GridPicture : public QObject
        {
        public:
            GridPicture(QAbstractItemView* grid, QString path, QImage picture)
                : QObject(grid)
                , m_grid(grid)
                , m_path(std::move(path))
                , m_picture(std::move(picture))
                , m_viewport(grid->viewport())
            {
                setObjectName(QStringLiteral("gridPicture"));
                grid->viewport()->installEventFilter(this);
                // The viewport moves what it shows when scrolled; the picture must not move with it.
                for (QScrollBar* bar : {grid->verticalScrollBar(), grid->horizontalScrollBar()}) {
                    connect(bar, &QScrollBar::valueChanged, this, [this] { m_grid->viewport()->update(); });
                }
                grid->viewport()->update();
            }

            ~GridPicture() override
            {
                // Dying with its grid, the viewport may already be gone.
                if (m_viewport) {
                    m_viewport->removeEventFilter(this);
                    m_viewport->update();
                }
            }

            const QString& path() const
            {
                return m_path;
            }

        protected:
            bool eventFilter(QObject* watched, QEvent* event) override
            {
                if (watched == m_grid->viewport() && event->type() == QEvent::Paint) {
                    QWidget* viewport = m_grid->viewport();
                    if (m_scaled.size() != viewport->size() * viewport->devicePixelRatio()) {
                        m_scaled = scaledToCover(viewport->size() * viewport->devicePixelRatio());
                        m_scaled.setDevicePixelRatio(viewport->devicePixelRatio());
                    }
                    QPainter painter(viewport);
                    painter.drawPixmap(0, 0, m_scaled);
                }
                return false;
            }

        private:
            // Fills the whole size, keeping the picture's proportions and cutting off what is left over.
            QPixmap scaledToCover(const QSize& size) const
            {
                if (size.isEmpty()) {
                    return {};
                }
                const QImage cover = m_picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
                const QRect middle((cover.width() - size.width()) / 2,
                                   (cover.height() - size.height()) / 2,
                                   size.width(),
                                   size.height());
                return QPixmap::fromImage(cover.copy(middle));
            }

            QAbstractItemView* m_grid;
            QString m_path;
            QImage m_picture;
            QPointer<QWidget> m_viewport;
            QPixmap m_scaled;
        };

        GridPicture* pictureOf(const QAbstractItemView* grid)
        {
            return grid->findChild<GridPicture*>(QStringLiteral("gridPicture"), Qt::FindDirectChildrenOnly);
        }

    } // namespace

    void applyGridLook(QAbstractItemView* grid, const GridLook& look)
    {
        QPalette palette = grid->palette();
        if (look.background.isValid()) {
            palette.setColor(QPalette::Base, look.background);
        }
        if (look.text.isValid()) {
            palette.setColor(QPalette::Text, look.text);
        }
        grid->setPalette(palette);

        GridPicture* current = pictureOf(grid);
        if (current && current->path() == look.picture) {
            return;
        }
        delete current;
        if (look.picture.isEmpty()) {
            return;
        }
        QImage picture(look.picture);
        if (!picture.isNull()) {
            new GridPicture(grid, look.picture, std::move(picture));
        }
    }

    GridLook gridLook(const QAbstractItemView* grid)
    {
        GridLook look;
        if (const GridPicture* picture = pictureOf(grid)) {
            look.picture = picture->path();
        }
        look.background = grid->palette().color(QPalette::Base);
        look.text = grid->palette().color(QPalette::Text);
        return look;
    }

} // namespace qv
