#pragma once

#include <QByteArray>
#include <QIODevice>

namespace vek {

// The zip component's memory stream, which an entry is extracted into: its own memory,
// or outside memory it is pointed at. Open for reading and writing from the start.
class TZipStream : public QIODevice {
    Q_OBJECT
public:
    explicit TZipStream(QObject *parent = nullptr);

    // Points the stream at size bytes of outside memory, which it neither grows nor frees.
    void SetPointer(char *data, qint64 size);
    // Gives the stream memory of its own of size bytes, keeping what it held up to that size.
    void SetSize(qint64 size);
    // Empties the stream.
    void Clear() { SetSize(0); }
    char *Memory() { return outside_ ? outside_ : own_.data(); }
    QByteArray Bytes() const { return outside_ ? QByteArray(outside_, outsideSize_) : own_; }

    qint64 size() const override { return outside_ ? outsideSize_ : own_.size(); }
    bool isSequential() const override { return false; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray own_;
    char *outside_ = nullptr;
    qint64 outsideSize_ = 0;
};

} // namespace vek
