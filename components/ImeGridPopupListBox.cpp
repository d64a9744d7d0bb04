#include "components/ImeGridPopupListBox.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace vek {
namespace {

// Items of the list's own height, whatever their font.
class FixedHeightItems : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), THPopupListBox::ItemHeight};
    }
};

} // namespace

THPopupListBox::THPopupListBox(QWidget *owner) : QListWidget(nullptr)
{
    // No parent window: the list floats over the screen, above its owner's window.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setItemDelegate(new FixedHeightItems(this));
    setParent(owner, windowFlags());
    steady_.start();
    Clock = [this] { return steady_.elapsed(); };
}

int THPopupListBox::heightForRows(int rows) const
{
    return rows * ItemHeight + 2 * frameWidth();
}

void THPopupListBox::TypeAhead(QChar ch)
{
    const qint64 now = Clock();
    if (now - lastKey_ > SearchResetMs)
        search_.clear();
    lastKey_ = now;
    if (search_.size() < MaxSearchLength)
        search_.append(ch);
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().startsWith(search_, Qt::CaseInsensitive)) {
            setCurrentRow(i);
            return;
        }
    }
}

void THPopupListBox::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape) {
        ClearSearch();
        event->accept();
        return;
    }
    if (!text.isEmpty() && text.at(0) >= QLatin1Char(' ')) {
        for (QChar ch : text)
            TypeAhead(ch);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace vek
