#!/usr/bin/python3
"""A read-only passthrough file system that answers slowly.

    slowfs.py SOURCE MOUNTPOINT [DELAY_MS]

Mounts SOURCE at MOUNTPOINT through FUSE and sleeps DELAY_MS (default 1)
before answering each getattr and each readdir, as a network share or a busy
disk would. Requests are served on several threads, so requests that overlap
wait side by side, as they would on such a share. readdir returns each
entry's type, so that a walker need not ask for the attributes of every file.
Stop it with `fusermount -u MOUNTPOINT` (or fusermount3). Needs the Debian
packages fuse3 and python3-fusepy.
"""
import errno
import os
import sys
import time

try:
    import fusepy as fuse  # Debian's name for the module
except ImportError:
    import fuse


class SlowPassthrough(fuse.Operations):
    def __init__(self, source, delay_s):
        self.source = source
        self.delay_s = delay_s

    def _real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def getattr(self, path, fh=None):
        time.sleep(self.delay_s)
        try:
            st = os.lstat(self._real(path))
        except OSError as error:
            raise fuse.FuseOSError(error.errno)
        keys = ("st_mode", "st_nlink", "st_size", "st_uid", "st_gid",
                "st_atime", "st_mtime", "st_ctime", "st_ino")
        return {key: getattr(st, key) for key in keys}

    def readdir(self, path, fh):
        time.sleep(self.delay_s)
        real = self._real(path)
        entries = [(".", {"st_mode": 0o40755}, 0), ("..", {"st_mode": 0o40755}, 0)]
        try:
            with os.scandir(real) as listing:
                for entry in listing:
                    mode = 0o40755 if entry.is_dir(follow_symlinks=False) else 0o100644
                    entries.append((entry.name, {"st_mode": mode}, 0))
        except OSError as error:
            raise fuse.FuseOSError(error.errno)
        return entries

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise fuse.FuseOSError(errno.EROFS)
        return os.open(self._real(path), flags)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)
        return 0

    def readlink(self, path):
        return os.readlink(self._real(path))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    delay_ms = float(sys.argv[3]) if len(sys.argv) > 3 else 1.0
    fuse.FUSE(SlowPassthrough(sys.argv[1], delay_ms / 1000.0), sys.argv[2],
              foreground=True, ro=True, nothreads=False)


if __name__ == "__main__":
    main()
