#include "check/linkcheck.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

// A web server on the loopback interface: /ok answers 200, /moved 301 to
// /ok, /gone 404, /nohead refuses HEAD and answers GET, /slow answers after
// three seconds.
class LoopbackServer {
public:
    LoopbackServer() {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(listener_, 16);
        socklen_t size = sizeof a;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &size);
        port_ = ntohs(a.sin_port);
        accepter_ = std::thread([this] { run(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        accepter_.join();
        for (std::thread& t : answering_) t.join();
        close(listener_);
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    void run() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            const int c = accept(listener_, nullptr, nullptr);
            if (c >= 0) answering_.emplace_back([this, c] { answer(c); });
        }
    }
    void answer(int c) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = read(c, buffer, sizeof buffer);
            if (n <= 0) break;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        const bool head = request.rfind("HEAD ", 0) == 0;
        const std::string path = request.substr(request.find(' ') + 1, request.find(' ', request.find(' ') + 1) - request.find(' ') - 1);
        std::string status = "404 Not Found", extra;
        if (path == "/ok") status = "200 OK";
        if (path == "/moved") status = "301 Moved Permanently", extra = "Location: /ok\r\n";
        if (path == "/nohead") status = head ? "405 Method Not Allowed" : "200 OK";
        if (path == "/slow") {
            for (int i = 0; i < 30 && !stop_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            status = "200 OK";
        }
        const std::string reply = "HTTP/1.1 " + status + "\r\n" + extra + "Content-Length: 2\r\nConnection: close\r\n\r\n" + (head ? "" : "ok");
        (void)!write(c, reply.data(), reply.size());
        close(c);
    }
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread accepter_;
    std::vector<std::thread> answering_;
};

TEST(WebCheck, ExternalLinksOnlyWhenAskedWithTheirAnswers) {
    LoopbackServer server;
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "taviron-webcheck";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    std::ofstream(root / "index.html") << "<a href=\"" << server.url("/ok") << "#part\">1</a>\n"
                                       << "<a href=\"" << server.url("/moved") << "\">2</a>\n"
                                       << "<a href=\"" << server.url("/gone") << "\">3</a>\n"
                                       << "<a href=\"" << server.url("/nohead") << "\">4</a>\n"
                                       << "<a href=\"" << server.url("/slow") << "\">5</a>\n"
                                       << "<img src=\"" << server.url("/ok") << "\">\n";
    tv::LinkCheckOptions options;
    EXPECT_TRUE(tv::checkLinks({root.string()}, options).problems.empty());  // nothing asked
    options.external = true;
    options.web.timeoutSeconds = 1;
    std::vector<std::string> report;
    for (const tv::CheckProblem& p : tv::checkLinks({root.string()}, options).problems)
        report.push_back(tv::formatProblem(p, root.string()));
    EXPECT_EQ(report, (std::vector<std::string>{
                          "index.html:2:10: warning: \"" + server.url("/moved") + "\" redirects to \"" + server.url("/ok") + "\"",
                          "index.html:3:10: error: broken link \"" + server.url("/gone") + "\" (404)",
                          "index.html:5:10: error: broken link \"" + server.url("/slow") + "\" (timed out)",
                      }));
    std::filesystem::remove_all(root);
}

} // namespace
