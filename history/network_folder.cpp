#include "history/network_folder.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <sys/vfs.h>

namespace tavik {

namespace {

// statfs()'s f_type of the file systems whose files other machines may
// share (linux/magic.h and the file systems' own sources).
constexpr std::array<unsigned long, 10> kNetworkTypes{
    0x6969,     // NFS
    0x517B,     // SMB
    0xFE534D42, // SMB2
    0xFF534D42, // CIFS
    0x65735546, // FUSE
    0x5346414F, // AFS
    0x564C,     // NCP
    0x01021997, // 9P
    0x00C36400, // Ceph
    0x73757245, // Coda
};

} // namespace

bool isNetworkFileSystemType(unsigned long type) {
    return std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) != kNetworkTypes.end();
}

bool isOnNetworkFileSystem(const QString& folder) {
    struct statfs info {};
    if (statfs(QFile::encodeName(folder).constData(), &info) != 0) {
        return false;
    }
    return isNetworkFileSystemType(static_cast<unsigned long>(info.f_type));
}

} // namespace tavik
