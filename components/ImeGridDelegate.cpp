#include "components/ImeGridDelegate.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace vek {

namespace {

bool IsTypedCharacter(const QKeyEvent *event)
{
    const QString text = event->text();
    return !text.isEmpty() && text.at(0) >= QLatin1Char(' ') && text.at(0) != QChar(0x7f)
           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

ImeGridDelegate::ImeGridDelegate(QAbstractItemView &view, CellEditHost &host)
    : QStyledItemDelegate(&view), view_(view), host_(host)
{
}

bool ImeGridDelegate::keyPressTakes(const QString &text) const
{
    const GridKeyHooks &hooks = host_.keyHooks();
    if (!hooks.OnKeyPress)
        return true;
    for (QChar ch : text) {
        hooks.OnKeyPress(ch);
        if (ch.isNull())
            return false;
    }
    return true;
}

bool ImeGridDelegate::mayEnterText(const QModelIndex &index, const QString &text) const
{
    return host_.mayEditCell(index) && keyPressTakes(text);
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
    return !text.isEmpty() && !keyPressTakes(text.left(1));
}

void ImeGridDelegate::gridKey(QKeyEvent *event)
{
    // A character typed into a cell that may not be edited goes nowhere: no editor opens
    // and no row search moves the current row.
    if (hooksConsume(event) || (IsTypedCharacter(event) && !host_.mayEditCell(view_.currentIndex()))) {
        event->accept();
        return;
    }
    QScopedValueRollback<const QKeyEvent *> passed(passed_, event);
    host_.gridKeyDown(event);
}

void ImeGridDelegate::gridInputMethod(QInputMethodEvent *event)
{
    event->accept();
    if (!editor_) {
        const QString text = event->commitString().isEmpty() ? event->preeditString() : event->commitString();
        if (text.isEmpty())
            return;
        const QModelIndex index = view_.currentIndex();
        bool opened = false;
        if (index.isValid() && mayEnterText(index, text)) {
            opening_ = true;
            opened = host_.openCellEditor(index);
            opening_ = false;
        }
        if (!opened || !editor_) {
            // The composition is dropped, also in the input method itself.
            QGuiApplication::inputMethod()->reset();
            return;
        }
        composing_ = true;
    }
    QCoreApplication::sendEvent(editor_, event);
    if (composing_ && event->preeditString().isEmpty())
        endHandOver();
}

void ImeGridDelegate::endHandOver()
{
    composing_ = false;
    if (!editor_)
        return;
    editor_->setFocusProxy(nullptr);
    editor_->setFocus(Qt::OtherFocusReason);
}

QVariant ImeGridDelegate::gridInputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!composing_ || !editor_)
        return QVariant();
    QVariant answer = editor_->inputMethodQuery(query);
    if (answer.typeId() == QMetaType::QRectF)
        answer = answer.toRectF().translated(editor_->mapTo(&view_, QPoint()));
    else if (answer.typeId() == QMetaType::QRect)
        answer = answer.toRect().translated(editor_->mapTo(&view_, QPoint()));
    return answer;
}

QWidget *ImeGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    QWidget *editor = host_.createCellEditor(parent, index);
    // While a composition is handed over the grid keeps the focus (and the input method
    // its composition); the editor takes it when the syllable is complete.
    if (opening_)
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
    if (const auto *line = qobject_cast<QLineEdit *>(editor); line && !line->isModified())
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

void ImeGridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == editor_) {
        editor_ = nullptr;
        composing_ = false;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
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

bool ImeGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (object == editor_ && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == passed_)
            return QStyledItemDelegate::eventFilter(object, event);
        auto *first = dynamic_cast<CellEditorKeys *>(editor_.data());
        if ((first && first->takeKeyFirst(key)) || hooksConsume(key) || QStyledItemDelegate::eventFilter(object, event))
            return true;
        // A key the editor leaves goes to the grid's own handling (Up and Down move the
        // row), not once more through the hooks.
        key->accept();
        static_cast<QObject *>(editor_.data())->event(key);
        if (!key->isAccepted())
            host_.gridKeyDown(key);
        if (!key->isAccepted() && view_.parentWidget())
            QCoreApplication::sendEvent(view_.parentWidget(), key);
        key->accept(); // delivered: Qt must not pass it up through the grid once more
        return true;
    }
    if (object == editor_ && event->type() == QEvent::InputMethod) {
        auto *ime = static_cast<QInputMethodEvent *>(event);
        if (!ime->commitString().isEmpty() && !mayEnterText(view_.currentIndex(), ime->commitString())) {
            QInputMethodEvent clear;
            QCoreApplication::sendEvent(editor_, &clear);
            QGuiApplication::inputMethod()->reset();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace vek
