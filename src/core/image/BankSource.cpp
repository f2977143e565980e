#include "image/BankSource.h"

#include "platform/AtomicFile.h"

#include <cstring>
#include <string_view>

namespace zantor {

namespace {

constexpr std::size_t kValuesPerLine = 16;

} // namespace

std::string RenderBankSource(const BankImage& bank1) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    constexpr std::string_view kHead = "#pragma CONST_SEG SEGMENT0\r\nconst char Bank1 [] = {";
    constexpr std::string_view kIndent = "\r\n                 ";
    constexpr std::string_view kTail = "};\r\n\r\n#pragma CONST_SEG DEFAULT\r\n";
    constexpr std::size_t kValueLength = 6; // " 0xHH,"
    constexpr std::size_t kLines = kBankSize / kValuesPerLine;
    // The last value's comma gives way to the tail's "};".
    std::string out(
        kHead.size() + (kLines - 1) * kIndent.size() + kBankSize * kValueLength - 1 + kTail.size(), '\0');
    char* p = out.data();
    auto put = [&p](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    put(kHead);
    for (std::size_t i = 0; i < kBankSize; ++i) {
        if (i > 0 && i % kValuesPerLine == 0) put(kIndent);
        p[0] = ' ';
        p[1] = '0';
        p[2] = 'x';
        p[3] = kHex[bank1[i] >> 4];
        p[4] = kHex[bank1[i] & 0x0F];
        p[5] = ',';
        p += kValueLength;
    }
    --p;
    put(kTail);
    return out;
}

void WriteBankSource(const BankSet& set, const std::filesystem::path& binFolder) {
    WriteFileAtomic(binFolder / "bankg.c", RenderBankSource(set.banks[0]));
}

} // namespace zantor
