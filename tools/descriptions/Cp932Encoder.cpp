#include "Cp932Encoder.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace {

const iconv_t invalidConverter = reinterpret_cast<iconv_t>(-1);

struct Conversion
{
    std::string text;
    bool complete = false;
    std::size_t stoppedAt = 0; // input bytes consumed when it stopped
    int error = 0;
};

Conversion run(iconv_t converter, std::string_view input)
{
    Conversion result;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string in(input);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char buffer[256];
    while (true) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
        result.error = errno;
        result.text.append(buffer, outPtr);
        if (done != static_cast<std::size_t>(-1)) {
            result.complete = true;
            break;
        }
        if (result.error != E2BIG)
            break;
    }
    result.stoppedAt = static_cast<std::size_t>(inPtr - in.data());
    return result;
}

std::size_t characterLength(std::string_view utf8)
{
    std::size_t length = 1;
    while (length < utf8.size() && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// "'〜' (U+301C)", or an empty string when the bytes are not one valid UTF-8 character.
std::string nameOf(std::string_view character)
{
    iconv_t toUtf32 = iconv_open("UTF-32LE", "UTF-8");
    if (toUtf32 == invalidConverter)
        return {};
    const Conversion decoded = run(toUtf32, character);
    iconv_close(toUtf32);
    if (!decoded.complete || decoded.text.size() != 4)
        return {};
    std::uint32_t codePoint = 0;
    for (int i = 3; i >= 0; --i)
        codePoint = codePoint << 8 | static_cast<unsigned char>(decoded.text[i]);
    // One character is at most four bytes of UTF-8, so the name always fits.
    char name[32];
    std::snprintf(name, sizeof name, "'%.*s' (U+%04X)", static_cast<int>(character.size()), character.data(),
                  static_cast<unsigned>(codePoint));
    return name;
}

} // namespace

Cp932Encoder::Cp932Encoder()
    : m_toCp932(iconv_open("CP932", "UTF-8")), m_fromCp932(iconv_open("UTF-8", "CP932"))
{
    if (m_toCp932 == invalidConverter || m_fromCp932 == invalidConverter)
        throw std::runtime_error("this system's iconv has no CP932 table");
}

Cp932Encoder::~Cp932Encoder()
{
    iconv_close(m_toCp932);
    iconv_close(m_fromCp932);
}

bool Cp932Encoder::encode(std::string_view utf8, std::string& out, Failure& failure)
{
    const Conversion encoded = run(m_toCp932, utf8);
    if (!encoded.complete) {
        // iconv gives the same EILSEQ for malformed input and for a character the code page lacks.
        failure.offset = encoded.stoppedAt;
        const auto rest = utf8.substr(failure.offset);
        const std::string name = nameOf(rest.substr(0, characterLength(rest)));
        if (encoded.error == EINVAL)
            failure.reason = "invalid UTF-8 (cut-off character)";
        else
            failure.reason = name.empty() ? "invalid UTF-8" : name + " has no code page 932 form";
        return false;
    }
    if (!readsBack(utf8, encoded.text, failure))
        return false;
    out += encoded.text;
    return true;
}

bool Cp932Encoder::readsBack(std::string_view utf8, std::string_view encoded, Failure& failure)
{
    if (run(m_fromCp932, encoded).text == utf8)
        return true;
    // Rare, so the culprit is found the slow way, one character at a time.
    for (std::size_t at = 0; at < utf8.size();) {
        const auto character = utf8.substr(at, characterLength(utf8.substr(at)));
        const std::string back = run(m_fromCp932, run(m_toCp932, character).text).text;
        if (back != character) {
            failure.offset = at;
            failure.reason = nameOf(character) + " would read back as " + nameOf(back);
            return false;
        }
        at += character.size();
    }
    failure.offset = 0;
    failure.reason = "the line does not read back unchanged";
    return false;
}
