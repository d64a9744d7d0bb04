#pragma once

#include "components/DatasetModel.h"
#include "components/ImeGridDelegate.h"

#include <QLineEdit>
#include <QPointer>

namespace vek {

class THDBGrid;
class THPopupListBox;

// The cell editor of THDBGrid: a plain editor, or one with an ellipsis button, a pick list
// or a lookup list at its right edge. Its lists drop down below the cell, or above it when
// they would run off the bottom of the screen, and never take the focus from the editor.
class THDBGridInplaceEdit : public QLineEdit, public CellEditorKeys {
    Q_OBJECT
public:
    enum EditStyle { esSimple, esEllipsis, esPickList, esDataList };
    static constexpr int PickListRows = 7;
    static constexpr int LookupRows = 20;

    THDBGridInplaceEdit(THDBGrid &grid, QWidget *parent);
    ~THDBGridInplaceEdit() override;

    // Takes the kind of the cell at column from its column, as the editor opens on it.
    void takeColumn(int column);
    EditStyle editStyle() const { return style_; }
    int buttonWidth() const;
    QRect buttonRect() const;

    bool listVisible() const { return listVisible_; }
    THPopupListBox *activeList() const { return activeList_; }
    void DropDown();
    void CloseUp(bool accept);

    bool takeKeyFirst(QKeyEvent *event) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    THPopupListBox *listFor(EditStyle style);
    void fillList();
    void placeList();
    void paintButton(QPainter &painter) const;
    void editButtonClick();
    // Writes the key of the lookup dataset's row lookupRow into the cell's key field.
    void writeLookupKey(int lookupRow);

    THDBGrid &grid_;
    int column_ = -1;
    EditStyle style_ = esSimple;
    QPointer<THPopupListBox> pickList_;
    QPointer<THPopupListBox> dataList_;
    THPopupListBox *activeList_ = nullptr;
    bool listVisible_ = false;
    bool tracking_ = false;
    bool pressed_ = false;
};

} // namespace vek
