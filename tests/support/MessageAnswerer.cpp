#include "tests/support/MessageAnswerer.h"

namespace vek {

MessageAnswerer::MessageAnswerer(bool defaultAnswer)
    : previous_(SetMessagePresenter(this)), defaultAnswer_(defaultAnswer)
{
}

MessageAnswerer::~MessageAnswerer()
{
    SetMessagePresenter(previous_);
}

QStringList MessageAnswerer::texts() const
{
    QStringList result;
    for (const MessageRequest &request : requests_)
        result.append(request.text);
    return result;
}

bool MessageAnswerer::present(const MessageRequest &request)
{
    if (request.kind == MessageKind::YesNoCancel)
        return choose(request) == MessageChoice::Yes;
    requests_.append(request);
    if (request.kind != MessageKind::Confirmation && request.kind != MessageKind::OkCancel)
        return true;
    return answers_.isEmpty() ? defaultAnswer_ : answers_.takeFirst();
}

MessageChoice MessageAnswerer::choose(const MessageRequest &request)
{
    requests_.append(request);
    if (!choices_.isEmpty())
        return choices_.takeFirst();
    return defaultAnswer_ ? MessageChoice::Yes : MessageChoice::No;
}

} // namespace vek
