// libFuzzer entry point for QVXMLParser: the first byte chooses the parser's configuration, the
// rest is the document. The parser must answer every input without crashing, leaking or
// recursing without bound, and a second run on the same parser must give the same tree.
#include "xml/QVXMLParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using fretkit::QVXMLParser;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned config = data[0];
    QVXMLParser parser;
    if (config & 1) {
        parser.setRootClass(QVXMLParser::RootClass::Array);
    }
    if (config & 2) {
        parser.setRootClass(QVXMLParser::RootClass::Dictionary);
    }
    parser.setDictionaryElements(std::vector<std::string>{"Table", "Teacher", "DataRow", "d"});
    if (config & 4) {
        parser.setArrayElements(std::vector<std::string>{"Data", "a"});
    }
    if (config & 8) {
        parser.setIgnoredElements(std::vector<std::string>{"soap:Envelope", "soap:Body", "i"});
    }
    if (config & 16) {
        parser.setIgnoredContainers(std::vector<std::string>{"x", "Data"});
    }
    parser.setMakeKeysLowercase((config & 32) != 0);

    const std::string_view document(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string error;
    const fretkit::PlistValue first = parser.objectForData(document, &error);
    std::string secondError;
    if (!(parser.objectForData(document, &secondError) == first) || error != secondError) {
        std::abort();
    }
    return 0;
}
