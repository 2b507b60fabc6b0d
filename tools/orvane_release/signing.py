"""Release answer signatures: ECDSA P-256 with SHA-256 over the exact body bytes.

Texts are standard base64 (padded): the public key of the 64 bytes X||Y of its point, a
signature of the 64 bytes r||s, each half 32 bytes big-endian. The program is built with one or
more root public keys and accepts an answer only when judge() below would.

An answer is signed by a root key itself, or by an online key a root key certified: the
certificate (header X-Orvane-Key-Certificate) is "<base64 document>.<base64 signature>", the
document a JSON object {"expires", "key_sequence" (1..2^53), "public_key", "software_id"} and
the signature a root key's over its bytes. A certificate with a higher key sequence revokes
every lower one, and answer sequences count within one key sequence.
"""
import base64
import importlib.util
import json
import os
import re
import sys

from . import answer_json, expiry, layout
from .layout import DEFAULT_CHANNEL, DEFAULT_SOFTWARE_ID

if importlib.util.find_spec("cryptography") is None:
    # The python3 on PATH may be a separate build that does not look at Debian's packages,
    # where scripts/bootstrap installs python3-cryptography.
    sys.path.append("/usr/lib/python3/dist-packages")
from cryptography.exceptions import InvalidSignature  # noqa: E402
from cryptography.hazmat.primitives import hashes, serialization  # noqa: E402
from cryptography.hazmat.primitives.asymmetric import ec  # noqa: E402
from cryptography.hazmat.primitives.asymmetric.utils import (  # noqa: E402
    decode_dss_signature, encode_dss_signature)

CURVE = ec.SECP256R1()
ALGORITHM = ec.ECDSA(hashes.SHA256())
HALF = 32
# Order of the P-256 group: r and s must lie in 1..ORDER-1.
ORDER = 0xFFFFFFFF00000000FFFFFFFFFFFFFFFFBCE6FAADA7179E84F3B9CAC2FC632551
BASE64 = re.compile(r"[A-Za-z0-9+/]*={0,2}")
TRIMMED = " \t"
CHECKSUM_MEMBERS = ("checksum_sha256", "zip_checksum")
CERTIFICATE_SEPARATOR = "."
DELTA_CHECKSUM_MEMBERS = ("base_sha256", "sha256")


def _decode(text):
    """The bytes of a strict standard base64 text (blanks around it dropped), or None."""
    text = text.strip(TRIMMED)
    if len(text) % 4 or not BASE64.fullmatch(text):
        return None
    return base64.b64decode(text, validate=True)


def _decode_64(text):
    """The 64 bytes of a strict standard base64 text, or None."""
    raw = _decode(text)
    return raw if raw is not None and len(raw) == 2 * HALF else None


def _encode_halves(first, second):
    return base64.b64encode(first.to_bytes(HALF, "big") + second.to_bytes(HALF, "big")).decode("ascii")


_passphrases = {}  # asked once per key file and run


def _ask_passphrase(key_path):
    if key_path not in _passphrases:
        import getpass
        _passphrases[key_path] = getpass.getpass(f"passphrase for {key_path}: ")
    return _passphrases[key_path]


def _load_private_key(key_path):
    """The P-256 key in key_path; its passphrase is asked for when it is encrypted. A key file
    others may read (or write) is refused: whoever reads it signs releases."""
    mode = os.stat(key_path).st_mode
    if mode & 0o077:
        raise ValueError(f"{key_path} may be read by others (mode {mode & 0o777:o}); chmod 600 it first")
    with open(key_path, "rb") as f:
        data = f.read()
    try:
        key = serialization.load_pem_private_key(data, password=None)
    except TypeError:  # encrypted
        try:
            key = serialization.load_pem_private_key(data, password=_ask_passphrase(key_path).encode())
        except (ValueError, TypeError):
            _passphrases.pop(key_path, None)
            raise ValueError(f"{key_path}: wrong passphrase") from None
    except ValueError:
        key = None
    if not isinstance(key, ec.EllipticCurvePrivateKey) or key.curve.name != CURVE.name:
        raise ValueError(f"{key_path} holds no P-256 private key in PEM")
    return key


def _public_key_of(text):
    raw = _decode_64(text) if isinstance(text, str) else None
    if raw is None:
        raise ValueError("the public key text is not base64 of 64 bytes (X||Y)")
    try:
        return ec.EllipticCurvePublicKey.from_encoded_point(CURVE, b"\x04" + raw)
    except ValueError:
        raise ValueError("the public key text names no point on P-256") from None


def _public_text(key):
    numbers = key.public_key().public_numbers()
    return _encode_halves(numbers.x, numbers.y)


def generate_key(key_path):
    """Writes a new private key (PEM PKCS8, unencrypted, mode 0600) to key_path, which must
    not exist yet (FileExistsError); returns its public key text."""
    key = ec.generate_private_key(CURVE)
    pem = key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                            serialization.NoEncryption())
    # O_EXCL: an existing key is never replaced, and nobody else gets to read the file first.
    fd = os.open(key_path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
    with os.fdopen(fd, "wb") as f:
        f.write(pem)
    return _public_text(key)


def public_key_text(key_path):
    return _public_text(_load_private_key(key_path))


def sign(body, key_path):
    """The signature text of body with the private key in key_path."""
    r, s = decode_dss_signature(_load_private_key(key_path).sign(bytes(body), ALGORITHM))
    return _encode_halves(r, s)


def _valid(data, raw_signature, public_key):
    r, s = int.from_bytes(raw_signature[:HALF], "big"), int.from_bytes(raw_signature[HALF:], "big")
    if not (0 < r < ORDER and 0 < s < ORDER):
        return False
    try:
        public_key.verify(encode_dss_signature(r, s), bytes(data), ALGORITHM)
    except InvalidSignature:
        return False
    return True


def _whole(value, least, most=layout.MAX_SEQUENCE):
    """The whole number the program reads from a JSON number (a double) in least..most, or None."""
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        return None
    try:
        number = float(value)
    except OverflowError:
        return None
    return int(number) if least <= number <= most and number.is_integer() else None


def read_certificate(text):
    """(document bytes, signature bytes, {"public_key", "software_id", "key_sequence", "expires"})
    of a certificate text as the program reads it, or None when it is none."""
    if not isinstance(text, str) or CERTIFICATE_SEPARATOR not in text:
        return None
    document_text, _, signature_text = text.partition(CERTIFICATE_SEPARATOR)
    document, signature = _decode(document_text), _decode(signature_text)
    if not document or signature is None or len(signature) != 2 * HALF:
        return None
    members = answer_json.parse(document)
    if not isinstance(members, dict):
        return None
    read = {"public_key": members.get("public_key"), "software_id": members.get("software_id"),
            "key_sequence": _whole(members.get("key_sequence"), 1),
            "expires": expiry.parse_expiry(members.get("expires"))}
    if (not isinstance(read["public_key"], str) or _decode_64(read["public_key"]) is None
            or not isinstance(read["software_id"], str) or not read["software_id"]
            or read["key_sequence"] is None or read["expires"] is None):
        return None
    return document, signature, read


def certify(root_key_path, public_key_text, key_sequence, expires, software_id=DEFAULT_SOFTWARE_ID):
    """The certificate text of an online key (its public key text) for software_id, with its
    key sequence and expiry (a datetime or the text), signed with the root key in root_key_path."""
    _public_key_of(public_key_text)
    if _whole(key_sequence, 1) != key_sequence:
        raise ValueError(f"key sequence {key_sequence}: a whole number from 1 to 2^53")
    document = json.dumps({"expires": expiry.format_expiry(expires), "key_sequence": key_sequence,
                           "public_key": public_key_text, "software_id": software_id},
                          sort_keys=True, separators=(",", ":")).encode("ascii")
    return base64.b64encode(document).decode("ascii") + CERTIFICATE_SEPARATOR + sign(document, root_key_path)


def _now(now):
    now = now or expiry.now()
    return now.replace(tzinfo=expiry.UTC) if now.tzinfo is None else now


def judge(body, signature_text, public_keys, now=None, software_id=DEFAULT_SOFTWARE_ID,
          channel=DEFAULT_CHANNEL, certificate=None, taken=(0, -1), highest_key_sequence=0):
    """(None, the key sequence it is taken under) when the program built with the root keys
    public_keys (a text or a list of them) for software_id and channel would take body with this
    signature and certificate (text or None), having taken before the mark `taken` (key
    sequence, sequence) for the channel and highest_key_sequence for the product; else (why not,
    None): "no signature", "malformed signature", then for an answer no root key signed "bad
    signature" (no certificate), "malformed key certificate", "key not certified by a root key",
    "another product or channel", "key certificate expired", "key revoked by a newer
    certificate", "bad signature" (not by the certified key), then the answer's content (see
    content_refusal) and "older than an answer already taken". A malformed public key text
    raises ValueError."""
    roots = [_public_key_of(key) for key in ([public_keys] if isinstance(public_keys, str) else public_keys)]
    now = _now(now)
    highest_key_sequence = max(highest_key_sequence, taken[0])
    if not signature_text:
        return "no signature", None
    raw = _decode_64(signature_text)
    if raw is None:
        return "malformed signature", None
    if any(_valid(body, raw, root) for root in roots):
        key_sequence = highest_key_sequence  # a root's own answer: where the newest certificate is
    else:
        if not certificate:
            return "bad signature", None
        read = read_certificate(certificate)
        if read is None:
            return "malformed key certificate", None
        document, certificate_signature, members = read
        if not any(_valid(document, certificate_signature, root) for root in roots):
            return "key not certified by a root key", None
        if members["software_id"] != software_id:
            return "another product or channel", None
        if members["expires"] <= now:
            return "key certificate expired", None
        if members["key_sequence"] < highest_key_sequence:
            return "key revoked by a newer certificate", None
        if not _valid(body, raw, _public_key_of(members["public_key"])):
            return "bad signature", None
        key_sequence = members["key_sequence"]
    if reason := _content_refusal(bytes(body), now, software_id, channel):
        return reason, None
    sequence = _whole(_release_of(bytes(body)).get("sequence"), 0)
    if (key_sequence, sequence) < tuple(taken):
        return "older than an answer already taken", None
    return None, key_sequence


def verify(body, signature_text, public_key_text, now=None, software_id=DEFAULT_SOFTWARE_ID,
           channel=DEFAULT_CHANNEL, certificate=None, taken=(0, -1), highest_key_sequence=0):
    """judge()'s refusal alone: None when the program would take the answer."""
    return judge(body, signature_text, public_key_text, now, software_id, channel, certificate, taken,
                 highest_key_sequence)[0]


def _empty_digest(member, names):
    return any(not isinstance(member.get(m), str) or not member.get(m) for m in names)


def _text_member(release, name, default):
    value = release.get(name)
    return value if isinstance(value, str) else default


def has_sequence(release):
    """Whether the program reads a sequence from the answer: a whole number in 0..2^53 once
    read as a double."""
    return _whole(release.get("sequence"), 0) is not None


def content_refusal(body, software_id=DEFAULT_SOFTWARE_ID, channel=DEFAULT_CHANNEL, now=None):
    """verify's refusal of body for anything but its signature; None when it would pass."""
    return _content_refusal(bytes(body), now, software_id, channel)


def _content_refusal(body, now, software_id, channel):
    release = _release_of(body)
    if release is None:
        return "not a release"
    if (_text_member(release, "software_id", "") != software_id
            or _text_member(release, "channel", DEFAULT_CHANNEL) != channel):
        return "another product or channel"
    expires = expiry.parse_expiry(release.get("expires"))
    if expires is None:
        return "no expiry"
    if expires <= _now(now):
        return "expired"
    # Only the entries the program keeps: one it drops downloads nothing.
    for entry in answer_json.counted_entries(release):
        # A delta's bytes, and the file it applies to, are covered by the signature too.
        if _empty_digest(entry, CHECKSUM_MEMBERS) or any(
                _empty_digest(delta, DELTA_CHECKSUM_MEMBERS) for _, delta in answer_json.kept_deltas(entry)):
            return "empty checksum"
    if not has_sequence(release):
        return "no sequence"
    return None


def _release_of(body):
    """The answer as the program takes it as a release, or None."""
    return answer_json.release_of(body)
