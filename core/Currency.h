#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace vek {

// A text or value that does not convert to a number the system can hold.
class NumberError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The fixed-point value of every roll-up, formula and file: value x 10000 in 64 bits.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    // The largest magnitude of a double that converts into a fixed-point value: the next
    // double above it, times 10000, no longer fits in 64 bits. Every range test of
    // amounts, sums and boxes uses this one limit.
    static constexpr double Limit = 922337203685477.5;
    // Whether value converts (NaN and infinities do not).
    static bool fits(double value) { return value >= -Limit && value <= Limit; }
    // The same limit for raw values (exact sums and products worked in wider integers).
    static constexpr std::int64_t RawLimit = std::int64_t(Limit * Scale);

    constexpr Currency() = default;

    // "Round": value x 10000 to the nearest integer, ties to even. Throws NumberError
    // when the value does not fit.
    static Currency fromDouble(double value) { return fromScaled(value * Scale); }
    // A value already multiplied by 10000 (a sum of raw values and scaled columns),
    // rounded to the nearest raw value, ties to even; throws NumberError when it does not fit.
    static Currency fromScaled(double scaled);
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    // Reads a plain decimal text ("-1234.5", ".5", "5."), rounding past four decimals
    // with ties to even. Throws NumberError when the text is not such a number.
    static Currency fromText(const QString &text);
    // "Int" of a double through the fixed-point value, so that a product or sum that
    // binary floating point leaves just below a whole unit (0.29 x 100) truncates right.
    static std::int64_t truncOf(double value) { return fromDouble(value).trunc(); }

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / Scale; }
    // "Int": the whole units, truncated toward zero.
    constexpr std::int64_t trunc() const { return raw_ / Scale; }
    // Shortest decimal text with up to four decimals: "12.5", "3", "-0.0001"; never "-0".
    QString toText() const;

    friend constexpr Currency operator+(Currency a, Currency b) { return Currency(a.raw_ + b.raw_); }
    friend constexpr Currency operator-(Currency a, Currency b) { return Currency(a.raw_ - b.raw_); }
    constexpr Currency operator-() const { return Currency(-raw_); }
    Currency &operator+=(Currency other) { raw_ += other.raw_; return *this; }
    Currency &operator-=(Currency other) { raw_ -= other.raw_; return *this; }
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

} // namespace vek
