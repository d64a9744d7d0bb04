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
    // Whether a typed character can be part of what the cell at index holds.
    virtual bool cellTakesCharacter(const QModelIndex &, QChar) const { return true; }
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
// would enter a cell through one rule (the cell may be edited, the key-press hook takes
// each of its characters, and the cell takes them: typed keys and input-method commits
// alike), and lets the grid's key hooks see the keys typed into an open editor first.
//
// The grid keeps the keyboard focus while its editor is open, and passes the editor its
// keys, the input method's events and questions, and its focus: a focus move inside the
// window makes an input method drop the syllable it composes, so the editor never takes
// the focus. Korean composition begun in a closed cell opens the editor and goes on inline
// there; taken back whole before anything was committed, it leaves the cell's text as it
// was. A composing syllable is committed into the editor before the editor's text is
// written, and before the editor closes. An input method composes only in a cell that
// takes letters: a number cell takes no composition and refuses letters as they are typed.
class ImeGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ImeGridDelegate(QAbstractItemView &view, CellEditHost &host);

    QWidget *editor() const { return editor_; }

    // The rule every text passes before it enters the cell at index.
    bool mayEnterText(const QModelIndex &index, const QString &text) const;
    // A key typed into the grid: to the open editor, else the hooks and the rule first, then
    // the grid's own handling.
    void gridKey(QKeyEvent *event);
    // An input-method event that reached the grid.
    void gridInputMethod(QInputMethodEvent *event);
    // The answer to the input method's question: the editor's while it is open.
    QVariant gridInputMethodQuery(Qt::InputMethodQuery query) const;
    // Has the input method ask the grid again where it may compose and where the caret is:
    // after the current cell or the editor changed.
    void updateInputMethod() const;

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
    bool typedTextTaken(const QModelIndex &index, const QString &text) const;
    bool composesIn(const QModelIndex &index) const;
    void toEditor(QEvent *event) const;
    bool filterEditorEvent(QEvent *event);
    bool filterGridEvent(QEvent *event);
    void editorInputMethod(QInputMethodEvent *event);
    void dropComposition();
    void focusMoved(QObject *focus);

    QAbstractItemView &view_;
    CellEditHost &host_;
    mutable QPointer<QWidget> editor_;
    const QKeyEvent *passed_ = nullptr; // a grid key on its way into a new editor
    mutable bool handingOver_ = false;  // the editor opened on a composition that committed nothing yet
    mutable bool writing_ = false;      // the editor's text is being written
    bool dropping_ = false;             // the input method is told to drop its composition
};

} // namespace vek
