#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

// Turns UTF-8 text into code page 932 through glibc's "CP932" table. Its "SHIFT_JIS" table is not
// the same code page: it maps 0x5C to the yen sign and refuses the NEC and IBM extensions.
class Cp932Encoder
{
public:
    struct Failure
    {
        std::size_t offset = 0; // byte offset of the character in the UTF-8 input
        std::string reason;     // what is wrong with it, for the message naming file and line
    };

    Cp932Encoder();
    ~Cp932Encoder();
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    // Appends the encoding of utf8 to out. Returns false and fills failure at the first character
    // that is not valid UTF-8, has no code page 932 form, or would read back as another character
    // (iconv quietly writes 〜 U+301C as the code of ～ U+FF5E, for one).
    bool encode(std::string_view utf8, std::string& out, Failure& failure);

private:
    bool readsBack(std::string_view utf8, std::string_view encoded, Failure& failure);

    iconv_t m_toCp932;
    iconv_t m_fromCp932;
};
