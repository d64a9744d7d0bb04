#include "tests/support/FailingApplication.h"

#include "platform/spreadsheet/SpreadsheetError.h"

namespace vek {

FailingApplication::FailingApplication(const QString &member, int nth, std::function<void()> atFailure)
    : member_(member), left_(nth), atFailure_(std::move(atFailure))
{
}

void FailingApplication::invoke(const char *member)
{
    if (member_ != QLatin1String(member) || --left_ != 0)
        return;
    if (atFailure_)
        atFailure_();
    throw SpreadsheetError(QStringLiteral("the spreadsheet stopped answering"));
}

} // namespace vek
