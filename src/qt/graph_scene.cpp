#include "gui/graph_scene.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QStyle>
#include <QStyleOptionGraphicsItem>
#include <algorithm>

namespace walkconv::ui {

namespace {

// Line widths in picture units, as the SVG writer draws them.
constexpr double kFrameWidth = 1;
constexpr double kLinkWidth = 1.2;
constexpr double kHollowWidth = 1.5;  // of hollow rings
// The band around a link line in which the mouse finds it.
constexpr double kLinkHitWidth = 5;
// How far the highlight of a selected item reaches beyond its shape.
constexpr double kHaloReach = 5;

QColor ToColor(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QPointF ToPoint(Spot spot) {
    return {spot.x, spot.y};
}

// An item of the drawing that, while selected, shows a halo in the finding colour around its
// shape instead of Qt's dashed selection frame.
template <typename Base>
class Highlightable : public Base {
  public:
    using Base::Base;

    QRectF boundingRect() const override {
        return Base::boundingRect().adjusted(-kHaloReach - 1, -kHaloReach - 1, kHaloReach + 1,
                                             kHaloReach + 1);
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget) override {
        if (this->isSelected()) {
            QColor halo = ToColor(kFindingColor);
            halo.setAlpha(110);
            painter->save();
            painter->setPen(QPen(halo, 2 * kHaloReach, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->setBrush(Qt::NoBrush);
            painter->drawPath(this->shape());
            painter->restore();
        }
        QStyleOptionGraphicsItem plain(*option);
        plain.state &= ~QStyle::State_Selected;
        Base::paint(painter, &plain, widget);
    }
};

using MarkItem = Highlightable<QGraphicsEllipseItem>;
using TextItem = Highlightable<QGraphicsSimpleTextItem>;

// A link's line, which the mouse finds within a band wider than the line itself.
class LinkLineItem : public Highlightable<QGraphicsLineItem> {
  public:
    using Highlightable::Highlightable;

    QPainterPath shape() const override {
        QPainterPath path(line().p1());
        path.lineTo(line().p2());
        QPainterPathStroker stroker;
        stroker.setWidth(std::max(pen().widthF(), kLinkHitWidth));
        return stroker.createStroke(path);
    }
};

// The fonts of the SVG's style sheet: sans-serif, 11 px unless the role says otherwise.
QFont RoleFont(TextRole role) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    switch (role) {
        case TextRole::Header:
            font.setPixelSize(16);
            font.setBold(true);
            break;
        case TextRole::ViewTitle:
            font.setPixelSize(13);
            font.setBold(true);
            break;
        case TextRole::AxisName:
            font.setItalic(true);
            break;
        case TextRole::PointLabel:
            font.setPixelSize(9);
            break;
        case TextRole::Range:
        case TextRole::Legend:
        case TextRole::Listing:
            break;
    }
    return font;
}

// A line of text whose baseline starts, is centred or ends at the caption's place.
TextItem* AddText(QGraphicsScene& scene, const Caption& caption, Rgb color) {
    const QString text = QString::fromStdString(caption.text);
    auto* item = new TextItem(text);
    const QFont font = RoleFont(caption.role);
    item->setFont(font);
    item->setBrush(ToColor(color));
    item->setPen(Qt::NoPen);
    const QFontMetricsF metrics(font);
    double left = caption.at.x;
    if (caption.anchor == TextAnchor::Middle) {
        left -= metrics.horizontalAdvance(text) / 2;
    } else if (caption.anchor == TextAnchor::End) {
        left -= metrics.horizontalAdvance(text);
    }
    item->setPos(left, caption.at.y - metrics.ascent());
    scene.addItem(item);
    return item;
}

MarkItem* AddCircle(QGraphicsScene& scene, Spot centre, double radius, Rgb color, bool hollow,
                    double ringWidth) {
    auto* item = new MarkItem(QRectF(centre.x - radius, centre.y - radius, 2 * radius, 2 * radius));
    if (hollow) {
        item->setPen(QPen(ToColor(color), ringWidth));
        item->setBrush(Qt::NoBrush);
    } else {
        item->setPen(Qt::NoPen);
        item->setBrush(ToColor(color));
    }
    scene.addItem(item);
    return item;
}

// Makes `item` one of those that show point or link `number`: its title as the tool tip, and
// selectable by the program (never by a click, which pans the view).
void Identify(QGraphicsItem* item, const char* kind, int number, const std::string& title) {
    item->setToolTip(QString::fromStdString(title));
    item->setData(kItemKindKey, QString::fromLatin1(kind));
    item->setData(kItemNumberKey, number);
    item->setFlag(QGraphicsItem::ItemIsSelectable);
    item->setAcceptedMouseButtons(Qt::NoButton);
}

std::vector<QGraphicsItem*> AddLink(QGraphicsScene& scene, const GraphDrawing& drawing,
                                    const DrawnLink& link) {
    std::vector<QGraphicsItem*> items;
    for (std::size_t view = 0; view < kViewCount; ++view) {
        switch (link.mark) {
            case LinkMark::Line:
            case LinkMark::Stub: {
                auto* line =
                    new LinkLineItem(QLineF(ToPoint(link.from[view]), ToPoint(link.to[view])));
                line->setPen(QPen(ToColor(link.color), kLinkWidth));
                scene.addItem(line);
                items.push_back(line);
                break;
            }
            case LinkMark::Ring:
                items.push_back(AddCircle(scene, link.from[view], drawing.ringRadius, link.color,
                                          true, kLinkWidth));
                break;
            case LinkMark::Listed:
                break;  // written with the texts below the views
        }
    }
    return items;
}

}  // namespace

SceneItems PaintDrawing(QGraphicsScene& scene, const GraphDrawing& drawing) {
    scene.clear();
    SceneItems items;
    items.picture = QRectF(0, 0, drawing.width, drawing.height);
    scene.setSceneRect(items.picture);
    scene.addRect(items.picture, Qt::NoPen, Qt::white);

    for (const ViewFrame& frame : drawing.views) {
        scene.addRect(QRectF(ToPoint(frame.topLeft), QSizeF(frame.width, frame.height)),
                      QPen(ToColor(kFrameColor), kFrameWidth), Qt::NoBrush);
    }

    items.links.resize(drawing.links.size());
    for (std::size_t i = 0; i < drawing.links.size(); ++i) {
        items.links[i] = AddLink(scene, drawing, drawing.links[i]);
    }

    items.points.resize(drawing.points.size());
    for (std::size_t i = 0; i < drawing.points.size(); ++i) {
        const DrawnPoint& point = drawing.points[i];
        for (const Spot& centre : point.at) {
            items.points[i].push_back(AddCircle(scene, centre, drawing.dotRadius, point.color,
                                                point.mark == PointMark::HollowRing, kHollowWidth));
        }
    }

    for (const Caption& caption : drawing.captions) {
        AddText(scene, caption, kTextColor);
    }
    for (const LegendEntry& entry : drawing.legend) {
        AddCircle(scene, entry.swatch, drawing.dotRadius, entry.color, entry.hollow, kHollowWidth);
        AddText(scene, entry.caption, kTextColor);
    }
    for (std::size_t i = 0; i < drawing.links.size(); ++i) {
        const DrawnLink& link = drawing.links[i];
        if (link.mark == LinkMark::Listed) {
            items.links[i].push_back(
                AddText(scene, {link.listedAt, TextAnchor::Start, TextRole::Listing, link.title},
                        link.color));
        }
    }

    for (std::size_t i = 0; i < items.points.size(); ++i) {
        for (QGraphicsItem* item : items.points[i]) {
            Identify(item, "point", drawing.points[i].number, drawing.points[i].title);
        }
    }
    for (std::size_t i = 0; i < items.links.size(); ++i) {
        for (QGraphicsItem* item : items.links[i]) {
            Identify(item, "link", drawing.links[i].number, drawing.links[i].title);
        }
    }
    return items;
}

}  // namespace walkconv::ui
