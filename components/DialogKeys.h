#pragma once

class QAbstractButton;
class QWidget;

namespace vek {

// Enter and Esc offered to a form as dialog keys: Enter clicks the form's default push
// button and Esc its cancel button, when the form has such a button, visible and enabled.
// True when a button acted. Nothing else happens: the key itself never closes a dialog.
bool OfferDialogKey(QWidget &from, int key);

// Makes button the cancel button of its form: the one Esc clicks.
void MarkCancelButton(QAbstractButton &button);

} // namespace vek
