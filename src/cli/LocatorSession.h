#pragma once

#include "CliOptions.h"
#include "locators/GeoCoordinate.h"
#include "locators/LocatorHttpClient.h"
#include "locators/LocatorServices.h"
#include "services/LocatorServiceAddresses.h"

#include <optional>
#include <string>
#include <vector>

// What `fretkit dealers` and `fretkit teachers` share: the --from and --timeout options, the
// service addresses (starting the embedded local services for those not configured), sending
// requests concurrently, and describing an answer the parser stopped on.
class LocatorSession {
public:
    // Checks the parsed arguments (no positionals) and reads --from and --timeout; false with
    // the reason when something is wrong with them.
    bool readOptions(const CliOptions& options, std::string* error);
    // Resolves the three addresses; false with the reason when one is invalid or the embedded
    // services cannot start.
    bool open(std::string* error);

    const fretkit::LocatorServices& services() const { return services_; }
    fretkit::GeoCoordinate from() const { return from_.value_or(fretkit::GeoCoordinate{}); }

    // Sends every request at once and answers the responses in the same order.
    std::vector<fretkit::LocatorResponse>
    sendAll(const std::vector<fretkit::LocatorRequest>& requests) const;

    // The problem of an answer the XML parser stopped on; empty when it parsed.
    static std::string malformed(const std::string& parseError);

private:
    std::optional<fretkit::GeoCoordinate> from_;
    fretkit::LocatorHttpClient client_;
    fretkit::LocatorServices services_;
    fretkit::LocatorServiceAddresses addresses_;
};
