#pragma once

#include <QString>
#include <QUrl>

namespace vek {

// Reachability tests and downloads over HTTP(S) that wait, with the event loop running,
// until they are done or no data has moved for timeoutMs. The system's proxy settings
// apply, except to the local machine.
class WebClient {
public:
    explicit WebClient(int timeoutMs) : timeoutMs_(timeoutMs) {}

    // True when the address answers, after redirects, with a success status.
    bool isReachable(const QUrl &url) const;
    // Writes the address's content to filePath through a temporary file in the same
    // folder that replaces filePath only when the whole content has arrived; on any
    // failure filePath is left as it was and no partial file remains.
    bool download(const QUrl &url, const QString &filePath) const;

private:
    int timeoutMs_;
};

} // namespace vek
