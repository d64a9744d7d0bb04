#pragma once

#include <QString>
#include <QUrl>

namespace vek {

// Reachability tests and downloads over HTTP(S) that wait, with the event loop running,
// until they are done, no data has moved for idleMs, or deadlineMs have passed since the
// start, whichever comes first: a server that sends a byte now and then cannot hold them
// up. The system's proxy settings apply, except to the local machine.
class WebClient {
public:
    WebClient(int idleMs, int deadlineMs) : idleMs_(idleMs), deadlineMs_(deadlineMs) {}

    // True when the address answers, after redirects, with a success status. The answer's
    // head decides: its body is not read.
    bool isReachable(const QUrl &url) const;
    // Writes the address's content to filePath through a temporary file in the same
    // folder that replaces filePath only when the whole content has arrived; on any
    // failure filePath is left as it was and no partial file remains.
    bool download(const QUrl &url, const QString &filePath) const;

private:
    int idleMs_;
    int deadlineMs_;
};

} // namespace vek
