#include "platform/zipengine/EngineCallback.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vek {
namespace {

// Copies text into area of capacity bytes, zero-terminated, cut before a UTF-8 letter
// that would not fit whole.
void Put(char *area, size_t capacity, std::string_view text)
{
    size_t length = std::min(text.size(), capacity - 1);
    while (length < text.size() && length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    if (length > 0)
        std::memcpy(area, text.data(), length);
    area[length] = '\0';
}

} // namespace

int32_t EngineCallback::Saturated(int64_t size)
{
    return int32_t(std::clamp<int64_t>(size, 0, std::numeric_limits<int32_t>::max()));
}

EngineCallback::Answer EngineCallback::Send(ZipCallbackAction action, int32_t value1, int32_t value2,
                                            std::string_view text, std::string_view comment)
{
    ZipCallbackRecord record{};
    record.Component = component_;
    record.Action = action;
    record.Value1 = value1;
    record.Value2 = value2;
    if (action == ZipActionFileComment) {
        Put(record.Text, ZipCallbackCommentAt, text);
        Put(record.Text + ZipCallbackCommentAt, sizeof record.Text - ZipCallbackCommentAt, comment);
    } else {
        Put(record.Text, sizeof record.Text, text);
    }
    if (function_ && function_(&record) == -1)
        cancelled_ = true;
    record.Text[sizeof record.Text - 1] = '\0';
    return {record.Value1, record.Value2, std::string(record.Text)};
}

} // namespace vek
