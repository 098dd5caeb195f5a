#include "xml/QVXMLParser.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::QVXMLParser;

namespace {

const char* kEnvelope = R"(<?xml version="1.0" encoding="utf-8"?>
<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">
  <soap:Body>
    <NewDataSet>
      <Table><ALCLTX>  Chord &amp; Bow  </ALCLTX><ALCPTX>Lyon</ALCPTX></Table>
      <Table><ALCLTX>Second</ALCLTX><ALCPTX>   </ALCPTX></Table>
    </NewDataSet>
  </soap:Body>
</soap:Envelope>)";

QVXMLParser tableParser() {
    QVXMLParser parser;
    parser.setRootClass(QVXMLParser::RootClass::Array);
    parser.setDictionaryElements(std::vector<std::string>{"Table"});
    return parser;
}

} // namespace

TEST(QVXMLParser, RowsBecomeDictionariesOfTextWithBlankTextDroppedAndEntitiesJoined) {
    QVXMLParser parser = tableParser();
    std::string error;
    const PlistValue& root = parser.objectForData(kEnvelope, &error);
    EXPECT_TRUE(error.empty()) << error;
    ASSERT_EQ(root.count(), 2u);
    // Text split by the entity is joined; white space inside non-blank text stays.
    EXPECT_EQ(root[0]["ALCLTX"].stringValue(), "  Chord & Bow  ");
    EXPECT_EQ(root[0]["ALCPTX"].stringValue(), "Lyon");
    EXPECT_EQ(root[1]["ALCLTX"].stringValue(), "Second");
    EXPECT_FALSE(root[1].contains("ALCPTX"));
}

TEST(QVXMLParser, TextKeepsItsLineEndsAcrossTheParsersChunks) {
    QVXMLParser parser;
    const PlistValue& root = parser.objectForData("<r><a>first line\n  second line</a></r>");
    EXPECT_EQ(root["a"].stringValue(), "first line\n  second line");
}

TEST(QVXMLParser, LaterSiblingReplacesEarlierAndKeysMayBeLowercased) {
    QVXMLParser parser;
    parser.setMakeKeysLowercase(true);
    const PlistValue& root = parser.objectForData("<r><Name>one</Name><NAME>two</NAME></r>");
    EXPECT_EQ(root, PlistValue::dictionary({{"name", "two"}}));
}

TEST(QVXMLParser, TextInsideAnArrayIsAppendedInOrderWithoutNames) {
    QVXMLParser parser;
    parser.setArrayElements(std::vector<std::string>{"List"});
    const PlistValue& root = parser.objectForData("<List><a>x</a><b>y</b><a>z</a><c>  </c></List>");
    // The root array wraps the outermost container, which holds the texts.
    EXPECT_EQ(root, PlistValue::array({PlistValue::array({"x", "y", "z"})}));
}

TEST(QVXMLParser, IgnoredElementsAreTransparentAndIgnoredContainersDropOnlyText) {
    QVXMLParser parser;
    parser.setIgnoredElements(std::vector<std::string>{"soap:Envelope", "soap:Body"});
    parser.setDictionaryElements(std::vector<std::string>{"Inner"});
    parser.setIgnoredContainers(std::vector<std::string>{"Notes"});
    const PlistValue& root = parser.objectForData(
        "<soap:Envelope><soap:Body><title>T</title>"
        "<Notes>lost<Inner><kept>k</kept></Inner></Notes><after>a</after></soap:Body>"
        "</soap:Envelope>");
    EXPECT_EQ(root["title"].stringValue(), "T");
    EXPECT_EQ(root["after"].stringValue(), "a");
    EXPECT_FALSE(root.contains("Notes"));
    // Containers inside an ignored container are built; their text is dropped.
    ASSERT_TRUE(root["Inner"].isDictionary());
    EXPECT_EQ(root["Inner"].count(), 0u);
}

TEST(QVXMLParser, NoMatchingElementAndNoTextLeavesNoRoot) {
    QVXMLParser parser;
    parser.setIgnoredElements(std::vector<std::string>{"a", "b"});
    EXPECT_TRUE(parser.objectForData("<a><b/></a>").isNull());
}

TEST(QVXMLParser, SettersAccumulateAndNulloptEmpties) {
    QVXMLParser parser;
    parser.setDictionaryElements(std::vector<std::string>{"A"});
    parser.setDictionaryElements(std::vector<std::string>{"B"});
    EXPECT_EQ(parser.dictionaryElements(), (std::vector<std::string>{"A", "B"}));
    parser.setDictionaryElements(std::nullopt);
    EXPECT_TRUE(parser.dictionaryElements().empty());
}

TEST(QVXMLParser, AutomaticRootClassIsChosenOnceAndKeptForLaterRuns) {
    QVXMLParser parser;
    parser.setArrayElements(std::vector<std::string>{"L"});
    parser.setDictionaryElements(std::vector<std::string>{"D"});
    EXPECT_TRUE(parser.objectForData("<L><x>1</x></L>").isArray());
    EXPECT_EQ(parser.rootClass(), QVXMLParser::RootClass::Array);
    // Each dictionary directly under the array root is one entry of it.
    const PlistValue& second = parser.objectForData("<D><x>1</x></D>");
    EXPECT_EQ(second, PlistValue::array({PlistValue::dictionary({{"x", "1"}})}));
}

TEST(QVXMLParser, MalformedInputAnswersThePartialRootAndTheError) {
    QVXMLParser parser = tableParser();
    std::string error;
    const PlistValue& root =
        parser.objectForData("<r><Table><a>1</a></Table><Table><a>2</a><b>open", &error);
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    ASSERT_EQ(root.count(), 2u);
    EXPECT_EQ(root[0]["a"].stringValue(), "1");
    EXPECT_EQ(root[1]["a"].stringValue(), "2"); // the open row is kept, cut at the error

    for (const char* bad : {"", "not xml", "<a></b>", "<a>\xff\xfe</a>", "<a>&undefined;</a>"}) {
        error.clear();
        parser.objectForData(bad, &error);
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(QVXMLParser, DeepNestingStopsWithAnErrorInsteadOfRecursingWithoutBound) {
    QVXMLParser parser;
    parser.setDictionaryElements(std::vector<std::string>{"d"});
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<d>";
    }
    std::string error;
    const PlistValue& root = parser.objectForData(deep, &error);
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
    EXPECT_TRUE(root.isDictionary());
}

TEST(QVXMLParser, EntityExpansionBombIsRefused) {
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaaaaaaaa\">";
    std::string previous = "a";
    for (char name = 'b'; name <= 'k'; ++name) {
        bomb += std::string("<!ENTITY ") + name + " \"";
        for (int i = 0; i < 16; ++i) {
            bomb += "&" + previous + ";";
        }
        bomb += "\">";
        previous = std::string(1, name);
    }
    bomb += "]><r><t>&" + previous + ";</t></r>";
    QVXMLParser parser;
    std::string error;
    parser.objectForData(bomb, &error);
    EXPECT_FALSE(error.empty());
}
