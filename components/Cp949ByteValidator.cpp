#include "components/Cp949ByteValidator.h"

#include "core/Cp949Text.h"

namespace vek {

Cp949ByteValidator::Cp949ByteValidator(int maxBytes, QObject *parent) : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State Cp949ByteValidator::validate(QString &input, int &) const
{
    return Cp949Width(input) <= maxBytes_ ? Acceptable : Invalid;
}

} // namespace vek
