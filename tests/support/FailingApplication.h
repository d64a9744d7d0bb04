#pragma once

#include "platform/spreadsheet/ExcelApplication.h"

#include <QString>

#include <functional>

namespace vek {

// A spreadsheet application that stops answering at the nth call of one member: that call
// throws SpreadsheetError "the spreadsheet stopped answering", after atFailure (when given)
// has looked at how things stand at that moment.
class FailingApplication : public ExcelApplication {
public:
    FailingApplication(const QString &member, int nth, std::function<void()> atFailure = {});
    void invoke(const char *member) override;

private:
    QString member_;
    int left_;
    std::function<void()> atFailure_;
};

} // namespace vek
