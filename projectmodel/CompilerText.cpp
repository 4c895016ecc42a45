#include "projectmodel/CompilerText.h"

#include "baseutil/MainWindow.h"
#include "baseutil/SafeFile.h"
#include "projectmodel/LegacyText.h"

#include <cerrno>
#include <iconv.h>
#include <string_view>

namespace mb {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the UTF-8 sequence at text[i]: its length and value, or length 0
// when the bytes there are not a well-formed sequence.
struct Utf8Char {
    size_t length = 0;
    char32_t value = 0;
};

Utf8Char DecodeAt(const std::string& text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80)
        return {1, lead};
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (i + length > text.size() || !IsValidUtf8(std::string_view(text).substr(i, length)))
        return {};
    char32_t value = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k)
        value = (value << 6) | (byte(i + k) & 0x3F);
    return {length, value};
}

class Encoder {
public:
    explicit Encoder(const std::string& codePage) : m_cd(iconv_open(codePage.c_str(), "UTF-8")) {}
    ~Encoder() {
        if (Ok())
            iconv_close(m_cd);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    EncodedText Encode(const std::string& text) {
        EncodedText result;
        char buffer[4096];
        char* in = const_cast<char*>(text.data());
        size_t left = text.size();
        while (left > 0) {
            char* out = buffer;
            size_t room = sizeof buffer;
            size_t converted = iconv(m_cd, &in, &left, &out, &room);
            result.bytes.append(buffer, out - buffer);
            if (converted != static_cast<size_t>(-1) || errno == E2BIG)
                continue;
            // A character the code page has no place for, or bytes that are
            // no character at all: write a reference and go on behind it.
            Utf8Char c = DecodeAt(text, in - text.data());
            size_t skip = c.length ? c.length : 1;
            char32_t value = c.length ? c.value : kReplacementCharacter;
            result.bytes += "&#" + std::to_string(static_cast<unsigned long>(value)) + ";";
            ++result.unrepresentable;
            in += skip;
            left = left > skip ? left - skip : 0;
        }
        char* out = buffer;
        size_t room = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &out, &room);
        result.bytes.append(buffer, out - buffer);
        return result;
    }

private:
    iconv_t m_cd;
};

// Every non-ASCII character as a reference: the last resort when the system
// has no converter for the code page.
EncodedText ReferencesForNonAscii(const std::string& text) {
    EncodedText result;
    for (size_t i = 0; i < text.size();) {
        Utf8Char c = DecodeAt(text, i);
        if (c.length == 1) {
            result.bytes += text[i];
        } else {
            char32_t value = c.length ? c.value : kReplacementCharacter;
            result.bytes += "&#" + std::to_string(static_cast<unsigned long>(value)) + ";";
            ++result.unrepresentable;
        }
        i += c.length ? c.length : 1;
    }
    return result;
}

} // namespace

EncodedText EncodeForLanguage(const std::string& utf8, int languageId) {
    Encoder encoder(CodePageOfLanguage(languageId));
    if (!encoder.Ok())
        return ReferencesForNonAscii(utf8);
    return encoder.Encode(utf8);
}

EncodedText EncodeCompilerProjectText(const std::string& utf8, int languageId) {
    EncodedText result;
    std::string pending; // text to encode, gathered up to the next file-name section
    auto flush = [&] {
        EncodedText encoded = EncodeForLanguage(pending, languageId);
        result.bytes += encoded.bytes;
        result.unrepresentable += encoded.unrepresentable;
        pending.clear();
    };
    bool namesFiles = false;
    for (size_t start = 0, end = 0; start < utf8.size(); start = end) {
        end = utf8.find('\n', start);
        end = end == std::string::npos ? utf8.size() : end + 1;
        std::string_view line(utf8.data() + start, end - start);
        std::string_view content = line.substr(0, line.find_first_of("\r\n"));
        bool heading = content.size() >= 2 && content.front() == '[' && content.back() == ']';
        if (heading)
            namesFiles = content == "[MAP]" || content == "[ALIAS]" || content == "[FILES]";
        if (namesFiles && !heading) {
            flush();
            result.bytes += line;
        } else {
            pending += line;
        }
    }
    flush();
    return result;
}

bool WriteEncodedTextFile(const std::string& path, const EncodedText& encoded, int languageId,
                          ILogSink* log, std::string* error) {
    if (!WriteFileSafely(path, encoded.bytes, error))
        return false;
    if (encoded.unrepresentable > 0) {
        std::string line = path + ": " + std::to_string(encoded.unrepresentable) +
                           " character(s) outside code page " + CodePageOfLanguage(languageId) +
                           " written as character references\r\n";
        LogLine(log, line);
    }
    return true;
}

bool WriteCompilerTextFile(const std::string& path, const std::string& utf8, int languageId,
                           ILogSink* log, std::string* error) {
    return WriteEncodedTextFile(path, EncodeForLanguage(utf8, languageId), languageId, log, error);
}

} // namespace mb
