// Stands in for the flash writer in the tests: records the bytes of its one argument into
// "received.bin" in its working folder, whole, so a reader never sees half of it.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::FILE* out = std::fopen("received.bin.part", "wb");
    if (!out) return 1;
    std::fwrite(argv[1], 1, std::strlen(argv[1]), out);
    if (std::fclose(out) != 0) return 1;
    return std::rename("received.bin.part", "received.bin") == 0 ? 0 : 1;
}
