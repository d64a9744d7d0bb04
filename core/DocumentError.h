#pragma once

#include <QString>

#include <stdexcept>

namespace vek {

// A document or move file that cannot be written or read, or that holds no estimate
// records. what() is the whole message as the user sees it.
class DocumentError : public std::runtime_error {
public:
    explicit DocumentError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }

    // " 파일을 저장할 수 없습니다." with the path and the reason.
    static DocumentError CannotSave(const QString &path, const QString &reason)
    {
        return DocumentError(QStringLiteral(" 파일을 저장할 수 없습니다.\n%1\n%2").arg(path, reason));
    }
    // " 파일을 읽을 수 없습니다." with the path and the reason.
    static DocumentError CannotRead(const QString &path, const QString &reason)
    {
        return DocumentError(QStringLiteral(" 파일을 읽을 수 없습니다.\n%1\n%2").arg(path, reason));
    }
    // A file that is no document of estimate records, or a damaged one.
    static DocumentError NotADocument(const QString &path)
    {
        return DocumentError(QStringLiteral(" 내역서파일이 아니거나 손상된 파일입니다.\n%1").arg(path));
    }
};

} // namespace vek
