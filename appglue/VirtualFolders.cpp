#include "appglue/VirtualFolders.h"

#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace mb {
namespace {

// The f_type of statfs for each virtual file system a walk passes over
// (the kernel's magic numbers).
constexpr uint32_t kVirtualTypes[] = {
    0x9fa0,     // proc
    0x62656572, // sysfs
    0x27e0eb,   // cgroup
    0x63677270, // cgroup2
    0x64626720, // debugfs
    0x74726163, // tracefs
    0x73636673, // securityfs
    0x6165676c, // pstore
    0xcafe4a11, // bpf
    0x62656570, // configfs
    0x65735543, // fusectl
    0x1cd1,     // devpts
    0x19800202, // mqueue
    0x42494e4d, // binfmt_misc
    0xde5e81e4, // efivarfs
    0x0187,     // autofs (entering a mount point can start slow network mounts)
};

} // namespace

VirtualFolders::VirtualFolders() {
    // Each line: id, parent id, major:minor, root, mount point, options,
    // optional fields, "-", file system type, source, super options.
    std::ifstream mounts("/proc/self/mountinfo");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string id, parent, numbers, word;
        fields >> id >> parent >> numbers;
        while (fields >> word && word != "-") {
        }
        std::string type;
        fields >> type;
        unsigned major = 0, minor = 0;
        if (type == "devtmpfs" && std::sscanf(numbers.c_str(), "%u:%u", &major, &minor) == 2)
            m_devtmpfs.push_back(makedev(major, minor));
    }
}

bool VirtualFolders::Contains(const std::string& folder, dev_t device) const {
    if (std::find(m_devtmpfs.begin(), m_devtmpfs.end(), device) != m_devtmpfs.end())
        return true;
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0)
        return false;
    auto type = static_cast<uint32_t>(info.f_type);
    return std::find(std::begin(kVirtualTypes), std::end(kVirtualTypes), type) !=
           std::end(kVirtualTypes);
}

} // namespace mb
