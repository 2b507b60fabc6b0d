"""The expiry time a release answer carries: "YYYY-MM-DDTHH:MM:SSZ", always UTC."""
import datetime
import re

UTC = datetime.timezone.utc
DEFAULT_LIFETIME = datetime.timedelta(days=7)
# [0-9] rather than \d, which also takes digits of other scripts.
PATTERN = re.compile(r"([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2}):([0-9]{2})Z")


def now():
    return datetime.datetime.now(UTC)


def format_expiry(moment):
    """The text for a datetime (a naive one is taken as UTC); a string is already the text."""
    if isinstance(moment, str):
        return moment
    if moment.tzinfo is not None:
        moment = moment.astimezone(UTC)
    return (f"{moment.year:04d}-{moment.month:02d}-{moment.day:02d}"
            f"T{moment.hour:02d}:{moment.minute:02d}:{moment.second:02d}Z")


def parse_expiry(text):
    """The UTC datetime of an expiry text, or None when it is not exactly of that form or
    names no real date and time."""
    match = PATTERN.fullmatch(text) if isinstance(text, str) else None
    if match is None:
        return None
    try:
        return datetime.datetime(*map(int, match.groups()), tzinfo=UTC)
    except ValueError:
        return None
