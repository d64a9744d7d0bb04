#include "platform/zipengine/EngineText.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace vek {
namespace {

// One conversion through iconv. Bytes that cannot be converted give false, or '?' with
// replace.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool Convert(std::string_view in, std::string &out, bool replace)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char *inPtr = const_cast<char *>(in.data());
        size_t inLeft = in.size();
        out.clear();
        char buffer[256];
        while (inLeft > 0) {
            char *outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, size_t(outPtr - buffer));
            if (result != size_t(-1) || errno == E2BIG)
                continue;
            if (!replace)
                return false;
            out.push_back('?'); // an invalid or incomplete sequence: one byte of it
            ++inPtr;
            --inLeft;
        }
        return true;
    }

private:
    iconv_t cd_;
};

} // namespace

bool IsUtf8(std::string_view bytes)
{
    thread_local Converter check("UTF-32LE", "UTF-8");
    std::string ignored;
    return check.Convert(bytes, ignored, false);
}

ArchiveText ToArchiveText(std::string_view utf8)
{
    thread_local Converter toCp949("CP949", "UTF-8");
    ArchiveText text;
    if (toCp949.Convert(utf8, text.bytes, false))
        return text;
    return {std::string(utf8), true};
}

std::string FromArchiveText(std::string_view bytes, bool utf8Flag, bool unixHost)
{
    if (utf8Flag || (unixHost && IsUtf8(bytes)))
        return std::string(bytes);
    thread_local Converter fromCp949("UTF-8", "CP949");
    std::string text;
    fromCp949.Convert(bytes, text, true);
    return text;
}

} // namespace vek
