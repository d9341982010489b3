#pragma once

#include <QString>

namespace tavik {

// Whether the folder lies on a network file system (NFS, SMB/CIFS, FUSE
// mounts such as sshfs, AFS, 9P, Ceph and the like), where SQLite's
// write-ahead log is unsafe because the folder's users do not share memory.
bool isOnNetworkFileSystem(const QString& folder);
// The same for a file system type as statfs() gives it.
bool isNetworkFileSystemType(unsigned long type);

} // namespace tavik
