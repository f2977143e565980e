#include "image/BankSource.h"
#include "image/DeviceImage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zantor;
using zantor::test::ReadText;
using zantor::test::TempDir;

// Each fixture project holds the files a build must write: device 0's beside its XML files,
// device 1's in device1/. They were made by make_expected.py from the byte layout, not by this code.
TEST(DeviceImageGolden, WritesTheExpectedFilesByteForByte) {
    const std::filesystem::path fixtures = std::filesystem::path(ZANTOR_FIXTURES) / "image";
    const char* projects[] = {"can20a_positive0", "can20a_positive1", "can20b"};
    const char* outputs[] = {"bank1.bin", "bank2.bin", "bank3.bin", "bank4.bin", "bank5.bin", "bankg.c"};
    for (const char* name : projects) {
        const std::filesystem::path project = fixtures / name;
        for (int device = 0; device < 2; ++device) {
            const std::filesystem::path expected = device == 0 ? project : project / "device1";
            TempDir bin;
            BankSet set;
            BuildDeviceImage(set, project / "pargen.xml", project / "CanCanCobID.xml", device);
            WriteBankFiles(set, bin.path());
            WriteBankSource(set, bin.path());
            for (const char* file : outputs) {
                const std::string want = ReadText(expected / file);
                ASSERT_FALSE(want.empty()) << expected / file;
                EXPECT_TRUE(ReadText(bin / file) == want) << name << " device " << device << ": " << file;
            }
        }
    }
}

} // namespace
