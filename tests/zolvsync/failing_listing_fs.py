#!/usr/bin/python3
"""A FUSE file system whose folders fail as a failing card or network share does.

    failing_listing_fs.py MOUNTPOINT -f
      /a.txt          a file
      /closed/        opening the folder for a listing fails with an I/O error
      /broken/        the folder opens, but reading its entries fails with an I/O error
      /broken/b.txt   and so does every look at a name in it
"""
import errno
import stat
import time

import fuse

fuse.fuse_python_api = (0, 2)
MOUNTED = int(time.time()) - 60
FILES = {'/a.txt': b'a\n'}
FOLDERS = {'/': ['a.txt', 'broken', 'closed'], '/broken': [], '/closed': []}


class Stat(fuse.Stat):
    def __init__(self, mode, size=0):
        super().__init__()
        self.st_mode, self.st_size, self.st_nlink = mode, size, 2 if stat.S_ISDIR(mode) else 1
        self.st_atime = self.st_mtime = self.st_ctime = MOUNTED


class FailingListingFs(fuse.Fuse):
    def getattr(self, path):
        if path in FOLDERS:
            return Stat(stat.S_IFDIR | 0o755)
        if path in FILES:
            return Stat(stat.S_IFREG | 0o644, len(FILES[path]))
        return -errno.EIO if path.startswith('/broken/') else -errno.ENOENT

    def opendir(self, path):
        return -errno.EIO if path == '/closed' else 0

    def readdir(self, path, offset):
        if path == '/broken':
            return -errno.EIO
        return [fuse.Direntry(name) for name in ['.', '..'] + FOLDERS[path]]

    def open(self, path, flags):
        return 0 if path in FILES else -errno.ENOENT

    def read(self, path, size, offset):
        return FILES[path][offset:offset + size]


if __name__ == '__main__':
    fs = FailingListingFs()
    fs.parse()
    fs.main()
