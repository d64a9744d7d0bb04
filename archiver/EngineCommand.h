#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

namespace vek {

// A command record for the zip engine with everything it points at: zero-filled records
// and copies of the strings, all freed together when it goes, after the engine's call.
class EngineCommand {
public:
    // A new zero-filled record, or array of count records.
    template <typename Record>
    Record *New(std::size_t count = 1)
    {
        auto block = std::make_unique<Record[]>(count); // value-initialised: zero-filled
        Record *data = block.get();
        blocks_.emplace_back(block.release(), [](void *records) { delete[] static_cast<Record *>(records); });
        return data;
    }
    // A zero-terminated UTF-8 copy of text.
    const char *Text(const QString &text);
    // The same, but nothing for empty text.
    const char *OptionalText(const QString &text) { return text.isEmpty() ? nullptr : Text(text); }
    // An array of copies of texts.
    const char **Texts(const QStringList &texts);

private:
    std::vector<std::unique_ptr<void, void (*)(void *)>> blocks_;
    std::deque<QByteArray> texts_;
};

} // namespace vek
