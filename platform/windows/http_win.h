// Plain HTTP GET requests through WinINet.
#pragma once

#include <string>

#include "platform/host.h"
#include "platform/windows/stoppable_call.h"

namespace hs::win {

class WinInetHttp : public HttpClient {
  public:
    // Connecting, sending and waiting for data each give up after `timeoutMs`; the
    // whole request after three times that.
    explicit WinInetHttp(int timeoutMs = kDefaultTimeoutMs);

    // Only http:// and https:// addresses are fetched. The response is read whole,
    // bypassing the cache; any failure gives status 0. The request runs on a
    // worker thread, so that a stop returns at once.
    HttpResponse Get(const std::string& url, const StopSignal* stop) override;

    static constexpr int kDefaultTimeoutMs = 10000;
    // A larger body is not a page this program asks for; it counts as a failure.
    static constexpr size_t kMaxBodyBytes = 16u << 20;

  private:
    int timeoutMs_;
    // The requests given up on, until they have ended.
    CallOwner calls_;
};

}  // namespace hs::win
