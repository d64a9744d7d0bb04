#include "components/EffectLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace vek {
namespace {

QPoint DirectionStep(TLabelE::TEffectDirection direction)
{
    static const QPoint steps[] = {{0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    return steps[direction];
}

// from + step x (to - from) / steps per channel, rounded to the nearest (ties to even).
QColor BlendStep(const QColor &from, const QColor &to, int step, int steps)
{
    if (steps <= 0)
        return from;
    auto channel = [&](int a, int b) { return int(std::nearbyint(a + double(step) * (b - a) / steps)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

} // namespace

TLabelE::TLabelE(QWidget *parent) : PaintedLabel(parent)
{
    resize(142, 33);
    SetTransparent(true);
    setFont(QFont(QStringLiteral("Times New Roman"), 20));
    custom_ = {Qt::white, Qt::black, QColor(128, 128, 128)};
    SetFontColor(custom_.face);
    graduateFrom_ = custom_.face;
}

// The presets, written red-green-blue.
TLabelE::SchemeColours TLabelE::schemeColours(TColourScheme scheme) const
{
    const QColor white(255, 255, 255), black(0, 0, 0), gray(128, 128, 128);
    switch (scheme) {
    case csCustom: return custom_;
    case csText: return {white, gray, black};
    case csWindows: return {white, black, gray};
    case csEmbossed: return {white, black, QColor(192, 192, 192)};
    case csGold: return {QColor(255, 255, 0), black, QColor(128, 128, 0)};
    case csSteel: return {QColor(0, 255, 255), QColor(0, 0, 128), QColor(0, 128, 128)};
    }
    return custom_;
}

void TLabelE::SetColourScheme(TColourScheme scheme)
{
    const SchemeColours colours = schemeColours(scheme);
    applyingScheme_ = true;
    SetColourHighlight(colours.highlight);
    SetFontColor(colours.face);
    SetColourShadow(colours.shadow);
    applyingScheme_ = false;
    colourScheme_ = scheme;
    if (scheme != csCustom)
        custom_ = colours;
}

void TLabelE::SetEffectStyle(TEffectStyle style)
{
    // Highlight direction and depth, shadow direction and depth of each preset.
    struct Preset {
        TEffectDirection highlight;
        int highlightDepth;
        TEffectDirection shadow;
        int shadowDepth;
    };
    static const Preset presets[] = {
        {edNone, 0, edNone, 0},           // esNone
        {edNone, 0, edNone, 0},           // esCustom: unused
        {edUpLeft, 1, edDownRight, 1},    // esRaised
        {edDownRight, 1, edUpLeft, 1},    // esSunken
        {edNone, 0, edDownRight, 2},      // esShadow
        {edDownRight, 1, edDownRight, 5}, // esFlying
    };
    effectStyle_ = style;
    applyingStyle_ = true;
    const SchemeColours scheme = schemeColours(colourScheme_);
    highlight_.colour = style == esFlying ? scheme.shadow : scheme.highlight;
    if (style != esCustom) {
        const Preset &preset = presets[style];
        setLayerGeometry(highlight_, preset.highlight, preset.highlightDepth);
        setLayerGeometry(shadow_, preset.shadow, preset.shadowDepth);
    }
    if (style != esRaised && style != esSunken)
        asButton_ = false;
    applyingStyle_ = false;
    update();
}

void TLabelE::setLayerGeometry(Layer &layer, TEffectDirection direction, int depth)
{
    layer.direction = direction;
    layer.depth = std::clamp(depth, 0, 255);
    if (!applyingStyle_)
        effectStyle_ = esCustom;
    update();
}

void TLabelE::setLayerColour(Layer &layer, const QColor &colour)
{
    layer.colour = colour;
    if (!applyingScheme_) {
        (&layer == &highlight_ ? custom_.highlight : custom_.shadow) = colour;
        colourScheme_ = csCustom;
    }
    update();
}

void TLabelE::SetDirectionHighlight(TEffectDirection direction) { setLayerGeometry(highlight_, direction, highlight_.depth); }
void TLabelE::SetDirectionShadow(TEffectDirection direction) { setLayerGeometry(shadow_, direction, shadow_.depth); }
void TLabelE::SetDepthHighlight(int depth) { setLayerGeometry(highlight_, highlight_.direction, depth); }
void TLabelE::SetDepthShadow(int depth) { setLayerGeometry(shadow_, shadow_.direction, depth); }
void TLabelE::SetColourHighlight(const QColor &colour) { setLayerColour(highlight_, colour); }
void TLabelE::SetColourShadow(const QColor &colour) { setLayerColour(shadow_, colour); }

void TLabelE::SetStyleHighlight(TEffectOption style)
{
    highlight_.style = style;
    update();
}

void TLabelE::SetStyleShadow(TEffectOption style)
{
    shadow_.style = style;
    update();
}

void TLabelE::SetGraduateFace(TGraduateOption option)
{
    graduateFace_ = option;
    update();
}

void TLabelE::SetGraduateFrom(const QColor &colour)
{
    graduateFrom_ = colour;
    update();
}

void TLabelE::SetAsButton(bool on)
{
    asButton_ = on;
    if (on)
        SetEffectStyle(esRaised);
}

void TLabelE::SetAngle(int degrees)
{
    angle_ = qint16(degrees);
    update();
}

void TLabelE::SetKeepLettersVertical(bool on)
{
    keepLettersVertical_ = on;
    update();
}

QPoint TLabelE::faceOrigin() const
{
    const QPoint h = DirectionStep(highlight_.direction) * highlight_.depth;
    const QPoint s = DirectionStep(shadow_.direction) * shadow_.depth;
    const int least = std::min({0, h.x(), h.y(), s.x(), s.y()});
    return {-least, -least};
}

std::vector<TextLayer> TLabelE::Layers() const
{
    const QPoint origin = faceOrigin();
    std::vector<TextLayer> copies;
    appendCopies(copies, shadow_, Qt::black, origin);
    appendCopies(copies, highlight_, Qt::white, origin);
    copies.push_back({origin, faceBrush()});
    return copies;
}

// eoReal draws one half-transparent copy in seeThrough: black halves the colours beneath,
// white halves their distance to white.
void TLabelE::appendCopies(std::vector<TextLayer> &copies, const Layer &layer, const QColor &seeThrough,
                           QPoint origin) const
{
    const QPoint step = DirectionStep(layer.direction);
    auto add = [&](int distance, const QBrush &brush, qreal opacity) {
        const QPoint offset = origin + step * distance;
        if (offset != origin)
            copies.push_back({offset, brush, opacity});
    };
    const int depth = layer.depth;
    if (layer.style == eoReal) {
        add(depth, seeThrough, 0.5);
    } else if ((layer.style == eoExtrude || layer.style == eoGraduated) && depth > 1) {
        for (int m = depth; m >= 1; --m) {
            const QColor colour =
                layer.style == eoExtrude ? layer.colour : BlendStep(layer.colour, FontColor(), depth - m, depth - 1);
            add(m, colour, 1.0);
        }
    } else {
        add(depth, layer.colour, 1.0);
    }
}

// The graded face runs from GraduateFrom to the font colour across the text's own rows
// (vertical) or columns (horizontal), one exact colour per row or column.
QBrush TLabelE::faceBrush() const
{
    if (graduateFace_ == goNone)
        return FontColor();
    const QRect bounds = textBounds();
    const bool vertical = graduateFace_ == goVertical;
    const int length = std::max(1, vertical ? bounds.height() : bounds.width());
    QImage ramp(vertical ? QSize(1, length) : QSize(length, 1), QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < length; ++i) {
        const QRgb colour = BlendStep(graduateFrom_, FontColor(), i, length - 1).rgb();
        ramp.setPixel(vertical ? 0 : i, vertical ? i : 0, colour);
    }
    QBrush brush(ramp);
    brush.setTransform(QTransform::fromTranslate(bounds.left(), bounds.top()));
    return brush;
}

QString TLabelE::text() const
{
    return Caption().left(255);
}

QTransform TLabelE::rotation() const
{
    const QFontMetrics metrics(font());
    const QPointF centre(metrics.horizontalAdvance(text() + QStringLiteral("   ")) / 2.0, metrics.height() / 2.0);
    QTransform transform = QTransform::fromTranslate(centre.x(), centre.y());
    return transform.rotate(-angle_);
}

QRectF TLabelE::rotatedLine() const
{
    const QFontMetrics metrics(font());
    const qreal width = metrics.horizontalAdvance(text());
    return {-width / 2, -metrics.height() / 2.0, width, qreal(metrics.height())};
}

QRect TLabelE::textBounds() const
{
    if (angle_ == 0)
        return QFontMetrics(font()).boundingRect(rect(), textFlags() | Qt::TextWordWrap, text());
    return rotation().mapRect(rotatedLine()).toAlignedRect();
}

QImage TLabelE::shape() const
{
    if (angle_ == 0)
        return TextShape(size(), font(), rect(), textFlags() | Qt::TextWordWrap, text());

    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font());
    painter.setPen(Qt::black);
    const QRectF line = rotatedLine();
    if (!keepLettersVertical_) {
        painter.setTransform(rotation());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text());
        return image;
    }
    // Each letter upright, centred on its place along the turned line.
    const QFontMetricsF metrics(font());
    const QTransform turn = rotation();
    const QString lineText = text();
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, lineText);
    for (int start = 0, end = letters.toNextBoundary(); end != -1; start = end, end = letters.toNextBoundary()) {
        const QString letter = lineText.mid(start, end - start);
        const qreal width = metrics.horizontalAdvance(letter);
        const qreal x = line.left() + metrics.horizontalAdvance(lineText.left(start)) + width / 2;
        const QPointF place = turn.map(QPointF(x, 0));
        painter.drawText(QRectF(place.x() - width / 2, place.y() - line.height() / 2, width, line.height()),
                         Qt::AlignCenter, letter);
    }
    return image;
}

void TLabelE::paintLabel(QPainter &painter)
{
    if (angle_ == 0) {
        fillBackground(painter);
    } else if (!Transparent()) {
        QPainterPath outline;
        outline.addPolygon(rotation().map(rotatedLine()).translated(faceOrigin()));
        painter.fillPath(outline, Color());
    }
    DrawTextLayers(painter, shape(), Layers());
}

bool TLabelE::insideForButton(QPointF pos) const
{
    return pos.x() >= 0 && pos.x() <= width() && pos.y() >= 0 && pos.y() <= height();
}

void TLabelE::mousePressEvent(QMouseEvent *event)
{
    if (!asButton_)
        return PaintedLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && effectStyle_ != esSunken)
        SetEffectStyle(esSunken);
}

void TLabelE::mouseMoveEvent(QMouseEvent *event)
{
    if (!asButton_)
        return PaintedLabel::mouseMoveEvent(event);
    const bool onlyLeft = event->buttons() == Qt::LeftButton
        && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (!onlyLeft)
        return;
    const TEffectStyle wanted = insideForButton(event->position()) ? esSunken : esRaised;
    if (wanted != effectStyle_)
        SetEffectStyle(wanted);
}

void TLabelE::mouseReleaseEvent(QMouseEvent *event)
{
    if (!asButton_)
        return PaintedLabel::mouseReleaseEvent(event);
    if (insideForButton(event->position()))
        SetEffectStyle(esRaised);
}

} // namespace vek
