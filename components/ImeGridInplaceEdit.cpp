#include "components/ImeGridInplaceEdit.h"

#include "components/ImeGrid.h"
#include "components/ImeGridPopupListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <qdrawutil.h>

#include <algorithm>

namespace vek {

THDBGridInplaceEdit::THDBGridInplaceEdit(THDBGrid &grid, QWidget *parent) : QLineEdit(parent), grid_(grid)
{
    setFrame(false);
    setMouseTracking(true);
}

THDBGridInplaceEdit::~THDBGridInplaceEdit() = default;

int THDBGridInplaceEdit::buttonWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QRect THDBGridInplaceEdit::buttonRect() const
{
    if (style_ == esSimple)
        return QRect();
    return QRect(width() - buttonWidth(), 0, buttonWidth(), height());
}

void THDBGridInplaceEdit::takeColumn(int column)
{
    column_ = column;
    const DatasetModel &model = grid_.datasetModel();
    const DatasetColumn &c = model.column(column);
    EditStyle style = esSimple;
    if (c.buttonStyle == DatasetColumn::cbsEllipsis) {
        style = esEllipsis;
    } else if (c.buttonStyle == DatasetColumn::cbsAuto && model.fieldOf(column) >= 0) {
        const bool keyWritable = c.isLookup() && model.dataset()->fieldIndex(c.keyField) >= 0
                                 && !model.dataset()->isCalcField(c.keyField);
        if (keyWritable && !c.readOnly && !grid_.ReadOnly())
            style = esDataList;
        else if (!c.pickList.isEmpty() && !c.readOnly)
            style = esPickList;
    }
    if (style != style_) {
        style_ = style;
        activeList_ = style == esPickList || style == esDataList ? listFor(style) : nullptr;
    }
    setReadOnly(c.readOnly);
    setTextMargins(0, 0, style_ == esSimple ? 0 : buttonWidth(), 0);
    update();
}

THPopupListBox *THDBGridInplaceEdit::listFor(EditStyle style)
{
    QPointer<THPopupListBox> &list = style == esPickList ? pickList_ : dataList_;
    if (!list) {
        list = new THPopupListBox(this);
        list->viewport()->installEventFilter(this);
    }
    return list;
}

void THDBGridInplaceEdit::fillList()
{
    activeList_->clear();
    activeList_->ClearSearch();
    const DatasetModel &model = grid_.datasetModel();
    const DatasetColumn &c = model.column(column_);
    const QModelIndex index = model.index(grid_.currentIndex().row(), column_);
    if (style_ == esPickList) {
        activeList_->addItems(c.pickList);
        const QVariant value = model.data(index, Qt::EditRole);
        const auto found = value.isNull() ? QList<QListWidgetItem *>()
                                          : activeList_->findItems(model.data(index, Qt::DisplayRole).toString(), Qt::MatchExactly);
        activeList_->setCurrentItem(found.isEmpty() ? nullptr : found.first());
        return;
    }
    const Dataset &lookup = *c.lookupDataset;
    const int result = lookup.fieldIndex(c.lookupResultField);
    for (int row = 0; row < lookup.recordCount(); ++row)
        activeList_->addItem(lookup.displayTextOf(row, result));
    const Dataset &data = *model.dataset();
    const QVariant key = data.valueOf(index.row(), data.fieldIndex(c.keyField));
    activeList_->setCurrentRow(LocateRow(lookup, c.lookupKeyField, key));
}

void THDBGridInplaceEdit::placeList()
{
    const int rows = style_ == esDataList ? LookupRows : std::clamp(int(activeList_->count()), 1, PickListRows);
    activeList_->resize(width(), activeList_->heightForRows(rows));
    QPoint place = mapToGlobal(QPoint(0, height()));
    const QRect screenArea = screen()->geometry();
    if (place.y() + activeList_->height() > screenArea.bottom() + 1)
        place = mapToGlobal(QPoint(0, -activeList_->height()));
    activeList_->move(place);
}

void THDBGridInplaceEdit::DropDown()
{
    if (listVisible_ || !activeList_)
        return;
    activeList_->setFont(font());
    activeList_->setPalette(palette());
    fillList();
    placeList();
    activeList_->show();
    listVisible_ = true;
    update();
}

void THDBGridInplaceEdit::CloseUp(bool accept)
{
    if (!listVisible_)
        return;
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QListWidgetItem *chosen = activeList_->currentItem();
    const QString value = chosen ? chosen->text() : QString();
    const int chosenRow = activeList_->currentRow();
    activeList_->hide();
    listVisible_ = false;
    tracking_ = pressed_ = false;
    if (accept && chosen && !isReadOnly()) {
        setText(value);
        // A lookup writes the chosen row's key itself, at once: its text may name other
        // rows too, so the text is not written again when the editor closes.
        if (style_ == esDataList)
            writeLookupKey(chosenRow);
        setModified(style_ != esDataList);
        selectAll();
    }
    update();
}

void THDBGridInplaceEdit::writeLookupKey(int lookupRow)
{
    DatasetModel &model = grid_.datasetModel();
    const DatasetColumn &c = model.column(column_);
    const Dataset &lookup = *c.lookupDataset;
    const QVariant key = lookup.valueOf(lookupRow, lookup.fieldIndex(c.lookupKeyField));
    model.setData(model.index(grid_.currentIndex().row(), column_), key, DatasetModel::LookupKeyRole);
}

void THDBGridInplaceEdit::editButtonClick()
{
    if (grid_.OnEditButtonClick)
        grid_.OnEditButtonClick();
}

bool THDBGridInplaceEdit::takeKeyFirst(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers shift = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (style_ == esEllipsis && enter && shift == Qt::ControlModifier) {
        editButtonClick();
        return true;
    }
    if (style_ != esPickList && style_ != esDataList)
        return false;
    if ((enter || key == Qt::Key_Escape) && listVisible_ && !(shift & Qt::AltModifier)) {
        CloseUp(enter);
        return true;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && (shift & Qt::AltModifier)) {
        if (listVisible_)
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    if (key == Qt::Key_Space) {
        DropDown();
        return true;
    }
    if (listVisible_) {
        QApplication::sendEvent(activeList_, event);
        return true;
    }
    return false;
}

void THDBGridInplaceEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (style_ == esSimple)
        return;
    QPainter painter(this);
    paintButton(painter);
}

void THDBGridInplaceEdit::paintButton(QPainter &painter) const
{
    const QRect button = buttonRect();
    if (style_ == esEllipsis) {
        painter.fillRect(button, palette().button());
        if (pressed_)
            qDrawPlainRect(&painter, button, palette().color(QPalette::Dark));
        else
            qDrawShadePanel(&painter, button, palette(), false, 1);
        const int side = button.height() <= 7 ? 1 : button.height() / 8;
        const int shift = pressed_ ? 1 : 0;
        const int left = button.left() + (button.width() - 5 * side) / 2 + shift;
        const int top = button.top() + (button.height() - side) / 2 + shift;
        for (int dot = 0; dot < 3; ++dot)
            painter.fillRect(left + dot * 2 * side, top, side, side, Qt::black);
        return;
    }
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = button;
    option.state = QStyle::State_Raised;
    if (pressed_)
        option.state = QStyle::State_Sunken;
    if (activeList_ && isEnabled())
        option.state |= QStyle::State_Enabled;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
    option.rect = button.adjusted(2, 2, -2, -2).translated(pressed_ ? 1 : 0, pressed_ ? 1 : 0);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
}

void THDBGridInplaceEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !buttonRect().contains(event->position().toPoint())) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    if (listVisible_) {
        CloseUp(false);
        return;
    }
    tracking_ = pressed_ = true;
    grabMouse();
    DropDown();
    update();
}

void THDBGridInplaceEdit::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    setCursor(buttonRect().contains(at) ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (!tracking_) {
        QLineEdit::mouseMoveEvent(event);
        return;
    }
    const bool over = buttonRect().contains(at);
    if (over != pressed_) {
        pressed_ = over;
        update();
    }
    if (listVisible_ && activeList_->geometry().contains(event->globalPosition().toPoint())) {
        // Moving into the open list hands the press over to it.
        tracking_ = pressed_ = false;
        releaseMouse();
        const QPoint inList = activeList_->viewport()->mapFromGlobal(event->globalPosition().toPoint());
        if (QListWidgetItem *item = activeList_->itemAt(inList))
            activeList_->setCurrentItem(item);
        activeList_->viewport()->grabMouse();
        update();
    }
}

void THDBGridInplaceEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (!tracking_) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    const bool click = pressed_ && buttonRect().contains(event->position().toPoint());
    tracking_ = pressed_ = false;
    releaseMouse();
    update();
    if (click && style_ == esEllipsis)
        editButtonClick();
}

void THDBGridInplaceEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!buttonRect().contains(event->position().toPoint()))
        QLineEdit::mouseDoubleClickEvent(event);
}

void THDBGridInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    CloseUp(false);
    QLineEdit::focusOutEvent(event);
}

bool THDBGridInplaceEdit::eventFilter(QObject *object, QEvent *event)
{
    if (activeList_ && object == activeList_->viewport() && listVisible_) {
        if (event->type() == QEvent::MouseMove && QWidget::mouseGrabber() == activeList_->viewport()) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (QListWidgetItem *item = activeList_->itemAt(at))
                activeList_->setCurrentItem(item);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (QListWidgetItem *item = activeList_->itemAt(at))
                activeList_->setCurrentItem(item);
            CloseUp(activeList_->viewport()->rect().contains(at));
            return true;
        }
    }
    return QLineEdit::eventFilter(object, event);
}

} // namespace vek
