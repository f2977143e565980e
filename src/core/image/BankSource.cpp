#include "image/BankSource.h"

#include "platform/AtomicFile.h"

namespace zantor {

namespace {

constexpr std::size_t kValuesPerLine = 16;
constexpr const char* kLineEnd = "\r\n";

} // namespace

std::string RenderBankSource(const BankImage& bank1) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(kBankSize * 6 + (kBankSize / kValuesPerLine) * 19 + 64);
    out += "#pragma CONST_SEG SEGMENT0";
    out += kLineEnd;
    out += "const char Bank1 [] = {";
    for (std::size_t i = 0; i < kBankSize; ++i) {
        if (i > 0 && i % kValuesPerLine == 0) {
            out += kLineEnd;
            out.append(17, ' ');
        }
        out += " 0x";
        out += kHex[bank1[i] >> 4];
        out += kHex[bank1[i] & 0x0F];
        out += i + 1 == kBankSize ? "};" : ",";
    }
    out += kLineEnd;
    out += kLineEnd;
    out += "#pragma CONST_SEG DEFAULT";
    out += kLineEnd;
    return out;
}

void WriteBankSource(const BankSet& set, const std::filesystem::path& binFolder) {
    WriteFileAtomic(binFolder / "bankg.c", RenderBankSource(set.banks[0]));
}

} // namespace zantor
