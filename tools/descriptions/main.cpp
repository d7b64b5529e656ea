// piyo-descriptions SRC_DIR OUT_DIR
//
// The description texts are kept in the repository as UTF-8 with LF line ends; the program reads
// them as code page 932 with CR LF, one list line per text line. This converts every sN.txt of
// SRC_DIR into OUT_DIR and refuses any character that code page 932 cannot hold, naming file and
// line, so an unencodable character breaks the build instead of turning into a wrong glyph.

#include "Cp932Encoder.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool isDescriptionName(const std::string& name)
{
    // s1.txt … s80.txt: an 's', digits, ".txt"
    if (name.size() < 6 || name.front() != 's' || !name.ends_with(".txt"))
        return false;
    const auto digits = std::string_view(name).substr(1, name.size() - 5);
    return std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<fs::path> descriptionFiles(const fs::path& dir)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file() && isDescriptionName(entry.path().filename().string()))
            files.push_back(entry.path());
    }
    std::ranges::sort(files);
    return files;
}

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error(file.string() + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits at LF; a CR before the LF (a copy edited on Windows) belongs to the line end too. A final
// line end does not start another, empty line.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// Returns false after printing "file:line:column: reason" for the first character it cannot take.
bool convert(const fs::path& source, const fs::path& target, Cp932Encoder& encoder)
{
    std::string text = readAll(source);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::string encoded;
    const auto lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Cp932Encoder::Failure failure;
        if (!encoder.encode(lines[i], encoded, failure)) {
            const auto before = lines[i].substr(0, failure.offset);
            const auto column = 1 + std::ranges::count_if(before, [](char c) {
                                    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                                });
            std::cerr << source.string() << ':' << i + 1 << ':' << column << ": " << failure.reason << '\n';
            return false;
        }
        encoded += "\r\n";
    }
    // Written beside the target and renamed, so a failed run never leaves half a file behind.
    const fs::path partial = target.string() + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
        if (!out.flush())
            throw std::runtime_error(partial.string() + ": cannot be written");
    }
    fs::rename(partial, target);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: piyo-descriptions SRC_DIR OUT_DIR\n";
        return 2;
    }
    try {
        const fs::path sourceDir = argv[1];
        const fs::path targetDir = argv[2];
        const auto files = descriptionFiles(sourceDir);
        if (files.empty()) {
            std::cerr << sourceDir.string() << ": no description texts (sN.txt) found\n";
            return 1;
        }
        fs::create_directories(targetDir);
        Cp932Encoder encoder;
        bool ok = true;
        for (const auto& file : files)
            ok = convert(file, targetDir / file.filename(), encoder) && ok;
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "piyo-descriptions: " << e.what() << '\n';
        return 1;
    }
}
