#include "components/ImeGridDelegate.h"

#include "components/InputComposition.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace vek {

namespace {

bool IsPrintable(QChar character)
{
    return character >= QLatin1Char(' ') && character != QChar(0x7f);
}

bool IsTypedCharacter(const QKeyEvent *event)
{
    const QString text = event->text();
    return !text.isEmpty() && IsPrintable(text.at(0)) && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// A Korean syllable: a cell that takes none takes no composition either.
constexpr QChar Syllable(0xAC00);

} // namespace

ImeGridDelegate::ImeGridDelegate(QAbstractItemView &view, CellEditHost &host)
    : QStyledItemDelegate(&view), view_(view), host_(host)
{
    InputComposition::Watch();
    view.installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::focusObjectChanged, this, &ImeGridDelegate::focusMoved);
}

bool ImeGridDelegate::typedTextTaken(const QModelIndex &index, const QString &text) const
{
    const GridKeyHooks &hooks = host_.keyHooks();
    for (QChar ch : text) {
        if (hooks.OnKeyPress) {
            hooks.OnKeyPress(ch);
            if (ch.isNull())
                return false;
        }
        if (IsPrintable(ch) && !host_.cellTakesCharacter(index, ch)) {
            QApplication::beep();
            return false;
        }
    }
    return true;
}

bool ImeGridDelegate::mayEnterText(const QModelIndex &index, const QString &text) const
{
    return host_.mayEditCell(index) && typedTextTaken(index, text);
}

bool ImeGridDelegate::composesIn(const QModelIndex &index) const
{
    return host_.mayEditCell(index) && host_.cellTakesCharacter(index, Syllable);
}

bool ImeGridDelegate::hooksConsume(QKeyEvent *event) const
{
    const GridKeyHooks &hooks = host_.keyHooks();
    if (hooks.OnKeyDown) {
        int key = event->key();
        hooks.OnKeyDown(key, event->modifiers());
        if (key == 0)
            return true;
    }
    const QString text = event->text();
    return !text.isEmpty() && !typedTextTaken(view_.currentIndex(), text.left(1));
}

void ImeGridDelegate::gridKey(QKeyEvent *event)
{
    if (editor_) {
        QCoreApplication::sendEvent(editor_, event);
        return;
    }
    // A character typed into a cell that may not be edited goes nowhere: no editor opens
    // and no row search moves the current row.
    if (hooksConsume(event) || (IsTypedCharacter(event) && !host_.mayEditCell(view_.currentIndex()))) {
        event->accept();
        return;
    }
    QScopedValueRollback<const QKeyEvent *> passed(passed_, event);
    host_.gridKeyDown(event);
}

void ImeGridDelegate::dropComposition()
{
    QScopedValueRollback<bool> dropping(dropping_, true);
    QGuiApplication::inputMethod()->reset();
}

void ImeGridDelegate::gridInputMethod(QInputMethodEvent *event)
{
    event->accept();
    if (dropping_)
        return;
    if (!editor_) {
        // What an input method hands to a grid it has left opens no editor.
        if (!view_.hasFocus())
            return;
        const QString text = event->commitString().isEmpty() ? event->preeditString() : event->commitString();
        if (text.isEmpty())
            return;
        const QModelIndex index = view_.currentIndex();
        if (!index.isValid() || !mayEnterText(index, text) || !host_.openCellEditor(index) || !editor_) {
            dropComposition();
            return;
        }
        handingOver_ = true;
    }
    QCoreApplication::sendEvent(editor_, event);
    if (!handingOver_ || !editor_)
        return;
    if (!event->commitString().isEmpty()) {
        handingOver_ = false;
    } else if (event->preeditString().isEmpty()) {
        // The composition that opened the editor was taken back whole: the cell's text is
        // there again, selected.
        handingOver_ = false;
        setEditorData(editor_, view_.currentIndex());
    }
}

QVariant ImeGridDelegate::gridInputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return composesIn(view_.currentIndex());
    if (!editor_)
        return QVariant();
    QInputMethodQueryEvent ask(query);
    QCoreApplication::sendEvent(editor_, &ask);
    QVariant answer = ask.value(query);
    const QPoint offset = editor_->mapTo(&view_, QPoint());
    if (answer.typeId() == QMetaType::QRectF)
        answer = answer.toRectF().translated(offset);
    else if (answer.typeId() == QMetaType::QRect)
        answer = answer.toRect().translated(offset);
    return answer;
}

void ImeGridDelegate::updateInputMethod() const
{
    if (view_.hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
}

void ImeGridDelegate::focusMoved(QObject *focus)
{
    const auto *widget = qobject_cast<const QWidget *>(focus);
    if (!editor_ || writing_ || QApplication::activePopupWidget()
        || (widget && (widget == &view_ || view_.isAncestorOf(widget))))
        return;
    // The focus left the grid: the editor's text is written and the editor closes.
    emit commitData(editor_);
    if (editor_)
        emit closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

QWidget *ImeGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    QWidget *editor = host_.createCellEditor(parent, index);
    editor->setFocusProxy(&view_);
    editor_ = editor;
    return editor;
}

void ImeGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->selectAll();
}

void ImeGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (editor == editor_)
        InputComposition::Commit(&view_);
    if (const auto *line = qobject_cast<QLineEdit *>(editor); line && !line->isModified())
        return;
    QScopedValueRollback<bool> writing(writing_, true);
    QStyledItemDelegate::setModelData(editor, model, index);
}

void ImeGridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == editor_) {
        // A syllable still composing goes with its editor, not into the next cell.
        InputComposition::Commit(&view_);
        editor_ = nullptr;
        handingOver_ = false;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
    updateInputMethod();
}

void ImeGridDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    host_.cellStyle(*option, index);
}

void ImeGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem styled = option;
    initStyleOption(&styled, index);
    if (!host_.paintCell(*painter, styled, index))
        QStyledItemDelegate::paint(painter, option, index);
}

void ImeGridDelegate::toEditor(QEvent *event) const
{
    // The editor's own handling, passing no filter and never up to the grid again.
    static_cast<QObject *>(editor_.data())->event(event);
}

bool ImeGridDelegate::filterGridEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // The editor shows the grid's focus: its caret, and its list closes with it. The
        // grid closes the editor when the focus has left.
        toEditor(event);
        return false;
    case QEvent::ShortcutOverride:
        // The editor's own keys (copy, paste, Home, End ...) are no shortcuts while it is open.
        toEditor(event);
        return event->isAccepted();
    default:
        return false;
    }
}

void ImeGridDelegate::editorInputMethod(QInputMethodEvent *event)
{
    auto *line = qobject_cast<QLineEdit *>(editor_);
    const QString commit = event->commitString();
    if (!commit.isEmpty() && !mayEnterText(view_.currentIndex(), commit)) {
        QInputMethodEvent clear;
        toEditor(&clear);
        dropComposition();
        return;
    }
    // A composition alone changes nothing yet: only committed text changes the editor.
    const bool changed = !line || line->isModified();
    toEditor(event);
    if (line && !changed && commit.isEmpty() && event->replacementLength() == 0)
        line->setModified(false);
}

bool ImeGridDelegate::filterEditorEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (view_.hasFocus()) {
            QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
            toEditor(&focus);
        }
        updateInputMethod();
        return false;
    case QEvent::InputMethod:
        editorInputMethod(static_cast<QInputMethodEvent *>(event));
        return true;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == passed_)
            return QStyledItemDelegate::eventFilter(editor_, event);
        auto *first = dynamic_cast<CellEditorKeys *>(editor_.data());
        if ((first && first->takeKeyFirst(key)) || hooksConsume(key) || QStyledItemDelegate::eventFilter(editor_, event))
            return true;
        // A key the editor leaves goes to the grid's own handling (Up and Down move the
        // row), not once more through the hooks.
        key->accept();
        toEditor(key);
        if (!key->isAccepted())
            host_.gridKeyDown(key);
        if (!key->isAccepted() && view_.parentWidget())
            QCoreApplication::sendEvent(view_.parentWidget(), key);
        key->accept(); // delivered: Qt must not pass it up through the grid once more
        return true;
    }
    default:
        return QStyledItemDelegate::eventFilter(editor_, event);
    }
}

bool ImeGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (object == &view_)
        return editor_ && filterGridEvent(event);
    if (editor_ && object == editor_)
        return filterEditorEvent(event);
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace vek
