#pragma once

#include <QElapsedTimer>
#include <QListWidget>

#include <functional>

namespace vek {

// The drop-down list of a grid's cell editor, its items ItemHeight pixels high: a frameless
// tool window that never takes the activation or the focus (the editor keeps it), with
// type-ahead: typed characters build a search text of at most 32 characters, cleared
// after two seconds without a key, and the first item that begins with it is selected.
class THPopupListBox : public QListWidget {
    Q_OBJECT
public:
    explicit THPopupListBox(QWidget *owner);

    static constexpr int ItemHeight = 11;
    static constexpr int MaxSearchLength = 32;
    static constexpr qint64 SearchResetMs = 2000;

    QString searchText() const { return search_; }
    // A character typed into the list (from the editor, which keeps the focus).
    void TypeAhead(QChar ch);
    void ClearSearch() { search_.clear(); }
    // Milliseconds of a steady clock; tests set their own.
    std::function<qint64()> Clock;

    // The height that shows rows items.
    int heightForRows(int rows) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString search_;
    qint64 lastKey_ = 0;
    QElapsedTimer steady_;
};

} // namespace vek
