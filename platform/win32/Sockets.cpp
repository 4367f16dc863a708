#include "platform/Platform.hpp"

// Winsock before the rest of Windows, as its headers demand.
#include <winsock2.h>

#include <mswsock.h>

namespace platform {

void IgnoreUdpPortUnreachable(std::uintptr_t socket) {
    BOOL report = FALSE;
    DWORD returned = 0;
    // A failure leaves the reports on; the transport skips them anyway.
    WSAIoctl(static_cast<SOCKET>(socket), SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &returned,
             nullptr, nullptr);
}

} // namespace platform
