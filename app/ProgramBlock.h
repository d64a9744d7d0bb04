#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace vek {

// One running program per user: the first start listens on a local socket named after the
// application title in the user's runtime folder; a later start finds it there and asks it
// to come to the front.
class ProgramBlock : public QObject {
    Q_OBJECT
public:
    explicit ProgramBlock(const QString &title, QObject *parent = nullptr);

    // The local socket's full name.
    QString serverName() const { return name_; }

    // True when this start is the only one: it now answers later starts. A socket left
    // behind by a program that ended without closing it is taken over. When no socket can
    // be made at all, the program runs unguarded rather than not at all.
    bool Claim();
    // True when a running program answers on the socket.
    bool InstanceAnswers() const;
    // Asks the running program to restore or raise its window; true when the request was sent.
    bool ActivateRunningInstance() const;

signals:
    // A later start asked this program to come to the front.
    void activationRequested();

private:
    void AnswerConnection();

    QString name_;
    QLocalServer server_;
};

} // namespace vek
