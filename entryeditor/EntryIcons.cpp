#include "entryeditor/EntryIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <cmath>

namespace mb {

namespace {

// The colours the icons come in.
const std::array<QColor, 8> kPalette = {
    QColor(0x2f, 0x5f, 0xb3), // blue
    QColor(0xb3, 0x2f, 0x2f), // red
    QColor(0x2f, 0x8f, 0x4a), // green
    QColor(0xc8, 0x8a, 0x1e), // amber
    QColor(0x7a, 0x3f, 0xa8), // violet
    QColor(0x1f, 0x8c, 0x96), // teal
    QColor(0x6b, 0x6b, 0x6b), // grey
    QColor(0x8c, 0x5a, 0x2b), // brown
};

enum class Shape { ClosedBook, OpenBook, ClosedFolder, OpenFolder, Page, QuestionPage };

struct IconRecipe {
    Shape shape;
    int colour;
    bool isNew; // a small star in the corner
};

// Entries 0 to 7 are the books and folders (closed and open, plain and
// new), 8 to 11 the pages with and without a question mark, and from 12
// on pages and books in the other colours.
IconRecipe RecipeFor(int index) {
    static const IconRecipe first[12] = {
        {Shape::ClosedBook, 0, false},   {Shape::OpenBook, 0, false},
        {Shape::ClosedBook, 0, true},    {Shape::OpenBook, 0, true},
        {Shape::ClosedFolder, 3, false}, {Shape::OpenFolder, 3, false},
        {Shape::ClosedFolder, 3, true},  {Shape::OpenFolder, 3, true},
        {Shape::QuestionPage, 0, false}, {Shape::QuestionPage, 1, false},
        {Shape::Page, 0, false},         {Shape::Page, 0, true},
    };
    if (index < 12)
        return first[index];
    // 30 more: five shapes in six colours.
    static const Shape shapes[5] = {Shape::Page, Shape::QuestionPage, Shape::ClosedBook,
                                    Shape::OpenBook, Shape::ClosedFolder};
    int rest = index - 12;
    return {shapes[rest % 5], 1 + rest / 5, false};
}

void DrawPage(QPainter& p, const QColor& colour, bool question) {
    QPainterPath sheet;
    sheet.moveTo(3, 1);
    sheet.lineTo(10, 1);
    sheet.lineTo(13, 4);
    sheet.lineTo(13, 15);
    sheet.lineTo(3, 15);
    sheet.closeSubpath();
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(10, 1), QPointF(10, 4));
    p.drawLine(QPointF(10, 4), QPointF(13, 4));
    if (question) {
        QFont font;
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRectF(3, 4, 10, 11), Qt::AlignCenter, "?");
        return;
    }
    p.setPen(QPen(colour, 1));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
}

void DrawClosedBook(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(QColor(0xf4, 0xee, 0xdc));
    p.drawRect(QRectF(4.5, 2.5, 10, 12));
    p.setBrush(colour);
    p.drawRect(QRectF(2.5, 1.5, 10, 12));
    p.setBrush(colour.darker(150));
    p.drawRect(QRectF(2.5, 1.5, 2, 12));
    p.setPen(QPen(QColor(0xf4, 0xee, 0xdc), 1));
    p.drawLine(QPointF(6, 5.5), QPointF(11, 5.5));
}

void DrawOpenBook(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawRect(QRectF(0.5, 4.5, 15, 9));
    p.setBrush(Qt::white);
    QPainterPath left;
    left.moveTo(1.5, 3.5);
    left.quadTo(5, 2, 7.5, 4);
    left.lineTo(7.5, 13);
    left.quadTo(5, 11.5, 1.5, 12.5);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(14.5, 3.5);
    right.quadTo(11, 2, 8.5, 4);
    right.lineTo(8.5, 13);
    right.quadTo(11, 11.5, 14.5, 12.5);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(colour, 1));
    p.drawLine(QPointF(3, 6.5), QPointF(6.5, 6.5));
    p.drawLine(QPointF(9.5, 6.5), QPointF(13, 6.5));
    p.drawLine(QPointF(3, 8.5), QPointF(6.5, 8.5));
    p.drawLine(QPointF(9.5, 8.5), QPointF(13, 8.5));
}

void DrawFolder(QPainter& p, const QColor& colour, bool open) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour.darker(115));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(colour.lighter(130));
    if (open) {
        QPainterPath front;
        front.moveTo(3.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(13.5, 13.5);
        front.lineTo(1.5, 13.5);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
}

void DrawStar(QPainter& p) {
    QPainterPath star;
    const QPointF centre(12.5, 3.5);
    for (int i = 0; i < 10; ++i) {
        double radius = i % 2 ? 1.3 : 3.2;
        double angle = -M_PI / 2 + i * M_PI / 5;
        QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0x9a, 0x6a, 0x00), 0.6));
    p.setBrush(QColor(0xff, 0xd0, 0x30));
    p.drawPath(star);
}

QPixmap Canvas() {
    QPixmap pixmap(kEntryIconSize, kEntryIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon DrawContentsIcon(int index) {
    IconRecipe recipe = RecipeFor(index);
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor& colour = kPalette[static_cast<size_t>(recipe.colour) % kPalette.size()];
    switch (recipe.shape) {
    case Shape::ClosedBook:
        DrawClosedBook(p, colour);
        break;
    case Shape::OpenBook:
        DrawOpenBook(p, colour);
        break;
    case Shape::ClosedFolder:
        DrawFolder(p, colour, false);
        break;
    case Shape::OpenFolder:
        DrawFolder(p, colour, true);
        break;
    case Shape::Page:
        DrawPage(p, colour, false);
        break;
    case Shape::QuestionPage:
        DrawPage(p, colour, true);
        break;
    }
    if (recipe.isNew)
        DrawStar(p);
    p.end();
    return QIcon(pixmap);
}

// A key: a keyword; two keys: a keyword with several topics.
void DrawKey(QPainter& p, QPointF at, const QColor& colour) {
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(at.x(), at.y(), 6, 6));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(at.x() + 2, at.y() + 2, 2, 2));
    p.setPen(QPen(colour.darker(150), 1.6));
    p.drawLine(QPointF(at.x() + 6, at.y() + 3), QPointF(at.x() + 12, at.y() + 3));
    p.drawLine(QPointF(at.x() + 10, at.y() + 3), QPointF(at.x() + 10, at.y() + 6));
    p.drawLine(QPointF(at.x() + 12, at.y() + 3), QPointF(at.x() + 12, at.y() + 5));
}

QIcon DrawIndexIcon(int type) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(0xd9, 0xa4, 0x41);
    if (type == 5) {
        DrawPage(p, kPalette[0], false);
    } else if (type == 4) {
        DrawKey(p, QPointF(1, 1.5), gold);
        DrawKey(p, QPointF(3, 8.5), gold.darker(115));
    } else {
        DrawKey(p, QPointF(1.5, 5), gold);
    }
    p.end();
    return QIcon(pixmap);
}

// A closed book with a chain link: another help file joined in here.
QIcon DrawMergeIcon() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawClosedBook(p, kPalette[5]);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7.5, 8.5, 4, 6));
    p.drawEllipse(QRectF(10.5, 8.5, 4, 6));
    p.end();
    return QIcon(pixmap);
}

} // namespace

const QIcon& MergeReferenceIcon() {
    static const QIcon merge = DrawMergeIcon();
    return merge;
}

const QIcon& ContentsIcon(int index) {
    static const std::array<QIcon, kEntryIconCount> icons = [] {
        std::array<QIcon, kEntryIconCount> all;
        for (int i = 0; i < kEntryIconCount; ++i)
            all[static_cast<size_t>(i)] = DrawContentsIcon(i);
        return all;
    }();
    if (index < 0 || index >= kEntryIconCount)
        index = kPageIcon;
    return icons[static_cast<size_t>(index)];
}

const QIcon& IndexIcon(int type) {
    static const QIcon keyword = DrawIndexIcon(0);
    static const QIcon several = DrawIndexIcon(4);
    static const QIcon topic = DrawIndexIcon(5);
    return type == 4 ? several : type == 5 ? topic : keyword;
}

} // namespace mb
