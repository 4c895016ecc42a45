#include "archiveview/ArchiveIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <array>

namespace mb::archive {

namespace {

struct KindLook {
    const char* label;
    QColor color;
};

// A sheet of paper with a coloured band carrying the kind's short name.
QIcon Sheet(const KindLook& look) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(110, 110, 110), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(5.5, 1.5, 21, 29));
    painter.fillRect(QRectF(3, 16, 26, 12), look.color);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(3, 16, 26, 12), Qt::AlignCenter, look.label);
    return QIcon(pixmap);
}

} // namespace

QIcon IconForKind(int kind) {
    static const std::array<KindLook, 12> kLooks = {{
        {"", {}},
        {"HHP", QColor(120, 80, 160)},
        {"MAP", QColor(120, 80, 160)},
        {"HTM", QColor(30, 100, 200)},
        {"CSS", QColor(0, 140, 140)},
        {"JS", QColor(200, 150, 0)},
        {"BMP", QColor(40, 150, 60)},
        {"JPG", QColor(40, 150, 60)},
        {"GIF", QColor(40, 150, 60)},
        {"PNG", QColor(40, 150, 60)},
        {"XML", QColor(200, 90, 30)},
        {"", QColor(140, 140, 140)},
    }};
    if (kind == 0)
        return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    if (kind < 0 || kind > 11)
        kind = 11;
    return Sheet(kLooks[kind]);
}

} // namespace mb::archive
