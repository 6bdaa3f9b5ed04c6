// TinyXML parses and writes documents in the STL build the IDE uses.
#include <gtest/gtest.h>
#include <tinyxml.h>

TEST(TinyXml, ParsesAndPrintsAttributesAndText)
{
    TiXmlDocument doc;
    doc.Parse("<tools><tool title=\"Lint\">lint.exe</tool></tools>");
    ASSERT_FALSE(doc.Error()) << doc.ErrorDesc();
    TiXmlElement* tool = doc.RootElement()->FirstChildElement("tool");
    ASSERT_NE(tool, nullptr);
    EXPECT_STREQ(tool->Attribute("title"), "Lint");
    EXPECT_STREQ(tool->GetText(), "lint.exe");

    TiXmlPrinter printer;
    doc.Accept(&printer);
    EXPECT_NE(std::string(printer.CStr()).find("title=\"Lint\""), std::string::npos);
}
