#include "components/DataGrid.h"

#include "components/DrawingRoutines.h"
#include "components/ResourceBitmaps.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <qdrawutil.h>

namespace vek {

QString FieldGlyphName(FieldGlyph glyph)
{
    switch (glyph) {
    case FieldGlyph::Blob:
        return QStringLiteral("DBG_BLOB");
    case FieldGlyph::Memo:
        return QStringLiteral("DBG_MEMO");
    case FieldGlyph::Picture:
        return QStringLiteral("DBG_PICT");
    case FieldGlyph::Ole:
        return QStringLiteral("DBG_OLE");
    case FieldGlyph::Data:
        return QStringLiteral("DBG_DATA");
    case FieldGlyph::None:
        break;
    }
    return QString();
}

// The title row: push buttons with sort markers while the grid's TitleButtons are on, and
// the titles of column groups: an expanded group's title spans its columns above their
// own titles, and an expandable group's title carries an arrow box that expands (pointing
// right) or collapses (pointing left) it.
class TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(TRxDBGrid &grid) : QHeaderView(Qt::Horizontal, &grid), grid_(grid)
    {
        setHighlightSections(false);
        setSectionsClickable(false);
    }

    int pressed() const { return tracking_ && down_ ? column_ : -1; }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // A quick second press is a press of the button all the same.
    void mouseDoubleClickEvent(QMouseEvent *event) override { mousePressEvent(event); }

private:
    bool onDivider(const QPoint &at) const;
    // While columns may be resized, a right press or release on a title acts as the left
    // one: it presses the title's button or takes a divider for resizing.
    bool forwardAsLeft(QMouseEvent *event);
    // Draws the title cell of column into cell: background, lines, edge, caption and sort
    // marker, and the arrow box when arrow is set.
    void paintTitleCell(QPainter *painter, const QRect &cell, int column, bool arrow) const;
    // The title cell of the group headed by head: over its columns in the upper half while
    // it is expanded, the head's own section while it is collapsed.
    QRect groupTitleRect(int head) const;
    // The arrow box of a group's title cell: at its right edge (the left for right-to-left
    // text), as wide as a scroll bar.
    QRect arrowBoxIn(const QRect &title) const;
    // The expandable group whose arrow box holds at, or -1.
    int arrowBoxAt(const QPoint &at) const;

    TRxDBGrid &grid_;
    int column_ = -1;
    bool tracking_ = false;
    bool down_ = false;
};

bool TitleHeader::onDivider(const QPoint &at) const
{
    const int section = logicalIndexAt(at);
    if (section < 0)
        return false;
    const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int left = sectionViewportPosition(section);
    const int right = left + sectionSize(section);
    return at.x() - left < margin || right - at.x() <= margin;
}

bool TitleHeader::forwardAsLeft(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton || count() == 0 || sectionResizeMode(0) != QHeaderView::Interactive)
        return false;
    const bool press = event->type() != QEvent::MouseButtonRelease;
    QMouseEvent left(event->type(), event->position(), event->scenePosition(), event->globalPosition(), Qt::LeftButton,
                     press ? Qt::LeftButton : Qt::NoButton, event->modifiers());
    if (press)
        mousePressEvent(&left);
    else
        mouseReleaseEvent(&left);
    event->setAccepted(left.isAccepted());
    return true;
}

QRect TitleHeader::groupTitleRect(int head) const
{
    const DatasetColumn &group = grid_.datasetModel().column(head);
    if (!group.expanded)
        return QRect(sectionViewportPosition(head), 0, sectionSize(head), height());
    int left = INT_MAX;
    int right = INT_MIN;
    for (int column = head + 1; column <= head + group.groupSize && column < count(); ++column) {
        if (isSectionHidden(column))
            continue;
        left = std::min(left, sectionViewportPosition(column));
        right = std::max(right, sectionViewportPosition(column) + sectionSize(column));
    }
    return left > right ? QRect() : QRect(left, 0, right - left, height() / 2);
}

QRect TitleHeader::arrowBoxIn(const QRect &title) const
{
    const QRect face = title.adjusted(0, 0, -1, -1);
    const int width = std::min(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), face.width());
    return layoutDirection() == Qt::RightToLeft ? QRect(face.left(), face.top(), width, face.height())
                                                 : QRect(face.right() + 1 - width, face.top(), width, face.height());
}

int TitleHeader::arrowBoxAt(const QPoint &at) const
{
    const DatasetModel &columns = grid_.datasetModel();
    for (int head = 0; head < count(); ++head)
        if (columns.column(head).headsGroup() && columns.column(head).expandable
            && arrowBoxIn(groupTitleRect(head)).contains(at))
            return head;
    return -1;
}

void TitleHeader::mousePressEvent(QMouseEvent *event)
{
    if (forwardAsLeft(event))
        return;
    const QPoint at = event->position().toPoint();
    if (const int head = arrowBoxAt(at); head >= 0 && event->button() == Qt::LeftButton) {
        grid_.datasetModel().setExpanded(head, !grid_.datasetModel().column(head).expanded);
        return;
    }
    const int section = logicalIndexAt(at);
    if (grid_.titleButtons_ && event->button() == Qt::LeftButton && section >= 0 && !onDivider(at)) {
        bool enabled = true;
        if (grid_.OnCheckButton)
            grid_.OnCheckButton(section, grid_.fieldAt(section), enabled);
        if (enabled) {
            column_ = section;
            tracking_ = down_ = true;
            viewport()->update();
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void TitleHeader::mouseMoveEvent(QMouseEvent *event)
{
    if (!tracking_) {
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    const bool down = logicalIndexAt(event->position().toPoint()) == column_ && rect().contains(event->position().toPoint());
    if (down != down_) {
        down_ = down;
        viewport()->update();
    }
}

void TitleHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (forwardAsLeft(event))
        return;
    if (!tracking_) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const bool click = rect().contains(at) && logicalIndexAt(at) == column_;
    const int column = column_;
    tracking_ = down_ = false;
    column_ = -1;
    viewport()->update();
    if (click && grid_.OnTitleBtnClick)
        grid_.OnTitleBtnClick(column, grid_.fieldAt(column));
}

void TitleHeader::paintSection(QPainter *painter, const QRect &rect, int section) const
{
    const DatasetModel &columns = grid_.datasetModel();
    if (!grid_.titleButtons_ && grid_.fixedCols_ == 0 && !columns.hasGroups()) {
        QHeaderView::paintSection(painter, rect, section);
        return;
    }
    const int head = columns.groupHeadOf(section);
    if (head < 0 || head == section) {
        paintTitleCell(painter, rect, section, head == section && columns.column(head).expandable);
        return;
    }
    // A column of an expanded group: the group's title across all its columns above, drawn
    // whole and cut to this column, and the column's own title below.
    painter->save();
    painter->setClipRect(rect.adjusted(0, 0, 0, -rect.height() / 2));
    paintTitleCell(painter, groupTitleRect(head), head, columns.column(head).expandable);
    painter->restore();
    paintTitleCell(painter, rect.adjusted(0, rect.height() / 2, 0, 0), section, false);
}

void TitleHeader::paintTitleCell(QPainter *painter, const QRect &cell, int column, bool arrow) const
{
    const bool down = pressed() == column;
    QFont font = this->font();
    QColor background = palette().color(QPalette::Button);
    TSortMarker marker = smNone;
    if (grid_.OnGetBtnParams)
        grid_.OnGetBtnParams(grid_.fieldAt(column), font, background, marker, down);
    painter->save();
    painter->fillRect(cell, background);
    painter->setPen(palette().color(QPalette::Dark));
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    const QRect face = cell.adjusted(0, 0, -1, -1);
    const bool edged = down || grid_.titleButtons_ || grid_.showGrid();
    if (edged)
        qDrawShadePanel(painter, face, palette(), down, 1);
    if (column == grid_.fixedCols_ - 1) {
        painter->setPen(Qt::black);
        painter->drawLine(cell.topRight(), cell.bottomRight());
    }
    QRect caption = edged ? face.adjusted(1, 1, -1, -1) : face;
    int markerRight = face.right();
    if (arrow) {
        const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
        const QRect box = arrowBoxIn(cell);
        // Collapsed, the arrow points on into the group; expanded, back out of it.
        const bool pointsRight = !grid_.datasetModel().column(column).expanded;
        PaintArrowBox(*painter, box, pointsRight != rightToLeft);
        if (rightToLeft) {
            caption.setLeft(box.right() + 1);
        } else {
            caption.setRight(box.left() - 1);
            markerRight = box.left() - 1;
        }
    }
    const QImage markerImage =
        marker == smNone ? QImage() : ResourceBitmap(marker == smDown ? QStringLiteral("DBG_SMDOWN") : QStringLiteral("DBG_SMUP"));
    const int markerRoom = markerImage.isNull() ? 0 : markerImage.width() + 6;
    // The caption is drawn on its background inside the edge, not over it.
    caption.adjust(0, 0, -markerRoom, 0);
    if (down)
        caption.translate(1, 1);
    painter->setFont(font);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setBrush(background);
    const QString title = model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const auto alignment = model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
    const CellHAlign along = alignment & Qt::AlignRight     ? CellHAlign::Right
                             : alignment & Qt::AlignHCenter ? CellHAlign::Center
                                                            : CellHAlign::Left;
    PaintCellText(*painter, caption, 2, along, CellVAlign::Center, false, false,
                  FitTextWidth(title, QFontMetrics(font), caption.width() - 4));
    const int x = markerRight - markerImage.width() - 2 - (down ? 0 : 1);
    if (!markerImage.isNull() && x > face.left())
        DrawKeyedBitmap(*painter, x, face.top() + (face.height() - markerImage.height()) / 2, markerImage,
                        TransparentColor::given(MarkerKey));
    painter->restore();
}

TRxDBGrid::TRxDBGrid(QWidget *parent) : DataGridBase(parent)
{
    setTitleHeader(new TitleHeader(*this));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto topLeft = [this] {
        if (OnTopLeftChanged)
            OnTopLeftChanged();
    };
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, topLeft);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, topLeft);
    connect(&datasetModel(), &QAbstractItemModel::modelReset, this, &TRxDBGrid::updateFrozen);
    connect(&datasetModel(), &DatasetModel::columnGroupsChanged, this, &TRxDBGrid::updateFrozen);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (frozen_ && column < FixedCols()) {
            frozen_->setColumnWidth(column, width);
            updateGeometries();
        }
    });
}

int TRxDBGrid::frozenWidth() const
{
    int width = 0;
    for (int column = 0; column < FixedCols(); ++column)
        width += columnWidth(column);
    return width;
}

void TRxDBGrid::updateFrozen()
{
    const int frozen = FixedCols();
    if (frozen == 0) {
        delete frozen_;
        frozen_ = nullptr;
        setHorizontalScrollMode(ScrollPerItem);
        return;
    }
    if (!frozen_) {
        frozen_ = new QTableView(this);
        frozen_->setModel(&datasetModel());
        frozen_->setSelectionModel(selectionModel());
        frozen_->setItemDelegate(&cellDelegate());
        frozen_->setHorizontalHeader(new TitleHeader(*this));
        frozen_->verticalHeader()->hide();
        frozen_->setFocusPolicy(Qt::NoFocus);
        frozen_->setEditTriggers(NoEditTriggers);
        frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozen_->setFrameShape(QFrame::NoFrame);
        frozen_->setStyleSheet(QStringLiteral("QTableView { border-right: 1px solid black; }"));
        // The frozen rows scroll with the grid's.
        connect(verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(), &QScrollBar::setValue);
        frozen_->show();
        setHorizontalScrollMode(ScrollPerPixel);
    }
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    for (int column = 0; column < datasetModel().columnCount(); ++column) {
        frozen_->setColumnHidden(column, column >= frozen || !datasetModel().columnShown(column));
        if (column < frozen)
            frozen_->setColumnWidth(column, columnWidth(column));
    }
    updateGeometries();
}

void TRxDBGrid::updateGeometries()
{
    DataGridBase::updateGeometries();
    if (!frozen_)
        return;
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth() + 1,
                         viewport()->height() + horizontalHeader()->height());
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void TRxDBGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    DataGridBase::scrollTo(index, hint);
    if (!frozen_ || index.column() < FixedCols())
        return;
    // A cell right of the frozen columns is scrolled out from under them.
    const int hidden = frozenWidth() - visualRect(index).left();
    if (hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void TRxDBGrid::SetTitleButtons(bool titleButtons)
{
    titleButtons_ = titleButtons;
    horizontalHeader()->viewport()->update();
    if (frozen_)
        frozen_->horizontalHeader()->viewport()->update();
}

void TRxDBGrid::SetShowGlyphs(bool showGlyphs)
{
    showGlyphs_ = showGlyphs;
    viewport()->update();
}

void TRxDBGrid::SetDefaultDrawing(bool defaultDrawing)
{
    defaultDrawing_ = defaultDrawing;
    viewport()->update();
}

int TRxDBGrid::FixedCols() const
{
    return std::clamp(fixedCols_, 0, std::max(0, datasetModel().columnCount() - 1));
}

void TRxDBGrid::SetFixedCols(int fixedCols)
{
    fixedCols_ = std::max(0, fixedCols);
    updateFrozen();
    if (currentIndex().isValid() && currentIndex().column() < FixedCols())
        SetSelectedIndex(FixedCols());
    horizontalHeader()->viewport()->update();
}

void TRxDBGrid::SetRowsHeight(int height)
{
    DataGridBase::SetRowsHeight(height);
    updateFrozen();
}

int TRxDBGrid::PressedTitle() const
{
    return static_cast<const TitleHeader *>(horizontalHeader())->pressed();
}

QWidget *TRxDBGrid::createCellEditor(QWidget *parent, const QModelIndex &index)
{
    auto *editor = static_cast<QLineEdit *>(DataGridBase::createCellEditor(parent, index));
    connect(editor, &QLineEdit::textEdited, this, [this] {
        if (OnEditChange)
            OnEditChange();
    });
    return editor;
}

void TRxDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Frozen columns are no tab stops: the current cell stays right of them.
    if (current.isValid() && current.column() < FixedCols() && !RowSelect()) {
        QMetaObject::invokeMethod(this, [this] { SetSelectedIndex(FixedCols()); }, Qt::QueuedConnection);
    }
    DataGridBase::currentChanged(current, previous);
}

void TRxDBGrid::gridKeyDown(QKeyEvent *event)
{
    const int frozen = FixedCols();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int column = currentIndex().column();
    switch (event->key()) {
    case Qt::Key_Left:
        if (frozen > 0 && (ctrl || column <= frozen) && !RowSelect()) {
            SetSelectedIndex(frozen);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Home:
        if (!ctrl && frozen > 0 && datasetModel().columnCount() > 1 && !RowSelect()) {
            SetSelectedIndex(frozen);
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    DataGridBase::gridKeyDown(event);
}

void TRxDBGrid::cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool highlight = highlighted(index);
    option.state.setFlag(QStyle::State_Selected, false);
    QColor background = highlight ? option.palette.color(QPalette::Highlight) : option.palette.color(QPalette::Base);
    QColor fontColor = highlight ? option.palette.color(QPalette::HighlightedText) : option.palette.color(QPalette::Text);
    const QString field = fieldAt(index.column());
    if (OnGetCellParams)
        OnGetCellParams(field, option.font, fontColor, background, highlight);
    else if (OnGetCellProps)
        OnGetCellProps(field, option.font, fontColor, background);
    option.backgroundBrush = background;
    option.palette.setColor(QPalette::Text, fontColor);
    if (highlight && hasFocus() && defaultDrawing_ && !RowSelect() && index == currentIndex())
        option.state |= QStyle::State_HasFocus;
    else
        option.state.setFlag(QStyle::State_HasFocus, false);
}

bool TRxDBGrid::paintCell(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QString glyph = showGlyphs_ ? FieldGlyphName(datasetModel().glyphOf(index.column())) : QString();
    if (!defaultDrawing_) {
        painter.fillRect(option.rect, option.backgroundBrush);
        return true;
    }
    if (glyph.isEmpty())
        return false;
    painter.fillRect(option.rect, option.backgroundBrush);
    const QImage image = ResourceBitmap(glyph);
    DrawKeyedBitmap(painter, option.rect.left() + (option.rect.width() - image.width()) / 2,
                    option.rect.top() + (option.rect.height() - image.height()) / 2, image, TransparentColor::given(GlyphKey));
    return true;
}

void TRxDBGrid::paintIndicator(QPainter &painter, const QRect &cell, int row) const
{
    const bool browsing = dataset() && dataset()->state() == DatasetState::Browse;
    if (!RowSelected(row) || !browsing) {
        DataGridBase::paintIndicator(painter, cell, row);
        return;
    }
    const QImage mark = ResourceBitmap(row == datasetModel().currentRow() ? QStringLiteral("DBG_MSARROW") : QStringLiteral("DBG_MSDOT"));
    // 1 pixel in from the cell's right edge while the grid shows its lines, else 2.
    const int inset = showGrid() ? 1 : 2;
    DrawKeyedBitmap(painter, cell.left() + cell.width() - inset - mark.width(),
                    cell.top() + (cell.height() - mark.height()) / 2, mark, TransparentColor::given(MarkKey));
}

void TRxDBGrid::paintEvent(QPaintEvent *event)
{
    DataGridBase::paintEvent(event);
    // Row-select mode: a focus rectangle around the current row while the grid has the focus.
    const QModelIndex current = currentIndex();
    if (!RowSelect() || !hasFocus() || !defaultDrawing_ || !current.isValid())
        return;
    const int last = datasetModel().columnCount() - 1;
    const QRect row = visualRect(current.siblingAtColumn(0)).united(visualRect(current.siblingAtColumn(last)));
    QPainter painter(viewport());
    DrawFocusRect(painter, row);
}

} // namespace vek
