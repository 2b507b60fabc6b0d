"""Where a release's files may land in an installation, by the rules the program applies to a
release answer: a name it refuses, or two names that would be one file on Windows, make every
installed program refuse (or mis-install) the release, so the tool refuses them first."""
import re

DEVICES = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}
DEVICE_DIGITS = set("0123456789\u00b9\u00b2\u00b3")
# What an installation keeps of its own (as identities): no file of a release, and no file of a
# zip, may land there (the records, the journal, their ".bak" and ".new" forms; the config's in
# those forms only).
RECORDS = {"ORVANE-VERSION.JSON", "ORVANE-VERSION.JSON.BAK", "ORVANE-VERSION.JSON.NEW",
           "ORVANE-UPDATE.PENDING", "ORVANE-UPDATE.PENDING.BAK", "ORVANE-UPDATE.PENDING.NEW",
           "ORVANE-CONFIG.JSON.BAK", "ORVANE-CONFIG.JSON.NEW", "ORVANE-ZIP-MEMBERS.JSON",
           "ORVANE-ZIP-MEMBERS.JSON.BAK", "ORVANE-ZIP-MEMBERS.JSON.NEW"}
BACKUP_SUFFIX = ".BAK"
# Characters Windows does not take in a file name (beside the separators and control characters).
FORBIDDEN = set('<>:"|?*')
_SEPARATORS = re.compile(r"[\\/]")


def _is_device(element):
    base = "".join(c.upper() if c.isascii() else c for c in element.split(".", 1)[0].rstrip(" "))
    return base in DEVICES or (len(base) == 4 and base[:3] in ("COM", "LPT") and base[3] in DEVICE_DIGITS)


def unsafe_reason(file_path):
    """Why the program refuses file_path as a place in an installation; None when it takes it.
    A str that holds surrogates (a name os.fsdecode could not decode) is not UTF-8."""
    if any(0xD800 <= ord(c) <= 0xDFFF for c in file_path):
        return "is not UTF-8"
    if not file_path:
        return "is empty"
    if file_path[0] in "\\/":
        return "starts at a root"
    for c in file_path:
        if c == ":":
            return "holds ':' (a drive or a stream)"
        if ord(c) < 0x20:
            return "holds a control character"
    for element in _SEPARATORS.split(file_path):
        if element in ("", "."):
            continue
        if set(element) <= {".", " "}:
            return f"has the element '{element}' (a parent folder)"
        if _is_device(element):
            return f"names the device {element.split('.', 1)[0].rstrip(' ').upper()}"
        if element[-1] in ". ":
            return f"has the element '{element}', whose trailing dot or space Windows drops"
    return None


def windows_name_reason(file_path):
    """unsafe_reason, and characters Windows cannot put into a file name."""
    if reason := unsafe_reason(file_path):
        return reason
    if forbidden := sorted(set(file_path) & FORBIDDEN):
        return f"holds {' '.join(forbidden)}, which Windows does not take in a file name"
    return None


def identity(file_path):
    """One text for every spelling of one installed file: elements joined by "\\", "." and empty
    elements dropped, trailing dots and spaces dropped, letters upper-cased one for one (as the
    file system compares names)."""
    elements = [element.rstrip(". ") for element in _SEPARATORS.split(file_path)]
    return "\\".join("".join(c.upper() if len(c.upper()) == 1 else c for c in element)
                     for element in elements if element)


def conflict(file_paths):
    """(position, reason) of the first file_path that names a file an earlier one names (another
    spelling), or another's name + ".bak", or one of the installation's records; None when every
    one has a place of its own. Unsafe paths are unsafe_reason's."""
    seen, backups = {}, {}
    for position, file_path in enumerate(file_paths):
        if unsafe_reason(file_path):
            continue
        key = identity(file_path)
        if key in RECORDS:
            return position, "is the name of one of the installation's own records"
        if key in seen:
            return position, f"is the same file on Windows as {seen[key]}"
        if key in backups:
            return position, f"is the backup name of {backups[key]}"
        if key + BACKUP_SUFFIX in seen:
            return position, f"has its backup name taken by {seen[key + BACKUP_SUFFIX]}"
        seen[key] = file_path
        backups[key + BACKUP_SUFFIX] = file_path
    return None
