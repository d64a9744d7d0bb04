#pragma once

#include <functional>

class QWidget;

namespace vek {

// A click of a button that carries a modal result: the dialog that owns widget gets result
// first, then click runs (its handler sees the result and may close the dialog itself);
// a modal dialog still open with a result other than 0 then closes with it.
void ClickWithModalResult(QWidget &widget, int result, const std::function<void()> &click);

} // namespace vek
