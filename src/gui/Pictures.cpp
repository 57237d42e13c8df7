// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/Pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace talvex::gui {

namespace {

const QColor kInk(0x33, 0x44, 0x55);
const QColor kGreen(0x2a, 0x8d, 0x3a);
const QColor kRed(0xc6, 0x28, 0x28);
const QColor kBlue(0x2f, 0x6f, 0xc0);
const QColor kFolder(0xe8, 0xb9, 0x4a);
const QColor kFolderFront(0xf6, 0xd4, 0x7c);
const QColor kFolderInk(0x7a, 0x5a, 0x12);
const QColor kDisk(0x3b, 0x5f, 0xa8);
const QColor kDiskInk(0x1d, 0x2f, 0x55);

QPen Pen(const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A sheet of paper with a folded corner, in a 32-unit square.
void Sheet(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(7, 2);
    sheet.lineTo(20, 2);
    sheet.lineTo(26, 8);
    sheet.lineTo(26, 30);
    sheet.lineTo(7, 30);
    sheet.closeSubpath();
    p.setPen(Pen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(QColor(0xdd, 0xdd, 0xee));
    p.drawPolygon(QPolygonF({QPointF(20, 2), QPointF(20, 8), QPointF(26, 8)}));
}

void Badge(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(23, 23), 7.5, 7.5);
}

void Disk(QPainter& p) {
    QPainterPath disk;
    disk.moveTo(3, 3);
    disk.lineTo(25, 3);
    disk.lineTo(29, 7);
    disk.lineTo(29, 29);
    disk.lineTo(3, 29);
    disk.closeSubpath();
    p.setPen(Pen(kDiskInk, 1.5));
    p.setBrush(kDisk);
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe9, 0xee, 0xf8));
    p.drawRect(QRectF(8, 3.8, 14, 8));
    p.setBrush(kDisk);
    p.drawRect(QRectF(17, 5, 3, 5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 17, 18, 11));
    p.setPen(Pen(QColor(0x99, 0x99, 0xaa), 1.2));
    p.drawLine(QPointF(10, 21), QPointF(22, 21));
    p.drawLine(QPointF(10, 25), QPointF(22, 25));
}

// A folder at the back and one in front, with a green arrow from the first to the second: a copy.
void PaintProgram(QPainter& p) {
    const auto folder = [&p](qreal x, qreal y, const QColor& back, const QColor& front) {
        QPainterPath tab;
        tab.moveTo(x, y);
        tab.lineTo(x + 7, y);
        tab.lineTo(x + 9, y + 2.5);
        tab.lineTo(x + 18, y + 2.5);
        tab.lineTo(x + 18, y + 15);
        tab.lineTo(x, y + 15);
        tab.closeSubpath();
        p.setPen(Pen(kFolderInk, 1.2));
        p.setBrush(back);
        p.drawPath(tab);
        p.setBrush(front);
        p.drawRect(QRectF(x, y + 5, 18, 10));
    };
    folder(2, 2, kFolder.darker(115), kFolderFront.darker(110));
    folder(12, 15, kFolder, kFolderFront);
    p.setPen(Pen(kGreen.darker(140), 1.2));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(7, 19), QPointF(7, 23), QPointF(12.5, 23), QPointF(12.5, 27), QPointF(19, 21),
                             QPointF(12.5, 15), QPointF(12.5, 19)}));
}

// The pictures of the file commands, then those of running and of the job window; split so that
// each drawing stays short enough to read.
bool PaintFileCommand(QPainter& p, Picture picture) {
    switch (picture) {
    case Picture::New:
        Sheet(p);
        Badge(p, kGreen);
        p.setPen(Pen(Qt::white, 2.4));
        p.drawLine(QPointF(23, 19), QPointF(23, 27));
        p.drawLine(QPointF(19, 23), QPointF(27, 23));
        break;
    case Picture::Open: {
        QPainterPath back;
        back.moveTo(2, 7);
        back.lineTo(12, 7);
        back.lineTo(15, 10);
        back.lineTo(29, 10);
        back.lineTo(29, 28);
        back.lineTo(2, 28);
        back.closeSubpath();
        p.setPen(Pen(kFolderInk, 1.5));
        p.setBrush(kFolder);
        p.drawPath(back);
        p.setBrush(kFolderFront);
        p.drawPolygon(QPolygonF({QPointF(2, 28), QPointF(7, 15), QPointF(31, 15), QPointF(29, 28)}));
        break;
    }
    case Picture::Save:
        Disk(p);
        break;
    case Picture::SaveAs:
        Disk(p);
        p.setPen(Pen(QColor(0x6a, 0x4a, 0x00), 1.2));
        p.setBrush(QColor(0xf0, 0xc0, 0x40));
        p.drawPolygon(QPolygonF({QPointF(14, 30), QPointF(16, 24), QPointF(27, 13), QPointF(31, 17), QPointF(20, 28)}));
        break;
    case Picture::Close:
        Sheet(p);
        Badge(p, kRed);
        p.setPen(Pen(Qt::white, 2.4));
        p.drawLine(QPointF(19.5, 19.5), QPointF(26.5, 26.5));
        p.drawLine(QPointF(26.5, 19.5), QPointF(19.5, 26.5));
        break;
    case Picture::Exit:
        p.setPen(Pen(QColor(0x5a, 0x3a, 0x1a), 1.5));
        p.setBrush(QColor(0xa0, 0x74, 0x4a));
        p.drawRect(QRectF(4, 3, 15, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf2, 0xd2, 0x7a));
        p.drawEllipse(QPointF(15, 16), 1.6, 1.6);
        p.setPen(Pen(kRed, 2.6));
        p.drawLine(QPointF(19, 16), QPointF(29, 16));
        p.drawPolyline(QPolygonF({QPointF(25, 11), QPointF(30, 16), QPointF(25, 21)}));
        break;
    default:
        return false;
    }
    return true;
}

void Paint(QPainter& p, Picture picture) {
    if (PaintFileCommand(p, picture)) {
        return;
    }
    switch (picture) {
    case Picture::Start:
        p.setPen(Pen(kGreen.darker(160), 1.5));
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(16, 16), 14, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(12, 9), QPointF(23, 16), QPointF(12, 23)}));
        break;
    case Picture::Stop:
        p.setPen(Pen(kRed.darker(160), 1.5));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(16, 16), 14, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10, 10, 12, 12));
        break;
    case Picture::Info:
        p.setPen(Pen(kBlue.darker(170), 1.5));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(16, 16), 14, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 9), 2.3, 2.3);
        p.drawRoundedRect(QRectF(14, 13, 4, 11), 1, 1);
        break;
    case Picture::History:
        p.setPen(Pen(kInk, 2.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 13), 10, 10);
        p.drawPolyline(QPolygonF({QPointF(16, 7), QPointF(16, 13), QPointF(21, 13)}));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({QPointF(9, 25), QPointF(23, 25), QPointF(16, 31)}));
        break;
    case Picture::List:
        p.setPen(Pen(kInk, 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 3, 22, 26));
        p.drawLine(QPointF(10, 10), QPointF(22, 10));
        p.drawLine(QPointF(10, 16), QPointF(22, 16));
        p.drawLine(QPointF(10, 22), QPointF(18, 22));
        break;
    case Picture::LogFull:
        p.setPen(Pen(kInk, 2.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 3, 28, 26));
        p.drawLine(QPointF(7, 11), QPointF(25, 11));
        p.drawLine(QPointF(7, 17), QPointF(25, 17));
        p.drawLine(QPointF(7, 23), QPointF(19, 23));
        break;
    case Picture::Program:
        PaintProgram(p);
        break;
    case Picture::LogSplit:
        p.setPen(Pen(kInk, 2.5));
        p.setBrush(QColor(0xc8, 0xd4, 0xe8));
        p.drawRect(QRectF(2, 3, 28, 26));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 17, 28, 12));
        p.drawLine(QPointF(7, 23), QPointF(25, 23));
        break;
    default:
        break;
    }
}

class PictureEngine final : public QIconEngine {
public:
    explicit PictureEngine(Picture picture) : m_picture(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State /*state*/) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 32.0, side / 32.0);
        if (mode == QIcon::Disabled) {
            painter->setOpacity(0.35);
        }
        Paint(*painter, m_picture);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new PictureEngine(m_picture); }

private:
    Picture m_picture;
};

} // namespace

QIcon PictureIcon(Picture picture) {
    return QIcon(new PictureEngine(picture));
}

} // namespace talvex::gui
