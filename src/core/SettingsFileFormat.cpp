#include "core/SettingsFileFormat.h"

#include "core/SettingsLayout.h"
#include "core/SettingsNumbers.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vz {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeaderStart = "Marvek";
constexpr std::string_view kVersionMark = "Ver:";

struct UnreadableValue {};

// Walks through the file text value by value. Blanks around a value are skipped; a number ends at
// a blank, a comma or the line end, a text at a comma or the line end; the comma or line end that
// ends a value is consumed with it, so each value may stand on a line of its own or share one.
class ValueCursor {
  public:
    explicit ValueCursor(std::string_view text) : text_(text) {}

    std::string_view text() {
        skipBlanks();
        if (pos_ >= text_.size()) throw UnreadableValue{};
        return take([](char c) { return c == ','; });
    }

    double number() {
        skipBlanks();
        const std::string_view token = take([](char c) { return c == ',' || isBlank(c); });
        const auto value = ParseSettingsNumber(token);
        if (!value) throw UnreadableValue{};
        return *value;
    }

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }

    template <class EndsValue> std::string_view take(EndsValue endsValue) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isLineEnd(text_[pos_]) && !endsValue(text_[pos_]))
            ++pos_;
        const std::string_view value = text_.substr(start, pos_ - start);
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
        } else if (pos_ < text_.size() && isLineEnd(text_[pos_])) {
            if (text_.compare(pos_, kLineEnd.size(), kLineEnd) == 0) ++pos_;
            ++pos_;
        }
        return value;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The number after "Ver:" on line 2, 0 without one.
double VersionOf(std::string_view titleLine) {
    const std::size_t mark = titleLine.find(kVersionMark);
    if (mark == std::string_view::npos) return 0.0;
    std::string_view rest = titleLine.substr(mark + kVersionMark.size());
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    const std::size_t digitsEnd = rest.find_first_not_of("0123456789.");
    return ParseSettingsNumber(rest.substr(0, digitsEnd)).value_or(0.0);
}

class FieldReader {
  public:
    FieldReader(ValueCursor& in, double version) : in_(in), version_(version) {}

    void value(std::uint8_t& field, int lowest = 0, int highest = 255) {
        field = static_cast<std::uint8_t>(integer(lowest, highest));
    }
    void value(std::int16_t& field, int lowest = std::numeric_limits<std::int16_t>::min(),
               int highest = std::numeric_limits<std::int16_t>::max()) {
        field = static_cast<std::int16_t>(integer(lowest, highest));
    }
    void value(float& field) {
        const double v = in_.number();
        if (std::fabs(v) > FLT_MAX) throw UnreadableValue{};
        field = static_cast<float>(v);
    }
    void value(Rgb& colour) {
        colour = Rgb::fromLong(integer(std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max()));
    }
    void value(std::array<Rgb, 17>& colours) {
        for (std::size_t i = 1; i < colours.size(); ++i)
            value(colours[i]);
    }
    template <class T> void valueAfterVersion(double version, T& field, T fallback) {
        if (version_ > version) {
            value(field);
        } else {
            field = fallback;
        }
    }

  private:
    // Whole-number fields take the nearest whole number (halves to even) of what stands there.
    std::int64_t integer(std::int64_t lowest, std::int64_t highest) {
        const double v = std::nearbyint(in_.number());
        if (v < static_cast<double>(lowest) || v > static_cast<double>(highest))
            throw UnreadableValue{};
        return static_cast<std::int64_t>(v);
    }

    ValueCursor& in_;
    double version_;
};

class FieldWriter {
  public:
    explicit FieldWriter(std::string& out) : out_(out) {}

    void value(std::uint8_t field, int = 0, int = 0) { line(FormatSettingsNumber(std::int64_t{field})); }
    void value(std::int16_t field, int = 0, int = 0) {
        line(FormatSettingsNumber(std::int64_t{field}));
    }
    void value(float field) { line(FormatSettingsNumber(field)); }
    void value(Rgb colour) { line(FormatSettingsNumber(std::int64_t{colour.toLong()})); }
    void value(const std::array<Rgb, 17>& colours) {
        std::string numbers;
        for (std::size_t i = 1; i < colours.size(); ++i)
            numbers += FormatSettingsNumber(std::int64_t{colours[i].toLong()});
        line(numbers);
    }
    template <class T> void valueAfterVersion(double, T& field, T) { value(field); }

  private:
    void line(const std::string& text) {
        out_ += text;
        out_ += kLineEnd;
    }

    std::string& out_;
};

} // namespace

std::string SettingsFileText(State& s) {
    std::string out;
    out += s.SettingsHeader;
    out += kLineEnd;
    out += s.SettingsTitle + s.VersionString + s.SettingsNotice;
    out += kLineEnd;
    FieldWriter writer(out);
    VisitSettingsLines(s, writer);
    return out;
}

bool LoadSettingsFileText(std::string_view text, State& s) {
    try {
        ValueCursor in(text);
        if (in.text().substr(0, kHeaderStart.size()) != kHeaderStart) return false;
        FieldReader reader(in, VersionOf(in.text()));
        VisitSettingsLines(s, reader);
    } catch (const UnreadableValue&) {
        return false;
    }
    return true;
}

} // namespace vz
