#include "core/Cp949Text.h"


#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace vek {
namespace {

// One iconv converter per thread, from one UTF-32 code point at a time to CP949.
class Cp949Encoder {
public:
    Cp949Encoder() : cd_(iconv_open("CP949", "UTF-32LE"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv has no CP949 converter");
    }
    ~Cp949Encoder() { iconv_close(cd_); }
    Cp949Encoder(const Cp949Encoder &) = delete;
    Cp949Encoder &operator=(const Cp949Encoder &) = delete;

    // Appends the CP949 form of one code point to out; false when it has none.
    bool append(char32_t codePoint, QByteArray &out)
    {
        if (codePoint < 0x80) {
            out.append(static_cast<char>(codePoint));
            return true;
        }
        unsigned char in[4] = {static_cast<unsigned char>(codePoint), static_cast<unsigned char>(codePoint >> 8),
                               static_cast<unsigned char>(codePoint >> 16), static_cast<unsigned char>(codePoint >> 24)};
        char buffer[8];
        char *inPtr = reinterpret_cast<char *>(in);
        size_t inLeft = sizeof in;
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return false;
        out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        return true;
    }

    // The CP949 width of one code point: 1 or 2, and 1 for the '?' that stands for it.
    int width(char32_t codePoint)
    {
        if (codePoint < 0x80)
            return 1;
        if (codePoint >= 0xAC00 && codePoint <= 0xD7A3) // every Hangul syllable is in CP949
            return 2;
        QByteArray bytes;
        return append(codePoint, bytes) ? int(bytes.size()) : 1;
    }

private:
    iconv_t cd_;
};

Cp949Encoder &encoder()
{
    thread_local Cp949Encoder instance;
    return instance;
}

template <typename Visit>
void forEachCodePoint(const QString &text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype start = i;
        char32_t cp = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            i += 2;
        } else {
            ++i;
        }
        if (!visit(cp, start, i))
            return;
    }
}

} // namespace

QByteArray ToCp949(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    Cp949Encoder &enc = encoder();
    forEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) {
        if (!enc.append(cp, out))
            out.append('?');
        return true;
    });
    return out;
}

QString FromCp949(const QByteArray &bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP949");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv has no CP949 converter");
    QByteArray utf8;
    utf8.resize(bytes.size() * 3 + 4);
    char *inPtr = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char *outPtr = utf8.data();
    size_t outLeft = static_cast<size_t>(utf8.size());
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // An invalid or cut-off sequence: one '?' for its lead byte, then go on.
        *outPtr++ = '?';
        --outLeft;
        ++inPtr;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    utf8.truncate(outPtr - utf8.data());
    return QString::fromUtf8(utf8);
}

int Cp949Width(const QString &text)
{
    int width = 0;
    Cp949Encoder &enc = encoder();
    forEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) {
        width += enc.width(cp);
        return true;
    });
    return width;
}

QString Cp949Left(const QString &text, int maxBytes)
{
    int width = 0;
    qsizetype end = 0;
    Cp949Encoder &enc = encoder();
    forEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype next) {
        width += enc.width(cp);
        if (width > maxBytes)
            return false;
        end = next;
        return true;
    });
    return text.left(end);
}

bool IsCp949Text(const QString &text)
{
    bool ok = true;
    QByteArray scratch;
    Cp949Encoder &enc = encoder();
    forEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) {
        scratch.clear();
        ok = enc.append(cp, scratch);
        return ok;
    });
    return ok;
}

} // namespace vek
