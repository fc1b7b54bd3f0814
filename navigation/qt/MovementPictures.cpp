#include "navigation/qt/MovementPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "resources/MovementsIds.h"

// Drawn on the 24 x 24 grid in an oblique projection: the origin at (9, 14), x to the right, y up and
// z down to the left (toward the viewer). Straight arrows sit in the free upper right; rotation arcs
// go round the axis they turn about, across the side facing the viewer.
namespace {

const QPointF kOrigin(9.0, 14.0);
const QColor kArrowColour(214, 100, 0);
const QColor kArrowOutline(90, 40, 0);

void DrawAxis(QPainter& p, const QPointF& tip, const QColor& colour) {
    p.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(kOrigin, tip);
    const QPointF direction = (tip - kOrigin) / std::hypot(tip.x() - kOrigin.x(), tip.y() - kOrigin.y());
    const QPointF side(-direction.y(), direction.x());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF(
        {tip + direction * 1.5, tip - direction * 2.0 + side * 1.6, tip - direction * 2.0 - side * 1.6}));
}

void DrawAxes(QPainter& p) {
    DrawAxis(p, QPointF(21.0, 14.0), QColor(200, 40, 40));
    DrawAxis(p, QPointF(9.0, 2.5), QColor(40, 150, 40));
    DrawAxis(p, QPointF(3.0, 20.0), QColor(40, 70, 210));
}

// A filled arrow head `length` long with its point at `tip`, pointing along `direction` (any length).
void DrawHead(QPainter& p, const QPointF& tip, QPointF direction, double length) {
    direction /= std::hypot(direction.x(), direction.y());
    const QPointF side(-direction.y(), direction.x());
    const double halfWidth = length * 0.62;
    p.setPen(QPen(kArrowOutline, 0.7));
    p.setBrush(kArrowColour);
    p.drawPolygon(QPolygonF(
        {tip, tip - direction * length + side * halfWidth, tip - direction * length - side * halfWidth}));
}

// Draws `path` as the arrow's shaft, stopping inside the head, and a head `headLength` long at its end.
void DrawArrowPath(QPainter& p, const QPainterPath& path, double headLength) {
    const QPointF end = path.pointAtPercent(1.0);
    const QPointF before = path.pointAtPercent(path.percentAtLength(path.length() - 1.5));
    const double shaftLength = path.length() - headLength * 0.7;
    QPainterPath shaft;
    shaft.moveTo(path.pointAtPercent(0.0));
    for (int i = 1; i <= 24; ++i)
        shaft.lineTo(path.pointAtPercent(path.percentAtLength(shaftLength * i / 24.0)));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kArrowColour, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(shaft);
    DrawHead(p, end, end - before, headLength);
}

void StraightArrow(QPainter& p, const QPointF& from, const QPointF& to) {
    QPainterPath path(from);
    path.lineTo(to);
    DrawArrowPath(p, path, 5.0);
}

// An arc of the ellipse in `box` from `startDeg`, turning `sweepDeg` (positive counter-clockwise on
// screen), with the head at its end.
void ArcArrow(QPainter& p, const QRectF& box, double startDeg, double sweepDeg) {
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, sweepDeg);
    DrawArrowPath(p, path, 4.2);
}

// Ellipses round the upper y axis and the outer x axis, and a circle round the z axis through the
// origin, which points at the viewer.
const QRectF kAroundY(1.5, 3.5, 15.0, 6.0);
const QRectF kAroundX(14.0, 7.0, 6.0, 14.0);
const QRectF kAroundZ(3.0, 8.0, 12.0, 12.0);

void DrawMovement(QPainter& p, int buttonId) {
    switch (buttonId) {
        case kIdMoveUpButton:
            StraightArrow(p, {17.0, 12.0}, {17.0, 1.5});
            break;
        case kIdMoveDownButton:
            StraightArrow(p, {17.0, 1.5}, {17.0, 12.0});
            break;
        case kIdMoveLeftButton:
            StraightArrow(p, {23.0, 6.5}, {11.5, 6.5});
            break;
        case kIdMoveRightButton:
            StraightArrow(p, {11.5, 6.5}, {23.0, 6.5});
            break;
        case kIdMoveForwardButton:
            StraightArrow(p, {22.0, 1.5}, {13.0, 10.5});
            break;
        case kIdMoveBackButton:
            StraightArrow(p, {13.0, 10.5}, {22.0, 1.5});
            break;
        // The front of the y ellipse is its lower half; Right turns the front to the right.
        case kIdTurnRightButton:
            ArcArrow(p, kAroundY, 165.0, 215.0);
            break;
        case kIdTurnLeftButton:
            ArcArrow(p, kAroundY, 15.0, -215.0);
            break;
        // The front of the x ellipse is its left half; Up turns the front upward.
        case kIdTurnDownButton:
            ArcArrow(p, kAroundX, 70.0, 220.0);
            break;
        case kIdTurnUpButton:
            ArcArrow(p, kAroundX, 290.0, -220.0);
            break;
        // Seen along z: Home turns counter-clockwise, Page Up clockwise.
        case kIdTurnHomeButton:
            ArcArrow(p, kAroundZ, 300.0, 270.0);
            break;
        case kIdTurnPageUpButton:
            ArcArrow(p, kAroundZ, 240.0, -270.0);
            break;
        default:
            break;
    }
}

bool IsMovementButton(int buttonId) {
    return buttonId >= kIdMoveUpButton && buttonId <= kIdTurnHomeButton;
}

}  // namespace

QPixmap MovementPicture(int buttonId) {
    if (!IsMovementButton(buttonId)) return QPixmap();
    QPixmap picture(kMovementPictureSize, kMovementPictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    DrawAxes(p);
    DrawMovement(p, buttonId);
    return picture;
}
