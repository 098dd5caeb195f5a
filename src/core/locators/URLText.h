#pragma once

#include <string>
#include <string_view>

namespace fretkit {

// Pieces of URLs and XML text built from user or service data.
class URLText {
public:
    // UTF-8 percent-escaping: every byte but letters, digits, "-", ".", "_", "~" and the bytes in
    // `keep` becomes %XX, so the text stays one component of the URL.
    static std::string percentEscape(std::string_view text, std::string_view keep = {});

    // Text safe to place between XML tags or in an attribute value: markup characters become
    // entity references and characters XML cannot carry are dropped.
    static std::string xmlEscape(std::string_view text);

    // True when the text starts with a URL scheme followed by "://" ("https://", "ftp://").
    static bool hasScheme(std::string_view text);
    // True for an http or https URL with something after the scheme.
    static bool isWebURL(std::string_view text);

    // "scheme://authority" split off a base address; the path is what follows (may be empty).
    static std::string_view schemeAndAuthority(std::string_view url);
    static std::string_view authority(std::string_view url);
};

} // namespace fretkit
