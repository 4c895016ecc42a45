#include "app/gui/Artwork.h"
#include "app/gui/UiText.h"

#include "commonkit/CommandIds.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <map>

namespace mb::gui {

namespace {

// A book seen from the front, in a square of side `size` at the origin.
void DrawBook(QPainter& painter, double size) {
    painter.setRenderHint(QPainter::Antialiasing);
    const double u = size / 64.0;
    QRectF cover(12 * u, 6 * u, 42 * u, 52 * u);
    painter.setPen(Qt::NoPen);
    // The pages, showing at the right and bottom edges.
    painter.setBrush(QColor(0xf4, 0xee, 0xdc));
    painter.drawRoundedRect(cover.translated(3 * u, 3 * u), 3 * u, 3 * u);
    // The cover, dark red like marrow.
    QLinearGradient gradient(cover.topLeft(), cover.bottomRight());
    gradient.setColorAt(0, QColor(0xa3, 0x2b, 0x2b));
    gradient.setColorAt(1, QColor(0x6b, 0x16, 0x1d));
    painter.setBrush(gradient);
    painter.drawRoundedRect(cover, 3 * u, 3 * u);
    // The spine.
    painter.setBrush(QColor(0x4a, 0x0e, 0x13));
    painter.drawRect(QRectF(cover.left(), cover.top(), 6 * u, cover.height()));
    // A title label and a question mark: help.
    painter.setBrush(QColor(0xf4, 0xee, 0xdc));
    painter.drawRoundedRect(QRectF(24 * u, 16 * u, 24 * u, 18 * u), 2 * u, 2 * u);
    QFont font;
    font.setPixelSize(static_cast<int>(16 * u));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x6b, 0x16, 0x1d));
    painter.drawText(QRectF(24 * u, 16 * u, 24 * u, 18 * u), Qt::AlignCenter, "?");
    // The bookmark ribbon.
    QPainterPath ribbon;
    ribbon.moveTo(40 * u, 58 * u);
    ribbon.lineTo(40 * u, 64 * u);
    ribbon.lineTo(43 * u, 61 * u);
    ribbon.lineTo(46 * u, 64 * u);
    ribbon.lineTo(46 * u, 58 * u);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd9, 0xa4, 0x41));
    painter.drawPath(ribbon);
}

QPixmap BookPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawBook(painter, size);
    return pixmap;
}

} // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(BookPixmap(size));
    return icon;
}

QPixmap SplashPixmap() {
    QPixmap pixmap(480, 260);
    pixmap.fill(QColor(0xf4, 0xee, 0xdc));
    QPainter painter(&pixmap);
    painter.translate(36, 50);
    DrawBook(painter, 160);
    painter.resetTransform();
    QFont font;
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x6b, 0x16, 0x1d));
    painter.drawText(QRectF(210, 80, 260, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(kStrProductName));
    font.setPixelSize(15);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor(0x44, 0x3a, 0x33));
    painter.drawText(QRectF(212, 130, 260, 60), Qt::AlignLeft | Qt::TextWordWrap,
                     Text(kStrSplashTagline));
    return pixmap;
}

QIcon ToolbarIcon(int commandId) {
    // The style's own pictures, so that they follow the desktop's theme.
    static const std::map<int, QStyle::StandardPixmap> kPictures = {
        {ID_FILE_NEW_PROJECT, QStyle::SP_FileIcon},
        {ID_FILE_OPEN_PROJECT, QStyle::SP_DialogOpenButton},
        {ID_FILE_OPEN_CHM, QStyle::SP_DriveCDIcon},
        {ID_FILE_SAVE, QStyle::SP_DialogSaveButton},
        {ID_TOOLBAR_UNDO, QStyle::SP_ArrowBack},
        {ID_TOOLBAR_REDO, QStyle::SP_ArrowForward},
        {ID_ADD_FOLDER, QStyle::SP_FileDialogNewFolder},
        {ID_ADD_FILES, QStyle::SP_FileDialogContentsView},
        {ID_DELETE, QStyle::SP_TrashIcon},
        {ID_MOVE_UP, QStyle::SP_ArrowUp},
        {ID_MOVE_DOWN, QStyle::SP_ArrowDown},
        {ID_COMPILE, QStyle::SP_MediaPlay},
        {ID_HELP_QUICK_GUIDE2, QStyle::SP_MessageBoxQuestion},
    };
    auto found = kPictures.find(commandId);
    return found == kPictures.end() ? QIcon() : QApplication::style()->standardIcon(found->second);
}

} // namespace mb::gui
