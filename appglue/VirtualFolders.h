#pragma once
// The folders of virtual file systems (proc, sysfs, devtmpfs, cgroup,
// debugfs and the like): their entries are the kernel's state, not files a
// user keeps, and some of them are endless or block when read. A folder
// walk does not enter them.

#include <sys/types.h>

#include <string>
#include <vector>

namespace mb {

class VirtualFolders {
public:
    // Reads which devices are mounted as devtmpfs (its folders report
    // themselves as tmpfs); the other kinds are told by the folder itself.
    VirtualFolders();

    // Whether `folder`, on the device `device`, belongs to a virtual file
    // system.
    bool Contains(const std::string& folder, dev_t device) const;

private:
    std::vector<dev_t> m_devtmpfs;
};

} // namespace mb
