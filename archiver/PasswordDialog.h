#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vek {

// The zip component's password question, built in code: a prompt, an edit that shows '*'
// for each of at most 80 characters, OK and Cancel. Its texts are messages the library
// carries no texts for: the caption shows the fallback line, the prompt and the buttons
// stay empty, the buttons showing their glyphs.
class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget *parent = nullptr);

    // Shows the dialog modally; the password typed when OK was pressed, else empty.
    QString Ask();

    QLabel *Prompt;
    QLineEdit *Edit;
    QPushButton *OkButton;
    QPushButton *CancelButton;
};

} // namespace vek
