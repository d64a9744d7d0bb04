#pragma once

#include "platform/zipengine/ZipEngine.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// The engine's side of the callback: fills a callback record, calls the caller and reads
// its answer. Once the caller asked to stop, Cancelled() stays true. Without a callback
// every action is answered as it was asked.
class EngineCallback {
public:
    EngineCallback(ZipCallbackFunction function, void *component) : function_(function), component_(component) {}

    struct Answer {
        int32_t value1 = 0;
        int32_t value2 = 0;
        std::string text;
    };

    // Sends action with its values and text (cut to fit, never inside a UTF-8 letter);
    // comment goes to the second half of the text area.
    Answer Send(ZipCallbackAction action, int32_t value1, int32_t value2, std::string_view text,
                std::string_view comment = {});
    bool Cancelled() const { return cancelled_; }

    // A message; error 0 for a report that is no failure.
    void Message(ZipEngineError error, std::string_view text) { Send(ZipActionMessage, error, 0, text); }
    void Progress(ZipCallbackAction action, std::string_view name, int64_t size)
    {
        Send(action, 0, Saturated(size), name);
    }
    // A size as one 32-bit value of the record.
    static int32_t Saturated(int64_t size);

private:
    ZipCallbackFunction function_;
    void *component_;
    bool cancelled_ = false;
};

} // namespace vek
