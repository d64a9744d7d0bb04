#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

class QAbstractItemView;
class QInputMethodEvent;
class QKeyEvent;

namespace vek {

// The hooks through which a screen sees the keys of a grid and of its open cell editor.
struct GridKeyHooks {
    // Setting key to 0 consumes it.
    std::function<void(int &key, Qt::KeyboardModifiers shift)> OnKeyDown;
    // Setting key to a null character drops it.
    std::function<void(QChar &key)> OnKeyPress;
};

// What a grid tells its cell delegate.
class CellEditHost {
public:
    virtual ~CellEditHost() = default;
    virtual GridKeyHooks &keyHooks() = 0;
    // Whether the cell at index may be edited at all.
    virtual bool mayEditCell(const QModelIndex &index) const = 0;
    virtual QWidget *createCellEditor(QWidget *parent, const QModelIndex &index) = 0;
    // The grid's own handling of a key that its hooks and the rule left.
    virtual void gridKeyDown(QKeyEvent *event) = 0;
    // Opens the editor on index whatever the edit triggers; false when it stays closed.
    virtual bool openCellEditor(const QModelIndex &index) = 0;
    // The grid's own say over a cell's look before it is drawn, and its own drawing of a
    // cell (true when it drew it).
    virtual void cellStyle(QStyleOptionViewItem &, const QModelIndex &) const {}
    virtual bool paintCell(QPainter &, const QStyleOptionViewItem &, const QModelIndex &) const { return false; }
};

// An editor that takes some keys before the grid does (an open list's Enter and Esc).
class CellEditorKeys {
public:
    virtual ~CellEditorKeys() = default;
    // true when the editor consumed the key.
    virtual bool takeKeyFirst(QKeyEvent *event) = 0;
};

// The cell delegate of the grids: it creates the grid's own editor, passes every text that
// would enter a cell through one rule (the cell may be edited, and the key-press hook takes
// each of its characters: typed keys and input-method commits alike), lets the grid's key
// hooks see the keys typed into an open editor first, and hands a Korean composition begun
// while the editor was closed over to the editor, so that the syllable goes on being
// composed inline in the cell.
class ImeGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ImeGridDelegate(QAbstractItemView &view, CellEditHost &host);

    QWidget *editor() const { return editor_; }

    // The rule every text passes before it enters the cell at index.
    bool mayEnterText(const QModelIndex &index, const QString &text) const;
    // A key typed into the grid: the hooks and the rule first, then the grid's own handling.
    void gridKey(QKeyEvent *event);
    // An input-method event that reached the grid.
    void gridInputMethod(QInputMethodEvent *event);
    // The editor's answer while a composition is handed over; invalid otherwise.
    QVariant gridInputMethodQuery(Qt::InputMethodQuery query) const;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    // The editor opens with its text selected, so that typing replaces it.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // An editor whose text was not changed writes nothing: its row is not posted.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    bool hooksConsume(QKeyEvent *event) const;
    bool keyPressTakes(const QString &text) const;
    void endHandOver();

    QAbstractItemView &view_;
    CellEditHost &host_;
    mutable QPointer<QWidget> editor_;
    const QKeyEvent *passed_ = nullptr; // a grid key on its way into a new editor
    bool opening_ = false;    // the editor being created takes no focus from the grid
    mutable bool composing_ = false; // a composition is being handed over
};

} // namespace vek
