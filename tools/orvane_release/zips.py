"""The zips a release publishes, made the same from run to run (fixed entry times and modes),
so that a zip's checksum changes only with what it holds."""
import os
import pathlib
import shutil
import zipfile

from .digest import HASH_CHUNK

ZIP_ENTRY_TIME = (2024, 1, 1, 0, 0, 0)
ZIP_ENTRY_MODE = 0o644 << 16


def make_zip_raw(path, entries):
    """A deflated zip of [(arcname, bytes or file path)], names written exactly as given,
    including hostile ones such as "../evil.txt" or "/abs.txt". Non-ASCII names get the
    UTF-8 flag (zipfile sets it)."""
    with zipfile.ZipFile(path, "w") as archive:
        for arcname, data in entries:
            info = zipfile.ZipInfo(arcname, date_time=ZIP_ENTRY_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = ZIP_ENTRY_MODE
            if isinstance(data, (bytes, bytearray, memoryview)):
                archive.writestr(info, bytes(data))
            else:
                # Known size up front: zipfile then picks zip64 only when the file needs it.
                info.file_size = os.path.getsize(data)
                with open(data, "rb") as src, archive.open(info, "w") as dst:
                    shutil.copyfileobj(src, dst, HASH_CHUNK)
    return pathlib.Path(path)


def make_zip(path, files):
    """A deflated zip of {name: bytes or file path}."""
    return make_zip_raw(path, files.items())
