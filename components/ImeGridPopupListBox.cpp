#include "components/ImeGridPopupListBox.h"

#include <QKeyEvent>

namespace vek {

THPopupListBox::THPopupListBox(QWidget *owner) : QListWidget(nullptr)
{
    // No parent window: the list floats over the screen, above its owner's window.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setParent(owner, windowFlags());
    steady_.start();
    Clock = [this] { return steady_.elapsed(); };
}

int THPopupListBox::heightForRows(int rows) const
{
    const int itemHeight = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
    return rows * itemHeight + 2 * frameWidth();
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
