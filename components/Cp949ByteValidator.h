#pragma once

#include <QValidator>

namespace vek {

// Keeps an edit box's text within a number of CP949 bytes (a Korean letter counts 2): a
// key, paste or composition that would pass the limit is refused.
class Cp949ByteValidator : public QValidator {
    Q_OBJECT
public:
    Cp949ByteValidator(int maxBytes, QObject *parent = nullptr);

    int maxBytes() const { return maxBytes_; }
    State validate(QString &input, int &pos) const override;

private:
    int maxBytes_;
};

} // namespace vek
