#pragma once

#include "foundation/PlistValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fretkit {

// Turns an XML document into property-list values. The caller names the elements that become
// dictionaries, the ones that become arrays, the transparent ones (their children attach to the
// enclosing container) and the containers inside which text is dropped; every other element is a
// text element whose text is stored in the enclosing container under the element's name (in an
// array, appended without its name). Element names are compared as written, namespace prefix
// included ("soap:Envelope").
//
// A parser is configured once and may run several times; each run replaces the root. When the
// document is malformed, the root built up to the error is still answered.
class QVXMLParser {
public:
    enum class RootClass { Automatic, Dictionary, Array };
    using Names = std::optional<std::vector<std::string>>;

    const std::vector<std::string>& dictionaryElements() const { return dictionaryElements_; }
    const std::vector<std::string>& arrayElements() const { return arrayElements_; }
    const std::vector<std::string>& ignoredElements() const { return ignoredElements_; }
    const std::vector<std::string>& ignoredContainers() const { return ignoredContainers_; }

    // Each setter appends the names to its list (setting twice accumulates); nullopt empties it.
    void setDictionaryElements(const Names& names) { update(dictionaryElements_, names); }
    void setArrayElements(const Names& names) { update(arrayElements_, names); }
    void setIgnoredElements(const Names& names) { update(ignoredElements_, names); }
    void setIgnoredContainers(const Names& names) { update(ignoredContainers_, names); }

    // The kind of the root container. Automatic picks, at the first element that needs a root, a
    // dictionary (for a dictionary or text element) or an array (for an array element); the
    // choice then stays for later runs.
    RootClass rootClass() const { return rootClass_; }
    void setRootClass(RootClass rootClass) { rootClass_ = rootClass; }

    bool makeKeysLowercase() const { return lowercaseKeys_; }
    void setMakeKeysLowercase(bool lowercase) { lowercaseKeys_ = lowercase; }

    // Parses the document and answers the root: null when no element made one. On malformed XML
    // the partial root is answered and `error` (when given) receives the parser's message.
    const PlistValue& objectForData(std::string_view data, std::string* error = nullptr);

    // The root of the last run.
    const PlistValue& root() const { return root_; }

private:
    friend class QVXMLParserRun;

    static void update(std::vector<std::string>& list, const Names& names);

    std::vector<std::string> dictionaryElements_;
    std::vector<std::string> arrayElements_;
    std::vector<std::string> ignoredElements_;
    std::vector<std::string> ignoredContainers_;
    bool lowercaseKeys_ = false;
    RootClass rootClass_ = RootClass::Automatic;
    PlistValue root_;
};

} // namespace fretkit
