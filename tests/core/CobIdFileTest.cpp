#include "cobid/CobIdFile.h"
#include "platform/AppError.h"
#include "xmlfile/XmlFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace zantor {
namespace {

TEST(CobIdFile, WritesEveryRowWithItsThreeAttributesInOrder) {
    DirectionTable c0 = {{"0x100", "0x200", "a<b & \"c\""}, {"", "", ""}, {"", "7", "orphan"}};
    DirectionTable c1 = {{"5", "", ""}};
    EXPECT_EQ(SerializeCobIdTables(c0, c1),
              "<CanCanCobID><Can0_to_Can1>"
              "<row Orig_CobID=\"0x100\" Mod_CobID=\"0x200\" Desc=\"a&lt;b &amp; &quot;c&quot;\"/>"
              "<row Orig_CobID=\"\" Mod_CobID=\"\" Desc=\"\"/>"
              "<row Orig_CobID=\"\" Mod_CobID=\"7\" Desc=\"orphan\"/>"
              "</Can0_to_Can1><Can1_to_Can0>"
              "<row Orig_CobID=\"5\" Mod_CobID=\"\" Desc=\"\"/>"
              "</Can1_to_Can0></CanCanCobID>");
}

TEST(CobIdFile, FullTablesSurviveAWriteAndARead) {
    test::TempDir dir;
    DirectionTable c0(kRowsCan20A), c1(kRowsCan20A);
    c0[0] = {"0x7FF", "$10", "first"};
    c0[2047] = {"2047", "", "last"};
    c1[1000] = {"x1A", "26", "\xC2\xB0 utf-8"};
    WriteCobIdFile(dir / "CanCanCobID.xml", c0, c1);
    EXPECT_EQ(ReadDirectionTable(dir / "CanCanCobID.xml", Direction::Can0_to_Can1), c0);
    EXPECT_EQ(ReadDirectionTable(dir / "CanCanCobID.xml", Direction::Can1_to_Can0), c1);
}

// Each case reads Can1_to_Can0 (the second direction, so reversed files show) from a hand-made file.
struct ReadCase {
    const char* name;
    const char* xml;
    DirectionTable rows; // expected when error is null
    const char* error;   // exact message, or "" for any failure
};

const ReadCase kReadCases[] = {
    {"as written",
     "<CanCanCobID><Can0_to_Can1><row Orig_CobID=\"1\" Mod_CobID=\"\" Desc=\"\"/></Can0_to_Can1>"
     "<Can1_to_Can0><row Orig_CobID=\"2\" Mod_CobID=\"3\" Desc=\"d\"/></Can1_to_Can0></CanCanCobID>",
     {{"2", "3", "d"}},
     nullptr},
    {"directions reversed",
     "<CanCanCobID><Can1_to_Can0><row Orig_CobID=\"2\" Mod_CobID=\"3\" Desc=\"d\"/></Can1_to_Can0>"
     "<Can0_to_Can1><row Orig_CobID=\"1\" Mod_CobID=\"\" Desc=\"\"/></Can0_to_Can1></CanCanCobID>",
     {{"2", "3", "d"}},
     nullptr},
    {"rows renamed and indented",
     "<?xml version=\"1.0\"?>\n<CanCanCobID>\n  <Can0_to_Can1/>\n  <Can1_to_Can0>\n"
     "    <entry Orig_CobID=\"2\" Mod_CobID=\"3\" Desc=\"d\"/>\n    <x Orig_CobID=\"\" Mod_CobID=\"\" "
     "Desc=\"\"/>\n"
     "  </Can1_to_Can0>\n</CanCanCobID>\n",
     {{"2", "3", "d"}, {"", "", ""}},
     nullptr},
    {"row without Desc",
     "<CanCanCobID><Can0_to_Can1/><Can1_to_Can0><row Orig_CobID=\"0x5\" Mod_CobID=\"\"/></Can1_to_Can0>"
     "</CanCanCobID>",
     {{"0x5", "", ""}},
     nullptr},
    {"row without Mod_CobID, even an empty one",
     "<CanCanCobID><Can0_to_Can1/><Can1_to_Can0><row Orig_CobID=\"\" "
     "Desc=\"\"/></Can1_to_Can0></CanCanCobID>",
     {},
     xml::kNullToString},
    {"row without Orig_CobID",
     "<CanCanCobID><Can0_to_Can1/><Can1_to_Can0><row Mod_CobID=\"1\" "
     "Desc=\"\"/></Can1_to_Can0></CanCanCobID>",
     {},
     xml::kNullToString},
    {"comment between rows",
     "<CanCanCobID><Can0_to_Can1/><Can1_to_Can0><row Orig_CobID=\"1\" Mod_CobID=\"\" Desc=\"\"/><!-- x -->"
     "</Can1_to_Can0></CanCanCobID>",
     {},
     xml::kNullToString},
    {"direction missing", "<CanCanCobID><Can0_to_Can1/></CanCanCobID>", {}, ""},
    {"other root", "<ParametriGenerali><Can1_to_Can0/></ParametriGenerali>", {}, ""},
    {"not well-formed", "<CanCanCobID><Can0_to_Can1></CanCanCobID>", {}, ""},
};

TEST(CobIdFile, ReadsDirectionsByNameAndRowsByPosition) {
    test::TempDir dir;
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        test::WriteText(dir / "CanCanCobID.xml", c.xml);
        if (!c.error) {
            EXPECT_EQ(ReadDirectionTable(dir / "CanCanCobID.xml", Direction::Can1_to_Can0), c.rows);
            continue;
        }
        try {
            ReadDirectionTable(dir / "CanCanCobID.xml", Direction::Can1_to_Can0);
            ADD_FAILURE() << "read did not fail";
        } catch (const AppError& e) {
            if (*c.error) {
                EXPECT_STREQ(e.what(), c.error);
            }
        }
    }
}

TEST(CobIdFile, MissingFileFailsToRead) {
    test::TempDir dir;
    EXPECT_THROW(ReadDirectionTable(dir / "CanCanCobID.xml", Direction::Can0_to_Can1), AppError);
}

} // namespace
} // namespace zantor
