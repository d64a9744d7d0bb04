#pragma once

#include "core/Dataset.h"
#include "core/ProgramState.h"

#include <QList>

namespace vek {

// A list screen as the dialogs opened over it see it through SlstFmHook or Sudetaif: the
// rows its grid shows and the rows selected there.
class StandInScreen : public ListScreenHook {
public:
    explicit StandInScreen(Dataset &rows, QList<Bookmark> selected = {}) : rows_(rows), selected_(std::move(selected)) {}
    Dataset &ShownRows() override { return rows_; }
    QList<Bookmark> SelectedRows() const override { return selected_; }

private:
    Dataset &rows_;
    QList<Bookmark> selected_;
};

} // namespace vek
