#include "QVXMLParser.h"

#include <algorithm>
#include <climits>
#include <expat.h>

namespace fretkit {

namespace {

// Containers nested deeper than this stop the run: a document cannot make the parser (or the
// values it builds) recurse without bound.
constexpr std::size_t kMaxDepth = 256;

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

} // namespace

// The state of one run: the stack of open containers (the root at the bottom, each with the name
// it attaches under), the text element being collected and the ignore counter. A container is
// attached to its parent when it closes, or when the run ends early, so the partial tree of a
// malformed document is the same as a complete one cut at the error.
class QVXMLParserRun {
public:
    QVXMLParserRun(QVXMLParser& owner, XML_Parser parser) : owner_(owner), parser_(parser) {}

    void startElement(std::string_view name);
    void endElement(std::string_view name);
    // expat hands the text of one run between tags in several chunks (line ends and entities
    // split it); they are collected and judged together when the next tag arrives.
    void characters(std::string_view chunk) { pendingText_.append(chunk); }

    PlistValue finish();
    bool tooDeep() const { return tooDeep_; }

private:
    void flushText();
    void ensureRoot(QVXMLParser::RootClass fallback);
    void push(PlistValue container, std::string_view name);
    void pop();
    void addChildToCurrentParent(PlistValue child, std::string_view name);

    QVXMLParser& owner_;
    XML_Parser parser_;
    std::vector<PlistValue> stack_;
    std::vector<std::string> names_;
    std::optional<std::string> element_;
    std::string pendingText_;
    unsigned isIgnoring_ = 0;
    bool tooDeep_ = false;
};

void QVXMLParserRun::flushText() {
    if (isIgnoring_ == 0 && element_ && !isBlank(pendingText_)) {
        element_->append(pendingText_);
    }
    pendingText_.clear();
}

void QVXMLParserRun::ensureRoot(QVXMLParser::RootClass fallback) {
    if (!stack_.empty()) {
        return;
    }
    if (owner_.rootClass_ == QVXMLParser::RootClass::Automatic) {
        owner_.rootClass_ = fallback;
    }
    stack_.push_back(owner_.rootClass_ == QVXMLParser::RootClass::Array ? PlistValue::array()
                                                                        : PlistValue::dictionary());
    names_.emplace_back();
}

void QVXMLParserRun::push(PlistValue container, std::string_view name) {
    if (stack_.size() >= kMaxDepth) {
        tooDeep_ = true;
        XML_StopParser(parser_, XML_FALSE);
        return;
    }
    stack_.push_back(std::move(container));
    names_.emplace_back(name);
}

void QVXMLParserRun::pop() {
    if (stack_.size() < 2) {
        return;
    }
    PlistValue child = std::move(stack_.back());
    const std::string name = std::move(names_.back());
    stack_.pop_back();
    names_.pop_back();
    addChildToCurrentParent(std::move(child), name);
}

void QVXMLParserRun::addChildToCurrentParent(PlistValue child, std::string_view name) {
    if (stack_.empty()) {
        return;
    }
    PlistValue& parent = stack_.back();
    if (parent.isDictionary()) {
        parent.set(owner_.lowercaseKeys_ ? lowercase(std::string(name)) : std::string(name),
                   std::move(child));
    } else if (parent.isArray()) {
        parent.append(std::move(child));
    }
}

void QVXMLParserRun::startElement(std::string_view name) {
    flushText();
    if (contains(owner_.ignoredElements_, name)) {
        return;
    }
    if (contains(owner_.dictionaryElements_, name)) {
        ensureRoot(QVXMLParser::RootClass::Dictionary);
        push(PlistValue::dictionary(), name);
    } else if (contains(owner_.arrayElements_, name)) {
        ensureRoot(QVXMLParser::RootClass::Array);
        push(PlistValue::array(), name);
    } else if (contains(owner_.ignoredContainers_, name)) {
        ++isIgnoring_;
    } else {
        ensureRoot(QVXMLParser::RootClass::Dictionary);
        element_.emplace();
    }
}

void QVXMLParserRun::endElement(std::string_view name) {
    flushText();
    if (contains(owner_.ignoredElements_, name)) {
        return;
    }
    if (contains(owner_.dictionaryElements_, name) || contains(owner_.arrayElements_, name)) {
        pop();
    } else if (contains(owner_.ignoredContainers_, name)) {
        if (isIgnoring_ > 0) {
            --isIgnoring_;
        }
    } else if (element_ && !element_->empty()) {
        addChildToCurrentParent(PlistValue(std::move(*element_)), name);
        element_.reset();
    }
}

PlistValue QVXMLParserRun::finish() {
    while (stack_.size() > 1) {
        pop();
    }
    return stack_.empty() ? PlistValue() : std::move(stack_.front());
}

namespace {

void XMLCALL onStart(void* run, const XML_Char* name, const XML_Char** /*attributes*/) {
    static_cast<QVXMLParserRun*>(run)->startElement(name);
}

void XMLCALL onEnd(void* run, const XML_Char* name) {
    static_cast<QVXMLParserRun*>(run)->endElement(name);
}

void XMLCALL onCharacters(void* run, const XML_Char* text, int length) {
    static_cast<QVXMLParserRun*>(run)->characters(
        std::string_view(text, static_cast<std::size_t>(length)));
}

std::string describeError(XML_Parser parser, bool tooDeep) {
    const std::string what = tooDeep ? std::string("elements nested too deeply")
                                     : std::string(XML_ErrorString(XML_GetErrorCode(parser)));
    return what + " at line " + std::to_string(XML_GetCurrentLineNumber(parser)) + ", column " +
           std::to_string(XML_GetCurrentColumnNumber(parser));
}

// Feeds the whole document, in pieces that fit expat's int lengths.
bool parseAll(XML_Parser parser, std::string_view data) {
    do {
        const std::size_t piece = std::min<std::size_t>(data.size(), INT_MAX);
        const bool last = piece == data.size();
        if (XML_Parse(parser, data.data(), static_cast<int>(piece), last ? XML_TRUE : XML_FALSE) !=
            XML_STATUS_OK) {
            return false;
        }
        data.remove_prefix(piece);
    } while (!data.empty());
    return true;
}

} // namespace

void QVXMLParser::update(std::vector<std::string>& list, const Names& names) {
    if (!names) {
        list.clear();
        return;
    }
    list.insert(list.end(), names->begin(), names->end());
}

const PlistValue& QVXMLParser::objectForData(std::string_view data, std::string* error) {
    root_ = PlistValue();
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) {
        if (error) {
            *error = "out of memory";
        }
        return root_;
    }
    QVXMLParserRun run(*this, parser);
    XML_SetUserData(parser, &run);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onCharacters);
    const bool parsed = parseAll(parser, data);
    if (!parsed && error) {
        *error = describeError(parser, run.tooDeep());
    }
    root_ = run.finish();
    XML_ParserFree(parser);
    return root_;
}

} // namespace fretkit
