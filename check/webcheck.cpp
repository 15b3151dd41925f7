#include "check/webcheck.h"

#include <curl/curl.h>

#include <deque>
#include <memory>
#include <set>

namespace tv {
namespace {

struct Transfer {
    std::string url;
    bool get = false;  // the second try, when HEAD was refused
};

// A GET needs the status only: the body is refused at its first bytes.
size_t refuseBody(char*, size_t, size_t, void*) { return 0; }

CURL* startTransfer(const Transfer& t, long timeout) {
    CURL* easy = curl_easy_init();
    if (!easy) return nullptr;
    curl_easy_setopt(easy, CURLOPT_URL, t.url.c_str());
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT, timeout);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, timeout);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Taviron link check");
    curl_easy_setopt(easy, CURLOPT_NOBODY, t.get ? 0L : 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, refuseBody);
    return easy;
}

} // namespace

std::map<std::string, WebAnswer> checkWebAddresses(const std::vector<std::string>& urls, const WebCheckOptions& options) {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    std::map<std::string, WebAnswer> answers;
    if (!ready) return answers;
    std::deque<Transfer> waiting;
    for (const std::string& u : std::set<std::string>(urls.begin(), urls.end())) waiting.push_back({u, false});
    const std::size_t count = waiting.size();
    const std::unique_ptr<CURLM, void (*)(CURLM*)> multi(curl_multi_init(), [](CURLM* m) { curl_multi_cleanup(m); });
    std::map<CURL*, Transfer> running;
    bool stopped = false;
    const auto fill = [&] {
        while (!stopped && !waiting.empty() && static_cast<int>(running.size()) < std::max(1, options.parallel)) {
            Transfer t = waiting.front();
            waiting.pop_front();
            if (CURL* easy = startTransfer(t, options.timeoutSeconds)) {
                curl_multi_add_handle(multi.get(), easy);
                running.emplace(easy, std::move(t));
            } else {
                answers[t.url].failure = "could not start";
            }
        }
    };
    fill();
    while (!running.empty()) {
        int still = 0;
        curl_multi_perform(multi.get(), &still);
        int queued = 0;
        while (CURLMsg* m = curl_multi_info_read(multi.get(), &queued)) {
            if (m->msg != CURLMSG_DONE) continue;
            CURL* easy = m->easy_handle;
            Transfer t = running[easy];
            running.erase(easy);
            long status = 0;
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
            char* effective = nullptr;
            curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective);
            const std::string finalUrl = effective ? effective : t.url;
            long redirects = 0;
            curl_easy_getinfo(easy, CURLINFO_REDIRECT_COUNT, &redirects);
            const CURLcode result = m->data.result;
            curl_multi_remove_handle(multi.get(), easy);
            curl_easy_cleanup(easy);
            // A refused GET body ends with a write error after the status came.
            const bool answered = result == CURLE_OK || (t.get && result == CURLE_WRITE_ERROR && status > 0);
            // Servers that refuse HEAD (or answer it wrongly) are asked with
            // GET; a host that is not there or does not answer is not asked again.
            const bool unreachable = result == CURLE_OPERATION_TIMEDOUT || result == CURLE_COULDNT_RESOLVE_HOST ||
                                     result == CURLE_COULDNT_CONNECT;
            if (!t.get && ((answered && status >= 400) || (!answered && !unreachable))) {
                waiting.push_front({t.url, true});
            } else {
                WebAnswer& a = answers[t.url];
                a.status = answered ? status : 0;
                a.finalUrl = finalUrl;
                a.redirects = static_cast<int>(redirects);
                if (!answered) a.failure = result == CURLE_OPERATION_TIMEDOUT ? "timed out" : curl_easy_strerror(result);
            }
        }
        if (options.progress && !options.progress(answers.size(), count)) stopped = true;
        fill();
        if (!running.empty()) curl_multi_poll(multi.get(), nullptr, 0, 200, nullptr);
    }
    return answers;
}

} // namespace tv
