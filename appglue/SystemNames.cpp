// The user, computer and address names of CAppHelper.

#include "appglue/AppHelper.h"

#include "commonkit/StringTable.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace {

constexpr const char* kUnknown = "unknown";
constexpr int kStrUnknownAddress = 257;

std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

} // namespace

std::string CAppHelper::GetCurrentUserName() const {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_name || !*found->pw_name)
        return kUnknown;
    return found->pw_name;
}

std::string CAppHelper::GetCurrentComputerName() const {
    std::string name = HostName();
    return name.empty() ? kUnknown : name;
}

std::string CAppHelper::GetHostIPAddress() const {
    std::string name = HostName();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* result = nullptr;
    if (name.empty() || getaddrinfo(name.c_str(), nullptr, &hints, &result) != 0 || !result)
        return CStrHelper::ML_GetStringEx(kStrUnknownAddress);
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(result->ai_addr);
    bool ok = inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr;
    freeaddrinfo(result);
    return ok ? std::string(text) : CStrHelper::ML_GetStringEx(kStrUnknownAddress);
}
