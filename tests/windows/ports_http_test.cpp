// The WinINet HTTP client under Wine, against a small server this test runs on
// 127.0.0.1: a page of GBK bytes, a missing page, a large page and a server that
// accepts the connection and never answers.
#include "platform/windows/http_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace hs {
namespace {

using Clock = std::chrono::steady_clock;

// "你好，世界" in GBK, a zero byte and a high byte: the body must come back unchanged.
const std::string kGbkPage("\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\0\xFF<end>", 16);

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Serves one request per connection on its own thread:
//   /page.html     200, kGbkPage
//   /big.html      200, 300000 bytes (several reads)
//   /silent.html   never answers; the connection stays open until the server ends
//   anything else  404 with a short body
class LoopbackServer {
  public:
    LoopbackServer() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        int length = sizeof address;
        if (listener_ == INVALID_SOCKET ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 16) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { AcceptLoop(); });
    }

    ~LoopbackServer() {
        // The loops look at this flag between short waits, so nothing depends on a
        // closed socket waking a blocked call.
        stopping_.store(true);
        if (acceptor_.joinable())
            acceptor_.join();
        for (std::thread& worker : workers_)
            worker.join();
        if (listener_ != INVALID_SOCKET)
            closesocket(listener_);
        if (started_)
            WSACleanup();
    }

    bool Ready() const { return port_ != 0; }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int Requests() const { return requests_.load(); }

  private:
    // True once `socket` has something to read; false when the server is ending.
    bool WaitReadable(SOCKET socket) const {
        while (!stopping_.load()) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(socket, &readable);
            timeval wait{0, 50000};
            const int ready = select(0, &readable, nullptr, nullptr, &wait);
            if (ready < 0)
                return false;
            if (ready > 0)
                return true;
        }
        return false;
    }

    void AcceptLoop() {
        while (WaitReadable(listener_)) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            workers_.emplace_back([this, client] { Serve(client); });
        }
    }

    void Serve(SOCKET client) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int got = WaitReadable(client) ? recv(client, buffer, sizeof buffer, 0) : 0;
            if (got <= 0)
                break;
            request.append(buffer, static_cast<size_t>(got));
        }
        if (request.find("\r\n\r\n") != std::string::npos) {
            ++requests_;
            const size_t start = request.find(' ') + 1;
            const std::string path = request.substr(start, request.find(' ', start) - start);
            if (path == "/silent.html") {
                // Hold the connection without a word until the client or the server ends it.
                while (WaitReadable(client) && recv(client, buffer, sizeof buffer, 0) > 0) {
                }
            } else if (path == "/page.html") {
                Reply(client, "200 OK", kGbkPage);
            } else if (path == "/big.html") {
                Reply(client, "200 OK", BigBody());
            } else {
                Reply(client, "404 Not Found", "<html>missing</html>");
            }
        }
        closesocket(client);
    }

    static void Reply(SOCKET client, const std::string& status, const std::string& body) {
        std::string answer = "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=gbk\r\n";
        answer += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        answer += "Connection: close\r\n\r\n";
        answer += body;
        size_t sent = 0;
        while (sent < answer.size()) {
            const int n =
                send(client, answer.data() + sent, static_cast<int>(answer.size() - sent), 0);
            if (n <= 0)
                return;
            sent += static_cast<size_t>(n);
        }
        shutdown(client, SD_SEND);
    }

  public:
    static std::string BigBody() {
        std::string body;
        for (int i = 0; body.size() < 300000; ++i)
            body += "line " + std::to_string(i) + " \xD6\xD0\xCE\xC4\r\n";
        return body;
    }

  private:
    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::thread acceptor_;
    std::vector<std::thread> workers_;
};

class WinInetHttpTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.Ready()); }
    LoopbackServer server;
};

TEST_F(WinInetHttpTest, ReturnsTheStatusAndTheBodyBytesUnchanged) {
    win::WinInetHttp http(5000);
    const HttpResponse page = http.Get(server.Url("/page.html"), nullptr);
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body, kGbkPage);

    const HttpResponse missing = http.Get(server.Url("/lanz/gonggao.html"), nullptr);
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.body, "<html>missing</html>");

    // A body larger than one read arrives whole, also through the worker thread
    // that a stop signal brings in.
    StopSignal stop;
    const HttpResponse big = http.Get(server.Url("/big.html"), &stop);
    EXPECT_EQ(big.status, 200);
    EXPECT_EQ(big.body.size(), LoopbackServer::BigBody().size());
    EXPECT_TRUE(big.body == LoopbackServer::BigBody());
}

TEST_F(WinInetHttpTest, AServerThatNeverAnswersGivesStatusZeroAfterTheTimeOut) {
    win::WinInetHttp http(1000);
    const auto start = Clock::now();
    const HttpResponse response = http.Get(server.Url("/silent.html"), nullptr);
    const double seconds = SecondsSince(start);
    EXPECT_EQ(response.status, 0);
    EXPECT_TRUE(response.body.empty());
    EXPECT_GE(server.Requests(), 1);  // it did reach the server and wait there
    // Without the time-out the request would wait for the server for good.
    EXPECT_LT(seconds, 15.0);
}

TEST_F(WinInetHttpTest, AStopRequestReturnsAtOnce) {
    // A time-out far longer than the bound below: only the stop can end it early.
    win::WinInetHttp http(60000);
    StopSignal stop;
    std::thread stopper([&] {
        // Let the request reach the silent server first.
        for (int i = 0; i < 200 && server.Requests() == 0; ++i)
            Sleep(10);
        Sleep(100);
        stop.Request();
    });
    const auto start = Clock::now();
    const HttpResponse response = http.Get(server.Url("/silent.html"), &stop);
    const double seconds = SecondsSince(start);
    stopper.join();
    EXPECT_EQ(response.status, 0);
    EXPECT_LT(seconds, 10.0);

    // Asked after the stop, nothing is requested at all.
    const int before = server.Requests();
    EXPECT_EQ(http.Get(server.Url("/page.html"), &stop).status, 0);
    Sleep(200);
    EXPECT_EQ(server.Requests(), before);
}

TEST(WinInetHttp, FetchesOnlyWebAddresses) {
    win::WinInetHttp http(2000);
    EXPECT_EQ(http.Get("file:///c:/windows/win.ini", nullptr).status, 0);
    EXPECT_EQ(http.Get("ftp://127.0.0.1/x", nullptr).status, 0);
    EXPECT_EQ(http.Get("", nullptr).status, 0);
    // Nothing listens on port 1 of the loopback: a refused connection is a failure.
    EXPECT_EQ(http.Get("http://127.0.0.1:1/x.html", nullptr).status, 0);
}

}  // namespace
}  // namespace hs
