// The check of links to the web (http and https), only when asked for:
// each address once, HEAD first and GET when the server refuses HEAD,
// redirects followed, at most a few at once, each with a time limit.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tv {

struct WebAnswer {
    long status = 0;          // the HTTP status of the last answer; 0: none came
    std::string finalUrl;     // where redirects led (the address itself when none)
    std::string failure;      // why no answer came ("timed out", ...), else empty
    int redirects = 0;
    bool ok() const { return failure.empty() && status >= 200 && status < 400; }
};

struct WebCheckOptions {
    int parallel = 8;
    long timeoutSeconds = 15;
    // Now and then during the run; false stops it (addresses not asked stay out).
    std::function<bool(std::size_t done, std::size_t count)> progress;
};

// Addresses without their #fragment; each is asked once.
std::map<std::string, WebAnswer> checkWebAddresses(const std::vector<std::string>& urls, const WebCheckOptions& options);

} // namespace tv
