#pragma once

#include <QString>

#include <stdexcept>

namespace vek {

// A failure of the working database: a connection that cannot be made, a statement the
// engine refuses, a posting that cannot reach the table. what() is the whole message.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace vek
