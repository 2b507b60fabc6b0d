"""Reads a Windows shortcut (.lnk, the Shell Link binary format) back into its fields, so that
tests and the demo can check what a program wrote: target, working directory, description,
arguments and icon.

    link = shell_link.read("Orvane.lnk")
    link.target, link.working_dir, link.description, link.icon_location, link.icon_index
"""
import dataclasses
import pathlib
import struct

HEADER_SIZE = 0x4C
LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")

# LinkFlags
HAS_LINK_TARGET_ID_LIST = 0x1
HAS_LINK_INFO = 0x2
HAS_NAME = 0x4
HAS_RELATIVE_PATH = 0x8
HAS_WORKING_DIR = 0x10
HAS_ARGUMENTS = 0x20
HAS_ICON_LOCATION = 0x40
IS_UNICODE = 0x80

# LinkInfoFlags
VOLUME_ID_AND_LOCAL_BASE_PATH = 0x1
# A LinkInfo header this long or longer also carries the Unicode path offsets.
LINK_INFO_UNICODE_HEADER = 0x24
# Paths in LinkInfo without the Unicode offsets are in the system code page.
ANSI_CODE_PAGE = "cp1252"

# StringData members in the order they are stored, with the flag that says each is present.
STRING_MEMBERS = (("description", HAS_NAME), ("relative_path", HAS_RELATIVE_PATH),
                  ("working_dir", HAS_WORKING_DIR), ("arguments", HAS_ARGUMENTS),
                  ("icon_location", HAS_ICON_LOCATION))


class Malformed(ValueError):
    pass


@dataclasses.dataclass
class ShellLink:
    flags: int
    icon_index: int
    show_command: int
    id_list: bytes = b""
    local_base_path: str = None
    common_path_suffix: str = None
    description: str = None
    relative_path: str = None
    working_dir: str = None
    arguments: str = None
    icon_location: str = None

    @property
    def target(self):
        """The target's path as LinkInfo records it (base path plus suffix), or None."""
        if self.local_base_path is None:
            return None
        return self.local_base_path + (self.common_path_suffix or "")


def _c_string(data, offset, wide):
    if wide:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
            if end > len(data):
                raise Malformed("unterminated UTF-16 string in LinkInfo")
        return data[offset:end].decode("utf-16-le")
    end = data.index(b"\0", offset)
    return data[offset:end].decode(ANSI_CODE_PAGE)


def _link_info(data, link):
    size, header_size, flags, _volume, base, _network, suffix = struct.unpack_from("<7I", data)
    if size > len(data) or header_size > size:
        raise Malformed("LinkInfo larger than the file")
    wide_base = wide_suffix = 0
    if header_size >= LINK_INFO_UNICODE_HEADER:
        wide_base, wide_suffix = struct.unpack_from("<2I", data, 28)
    if flags & VOLUME_ID_AND_LOCAL_BASE_PATH:
        link.local_base_path = (_c_string(data, wide_base, True) if wide_base
                                else _c_string(data, base, False))
    if wide_suffix:
        link.common_path_suffix = _c_string(data, wide_suffix, True)
    elif suffix:
        link.common_path_suffix = _c_string(data, suffix, False)
    return size


def parse(data):
    """ShellLink of the bytes of a .lnk file; raises Malformed."""
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data)[0] != HEADER_SIZE:
        raise Malformed("not a shell link header")
    if data[4:20] != LINK_CLSID:
        raise Malformed("wrong link CLSID")
    flags, = struct.unpack_from("<I", data, 20)
    icon_index, show_command = struct.unpack_from("<iI", data, 56)
    link = ShellLink(flags=flags, icon_index=icon_index, show_command=show_command)
    pos = HEADER_SIZE
    if flags & HAS_LINK_TARGET_ID_LIST:
        id_list_size, = struct.unpack_from("<H", data, pos)
        link.id_list = data[pos + 2:pos + 2 + id_list_size]
        pos += 2 + id_list_size
    if flags & HAS_LINK_INFO:
        pos += _link_info(data[pos:], link)
    wide = bool(flags & IS_UNICODE)
    for name, flag in STRING_MEMBERS:
        if not flags & flag:
            continue
        count, = struct.unpack_from("<H", data, pos)
        pos += 2
        length = count * (2 if wide else 1)
        if pos + length > len(data):
            raise Malformed(f"{name} runs past the end")
        raw = data[pos:pos + length]
        text = raw.decode("utf-16-le") if wide else raw.decode(ANSI_CODE_PAGE)
        # Wine counts a terminating NUL into the length; readers stop at it, so it is no part
        # of the value.
        setattr(link, name, text.split("\0", 1)[0])
        pos += length
    return link


def read(path):
    return parse(pathlib.Path(path).read_bytes())
